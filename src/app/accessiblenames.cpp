// The French names a screen reader gives the program's windows and controls,
// where what the widget shows says too little (an empty typing line, a key
// caption like "PgDn", an abbreviation like "Hr"). Labels that show lesson
// text keep no fixed name: they are read by their current text.
#include "ui/accessibility.h"

namespace ui {

namespace {

// clang-format off
const AccessibleText kTexts[] = {
    // The frame.
    {"TMainForm", "Tapivox", "Apprentissage du clavier AZERTY"},
    {"TMainForm/SpeedPanel", "Barre d'outils", nullptr},
    {"TMainForm/MDIArea", "Leçons", "Les fenêtres des leçons"},
    {"TMainForm/SDIAppMenu", "Menu principal", nullptr},
    {"TMainForm/qt_menubar_ext_button", "Autres menus", nullptr},
    {"TMainForm/StatusBar", "Barre d'état", nullptr},
    {"TMainForm/Aide1", "Aide", nullptr}, // the "&?" menu
    {"TMainForm/StatusPanel0", nullptr, "Aide sur la commande survolée"},
    {"TMainForm/StatusPanel1", nullptr, "Heure"},
    {"TMainForm/*Sub", nullptr, "Fenêtre de leçon"},

    // Keyboard.
    {"TClavier", "Clavier", "Appuyez sur une touche pour lire sa description"},
    {"TClavier/GroupBox1", "Consigne", nullptr},
    {"TClavier/Label1", nullptr, "Consigne"},
    {"TClavier/Label2", nullptr, "Description de la touche"},
    {"TClavier/Panel1", "Image du clavier", nullptr},
    {"TClavier/SpeedButton105", "Voyant Verrouillage numérique", "Allumé quand le pavé numérique tape des chiffres"},
    {"TClavier/SpeedButton106", "Voyant Verrouillage majuscules", "Allumé quand les lettres sortent en majuscules"},
    {"TClavier/SpeedButton107", "Voyant Arrêt défilement", "Allumé quand l'arrêt du défilement est actif"},
    // The keys are named by the window itself, from the learner's keymap.
    {"TClavier/SpeedButton*", nullptr, "Touche du clavier dessiné"},

    // Drills: the windows name their model and typing lines.
    {"TExos", "Exercices", nullptr},
    {"TPhrases", "Phrases", nullptr},
    {"TTexte", "Texte", nullptr},
    {"TTexte/RichEdit1", "Texte modèle", nullptr},
    {"TTexte/RichEdit2", "Texte à taper", "Recopiez ici le texte du dessus"},
    {"TJeu", "Zone de jeu", "Tapez les lettres qui tombent avant qu'elles n'arrivent en bas"},
    {"TJeu/GroupBox1", "Consigne et score", nullptr},
    {"TJeu/Label1", nullptr, "Consigne"},
    {"TJeu/Label2", nullptr, "Score"},

    // Office.
    {"TTableur", "Tableur", nullptr},
    {"TTableur/Edit1", "Contenu de la cellule modèle", nullptr},
    {"TTableur/StringGrid1", "Tableau modèle", nullptr},
    {"TTableur/Edit2", "Contenu de la cellule tapée", nullptr},
    {"TTableur/StringGrid2", "Tableau à remplir", "Recopiez ici les cellules du tableau modèle"},
    {"TTableur/InplaceEdit", "Cellule en cours de saisie", nullptr},
    {"TSaisie", "Saisie", nullptr},
    {"TSaisie/GroupBox1", "Fiche modèle", nullptr},
    {"TSaisie/GroupBox2", "Fiche à remplir", nullptr},
    {"TSaisie/Edit1", nullptr, "Champ de la fiche modèle"},
    {"TSaisie/Edit2", nullptr, "Champ de la fiche modèle"},
    {"TSaisie/Edit3", nullptr, "Champ de la fiche modèle"},
    {"TSaisie/Edit4", nullptr, "Champ de la fiche modèle"},
    {"TSaisie/Edit5", nullptr, "Champ de la fiche modèle"},
    {"TSaisie/Edit6", nullptr, "Tapez ici le champ de la fiche modèle"},
    {"TSaisie/Edit7", nullptr, "Tapez ici le champ de la fiche modèle"},
    {"TSaisie/Edit8", nullptr, "Tapez ici le champ de la fiche modèle"},
    {"TSaisie/Edit9", nullptr, "Tapez ici le champ de la fiche modèle"},
    {"TSaisie/Edit10", nullptr, "Tapez ici le champ de la fiche modèle"},

    // Dialogs and accessories.
    {"TAboutBox/ProgramIcon", "Icône de Tapivox", nullptr},
    {"TStats/Edit1", "Frappe totale", nullptr},
    {"TStats/Edit2", "Nombre d'erreurs", nullptr},
    {"TStats/Edit3", "Pourcentage d'erreurs", nullptr},
    {"TStats/Edit4", "Frappe par minute", nullptr},
    {"TStats/Edit5", "Durée de la leçon", nullptr},
    {"TStats/Edit6", "Mots par minute", nullptr},
    {"TCaract/ComboBox1", "Police", nullptr},
    {"TCaract/StringGrid1", "Table des caractères", "Choisissez un caractère\u00a0; OK l'insère dans le texte"},
    {"TCaract/Edit1", "Caractère choisi", nullptr},
    {"TBlocnotes/SpeedButton9", "Imprimer", nullptr},
    {"TBlocnotes/Memo1", "Notes", "Vos notes, gardées d'une séance à l'autre"},
    {"TCalendrier/Calendar1", "Jours du mois", nullptr},
    {"TCalendrier/BitBtn1", "Mois précédent", nullptr},
    {"TCalendrier/BitBtn2", "Mois suivant", nullptr},
    {"TCalendrier/Label1", nullptr, "Mois affiché"},
    {"THorloge/Panel2", "Heure", nullptr},
    {"THorloge/Panel3", "Date", nullptr},
    {"THorloge/RadioGroup1", "Partie à régler", nullptr},
    {"THorloge/Hr", "Heures", nullptr},
    {"THorloge/Mn", "Minutes", nullptr},
    {"THorloge/Jo", "Jour", nullptr},
    {"THorloge/Mo", "Mois", nullptr},
    {"THorloge/An", "Année", nullptr},
    {"THorloge/SpinButton1", "Régler la partie choisie", nullptr},
    {"THorloge/Up", "Augmenter", nullptr},
    {"THorloge/Down", "Diminuer", nullptr},
    {"THorloge/Button2", "Régler l'horloge", "Commence ou termine le réglage de la partie choisie"},
    {"TPocket/Panel2", "Affichage", nullptr},
    {"TPocket/Label1", nullptr, "Affichage de la calculatrice"},
    {"TPocket/Button10", "Virgule", nullptr},
    {"TPocket/Button11", "Égal", nullptr},
    {"TPocket/Button12", "Plus", nullptr},
    {"TPocket/Button13", "Moins", nullptr},
    {"TPocket/Button14", "Multiplié par", nullptr},
    {"TPocket/Button15", "Divisé par", nullptr},
    {"TPocket/Button16", "Inverse", nullptr},
    {"TPocket/Button17", "Racine carrée", nullptr},
    {"TPocket/Button18", "Effacer", nullptr},

    // Progression.
    {"TProgression", "Progression", "Vitesse et erreurs des séances enregistrées"},
    {"TProgression/ComboBox1", "Leçons", "Famille de leçons dont la progression est montrée"},
    {"TProgression/Chart1", "Graphique de progression", "Frappes par minute et pourcentage d'erreurs de chaque séance"},
    {"TProgression/StringGrid1", "Séances récentes", nullptr},
    {"TProgression/StringGrid2", "Caractères les plus souvent manqués", nullptr},
    {"TProgression/Keyboard1", "Clavier des erreurs", "Touches colorées du vert au rouge selon leur taux d'erreur"},
    {"TProgression/Label4", nullptr, "Problème d'enregistrement"},

    // Learners.
    {"TApprenants", nullptr, "Ajouter, renommer, retirer ou choisir la personne qui apprend"},
    {"TApprenants/ListeApprenants", "Apprenants de cet ordinateur", "Nom, dernière séance, exercices réussis et temps passé cette semaine"},
    {"QuiApprend", nullptr, "Choisissez votre nom avec les flèches, puis appuyez sur Entrée"},
    {"QuiApprend/ListeNoms", "Apprenants", nullptr},

    // The class.
    {"DialogueClasse", nullptr, "Rejoindre sa classe sur ce poste, ou se connecter comme enseignant"},
};
// clang-format on

} // namespace

std::span<const AccessibleText> accessibleTexts()
{
    return kTexts;
}

} // namespace ui
