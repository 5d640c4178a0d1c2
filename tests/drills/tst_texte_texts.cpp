// The seven lesson texts, character for character, against the raw table
// cells they come from ("\t" a tab, "\|" a bar, "\\" a backslash).
#include "drills/texttexts.h"

#include <QtTest>

namespace {
struct RawRow
{
    int text;
    int line; // from 1
    bool bold;
    const char *cell;
};

// clang-format off
const RawRow kRows[] = {
// BEGIN generated rows
    {1, 1, true, R"x(Les fonctions de base)x"},
    {1, 2, false, R"x()x"},
    {1, 3, false, R"x(Pour cette série d'exercices,vous devez valider)x"},
    {1, 4, false, R"x(chaque ligne avec la touche Entrée)x"},
    {1, 5, false, R"x()x"},
    {1, 6, false, R"x(Pour sélectionner du texte : )x"},
    {1, 7, false, R"x(Maintenir la touche Maj appuyée et étendre)x"},
    {1, 8, false, R"x(la sélection avec les touches fléchées)x"},
    {1, 9, false, R"x()x"},
    {1, 10, false, R"x(Ctrl X : coupe le texte sélectionné dans le presse-papiers)x"},
    {1, 11, false, R"x(Ctrl C : copie le texte sélectionné dans le presse-papiers)x"},
    {1, 12, false, R"x(Ctrl V : Colle la texte depuis le presse-papiers)x"},
    {1, 13, false, R"x(Ces fonctions sont regroupées dans le menu Edition)x"},
    {1, 14, false, R"x()x"},
    {1, 15, false, R"x(Le bouton B dans la barre d'outils met le texte en gras)x"},
    {1, 16, false, R"x(Le bouton U dans la barre d'outils met le texte en souligné)x"},
    {1, 17, false, R"x()x"},
    {1, 18, false, R"x(La touche Tabulation positionne le curseur à un emplacement prédéfini)x"},
    {1, 19, false, R"x(Les caractères spéciaux #{[\|\\@]} sont accessibles en maintenant)x"},
    {1, 20, false, R"x(appuyée la tocuhe Alt Gr en en appuyant sur la touche numérique correspondante)x"},
    {1, 21, false, R"x(Rangée supérieure du clavier)x"},
    {1, 22, false, R"x(La table des caractères peut vous aider à insérer de caractères)x"},
    {1, 23, false, R"x()x"},
    {2, 1, true, R"x(La Cigale et la Fourmi)x"},
    {2, 2, false, R"x()x"},
    {2, 3, false, R"x(La cigale, ayant chanté)x"},
    {2, 4, false, R"x(Tout l'été,)x"},
    {2, 5, false, R"x(Se trouva fort dépourvue)x"},
    {2, 6, false, R"x(Quand la bise fut venue.)x"},
    {2, 7, false, R"x(Pas un seul petit morceau)x"},
    {2, 8, false, R"x(De mouche ou de vermisseau.)x"},
    {2, 9, false, R"x(Elle alla crier famine)x"},
    {2, 10, false, R"x(Chez la fourmi sa voisine,)x"},
    {2, 11, false, R"x(La priant de lui prêter)x"},
    {2, 12, false, R"x(Quelque grain pour subsister)x"},
    {2, 13, false, R"x(Jusqu'à la saison nouvelle.)x"},
    {2, 14, false, R"x("Je vous paierai, lui dit-elle,)x"},
    {2, 15, false, R"x(Avant l'oût, foi d'animal,)x"},
    {2, 16, false, R"x((Intérêt et principal.")x"},
    {2, 17, false, R"x(La fourmi n'est pas prêteuse;)x"},
    {2, 18, false, R"x(C'est là son moindre défaut.)x"},
    {2, 19, false, R"x("Que faisiez-vous au temps chaud ?)x"},
    {2, 20, false, R"x(Dit-elle à cette emprunteuse.)x"},
    {2, 21, false, R"x(- Nuit et jour à tout venant)x"},
    {2, 22, false, R"x(Je chantais, ne vous déplaise.)x"},
    {2, 23, false, R"x(- Vous chantiez ? j'en suis fort aise.)x"},
    {2, 24, false, R"x(Eh bien : dansez maintenant.")x"},
    {3, 1, true, R"x(Le Corbeau et le Renard)x"},
    {3, 2, false, R"x()x"},
    {3, 3, false, R"x(Maître corbeau, sur un arbre perché)x"},
    {3, 4, false, R"x(Tenait en son bec un fromage.)x"},
    {3, 5, false, R"x(Maître renard par l'odeur alléché)x"},
    {3, 6, false, R"x(Lui tint à peu près ce langage :)x"},
    {3, 7, false, R"x("Hé! bonjour Monsieur du Corbeau)x"},
    {3, 8, false, R"x(Que vous êtes joli! que vous me semblez beau!)x"},
    {3, 9, false, R"x(Sans mentir, si votre ramage)x"},
    {3, 10, false, R"x(Se rapporte à votre plumage)x"},
    {3, 11, false, R"x(Vous êtes le phénix des hôtes de ces bois")x"},
    {3, 12, false, R"x(A ces mots le corbeau ne se sent pas de joie)x"},
    {3, 13, false, R"x(Et pour montrer sa belle voix)x"},
    {3, 14, false, R"x(Il ouvre un large bec laisse tomber sa proie.)x"},
    {3, 15, false, R"x(Le renard s'en saisit et dit: "Mon bon Monsieur)x"},
    {3, 16, false, R"x(Apprenez que tout flatteur)x"},
    {3, 17, false, R"x(Vit aux dépens de celui qui l'écoute:)x"},
    {3, 18, false, R"x(Cette leçon vaut bien un fromage sans doute.")x"},
    {3, 19, false, R"x(Le corbeau honteux et confus)x"},
    {3, 20, false, R"x(Jura mais un peu tard, qu'on ne l'y prendrait plus.)x"},
    {4, 1, true, R"x(Le presse-papiers)x"},
    {4, 2, false, R"x()x"},
    {4, 3, false, R"x(Le presse-papiers est accessible à partir de nombreuses applications)x"},
    {4, 4, false, R"x(On copie le texte en utilisant la combinaison de touches Ctrl C)x"},
    {4, 5, false, R"x(Copier le texte qui suit)x"},
    {4, 6, false, R"x(Texte utilisant le presse-papiers)x"},
    {4, 7, false, R"x(On colle le texte en utilisant la combinaison de touches Ctrl V)x"},
    {4, 8, false, R"x(Coller le texte qui a été mémorisé)x"},
    {4, 9, false, R"x(Texte utilisant le presse-papiers)x"},
    {4, 10, false, R"x(Et voila! c'est fait.)x"},
    {5, 1, true, R"x(Entreprise Supont & fils)x"},
    {5, 2, true, R"x(120, rue de la Paix)x"},
    {5, 3, true, R"x(75018 PARIS)x"},
    {5, 4, true, R"x(Tél. 01.42.01.02.03)x"},
    {5, 5, false, R"x()x"},
    {5, 6, false, R"x(\t\t\t\t\tHenriette Vallet)x"},
    {5, 7, false, R"x(\t\t\t\t\t22, rue Montigny)x"},
    {5, 8, false, R"x(\t\t\t\t\t75001 PARIS)x"},
    {5, 9, false, R"x(Madame, Monsieur)x"},
    {5, 10, false, R"x()x"},
    {5, 11, false, R"x(Suite à votre demande, nous vous prions de trouver ci-joint)x"},
    {5, 12, false, R"x(- Un catalogue de nos produits)x"},
    {5, 13, false, R"x(- Une liste des points de vente)x"},
    {5, 14, false, R"x(- Les conditions de nos promotions)x"},
    {5, 15, false, R"x()x"},
    {5, 16, false, R"x(Veuillez recevoir, Madame, Monsieur, l'assurance de notre considération)x"},
    {5, 17, false, R"x(Votre attachée commerciale)x"},
    {5, 18, false, R"x()x"},
    {5, 19, false, R"x(\t\t\t\t\tMélodie Brun)x"},
    {6, 1, true, R"x(Entreprise Supont & fils)x"},
    {6, 2, true, R"x(120, rue de la Paix)x"},
    {6, 3, true, R"x(75018 PARIS)x"},
    {6, 4, true, R"x(Tél. 01.42.01.02.03)x"},
    {6, 5, false, R"x()x"},
    {6, 6, false, R"x(\t\t\t\t\tLouis Mervain)x"},
    {6, 7, false, R"x(\t\t\t\t\t22, rue Montigny)x"},
    {6, 8, false, R"x(\t\t\t\t\t75001 PARIS)x"},
    {6, 9, false, R"x(Madame, Monsieur)x"},
    {6, 10, false, R"x()x"},
    {6, 11, false, R"x(Sauf erreur ou omission de notre part, après vérifications de votre compte)x"},
    {6, 12, false, R"x(en nos livres, nous avons constaté que vous restez nous devoir la somme de 50 F.)x"},
    {6, 13, false, R"x(Nous vous demandons par conséquent de bien vouloir régulariser votre situation)x"},
    {6, 14, false, R"x(dans les plus brefs délais, par tout moyen de paiement à votre convenance.)x"},
    {6, 15, false, R"x()x"},
    {6, 16, false, R"x(Dans cette attente, nous vous prions de croire en nos salutations distinguées.)x"},
    {6, 17, false, R"x()x"},
    {6, 18, false, R"x(\t\t\t\t\tLe Service Comptabilité.)x"},
    {7, 1, true, R"x(Odette VIAL)x"},
    {7, 2, false, R"x(1, chemin de la Montagne)x"},
    {7, 3, false, R"x(94510 La-Queue-en-Brie)x"},
    {7, 4, false, R"x(Tél. 01.46.01.02.03)x"},
    {7, 5, false, R"x()x"},
    {7, 6, true, R"x(FORMATION)x"},
    {7, 7, false, R"x(1997-1999\tBEP comptabilité)x"},
    {7, 8, false, R"x(1996-1997\tCertificat d'études au centre de langues Australiennes)x"},
    {7, 9, false, R"x()x"},
    {7, 10, true, R"x(EXPERIENCE PROFESSIONNELLE)x"},
    {7, 11, false, R"x(1998\t\tServeuse dans un restaurant chinois)x"},
    {7, 12, false, R"x(1998\t\tenquêtrice pour le sondage sur l'autoroute du Mont-Blanc)x"},
    {7, 13, false, R"x(1998\t\tOuvrière dans une fromagerie en intérim)x"},
    // END generated rows
};
// clang-format on

// Decodes a cell independently of the generator of the program's tables.
QString decodeCell(const char *cell)
{
    const QString raw = QString::fromUtf8(cell);
    QString out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == u'\\' && i + 1 < raw.size()) {
            const QChar next = raw[i + 1];
            if (next == u't' || next == u'|' || next == u'\\') {
                out += next == u't' ? QChar(u'\t') : next;
                ++i;
                continue;
            }
        }
        out += raw[i];
    }
    return out;
}
} // namespace

