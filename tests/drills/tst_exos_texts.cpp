// Every exercise and phrase page shows its exact texts. The literal table
// below is written out character by character from the lesson texts.
#include "drills/exerciseinstruction.h"
#include "drills/exercisetexts.h"
#include "drills/phrasetexts.h"
#include "drills/texos.h"
#include "drills/tphrases.h"
#include "keymodel/keymodel.h"
#include "ui/cp1252.h"
#include "ui/hooklineedit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

// clang-format off
// Literal texts of every exercise and phrase page, for the tests.
// Generated; every non-ASCII character and quote is an escape.

struct ExerciseRow
{
    int code;
    const char16_t *label, *model1, *model2, *model3;
};

inline constexpr ExerciseRow kExerciseRows[] = {
    {1, u"Touches g h. Index gauche, index droit",
     u"gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg gh hg",
     u"qg mh qg mh qg mh qg mh qg mh qg mh qg mh qg mh qg mh qg mh qg mh",
     u"dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh dg kh"},
    {2, u"Touches a p. Auriculaire gauche, auriculaire droir",
     u"ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa ap pa",
     u"qa mp qa mp qa mp qa mp qa mp qa mp qa mp qa mp qa mp qa mp qa mp",
     u"aqsdfg pmlkjh aqsdfg pmlkjh aqsdfg pmlkjh aqsdfg pmlkjh aqsdfg pmlkjh"},
    {3, u"Touches z o. Annulaire gauche, annulaire droit",
     u"qz mo qz mo qz mo qz mo qz mo qz mo qz mo qz mo qz mo qz mo qz mo",
     u"qasz mplo qasz mplo qasz mplo qasz mplo qasz mplo qasz mplo qasz mplo",
     u"azdf pokj azdf pokj azdf pokj azdf pokj azdf pokj azdf pokj azdf pokj"},
    {4, u"Touches e r u i. Majeur et index gauches, droits",
     u"de ki de ki de ki de ki de ki de ki de ki de ki de ki de ki de ki de ki de ki",
     u"fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju fr ju ju fr ju fr ju",
     u"edik rfuj edik rfuj edik rfuj edik rfuj edik rfuj edik rfuj edik rfuj"},
    {5, u"Touches t y. Index gauche, index droit",
     u"ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy ft jy",
     u"frgt juhy frgt juhy frgt juhy frgt juhy frgt juhy frgt juhy frgt juhy",
     u"frft jujy frft jujy frft jujy frft jujy frft jujy frft jujy frft jujy frft jujy"},
    {6, u"Touches w x c v. Auriculaire et annumaire gauches, droits",
     u"qw sx dc fv qw sx dc fv qw sx dc fv qw sx dc fv qw sx dc fv qw sx dc fv",
     u"wq xs cd vf wq xs cd vf wq xs cd vf wq xs cd vf wq xs cd vfwq xs cd vf",
     u"qwq sxs dcd fvf qwq sxs dcd fvf qwq sxs dcd fvf qwq sxs dcd fvf"},
    {7, u"Touches b n. Index gauche, index droit",
     u"fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn fb jn",
     u"fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj fbf jnj",
     u"fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn fgb jhn"},
    {8, u"Touches \u00e9 \u00e8. Auriculaire gauche, index droit",
     u"qa\u00e9 ju\u00e8 qa\u00e9 ju\u00e8 qa\u00e9 ju\u00e8 qa\u00e9 ju\u00e8 qa\u00e9 ju\u00e8 qa\u00e9 ju\u00e8 qa\u00e9 ju\u00e8 qa\u00e9 ju\u00e8 qa\u00e9 ju\u00e8",
     u"t\u00e9l\u00e9phon\u00e9 ti\u00e8de r\u00e9colt\u00e9 \u00e9pous\u00e9athl\u00e8te \u00e9quip\u00e9 m\u00e8tre g\u00e9r\u00e9 \u00e8re esp\u00e8ce com\u00e8te",
     u"fr\u00e9quent fr\u00e8re journ\u00e9e gu\u00e8re plan\u00e8te l\u00e9g\u00e8ret\u00e9 esp\u00e8ce h\u00e9misph\u00e8re plan\u00e8te"},
    {9, u"Touches \u00e7 \u00e0. Majeur droit, annulaire droit",
     u"k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0 k\u00e7 l\u00e0",
     u"ki\u00e7 lo\u00e0 ki\u00e7 lo\u00e0 ki\u00e7 lo\u00e0 ki\u00e7 lo\u00e0 ki\u00e7 lo\u00e0 ki\u00e7 lo\u00e0 ki\u00e7 lo\u00e0 ki\u00e7 lo\u00e0 ki\u00e7 lo\u00e0",
     u"ma\u00e7on voil\u00e0 re\u00e7u d\u00e9j\u00e0 d\u00e9\u00e7u le\u00e7on l\u00e0 soup\u00e7on poin\u00e7on hame\u00e7on"},
    {10, u"Touches ^ \u00f9. Auriculaire droit",
     u"m^ m\u00f9 m^ m\u00f9 m^ m\u00f9 m^ m\u00f9 m^ m\u00f9 m^ m\u00f9 m^ m\u00f9 m^ m\u00f9 m^ m\u00f9",
     u"m\u00f4m p\u00f9m m\u00f4m p\u00f9m m\u00f4m p\u00f9m m\u00f4m p\u00f9m m\u00f4m p\u00f9m m\u00f4m p\u00f9m m\u00f4m p\u00f9m",
     u"ao\u00fbt b\u00e2ti a\u00een\u00e9 arr\u00eat t\u00eate p\u00eache piq\u00fbre d\u00eener h\u00f4tel t\u00e2che o\u00f9 pr\u00eat fl\u00e2ner"},
    {11, u"Touches , ; : !. Index droit",
     u"j, k; l: m! j, k; l: m! k; l: m! k; l: m! k; l: m! k; l: m! k; l: m!",
     u"voila, h\u00e9las! je voudrais : il pleut; voila, h\u00e9las! je voudrais : il pleut;",
     u"voila, h\u00e9las! je voudrais : il pleut; voila, h\u00e9las! je voudrais : il pleut;"},
    {12, u"Touches \u0022 '. Auriculaire droit",
     u"s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d' s\u0022 d'",
     u"sz\u0022 de' sz\u0022 de' sz\u0022 de' sz\u0022 de' sz\u0022 de' sz\u0022 de' sz\u0022 de' sz\u0022 de' sz\u0022 de'",
     u"\u0022confidentiel\u0022 l'hiver \u0022stop\u0022 l'\u00e9t\u00e9 \u0022d\u00e9fense d'entrer\u0022 l'amour \u0022chut\u0022"},
    {13, u"Touches ( ). Index gauche Annulaire droit",
     u"f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m) f( m)",
     u"fr( mp) fr( mp) fr( mp) fr( mp) fr( mp) fr( mp) fr( mp) fr( mp) fr( mp)",
     u"; (point virgule) ! (point d'exclamation) , (virgule) : (deux points)"},
    {14, u"Touches - _. Index gauche, index droit",
     u"f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_ f- j_",
     u"ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_ ft- ki_",
     u"trente-deux faire-part jean-paul laisser-aller micro-ondes audio-visuel"},
    {15, u"Touches MAJ min. Auriculaire de la main oppos\u00e9e",
     u"Nathalie Michelle Nadine Paul Laurence Rose Vincent Martine G\u00e9rard",
     u"BP TGV PME PTT BTS DEUG DUT RATP SNCF CB CP GM GO",
     u"Val\u00e9rie va de Lyon \u00e0 Paris en prenant le TGV venant de Marseille"},
    {16, u"Touches 1234567890. Pav\u00e9 num\u00e9rique ou en Caps Lock",
     u"Q1 Q2 S3 D4 F5 F6 J7 J8 K9 L0 Q1 Q2 S3 D4 F5 F6 J7 J8 K9 L0",
     u"125 478 56 210 478 145 320 156 147 852 4 152 63 987 57 6214",
     u"11 380 36 942 75 486 14 201 76 896 347 120 2 421 10 358 45 197"},
    {17, u"Touches - x : + =. Utilisation altern\u00e9e des maj min",
     u"f - s x l : p = m + f - s x l : p = m + s x l : p = m + s x l : p = m +",
     u"4523 - 471 = 4052 187 x 23 = 4031 520 : 10 = 52 8965 + 1321 = 10286",
     u"5287 - 4422 = 865 265 x 11 = 30210 266 : 2 = 133 6256 + 547 = 6803"},
    {18, u"Touches & ? .. Auriculaire droit",
     u"J ? K. J ? K. J ? K. J ? K. J ? K. J ? K. J ? K. J ? K. J ? K. J ? K.",
     u"j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k. j ? k.",
     u"pourquoi ? comment ? alors ? vraiment ? o\u00f9 ? ici ? encore ? quoi ?"},
};

