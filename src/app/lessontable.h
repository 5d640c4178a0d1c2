// The seven lesson windows as one table: what the frame needs to create them,
// build their menus and toolbar buttons, start them, write them to the lesson
// file, open their help and list them in the Progression window. Everything
// else about a lesson is asked of the window itself (lesson/lessonwindow.h).
#pragma once
#include "classe/classwork.h"
#include "progress/lessonfamily.h"

#include <QList>
#include <QStringList>

#include <cstdint>
#include <span>

struct Forms;
struct MenuDef;
struct MenuItemDef;
class LessonWindow;

struct LessonDef
{
    int module;                              // 1..7, as the lesson file writes it
    const char *family;                      // the family as the Progression window names it
    const char *menu;                        // objectName of its menu in the menu bar
    const char *caption;                     // the menu's caption, with "&"
    std::span<const MenuItemDef> (*items)(); // the menu's items
    // The help context of its menu (F1 on the menu opens helpPage); the
    // lesson menus stand in the menu bar in its order, after Edition.
    int helpContext;
    const char *button; // objectName of the toolbar button that shows it
    const char *icon;   // the button's icon
    // Its place among the lesson buttons of the toolbar, from the left.
    int toolbarSlot;
    const char *helpPage;   // the page F1 opens in the window
    std::int32_t startCode; // what SetIni gets at start-up and for a new lesson
    // Its turn when every window starts afresh (start-up, a new lesson): the
    // spreadsheet before the game, unlike the lesson file's order, so that
    // the journal records their sessions so.
    int startTurn;
    // Creates the window and sets its reference in forms().
    LessonWindow *(*create)(Forms &forms);
    // The window, once created (null before).
    LessonWindow *(*window)(const Forms &forms);
};

// The help contexts of the lesson menus follow those of Fichier (2) and
// Edition (3); Options, Utilitaires and ? keep 11 to 13, so that a lesson
// added later takes 14 or more.
inline constexpr int kFirstLessonHelpContext = 4;
inline constexpr bool isFrameHelpContext(int context)
{
    return context == 2 || context == 3 || (context >= 11 && context <= 13);
}

// By module code: TClavier, TExos, TPhrases, TTexte, TJeu, TTableur, TSaisie.
std::span<const LessonDef> lessonTable();
// The rows in the order of their start turns.
QList<const LessonDef *> lessonsInStartOrder();

// The row of a module code, of a menu, or of a toolbar button; null for none.
const LessonDef *lessonRow(int module);
const LessonDef *lessonRowOfMenu(const char *menuName);
const LessonDef *lessonRowOfButton(const char *buttonName);
// The row whose menu has a help context, or whose button a toolbar slot.
const LessonDef *lessonRowOfHelpContext(int context);
const LessonDef *lessonRowOfSlot(int slot);

// The window of a row in forms().
LessonWindow *lessonWindow(const LessonDef &row);

// The lesson menu of a row in the menu table.
const MenuDef *lessonMenu(const LessonDef &row);

// Every family with its lessons named by their menu captions without "&".
QList<progress::LessonFamily> lessonFamilies();

// The objectNames of the lesson menu items a class hides, in the menus'
// order; codes that name no item are left out.
QStringList hiddenMenuItems(const QList<classe::HiddenLesson> &hidden);
