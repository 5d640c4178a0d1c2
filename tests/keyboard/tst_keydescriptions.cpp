// Key description texts: every special key, every character that does not
// follow the pattern, and a sample of those that do.
#include "keyboard/keydescriptions.h"

#include <QtTest>

class TestKeyDescriptions : public QObject
{
    Q_OBJECT
private slots:
    void specialKeys_data();
    void specialKeys();
    void keysWithoutDescription_data();
    void keysWithoutDescription();
    void characterExceptions_data();
    void characterExceptions();
    void characterPattern_data();
    void characterPattern();
    void everyPatternCodeHasOneGlyph();
};

void TestKeyDescriptions::specialKeys_data()
{
    QTest::addColumn<int>("vk");
    QTest::addColumn<QString>("text");
    QTest::newRow("vk 9 Tab") << 9
                              << QString::fromUtf8(
                                     "Touche Tabulation Tab). Elle sert à passer d'un champ au suivant ou à "
                                     "aller à une position de tabulation dans un traitement de texte");
    QTest::newRow("vk 12 keypad 5 with Num Lock off") << 12 << QString::fromUtf8("Touche Centre");
    QTest::newRow("vk 16 Shift") << 16
                                 << QString::fromUtf8(
                                        "Touche Majuscule (Shift). Elle permet d'accéder aux lettres "
                                        "majuscules ou aux chiffres Combiné avec une flèche, sélectionne");
    QTest::newRow("vk 17 Ctrl") << 17
                                << QString::fromUtf8("Touche Ctrl. Touche Contrôle. S'utilise en combinaison "
                                                     "avec une lettre dans certains logiciels");
    QTest::newRow("vk 18 Alt")
        << 18
        << QString::fromUtf8(
               "Touche Alt. S'utilise pour activer la barre de menus dans les applications Windows ");
    QTest::newRow("vk 19 Pause")
        << 19
        << QString::fromUtf8(
               "Touche Pause. S'utilise pour mettre un programme en attente. Surtout dans les jeux");
    QTest::newRow("vk 20 Caps Lock") << 20
                                     << QString::fromUtf8(
                                            "Touche Verouillage Majuscule (Caps Lock). Verrouille le clavier "
                                            "en majuscules (A-Z)et donne accès aux chiffres (0-9)");
    QTest::newRow("vk 33 Page Up")
        << 33 << QString::fromUtf8("Touche Page Up (Page précédente). Fait défiler d'un écran vers le haut");
    QTest::newRow("vk 34 Page Down")
        << 34 << QString::fromUtf8("Touche Page Down (Page suivante). Fait défiler d'un écran vers le bas");
    QTest::newRow("vk 35 End") << 35
                               << QString::fromUtf8("Touche Fin (End). Place le curseur en fin de ligne");
    QTest::newRow("vk 36 Home")
        << 36
        << QString::fromUtf8(
               "Touche Origine (Home). Place le curseur en début de ligne ou en début de document");
    QTest::newRow("vk 37 Left arrow")
        << 37
        << QString::fromUtf8("Flèche Gauche (Left). Déplace le curseur d'un caractère vers la gauche. "
                             "Associé avec la touche Crtl, déplace d'un mot vers la gauche");
    QTest::newRow("vk 38 Up arrow") << 38
                                    << QString::fromUtf8(
                                           "Flèche Haut (Up). Déplace le curseur d'une ligne vers le haut ");
    QTest::newRow("vk 39 Right arrow")
        << 39
        << QString::fromUtf8("Flèche Droite (Rigth). Déplace le curseur d'un caractère vers la droite. "
                             "Associé avec la touche Crtl, déplace d'un mot vers la droite");
    QTest::newRow("vk 40 Down arrow")
        << 40 << QString::fromUtf8("Flèche Bas (Down). Déplace le curseur d'une ligne vers le bas ");
    QTest::newRow("vk 44 Print Screen")
        << 44
        << QString::fromUtf8("Touche Impression écran (Ptr Scr). Copie le contenu de l'écran dans le "
                             "presse-papiers. Combiné avec la touche Alt, copie la fenêtre active");
    QTest::newRow("vk 45 Insert")
        << 45
        << QString::fromUtf8(
               "Touche Insert. Bascule du mode insertion au mode surfrappe et réciproquement. Selon le mode, "
               "les caractères frappés s'insèrent ou remplacent les caractères existants");
    QTest::newRow("vk 46 Delete")
        << 46
        << QString::fromUtf8(
               "Touche Suppr (Del). Supprime un caractère ou le groupe de caractères sélectionnés");
    QTest::newRow("vk 91 left Windows key")
        << 91 << QString::fromUtf8("Touche Windows Gauche. Active le menu Démarrer");
    QTest::newRow("vk 92 right Windows key")
        << 92 << QString::fromUtf8("Touche Windows Droite. Active le menu Démarrer");
    QTest::newRow("vk 93 Menu key") << 93 << QString::fromUtf8("Touche Menu");
    QTest::newRow("vk 112 F1") << 112
                               << QString::fromUtf8(
                                      "Touche F1. Touche de fonction. Souvent utilisée pour activer l'aide");
    QTest::newRow("vk 113 F2")
        << 113
        << QString::fromUtf8(
               "Touche F2. Touche de fonction. Pafois utilisée pour modifier le contenu d'une cellule");
    QTest::newRow("vk 114 F3")
        << 114
        << QString::fromUtf8("Touche F3. Touche de fonction. Souvent utilisés pour continuer une recherche");
    QTest::newRow("vk 115 F4") << 115 << QString::fromUtf8("Touche F4. Touche de fonction");
    QTest::newRow("vk 116 F5") << 116 << QString::fromUtf8("Touche F5. Touche de fonction");
    QTest::newRow("vk 117 F6") << 117 << QString::fromUtf8("Touche F6. Touche de fonction");
    QTest::newRow("vk 118 F7") << 118 << QString::fromUtf8("Touche F7. Touche de fonction");
    QTest::newRow("vk 119 F8") << 119 << QString::fromUtf8("Touche F8. Touche de fonction");
    QTest::newRow("vk 120 F9") << 120 << QString::fromUtf8("Tocuhe F9. Touche de fonction");
    QTest::newRow("vk 121 F10")
        << 121
        << QString::fromUtf8(
               "Touche F10. Touche de fonction. souvent utilisée pour activer la barre de menus");
    QTest::newRow("vk 122 F11") << 122 << QString::fromUtf8("Touche F11. Touche de fonction");
    QTest::newRow("vk 123 F12") << 123 << QString::fromUtf8("Touche F12. Touche de fonction");
    QTest::newRow("vk 144 Num Lock")
        << 144
        << QString::fromUtf8("Touche Vérouillage Numérique. Bloque le pavé numérique pour donner accès aux "
                             "chiffres. Une deuxième pression sur la touche désactive ce mode");
    QTest::newRow("vk 145 Scroll Lock")
        << 145
        << QString::fromUtf8("Touche Arrêt défilement (Scroll Lock). Interrompt le défilement d'un "
                             "affichage. Utilisée dans certaines applications DOS.");
}

