// The table of the lesson windows, and the lookups the frame makes in it.
#include "app/lessontable.h"

#include "app/lesson/forms.h"
#include "app/lesson/lessonfile.h"
#include "app/menutable.h"
#include "drills/texos.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "drills/ttexte.h"
#include "keyboard/tclavier.h"
#include "office/tsaisie.h"
#include "office/ttableur.h"
#include "ui/caption.h"

#include <cstring>
#include <iterator>

namespace {

// Builds a window of class W and keeps it in the reference member of forms().
template <typename W, W *Forms::*member> LessonWindow *create(Forms &forms)
{
    return forms.*member = new W;
}

template <typename W, W *Forms::*member> LessonWindow *window(const Forms &forms)
{
    return forms.*member;
}

#define LESSON(W, member) &create<W, &Forms::member>, &window<W, &Forms::member>

// clang-format off
constexpr LessonDef kLessons[] = {
    // module, family, menu, caption, items, help context, button, icon, slot, help page,
    // start code, start turn, window
    {1, "Clavier",   "Clavier1",   "&Clavier",   &lessonmenus::clavier,   4,  "SpeedButton1",  "clavier",   0,
     "clavier.html",   0, 0, LESSON(TClavier, Clavier)},
    {2, "Exercices", "Exercices1", "E&xercices", &lessonmenus::exercices, 5,  "SpeedButton2",  "exercices", 1,
     "exercices.html", 1, 1, LESSON(TExos, Exos)},
    {3, "Phrases",   "Phrases1",   "&Phrases",   &lessonmenus::phrases,   6,  "SpeedButton7",  "phrases",   2,
     "phrases.html",   1, 2, LESSON(TPhrases, Phrases)},
    {4, "Texte",     "Texte1",     "&Texte",     &lessonmenus::texte,     7,  "SpeedButton3",  "texte",     3,
     "texte.html",     1, 3, LESSON(TTexte, Texte)},
    {5, "Jeu",       "Jeu1",       "&Jeu",       &lessonmenus::jeu,       10, "SpeedButton4",  "jeu",       6,
     "jeu.html",       1, 5, LESSON(TJeu, Jeu)},
    {6, "Tableur",   "Tableur1",   "T&ableur",   &lessonmenus::tableur,   8,  "SpeedButton13", "tableur",   4,
     "tableur.html",   1, 4, LESSON(TTableur, Tableur)},
    {7, "Saisie",    "Saisie1",    "&Saisie",    &lessonmenus::saisie,    9,  "SpeedButton14", "saisie",    5,
     "saisie.html",    1, 6, LESSON(TSaisie, Saisie)},
};
// clang-format on

#undef LESSON

// The lesson file keeps a lesson code and a menu code for each of them: the
// seven in its fifteen lines, any other after them.
static_assert(std::size(kLessons) >= LessonFile::kModules);

// Module codes follow the rows (the windows are created in their order), and
// each start turn, toolbar slot and help context is taken once: a row added
// without them, or with another's, does not build.
constexpr bool rowsAreInOrder()
{
    constexpr int count = int(std::size(kLessons));
    for (int i = 0; i < count; ++i) {
        const LessonDef &row = kLessons[i];
        if (row.module != i + 1 || row.startTurn < 0 || row.startTurn >= count || row.toolbarSlot < 0 ||
            row.toolbarSlot >= count || row.helpContext < kFirstLessonHelpContext ||
            isFrameHelpContext(row.helpContext))
            return false;
        for (int j = 0; j < i; ++j)
            if (kLessons[j].startTurn == row.startTurn || kLessons[j].toolbarSlot == row.toolbarSlot ||
                kLessons[j].helpContext == row.helpContext)
                return false;
    }
    return true;
}
static_assert(rowsAreInOrder());

} // namespace

// The first row that matches, or null.
template <typename Match> const LessonDef *rowWhere(Match match)
{
    for (const LessonDef &row : kLessons)
        if (match(row))
            return &row;
    return nullptr;
}

std::span<const LessonDef> lessonTable()
{
    return kLessons;
}

QList<const LessonDef *> lessonsInStartOrder()
{
    QList<const LessonDef *> rows(std::size(kLessons));
    for (const LessonDef &row : kLessons)
        rows[row.startTurn] = &row;
    return rows;
}

const LessonDef *lessonRow(int module)
{
    return rowWhere([&](const LessonDef &row) { return row.module == module; });
}

const LessonDef *lessonRowOfMenu(const char *menuName)
{
    return rowWhere([&](const LessonDef &row) { return std::strcmp(row.menu, menuName) == 0; });
}

const LessonDef *lessonRowOfButton(const char *buttonName)
{
    return rowWhere([&](const LessonDef &row) { return std::strcmp(row.button, buttonName) == 0; });
}

LessonWindow *lessonWindow(const LessonDef &row)
{
    return row.window(forms());
}

const MenuDef *lessonMenu(const LessonDef &row)
{
    for (const MenuDef &menu : menuTable())
        if (std::strcmp(menu.name, row.menu) == 0)
            return &menu;
    return nullptr;
}

const LessonDef *lessonRowOfHelpContext(int context)
{
    return rowWhere([&](const LessonDef &row) { return row.helpContext == context; });
}

const LessonDef *lessonRowOfSlot(int slot)
{
    return rowWhere([&](const LessonDef &row) { return row.toolbarSlot == slot; });
}

QList<progress::LessonFamily> lessonFamilies()
{
    QList<progress::LessonFamily> families;
    for (const LessonDef &row : kLessons) {
        progress::LessonFamily family{row.module, QString::fromUtf8(row.family), {}};
        if (const MenuDef *menu = lessonMenu(row))
            for (const MenuItemDef &item : menu->items)
                if (std::strcmp(item.caption, "-") != 0 && item.code >= 0)
                    family.lessons.append({item.code, ui::captionText(QString::fromUtf8(item.caption))});
        families.append(family);
    }
    return families;
}

QStringList hiddenMenuItems(const QList<classe::HiddenLesson> &hidden)
{
    QStringList names;
    for (const LessonDef &row : kLessons) {
        const MenuDef *menu = lessonMenu(row);
        if (!menu)
            continue;
        for (const MenuItemDef &item : menu->items) {
            if (std::strcmp(item.caption, "-") == 0 || item.code < 0)
                continue;
            const classe::HiddenLesson lesson{QString::number(row.module), QString::number(item.code)};
            if (hidden.contains(lesson))
                names << QLatin1String(item.name);
        }
    }
    return names;
}
