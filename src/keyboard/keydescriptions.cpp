// Key description tables: 35 special keys by virtual-key code, 256
// characters by Windows-1252 code.
#include "keyboard/keydescriptions.h"

#include <array>
#include <iterator>

namespace keyboard {
namespace {

struct CodedText
{
    int code;
    const char *text; // UTF-8
};

// Special keys, by virtual-key code.
const CodedText kSpecialKeys[] = {
    {9, "Touche Tabulation Tab). Elle sert à passer d'un champ au suivant ou à aller à une position de "
        "tabulation dans un traitement de texte"},
    {12, "Touche Centre"},
    {16, "Touche Majuscule (Shift). Elle permet d'accéder aux lettres majuscules ou aux chiffres Combiné "
         "avec une flèche, sélectionne"},
    {17, "Touche Ctrl. Touche Contrôle. S'utilise en combinaison avec une lettre dans certains logiciels"},
    {18, "Touche Alt. S'utilise pour activer la barre de menus dans les applications Windows "},
    {19, "Touche Pause. S'utilise pour mettre un programme en attente. Surtout dans les jeux"},
    {20, "Touche Verouillage Majuscule (Caps Lock). Verrouille le clavier en majuscules (A-Z)et donne accès "
         "aux chiffres (0-9)"},
    {33, "Touche Page Up (Page précédente). Fait défiler d'un écran vers le haut"},
    {34, "Touche Page Down (Page suivante). Fait défiler d'un écran vers le bas"},
    {35, "Touche Fin (End). Place le curseur en fin de ligne"},
    {36, "Touche Origine (Home). Place le curseur en début de ligne ou en début de document"},
    {37, "Flèche Gauche (Left). Déplace le curseur d'un caractère vers la gauche. Associé avec la touche "
         "Crtl, déplace d'un mot vers la gauche"},
    {38, "Flèche Haut (Up). Déplace le curseur d'une ligne vers le haut "},
    {39, "Flèche Droite (Rigth). Déplace le curseur d'un caractère vers la droite. Associé avec la touche "
         "Crtl, déplace d'un mot vers la droite"},
    {40, "Flèche Bas (Down). Déplace le curseur d'une ligne vers le bas "},
    {44, "Touche Impression écran (Ptr Scr). Copie le contenu de l'écran dans le presse-papiers. Combiné "
         "avec la touche Alt, copie la fenêtre active"},
    {45, "Touche Insert. Bascule du mode insertion au mode surfrappe et réciproquement. Selon le mode, les "
         "caractères frappés s'insèrent ou remplacent les caractères existants"},
    {46, "Touche Suppr (Del). Supprime un caractère ou le groupe de caractères sélectionnés"},
    {91, "Touche Windows Gauche. Active le menu Démarrer"},
    {92, "Touche Windows Droite. Active le menu Démarrer"},
    {93, "Touche Menu"},
    {112, "Touche F1. Touche de fonction. Souvent utilisée pour activer l'aide"},
    {113, "Touche F2. Touche de fonction. Pafois utilisée pour modifier le contenu d'une cellule"},
    {114, "Touche F3. Touche de fonction. Souvent utilisés pour continuer une recherche"},
    {115, "Touche F4. Touche de fonction"},
    {116, "Touche F5. Touche de fonction"},
    {117, "Touche F6. Touche de fonction"},
    {118, "Touche F7. Touche de fonction"},
    {119, "Touche F8. Touche de fonction"},
    {120, "Tocuhe F9. Touche de fonction"},
    {121, "Touche F10. Touche de fonction. souvent utilisée pour activer la barre de menus"},
    {122, "Touche F11. Touche de fonction"},
    {123, "Touche F12. Touche de fonction"},
    {144, "Touche Vérouillage Numérique. Bloque le pavé numérique pour donner accès aux chiffres. Une "
          "deuxième pression sur la touche désactive ce mode"},
    {145, "Touche Arrêt défilement (Scroll Lock). Interrompt le défilement d'un affichage. Utilisée dans "
          "certaines applications DOS."},
};

// Characters whose text does not follow "Touche <glyph>  (#<code>)".
const CodedText kCharacterTexts[] = {
    {0, "Touche #0"},
    {1, "Touche #1 (Ctrl A)"},
    {2, "Touche #2 (Ctrl B)"},
    {3, "Touche #3 (Ctrl C)"},
    {4, "Touche #4 (Ctrl D)"},
    {5, "Touche #5 (Ctrl E)"},
    {6, "Touche #6 (Ctrl F)"},
    {7, "Touche #7 (Ctrl G)"},
    {8, "Touche Retour Arrière (#8). Efface le caractère précédent"},
    {9, "Touche Tabulation (#9)"},
    {10, "Touche (#10) (Ctrl J)"},
    {11, "Touche (#11 (Ctrl K))"},
    {12, "Touche (#12 (Ctrl L))"},
    {13, "Touche Entrée  (#13). Force le passage à la ligne suivante"},
    {14, "Touche #14 (Ctrl N))"},
    {15, "Touche ¤, #15 (Ctrl O))"},
    {16, "Touche #16 (Ctrl P))"},
    {17, "Touche #17 (Ctrl Q))"},
    {18, "Touche #18 (Ctrl R))"},
    {19, "Touche #19 (Ctrl S))"},
    {20, "Touche ¶, #20 (Ctrl T))"},
    {21, "Touche §, #21 (Ctrl U))"},
    {22, "Touche #22 (Ctrl V))"},
    {23, "Touche #23 (Ctrl W))"},
    {24, "Touche #24 (Ctrl X))"},
    {25, "Touche #25 (Ctrl Y))"},
    {26, "Touche #26 (Ctrl Z))"},
    {27, "Touche Echap  (#27). Sert en général à annuler une opération"},
    {28, "Touche #28"},
    {29, "Touche #29"},
    {30, "Touche #30"},
    {31, "Touche #31"},
    {32, "Touche Espace  (#32)"},
    {38, "Touche &&  (#38)"},
};

// The glyph shown for codes 128 to 255, sixteen to a row.
const char *const kGlyphs[128] = {
    /* 128 */ "Ç", "ü", "é", "â", "ä", "à", "å", "ç", "ê", "ë", "è", "ï", "î", "ì", "Ä", "Å",
    /* 144 */ "É", "æ", "Æ", "ô", "ö", "ò", "û", "ù", "ÿ", "Ö", "Ü", "¢", "£", "¥", "P", "ƒ",
    /* 160 */ "á", "=", "ó", "£", "¤", "Ñ", "ª", "§", "¨", "_", "¬", "½", "¼", "¡", "«", "»",
    /* 176 */ "_", "_", "²", "¦", "¦", "µ", "¦", "+", "+", "¦", "¦", "+", "+", "+", "+", "+",
    /* 192 */ "+", "-", "-", "+", "-", "+", "¦", "¦", "+", "+", "-", "-", "¦", "-", "+", "-",
    /* 208 */ "-", "-", "+", "+", "+", "+", "+", "+", "+", "+", "+", "_", "_", "¦", "_", "_",
    /* 224 */ "à", "ß", "_", "¶", "_", "_", "µ", "ç", "è", "é", "_", "_", "+", "_", "_", "_",
    /* 240 */ "_", "±", "_", "_", "_", "_", "÷", "_", "°", "ù", "·", "_", "n", "²", "_", "_",
};

QString patternText(const QString &glyph, int code)
{
    return QStringLiteral("Touche ") + glyph + QStringLiteral("  (#") + QString::number(code) + u')';
}

// The 256 character texts, built once from the tables above.
const std::array<QString, 256> &characterTexts()
{
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> all;
        for (int code = 0; code < 256; ++code)
            all[code] = patternText(code < 128 ? QString(QChar(code)) : glyphOf(code), code);
        for (const CodedText &row : kCharacterTexts)
            all[row.code] = QString::fromUtf8(row.text);
        return all;
    }();
    return texts;
}

} // namespace

QString specialKeyDescription(int virtualKey)
{
    for (const CodedText &row : kSpecialKeys)
        if (row.code == virtualKey)
            return QString::fromUtf8(row.text);
    return QString();
}

QString characterDescription(quint8 code)
{
    return characterTexts()[code];
}

QString glyphOf(int code)
{
    if (code < 128 || code > 255)
        return QString();
    return QString::fromUtf8(kGlyphs[code - 128]);
}

} // namespace keyboard