void TestKeyDescriptions::specialKeys()
{
    QFETCH(int, vk);
    QFETCH(QString, text);
    QCOMPARE(keyboard::specialKeyDescription(vk), text);
}

void TestKeyDescriptions::keysWithoutDescription_data()
{
    QTest::addColumn<int>("vk");
    for (int vk :
         {0, 8, 10, 13, 21, 27, 32, 41, 47, 48, 65, 90, 94, 96, 104, 111, 124, 143, 146, 186, 222, 255, 256})
        QTest::addRow("vk %d", vk) << vk;
}

void TestKeyDescriptions::keysWithoutDescription()
{
    QFETCH(int, vk);
    QVERIFY(keyboard::specialKeyDescription(vk).isNull());
}

void TestKeyDescriptions::characterExceptions_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("code 0") << 0 << QString::fromUtf8("Touche #0");
    QTest::newRow("code 1") << 1 << QString::fromUtf8("Touche #1 (Ctrl A)");
    QTest::newRow("code 2") << 2 << QString::fromUtf8("Touche #2 (Ctrl B)");
    QTest::newRow("code 3") << 3 << QString::fromUtf8("Touche #3 (Ctrl C)");
    QTest::newRow("code 4") << 4 << QString::fromUtf8("Touche #4 (Ctrl D)");
    QTest::newRow("code 5") << 5 << QString::fromUtf8("Touche #5 (Ctrl E)");
    QTest::newRow("code 6") << 6 << QString::fromUtf8("Touche #6 (Ctrl F)");
    QTest::newRow("code 7") << 7 << QString::fromUtf8("Touche #7 (Ctrl G)");
    QTest::newRow("code 8") << 8
                            << QString::fromUtf8("Touche Retour Arrière (#8). Efface le caractère précédent");
    QTest::newRow("code 9") << 9 << QString::fromUtf8("Touche Tabulation (#9)");
    QTest::newRow("code 10") << 10 << QString::fromUtf8("Touche (#10) (Ctrl J)");
    QTest::newRow("code 11") << 11 << QString::fromUtf8("Touche (#11 (Ctrl K))");
    QTest::newRow("code 12") << 12 << QString::fromUtf8("Touche (#12 (Ctrl L))");
    QTest::newRow("code 13") << 13
                             << QString::fromUtf8(
                                    "Touche Entrée  (#13). Force le passage à la ligne suivante");
    QTest::newRow("code 14") << 14 << QString::fromUtf8("Touche #14 (Ctrl N))");
    QTest::newRow("code 15") << 15 << QString::fromUtf8("Touche ¤, #15 (Ctrl O))");
    QTest::newRow("code 16") << 16 << QString::fromUtf8("Touche #16 (Ctrl P))");
    QTest::newRow("code 17") << 17 << QString::fromUtf8("Touche #17 (Ctrl Q))");
    QTest::newRow("code 18") << 18 << QString::fromUtf8("Touche #18 (Ctrl R))");
    QTest::newRow("code 19") << 19 << QString::fromUtf8("Touche #19 (Ctrl S))");
    QTest::newRow("code 20") << 20 << QString::fromUtf8("Touche ¶, #20 (Ctrl T))");
    QTest::newRow("code 21") << 21 << QString::fromUtf8("Touche §, #21 (Ctrl U))");
    QTest::newRow("code 22") << 22 << QString::fromUtf8("Touche #22 (Ctrl V))");
    QTest::newRow("code 23") << 23 << QString::fromUtf8("Touche #23 (Ctrl W))");
    QTest::newRow("code 24") << 24 << QString::fromUtf8("Touche #24 (Ctrl X))");
    QTest::newRow("code 25") << 25 << QString::fromUtf8("Touche #25 (Ctrl Y))");
    QTest::newRow("code 26") << 26 << QString::fromUtf8("Touche #26 (Ctrl Z))");
    QTest::newRow("code 27") << 27
                             << QString::fromUtf8(
                                    "Touche Echap  (#27). Sert en général à annuler une opération");
    QTest::newRow("code 28") << 28 << QString::fromUtf8("Touche #28");
    QTest::newRow("code 29") << 29 << QString::fromUtf8("Touche #29");
    QTest::newRow("code 30") << 30 << QString::fromUtf8("Touche #30");
    QTest::newRow("code 31") << 31 << QString::fromUtf8("Touche #31");
    QTest::newRow("code 32") << 32 << QString::fromUtf8("Touche Espace  (#32)");
    QTest::newRow("code 38") << 38 << QString::fromUtf8("Touche &&  (#38)");
}

