// Menu tree and toolbar of the frame.
#include "app/menutable.h"

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
// Exercices
const MenuItemDef kExercicesItems[] = {
    {"N1gh1", "&1 Touches g h", "Touches g h", "", 1, true},
    {"N2ap1", "&2 Touches a p", "Touches a p", "", 2, false},
    {"N3zq1", "&3 Touches z o", "Touches z o", "", 3, false},
    {"N4erui1", "&4 Touches h j", "Touches e r u i", "", 4, false},
    {"N5ty1", "&5 Touches t y", "Touches t y", "", 5, false},
    {"N6wxcv1", "&6 Touches w x c v", "Touches w x c v", "", 6, false},
    {"N7bn1", "&7 Touches b n", "Touches b n", "", 7, false},
    {"N8Touches1", "&8 Touches é è", "Touches é è", "", 8, false},
    {"N9Touches1", "&9 Touches ç à", "Touches ç à", "", 9, false},
    {"N10Touches1", "&10 Touches ^ ù", "Touches ^ ù", "", 10, false},
    {"N11Touches1", "&11 Touches , ; : !", "Touches , ; : !", "", 11, false},
    {"N12Touches1", "&12 Touches \" '", "Touches \" '", "", 12, false},
    {"N13Touches1", "&13 Touches ( )", "Touches ( )", "", 13, false},
    {"N14Touches1", "&14 Touches - _", "Touches - _", "", 14, false},
    {"N15Touches1", "&15 Touches MAJ min", "Touches MAJUSCULES minuscules", "", 15, false},
    {"N16Touches1", "&16 Touches 1234567890", "Touches 1234567890", "", 16, false},
    {"N17Touches1", "&17 Touches - x : + =", "Touches - x : + =", "", 17, false},
    {"N18Touches1", "&18 Touches ? .", "Touches ? .", "", 18, false},
    {"N8", "-", "", "", -1, false},
    {"N19Touches1", "19 &Majuscules accentuées", "Majuscules accentuées É È À Ç", "", 19, false},
    {"N20Touches1", "20 &Touches œ æ", "Touches œ æ", "", 20, false},
    {"N21Touches1", "21 &Guillemets « » et apostrophe ’", "Guillemets « » et apostrophe ’", "", 21, false},
    {"N22Touches1", "22 &Ponctuation française", "Espaces insécables, points de suspension, tirets", "", 22,
     false},
    {"N23Touches1", "23 &Chiffres et nombres", "Chiffres, signes et nombres écrits en français", "", 23,
     false},
    {"N24Touches1", "24 &Signes Alt Gr", "Signes Alt Gr @ # € { } [ ] | \\ ~", "", 24, false},
    {"Revision1", "&Révision personnalisée", "Révision personnalisée", "", 25, false},
};
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
const MenuDef kMenus[] = {
    {"Fichier1", "&Fichier", 2, kFichierItems},
    {"Edition1", "&Edition", 3, kEditionItems},
    {"Clavier1", "&Clavier", 4, kClavierItems},
    {"Exercices1", "E&xercices", 5, kExercicesItems},
    {"Phrases1", "&Phrases", 6, kPhrasesItems},
    {"Texte1", "&Texte", 7, kTexteItems},
    {"Tableur1", "T&ableur", 8, kTableurItems},
    {"Saisie1", "&Saisie", 9, kSaisieItems},
    {"Jeu1", "&Jeu", 10, kJeuItems},
    {"Options1", "&Options", 11, kOptionsItems},
    {"Utilitaires1", "&Utilitaires", 12, kUtilitairesItems},
    {"Aide1", "&?", 13, kAideItems},
};

const ToolButtonDef kToolbar[] = {
    {8, "SpeedButton11", "Nouveau", "nouveau"},
    {33, "SpeedButton5", "Ouvrir", "ouvrir"},
    {58, "SpeedButton6", "Enregistrer", "enregistrer"},
    {86, "Bevel1", "", ""},
    {91, "SpeedButton1", "Clavier", "clavier"},
    {116, "SpeedButton2", "Exercices", "exercices"},
    {141, "SpeedButton7", "Phrases", "phrases"},
    {166, "SpeedButton3", "Texte", "texte"},
    {191, "SpeedButton13", "Tableur", "tableur"},
    {216, "SpeedButton14", "Saisie", "saisie"},
    {241, "SpeedButton4", "Jeu", "jeu"},
    {269, "Bevel2", "", ""},
    {275, "SpeedButton9", "Gras", "gras"},
    {300, "SpeedButton10", "Souligné", "souligne"},
    {334, "SpeedButton8", "Chronométrer", "chrono"},
    {359, "SpeedButton12", "Statistiques", "stats"},
};

} // namespace

std::span<const MenuDef> menuTable()
{
    return kMenus;
}

std::span<const ToolButtonDef> toolbarTable()
{
    return kToolbar;
}