struct PhraseRow
{
    int code;
    const char16_t *title;
    int page;
    const char16_t *model1, *model2, *model3;
};

inline constexpr PhraseRow kPhraseRows[] = {
    {1, u"Maximes", 1,
     u"Un clavier AZERTY en vaut deux",
     u"Qui vole un oeuf ferait mieux de voler un boeuf",
     u"Plus je connais les hommes, plus j'aime mon chien"},
    {1, u"Maximes", 2,
     u"Plus je connais les femmes, et plus j'aime ma main",
     u"L'erreur est humaine mais un v\u00e9ritable d\u00e9sastre n\u00e9cessite un ordinateur",
     u"Si le vin te g\u00eane dans ton travail, supprime le travail"},
    {2, u"Citations", 1,
     u"Moi les femmes, je suis contre... tout contre...",
     u"Au moment o\u00f9 la foi sort du coeur, la cr\u00e9dulit\u00e9 entre dans l'esprit",
     u"Le cri du pauvre monte jusqu'\u00e0 Dieu mais il n'arrive pas \u00e0 l'homme"},
    {2, u"Citations", 2,
     u"D'esclave, l'homme de crime peut devenir tyran, mais jamais il ne devient libre",
     u"Au moment o\u00f9 la foi sort du coeur, la cr\u00e9dulit\u00e9 entre dans l'esprit",
     u"L'art est un d\u00e9partement des aberrations"},
    {3, u"Dictons", 1,
     u"Nul n'est tenu de s'accuser soi-m\u00eame.",
     u"Achetez \u00e0 cr\u00e9dit et vendez comptant.",
     u"Quand on aime, ventre affam\u00e9 n'a pas faim."},
    {3, u"Dictons", 2,
     u"Qui \u00e9crit des lettres d'amour doit avoir les mains moites.",
     u"Les serments des amoureux ne parviennent pas \u00e0 l'oreille des dieux.",
     u"Mieux vaut la dictature du fer que l'anarchie de l'or."},
    {4, u"Romans", 1,
     u"Le rouge et le noir",
     u"Autant en emporte le vent",
     u"Les chemins de la libert\u00e9"},
    {4, u"Romans", 2,
     u"Le crime de l'Orient-Express",
     u"2001, l'Odyss\u00e9e de l'espace",
     u"Les extra-terrestres sont parmis nous"},
    {5, u"Films", 1,
     u"Les 7 mercenaires",
     u"Les 10 commandements",
     u"Tarzan, le Roi de la jungle"},
    {5, u"Films", 2,
     u"L'aile ou la cuisse",
     u"Un homme presque parfait",
     u"La fureur de vivre"},
    {6, u"Proverbes", 1,
     u"L'abeille est honor\u00e9e parce qu'elle travaille non pour elle seule, mais pour tous.",
     u"Celui a qui l'on permet plus qu'il n'est juste, veut plus qu'il ne lui est permis.",
     u"Pour une querelle n'allez pas au Tribunal, ni pour la moindre soif au cabaret."},
    {6, u"Proverbes", 2,
     u"C'est aux miracles que l'on conna\u00eet les saints.",
     u"La figure fait la beaut\u00e9 d'une statue, l'action fait celle de l'homme.",
     u"Le seul bien qui ne puisse nous \u00eatre ravi est le plaisir d'avoir fait une bonne action."},
};
// clang-format on