void TestKeyDescriptions::characterExceptions()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(keyboard::characterDescription(quint8(code)), text);
}

void TestKeyDescriptions::characterPattern_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("!") << 33 << QStringLiteral("Touche !  (#33)");
    QTest::newRow("apostrophe") << 39 << QStringLiteral("Touche '  (#39)");
    QTest::newRow("A") << 65 << QStringLiteral("Touche A  (#65)");
    QTest::newRow("a") << 97 << QStringLiteral("Touche a  (#97)");
    QTest::newRow("~") << 126 << QStringLiteral("Touche ~  (#126)");
    QTest::newRow("DEL keeps its control glyph") << 127 << QStringLiteral("Touche \x7f  (#127)");
    QTest::newRow("euro shows C cedilla") << 128 << QString::fromUtf8("Touche Ç  (#128)");
    QTest::newRow("P") << 158 << QStringLiteral("Touche P  (#158)");
    QTest::newRow("florin") << 159 << QString::fromUtf8("Touche ƒ  (#159)");
    QTest::newRow("=") << 161 << QStringLiteral("Touche =  (#161)");
    QTest::newRow("degree shows underscore") << 176 << QStringLiteral("Touche _  (#176)");
    QTest::newRow("twosuperior") << 178 << QString::fromUtf8("Touche ²  (#178)");
    QTest::newRow("a grave") << 224 << QString::fromUtf8("Touche à  (#224)");
    QTest::newRow("c cedilla") << 231 << QString::fromUtf8("Touche ç  (#231)");
    QTest::newRow("e grave") << 232 << QString::fromUtf8("Touche è  (#232)");
    QTest::newRow("e acute") << 233 << QString::fromUtf8("Touche é  (#233)");
    QTest::newRow("u grave") << 249 << QString::fromUtf8("Touche ù  (#249)");
    QTest::newRow("n") << 252 << QStringLiteral("Touche n  (#252)");
    QTest::newRow("last") << 255 << QStringLiteral("Touche _  (#255)");
}

void TestKeyDescriptions::characterPattern()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(keyboard::characterDescription(quint8(code)), text);
}

void TestKeyDescriptions::everyPatternCodeHasOneGlyph()
{
    for (int code = 33; code < 256; ++code) {
        if (code == 38)
            continue;
        const QString text = keyboard::characterDescription(quint8(code));
        const QString tail = QStringLiteral("  (#%1)").arg(code);
        QVERIFY2(text.startsWith(QStringLiteral("Touche ")) && text.endsWith(tail), qPrintable(text));
        QCOMPARE(text.size(), 7 + 1 + tail.size());
        if (code < 128)
            QCOMPARE(text.at(7), QChar(code));
        else
            QCOMPARE(QString(text.at(7)), keyboard::glyphOf(code));
    }
}

QTEST_GUILESS_MAIN(TestKeyDescriptions)
#include "tst_keydescriptions.moc"
