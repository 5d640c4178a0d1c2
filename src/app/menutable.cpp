// Menu tree and toolbar of the frame.
#include "app/menutable.h"

#include "app/lessontable.h"
#include "drills/exercisetexts.h"
#include "progress/lessonfamily.h"

#include <QList>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Fichier
const MenuItemDef kFichierItems[] = {
    {"Nouvelleleon1", "&Nouvelle leçon", "Nouvelle leçon", "", -1, false},
    {"OpenItem", "&Ouvrir leçon...", "Ouvrir une leçon", "", -1, false},
    {"N5", "-", "", "", -1, false},
    {"SaveItem", "&Enregistrer leçon", "Enregistrer la leçon en cours", "", -1, false},
    {"Enregistrersous1", "Enregistrer &sous...", "Enregistrer sous", "", -1, false},
    {"N1", "-", "", "", -1, false},
    {"ExitItem", "&Quitter", "Quitter l'application", "Alt+X", -1, false},
};
// Edition
const MenuItemDef kEditionItems[] = {
    {"Couper1", "&Couper", "Couper", "Ctrl+X", -1, false},
    {"Copier1", "Co&pier", "Copier", "Ctrl+C", -1, false},
    {"Coller1", "C&oller", "Coller", "Ctrl+V", -1, false},
};
// Clavier
const MenuItemDef kClavierItems[] = {
    {"Dcouverte1", "&Découverte", "Découverte du clavier", "", 0, true},
    {"Touches1", "&Touches", "Touches du clavier", "", 1, false},
};
// Exercices: one item per row of the exercise table, the French characters
// after a separator, then the review.
const std::vector<MenuItemDef> &exercicesList()
{
    static const std::vector<MenuItemDef> items = [] {
        std::vector<MenuItemDef> list;
        int code = 0;
        for (const drills::ExerciseText &exercise : drills::exercises()) {
            if (++code == drills::FirstFrenchExercise)
                list.push_back({"N8", "-", "", "", -1, false});
            list.push_back({exercise.item, exercise.caption, exercise.hint, "", code, code == 1});
        }
        list.push_back({"Revision1", "&Révision personnalisée", "Révision personnalisée", "",
                        progress::kReviewLesson, false});
        // The tests: commands rather than lessons of the exercises' window.
        list.push_back({"N9", "-", "", "", -1, false});
        list.push_back(
            {"Testdeniveau1", "&Test de niveau", "Trouver par quel exercice commencer", "", -1, false});
        list.push_back({"Epreuve1", "É&preuve chronométrée...",
                        "Recopier un texte en un temps donné et obtenir une attestation", "", -1, false});
        return list;
    }();
    return items;
}
// Phrases
const MenuItemDef kPhrasesItems[] = {
    {"Maximes1", "&Maximes", "Maximes", "", 1, true},
    {"Citations1", "&Citations", "Citaions", "", 2, false},
    {"Dictions1", "&Dictions", "Dictons", "", 3, false},
    {"Romans1", "&Romans", "Titres de romans", "", 4, false},
    {"Films1", "&Films", "Titres de films", "", 5, false},
};
// Texte
const MenuItemDef kTexteItems[] = {
    {"Fonctionsdebase1", "&Fonctions de base", "Les fonctions de base", "", 1, true},
    {"N4", "-", "", "", -1, false},
    {"Fble1", "&La cigale et la fourmi", "La cigale et la fourmi", "", 2, false},
    {"LeCorbeauetlerenard1", "Le &Corbeau et le renard", "", "", 3, false},
    {"N2", "-", "", "", -1, false},
    {"Pressepapiers1", "&Presse-papiers", "Le presse-papiers", "", 4, false},
    {"Lettre1", "&Lettre", "Lettre", "", 5, false},
    {"Relance1", "&Relance", "Lettre de relance", "", 6, false},
    {"CurriculumVitae1", "Curriculum &Vitae", "Curriculum Vitae", "", 7, false},
    {"Votretexte1", "&Votre texte...", "Recopier un texte de votre choix", "", 8, false},
};
// Tableur
const MenuItemDef kTableurItems[] = {
    {"Lesbases1", "&Fonctions de base", "Les fonctions de base", "", 1, true},
    {"N6", "-", "", "", -1, false},
    {"Budget1", "&Budget", "Budget", "", 2, false},
    {"Rpertoire1", "&Répertoire", "Répertoire téléphoniqaue", "", 3, false},
    {"Tarifs1", "&Tarifs", "Tarifs", "", 4, false},
};
// Saisie
const MenuItemDef kSaisieItems[] = {
    {"Fonctionsdebase2", "&Fonctions de base", "Les fonctions de base", "", 1, true},
    {"N7", "-", "", "", -1, false},
    {"Rpertoire2", "&Répertoire", "Répertoire", "", 2, false},
    {"Stock1", "&Stock", "Stock", "", 3, false},
};
// Jeu
const MenuItemDef kJeuItems[] = {
    {"Lettres1", "&Lettres", "Lettres", "", 1, true},
    {"Mots1", "&Mots", "Mots", "", 2, false},
};
// Options
const MenuItemDef kOptionsItems[] = {
    {"Bilan1", "&Bilan", "Bilan de la leçon", "", -1, false},
    {"Chronomtrer1", "&Chronométrer", "Chronométrer", "", -1, false},
    {"Tabledescaractres1", "&Table des caractères", "Table des caractères", "", -1, false},
    {"Progression1", "&Progression", "Voir la progression", "", -1, false},
    {"Guide1", "&Guide du clavier", "Afficher ou masquer le guide du clavier", "", -1, false},
    {"Apprenants1", "&Apprenants...", "Choisir, ajouter ou retirer un apprenant", "", -1, false},
    {"Sons1", "S&ons", "Des sons pendant les leçons", "", -1, false},
    {"Contrasteeleve1", "Contraste &élevé", "Afficher le guide du clavier en fort contraste", "", -1, false},
    {"Tailledutexte1", "Taille du te&xte", "Agrandir le texte des leçons, du guide et de l'aide", "", -1,
     false},
    {"Policedutexte1", "Po&lice du texte", "Choisir la police des lignes à lire et à taper", "", -1, false},
    {"Classe1", "Cla&sse...", "Rejoindre sa classe, ou se connecter comme enseignant", "", -1, false},
};
// Options, Police du texte
const MenuItemDef kPoliceItems[] = {
    {"Policepardfaut1", "Par &défaut", "La police habituelle des leçons", "", -1, false},
    {"Andika1", "&Andika", "Une police dessinée pour les lecteurs débutants", "", -1, false},
    {"OpenDyslexic1", "&OpenDyslexic", "Une police aux lettres lestées, si elle est installée", "", -1,
     false},
};
// Options, Taille du texte: two commands, then the sizes offered
const MenuItemDef kTailleItems[] = {
    {"Agrandirletexte1", "&Agrandir", "Agrandir le texte d'un cran", "", -1, false},
    {"Rduireletexte1", "&Réduire", "Réduire le texte d'un cran", "", -1, false},
    {"N4", "-", "", "", -1, false},
    {"Taille100", "&100 %", "Le texte à sa taille habituelle", "", -1, false},
    {"Taille125", "1&25 %", "Le texte agrandi d'un quart", "", -1, false},
    {"Taille150", "1&50 %", "Le texte agrandi de moitié", "", -1, false},
    {"Taille175", "1&75 %", "Le texte agrandi des trois quarts", "", -1, false},
    {"Taille200", "2&00 %", "Le texte deux fois plus grand", "", -1, false},
};
// Options, Sons
const MenuItemDef kSonsItems[] = {
    {"Sonerreur1", "Son à chaque &erreur", "Jouer un son à chaque touche refusée", "", -1, false},
    {"Sonfin1", "Son en &fin de leçon", "Jouer un son quand la leçon est terminée", "", -1, false},
};
// Utilitaires
const MenuItemDef kUtilitairesItems[] = {
    {"Calendrier1", "&Calendrier", "Calendrier", "", -1, false},
    {"Clculatrice1", "C&alculatrice", "Calculatrice", "", -1, false},
    {"Horloge1", "&Horloge", "Horloge", "", -1, false},
    {"Blocnotes1", "&Bloc-notes", "Bloc-notes", "", -1, false},
};
// Aide
const MenuItemDef kAideItems[] = {
    {"Index1", "&Index", "Sommaire de l'aide", "", -1, false},
    {"Rechercher1", "&Rechercher...", "Rechercher", "", -1, false},
    {"Utiliserlaide1", "&Utiliser l'aide", "Utiliser l'aide", "", -1, false},
    {"N3", "-", "", "", -1, false},
    {"About1", "&A propos", "Informations sur le programme, la version", "", -1, false},
};

} // namespace

