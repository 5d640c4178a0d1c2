// The keyboard model: on each layout the lessons name, every character of
// every lesson text gets presses that type it back through xkbcommon, and
// the keys carry the fingers the exercises teach.
#include "drills/exercisetexts.h"
#include "drills/gamewords.h"
#include "drills/phrasetexts.h"
#include "drills/texttexts.h"
#include "keyboard/keytable.h"
#include "keymodel/keymodel.h"
#include "office/officetables.h"
#include "ui/accessibility.h"

#include <QtTest>

#include <set>

using keyboard::Finger;
using keyboard::KeyModel;
using keyboard::KeyStep;

namespace {

// Every character the learner is asked to type, in every lesson.
QString lessonCharacters()
{
    QString all;
    auto add = [&](const char *text) { all += QString::fromUtf8(text); };
    for (int code = 1; code <= drills::ExerciseCount; ++code)
        for (const char *model : drills::exerciseText(code)->models)
            add(model);
    for (int code = 1; code <= drills::CategoryCount; ++code)
        for (const auto &page : drills::phraseCategory(code)->pages)
            for (const char *phrase : page.phrases)
                add(phrase);
    for (int code = 1; code <= 7; ++code)
        for (const TextLine &line : textLines(code))
            add(line.text);
    for (const auto &lesson : office::kGridModel)
        for (const auto &row : lesson)
            for (const char *cell : row)
                add(cell);
    for (const office::FormLesson &lesson : office::kFormLessons)
        for (int r = 0; r < lesson.recordCount; ++r)
            for (const char *field : lesson.records[r])
                add(field);
    add(game::kLetters);
    for (const char *word : game::kWords)
        add(word);
    std::set<char16_t> seen;
    QString distinct;
    for (QChar c : all)
        if (seen.insert(c.unicode()).second)
            distinct += c;
    return distinct;
}

// "D34 P26": each step's kind (Press, DeadKey, CapsLock) and keycodes.
QString describe(const QList<KeyStep> &steps)
{
    QStringList parts;
    for (const KeyStep &s : steps) {
        QStringList codes;
        for (int kc : s.keycodes)
            codes.append(QString::number(kc));
        parts.append(QLatin1String(s.kind == KeyStep::Press     ? "P"
                                   : s.kind == KeyStep::DeadKey ? "D"
                                                                : "C") +
                     codes.join(QLatin1Char('+')));
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestKeyModel : public QObject
{
    Q_OBJECT
private slots:
    void typesEveryLessonCharacter_data();
    void typesEveryLessonCharacter();
    void waysToType_data();
    void waysToType();
    void fingers_data();
    void fingers();
    void keycaps_data();
    void keycaps();
    void keyNames_data();
    void keyNames();
    void unknownLayoutGivesNoModel();
};

// clang-format off
void TestKeyModel::typesEveryLessonCharacter_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("untypable");
    QTest::newRow("fr") << "fr" << u"\u00a0œŒ…—–"_qs; // the French exercises take their plain spellings
    QTest::newRow("fr(afnor)") << "fr(afnor)" << QString();
    QTest::newRow("be") << "be" << u"\u00a0…—–"_qs;
    QTest::newRow("ch(fr)") << "ch(fr)" << u"\u00a0…—–"_qs;
    QTest::newRow("ca(fr)") << "ca(fr)" << u"œŒæÆ’…—–€"_qs;
    QTest::newRow("fr(bepo)") << "fr(bepo)" << QString();
    QTest::newRow("us") << "us" << u"éèçàùôûâîêÉÈÀÇÊÔÎÙÛËÏÜëï\u00a0œŒæÆ«»’…—–°€"_qs;
}
// clang-format on

void TestKeyModel::typesEveryLessonCharacter()
{
    QFETCH(QString, layout);
    QFETCH(QString, untypable);
    const std::unique_ptr<KeyModel> model = KeyModel::fromLayoutName(layout);
    QVERIFY(model);
    QString missing;
    for (QChar c : lessonCharacters()) {
        const keyboard::HowToType how = model->howToType(c);
        if (!how.typable()) {
            missing += c;
            continue;
        }
        if (model->typeThrough(how.steps) != QString(c))
            QFAIL(qPrintable(QStringLiteral("%1 on %2: %3 gives \"%4\"")
                                 .arg(c, layout, describe(how.steps), model->typeThrough(how.steps))));
    }
    QCOMPARE(missing, untypable);
}

// clang-format off
void TestKeyModel::waysToType_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("steps");
    QTest::newRow("fr plain letter") << "fr" << "q" << "P38";
    QTest::newRow("fr capital, Shift on the other hand") << "fr" << "A" << "P62+24";
    QTest::newRow("fr right-hand capital, left Shift") << "fr" << "P" << "P50+33";
    QTest::newRow("fr digit with Shift") << "fr" << "1" << "P62+10";
    QTest::newRow("fr AltGr") << "fr" << "@" << "P108+19";
    QTest::newRow("fr dead circumflex") << "fr" << "ê" << "D34 P26";
    QTest::newRow("fr dead diaeresis, Shift") << "fr" << "ï" << "D50+34 P31";
    QTest::newRow("fr capital accent by Caps Lock") << "fr" << "É" << "C66 P11 C66";
    QTest::newRow("fr tilde where the keycap shows it") << "fr" << "~" << "P108+11";
    QTest::newRow("fr space") << "fr" << " " << "P65";
    QTest::newRow("fr tab") << "fr" << "\t" << "P23";
    QTest::newRow("us letter at its own place") << "us" << "a" << "P38";
    QTest::newRow("us no accent") << "us" << "é" << "";
    QTest::newRow("bepo letter") << "fr(bepo)" << "é" << "P25";
    // The compose table outlives the model that first read it.
    QTest::newRow("be dead circumflex, after other layouts") << "be" << "ê" << "D34 P26";
}
// clang-format on

void TestKeyModel::waysToType()
{
    QFETCH(QString, layout);
    QFETCH(QString, character);
    QFETCH(QString, steps);
    const std::unique_ptr<KeyModel> model = KeyModel::fromLayoutName(layout);
    QVERIFY(model);
    QCOMPARE(describe(model->howToType(character.at(0)).steps), steps);
}

// clang-format off
void TestKeyModel::fingers_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<Finger>("finger");
    QTest::addColumn<QString>("name");
    QTest::newRow("F") << "f" << Finger::LeftIndex << "Index gauche";
    QTest::newRow("é") << "é" << Finger::LeftPinky << "Auriculaire gauche";
    QTest::newRow("è") << "è" << Finger::RightIndex << "Index droit";
    QTest::newRow("ç") << "ç" << Finger::RightMiddle << "Majeur droit";
    QTest::newRow("à") << "à" << Finger::RightRing << "Annulaire droit";
    QTest::newRow("(") << "(" << Finger::LeftIndex << "Index gauche";
    QTest::newRow(")") << ")" << Finger::RightRing << "Annulaire droit";
    QTest::newRow("-") << "-" << Finger::LeftIndex << "Index gauche";
    QTest::newRow("_") << "_" << Finger::RightIndex << "Index droit";
    QTest::newRow("\"") << "\"" << Finger::LeftRing << "Annulaire gauche";
    QTest::newRow("'") << "'" << Finger::LeftMiddle << "Majeur gauche";
    QTest::newRow(",") << "," << Finger::RightIndex << "Index droit";
    QTest::newRow(";") << ";" << Finger::RightMiddle << "Majeur droit";
    QTest::newRow("!") << "!" << Finger::RightPinky << "Auriculaire droit";
    QTest::newRow("<") << "<" << Finger::LeftPinky << "Auriculaire gauche";
    QTest::newRow("space") << " " << Finger::Thumbs << "Pouces";
    QTest::newRow("Enter") << "\r" << Finger::RightPinky << "Auriculaire droit";
}
// clang-format on