class TestTexteTexts : public QObject
{
    Q_OBJECT
private slots:
    void lineCounts_data();
    void lineCounts();
    void everyLine_data();
    void everyLine();
    void unknownCodesHaveNoText();
    void tricksAreKept_data();
    void tricksAreKept();
};

void TestTexteTexts::lineCounts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("count");
    QTest::newRow("Bases") << 1 << 23;
    QTest::newRow("Fable1") << 2 << 24;
    QTest::newRow("Fable2") << 3 << 20;
    QTest::newRow("Presspap") << 4 << 10;
    QTest::newRow("Lettre") << 5 << 19;
    QTest::newRow("Relance") << 6 << 18;
    QTest::newRow("Cv") << 7 << 13;
}

void TestTexteTexts::lineCounts()
{
    QFETCH(int, code);
    QFETCH(int, count);
    QCOMPARE(int(textLines(code).size()), count);
}

void TestTexteTexts::everyLine_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");
    for (const RawRow &row : kRows)
        QTest::addRow("text %d line %d", row.text, row.line)
            << row.text << row.line << row.bold << decodeCell(row.cell);
}

void TestTexteTexts::everyLine()
{
    QFETCH(int, code);
    QFETCH(int, line);
    QFETCH(bool, bold);
    QFETCH(QString, text);
    const auto lines = textLines(code);
    QVERIFY(line >= 1 && std::size_t(line) <= lines.size());
    const TextLine &actual = lines[std::size_t(line - 1)];
    QCOMPARE(QString::fromUtf8(actual.text), text);
    QCOMPARE(actual.style == TextLine::Style::Bold, bold);
}