namespace lessonmenus {
std::span<const MenuItemDef> clavier()
{
    return kClavierItems;
}
std::span<const MenuItemDef> exercices()
{
    return exercicesList();
}
std::span<const MenuItemDef> phrases()
{
    return kPhrasesItems;
}
std::span<const MenuItemDef> texte()
{
    return kTexteItems;
}
std::span<const MenuItemDef> tableur()
{
    return kTableurItems;
}
std::span<const MenuItemDef> saisie()
{
    return kSaisieItems;
}
std::span<const MenuItemDef> jeu()
{
    return kJeuItems;
}
} // namespace lessonmenus

std::span<const MenuDef> menuTable()
{
    static const std::vector<MenuDef> menus = [] {
        std::vector<MenuDef> list{{"Fichier1", "&Fichier", 2, kFichierItems},
                                  {"Edition1", "&Edition", 3, kEditionItems}};
        // The lesson menus in the order of their help contexts.
        QList<const LessonDef *> rows;
        for (const LessonDef &row : lessonTable())
            rows.append(&row);
        std::sort(rows.begin(), rows.end(),
                  [](const LessonDef *a, const LessonDef *b) { return a->helpContext < b->helpContext; });
        for (const LessonDef *row : rows)
            list.push_back({row->menu, row->caption, row->helpContext, row->items()});
        list.push_back({"Options1", "&Options", 11, kOptionsItems});
        list.push_back({"Utilitaires1", "&Utilitaires", 12, kUtilitairesItems});
        list.push_back({"Aide1", "&?", 13, kAideItems});
        return list;
    }();
    return menus;
}