void TestKeyModel::fingers()
{
    QFETCH(QString, character);
    QFETCH(Finger, finger);
    QFETCH(QString, name);
    const std::unique_ptr<KeyModel> model = KeyModel::fromLayoutName(QStringLiteral("fr"));
    const keyboard::HowToType how = model->howToType(character.at(0));
    QVERIFY(how.typable());
    const keyboard::PhysicalKey *key = keyboard::keyByEvdev(how.steps.last().key() - 8);
    QVERIFY(key);
    QCOMPARE(key->finger, finger);
    QCOMPARE(keyboard::fingerName(key->finger), name);
}

// clang-format off
void TestKeyModel::keycaps_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("keycode");
    QTest::addColumn<QString>("keycap");
    QTest::newRow("fr digit") << "fr" << 10 << "1&";
    QTest::newRow("fr letter") << "fr" << 24 << "A";
    QTest::newRow("fr dead keys") << "fr" << 34 << "¨^";
    QTest::newRow("fr ² alone") << "fr" << 49 << "²";
    QTest::newRow("be ² ³") << "be" << 49 << "³²";
    QTest::newRow("us digit") << "us" << 10 << "!1";
    QTest::newRow("be § 6") << "be" << 15 << "6§";
    QTest::newRow("be µ £") << "be" << 51 << "£µ";
    QTest::newRow("bepo B where fr has A") << "fr(bepo)" << 24 << "B";
    QTest::newRow("bepo \" 1") << "fr(bepo)" << 10 << "1\"";
    QTest::newRow("fr space") << "fr" << 65 << " ";
}

void TestKeyModel::keyNames_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("keycode");
    QTest::addColumn<QString>("name");
    QTest::newRow("fr digit") << "fr" << 10 << "& 1";
    QTest::newRow("fr letter") << "fr" << 24 << "A";
    QTest::newRow("fr dead keys") << "fr" << 34 << "accent circonflexe et tréma";
    QTest::newRow("fr ²") << "fr" << 49 << "²";
    QTest::newRow("us letter there") << "us" << 24 << "Q";
    QTest::newRow("Shift") << "us" << 62 << "Majuscule droite";
    QTest::newRow("keypad") << "fr" << 79 << "7 du pavé numérique";
    QTest::newRow("F9") << "fr" << 75 << "F9";
    QTest::newRow("right Ctrl") << "fr" << 105 << "Ctrl droite";
    QTest::newRow("Caps Lock") << "fr" << 66 << "Verrouillage majuscules";
    QTest::newRow("be § 6") << "be" << 15 << "§ 6";
    QTest::newRow("be = + where fr has ! §") << "be" << 61 << "= +";
    QTest::newRow("bepo A on fr's Q") << "fr(bepo)" << 38 << "A";
}
// clang-format on

void TestKeyModel::keycaps()
{
    QFETCH(QString, layout);
    QFETCH(int, keycode);
    QFETCH(QString, keycap);
    QCOMPARE(KeyModel::fromLayoutName(layout)->keycap(keycode), keycap);
}

void TestKeyModel::keyNames()
{
    QFETCH(QString, layout);
    QFETCH(int, keycode);
    QFETCH(QString, name);
    QCOMPARE(KeyModel::fromLayoutName(layout)->keyName(keycode), name);
}

void TestKeyModel::unknownLayoutGivesNoModel()
{
    QVERIFY(!KeyModel::fromLayoutName(QStringLiteral("xx(nothing)")));
    QVERIFY(!KeyModel::fromKeymapText("not a keymap"));
}

QTEST_GUILESS_MAIN(TestKeyModel)
#include "tst_keymodel.moc"