QString text(const char16_t *literal)
{
    return QString::fromUtf16(literal);
}

// Types a whole model line into its typing line through the key hook.
void typeLine(ui::HookLineEdit *typing, const QString &model)
{
    for (QChar ch : model)
        typing->typeCharacter(quint8(ui::unicodeToCp1252(ch)));
}

} // namespace

class TestExosTexts : public QObject
{
    Q_OBJECT
private slots:
    void exercise_data();
    void exercise();
    void phrasePage_data();
    void phrasePage();
    void everyTextIsTypeable();
    void instructionFitsOnEveryLayout_data();
    void instructionFitsOnEveryLayout();
    void keysForTellWhatTheDrillTakes_data();
    void keysForTellWhatTheDrillTakes();
};

void TestExosTexts::exercise_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kExerciseRows)); ++row)
        QTest::addRow("exercise %d", kExerciseRows[row].code) << row;
}

void TestExosTexts::exercise()
{
    QFETCH(int, row);
    const ExerciseRow &r = kExerciseRows[row];
    TExos w;
    w.SetIni(r.code);
    QCOMPARE(w.Label1->text(), text(r.label));
    QCOMPARE(w.Edit1()->text(), text(r.model1));
    QCOMPARE(w.Edit3()->text(), text(r.model2));
    QCOMPARE(w.Edit5()->text(), text(r.model3));
    QVERIFY(w.Label1->sizeHint().width() <= w.Label1->width());
}

void TestExosTexts::phrasePage_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kPhraseRows)); ++row)
        QTest::addRow("category %d page %d", kPhraseRows[row].code, kPhraseRows[row].page) << row;
}