std::span<const MenuItemDef> submenuItems(const char *name)
{
    if (std::strcmp(name, "Sons1") == 0)
        return kSonsItems;
    if (std::strcmp(name, "Tailledutexte1") == 0)
        return kTailleItems;
    if (std::strcmp(name, "Policedutexte1") == 0)
        return kPoliceItems;
    return {};
}

std::span<const ToolButtonDef> toolbarTable()
{
    static const std::vector<ToolButtonDef> buttons = [] {
        std::vector<ToolButtonDef> list{{8, "SpeedButton11", "Nouveau", "nouveau"},
                                        {33, "SpeedButton5", "Ouvrir", "ouvrir"},
                                        {58, "SpeedButton6", "Enregistrer", "enregistrer"},
                                        {86, "Bevel1", "", ""}};
        // One button per lesson, in the order of their slots, hinted with
        // the family's name; the rest of the bar follows the last one.
        constexpr int kFirstLesson = 91;
        constexpr int kStep = 25;
        const int count = int(lessonTable().size());
        for (int slot = 0; slot < count; ++slot) {
            const LessonDef *row = lessonRowOfSlot(slot);
            list.push_back({kFirstLesson + kStep * slot, row->button, row->family, row->icon});
        }
        const int bevel = kFirstLesson + kStep * count + 3;
        list.push_back({bevel, "Bevel2", "", ""});
        list.push_back({bevel + 6, "SpeedButton9", "Gras", "gras"});
        list.push_back({bevel + 31, "SpeedButton10", "Souligné", "souligne"});
        list.push_back({bevel + 65, "SpeedButton8", "Chronométrer", "chrono"});
        list.push_back({bevel + 90, "SpeedButton12", "Statistiques", "stats"});
        return list;
    }();
    return buttons;
}