void TestTexteTexts::unknownCodesHaveNoText()
{
    for (int code : {0, 8, -1, 100})
        QVERIFY(textLines(code).empty());
}

// A few lines whose oddities a retyped copy would lose.
void TestTexteTexts::tricksAreKept_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("trailing blank") << 1 << 6 << QStringLiteral("Pour s\u00e9lectionner du texte : ");
    QTest::newRow("bar and backslash") << 1 << 19
                                       << QStringLiteral("Les caract\u00e8res sp\u00e9ciaux #{[|\\@]} sont "
                                                         "accessibles en maintenant");
    QTest::newRow("typos") << 1 << 20
                           << QStringLiteral("appuy\u00e9e la tocuhe Alt Gr en en appuyant sur la touche "
                                             "num\u00e9rique correspondante");
    QTest::newRow("five tabs") << 5 << 6 << QStringLiteral("\t\t\t\t\tHenriette Vallet");
    QTest::newRow("inner quotes") << 2 << 16 << QStringLiteral("(Int\u00e9r\u00eat et principal.\"");
    QTest::newRow("two tabs") << 7 << 11 << QStringLiteral("1998\t\tServeuse dans un restaurant chinois");
}

void TestTexteTexts::tricksAreKept()
{
    QFETCH(int, code);
    QFETCH(int, line);
    QFETCH(QString, text);
    QCOMPARE(QString::fromUtf8(textLines(code)[std::size_t(line - 1)].text), text);
}

QTEST_GUILESS_MAIN(TestTexteTexts)
#include "tst_texte_texts.moc"