// Page 1 comes with SetIni, page 2 after the three lines of page 1 are typed.
void TestExosTexts::phrasePage()
{
    QFETCH(int, row);
    const PhraseRow &r = kPhraseRows[row];
    TPhrases w;
    w.SetIni(r.code);
    if (r.page == 2) {
        typeLine(w.Edit2(), w.Edit1()->text());
        typeLine(w.Edit4(), w.Edit3()->text());
        typeLine(w.Edit6(), w.Edit5()->text());
        QCOMPARE(w.phrases().page(), 2);
        QCOMPARE(w.errors(), 0);
    }
    QCOMPARE(w.Label1->text(), text(r.title));
    QCOMPARE(w.Edit1()->text(), text(r.model1));
    QCOMPARE(w.Edit3()->text(), text(r.model2));
    QCOMPARE(w.Edit5()->text(), text(r.model3));
}

// Every character of every model has a Windows-1252 code, so it can be typed.
void TestExosTexts::everyTextIsTypeable()
{
    for (const ExerciseRow &r : kExerciseRows)
        for (const char16_t *t : {r.model1, r.model2, r.model3})
            QVERIFY2(ui::fitsCp1252(text(t)), qPrintable(text(t)));
    for (const PhraseRow &r : kPhraseRows)
        for (const char16_t *t : {r.model1, r.model2, r.model3})
            QVERIFY2(ui::fitsCp1252(text(t)), qPrintable(text(t)));
    for (int code = drills::FirstFrenchExercise; code <= drills::ExerciseCount; ++code)
        for (const char *t : drills::exerciseText(code)->models)
            QVERIFY2(ui::fitsCp1252(QString::fromUtf8(t)), qPrintable(QString::fromUtf8(t)));
}

void TestExosTexts::instructionFitsOnEveryLayout_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("code");
    const QStringList layouts = {u"fr"_qs,     u"fr(oss)"_qs, u"be"_qs,
                                 u"ch(fr)"_qs, u"ca(fr)"_qs,  u"fr(bepo)"_qs};
    for (const QString &layout : layouts)
        for (int code = drills::FirstFrenchExercise; code <= drills::ExerciseCount; ++code)
            QTest::addRow("%s %d", qPrintable(layout), code) << layout << code;
}

// The French exercises tell their keys for the learner's layout; the line
// stays inside the window, in a type still easy to read, and on the French
// layout it is the written one.
void TestExosTexts::instructionFitsOnEveryLayout()
{
    QFETCH(QString, layout);
    QFETCH(int, code);
    keyboard::LiveKeyModel::instance().useLayout(layout);
    auto restore = qScopeGuard([] { keyboard::LiveKeyModel::instance().useLayout(QStringLiteral("fr")); });
    TExos w;
    w.SetIni(code);
    const QString line = w.Label1->text();
    QVERIFY(!line.isEmpty());
    const QRect drawn = QFontMetrics(w.Label1->font())
                            .boundingRect(QRect(0, 0, w.Label1->width(), 1000),
                                          w.Label1->wordWrap() ? Qt::TextWordWrap : 0, line);
    QVERIFY2(drawn.width() <= w.Label1->width(), qPrintable(line));
    QVERIFY2(w.Label1->y() + drawn.height() <= w.Label2->y(), qPrintable(line));
    QVERIFY2(w.Label1->font().pixelSize() >= 11, qPrintable(line));
    if (layout == QLatin1String("fr"))
        QCOMPARE(line, QString::fromUtf8(drills::exerciseText(code)->instruction));
    QVERIFY2(!line.contains(QLatin1String("introuvable")), qPrintable(line));
}

void TestExosTexts::keysForTellWhatTheDrillTakes_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("keys");
    QTest::newRow("fr ’ or '") << "fr" << u"’"_qs << u"Maj+Alt Gr+n ou «\u00a0'\u00a0»"_qs;
    QTest::newRow("fr œ as oe") << "fr" << u"œ"_qs << u"«\u00a0oe\u00a0»"_qs;
    QTest::newRow("fr non-breaking space") << "fr" << u"\u00a0"_qs << u"«\u00a0espace\u00a0»"_qs;
    QTest::newRow("be œ") << "be" << u"œ"_qs << u"Alt Gr+o"_qs;
    QTest::newRow("ca(fr) € written") << "ca(fr)" << u"€"_qs << u"(absent\u00a0: la leçon l'écrit)"_qs;
    QTest::newRow("ca(fr) ’ as '") << "ca(fr)" << u"’"_qs << u"«\u00a0'\u00a0»"_qs;
}

void TestExosTexts::keysForTellWhatTheDrillTakes()
{
    QFETCH(QString, layout);
    QFETCH(QString, character);
    const std::unique_ptr<keyboard::KeyModel> model = keyboard::KeyModel::fromLayoutName(layout);
    QVERIFY(model);
    QTEST(drills::keysFor(*model, character.front()), "keys");
}

QTEST_MAIN(TestExosTexts)
#include "tst_exos_texts.moc"
