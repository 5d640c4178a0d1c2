// The guide's logic on real keymaps: the keys lit and the sentence for a
// character, the step after a dead key or Caps Lock, the marks of a refused
// key, the key drill and discovery.
#include "app/lesson/tstats.h"
#include "drills/exercisetexts.h"
#include "drills/linedrill.h"
#include "drills/phrasetexts.h"
#include "drills/textjudge.h"
#include "drills/texttexts.h"
#include "guide/guidelogic.h"
#include "guide/lessonend.h"
#include "guide/livefigures.h"
#include "guide/startoffer.h"
#include "progress/lessonfamily.h"
#include "ui/cp1252.h"

#include <QtTest>

#include <map>
#include <memory>

using guide::GuideLogic;

namespace {

const keyboard::KeyModel *layout(const QString &name)
{
    static std::map<QString, std::unique_ptr<keyboard::KeyModel>> models;
    auto &model = models[name];
    if (!model)
        model = keyboard::KeyModel::fromLayoutName(name);
    return model.get();
}

// X keycodes of the keys used below.
constexpr int LShift = 50, RShift = 62, AltGr = 108, Caps = 66, Tab = 23;

// A learner who presses exactly the keys the guide lights, one press at a
// time, the dead keys and Caps Lock told to the guide as the band does.
class GuidedHands
{
public:
    GuidedHands(const keyboard::KeyModel *model, GuideLogic &guide)
        : m_model(model)
        , m_guide(guide)
    {}
    // The characters the next lit keys type; empty when nothing is lit.
    QString type()
    {
        for (int press = 0; press < 6; ++press) {
            const QList<int> lit = m_guide.state().lit;
            if (lit.isEmpty())
                return QString();
            keyboard::KeyStep step;
            step.keycodes = lit;
            step.shift = lit.contains(LShift) || lit.contains(RShift);
            step.altGr = lit.contains(AltGr);
            m_pressed << step;
            if (step.key() == Caps) {
                m_capsLock = !m_capsLock;
                m_guide.keyPressed(QChar(), true);
                continue;
            }
            const int level = (step.shift ? 1 : 0) + (step.altGr ? 2 : 0);
            if (m_model->isDeadKey(step.key(), level)) {
                m_guide.keyPressed(m_model->character(step.key(), level), false);
                continue;
            }
            const QString all = m_model->typeThrough(m_pressed);
            const QString out = all.mid(m_out);
            m_out = all.size();
            // The lock stays with the keys pressed since it was set.
            if (!m_capsLock) {
                m_pressed.clear();
                m_out = 0;
            }
            return out;
        }
        return QString();
    }

private:
    const keyboard::KeyModel *m_model;
    GuideLogic &m_guide;
    QList<keyboard::KeyStep> m_pressed;
    qsizetype m_out = 0;
    bool m_capsLock = false;
};

// The lines of one family of lessons.
QStringList lessonLines(const QString &family)
{
    QStringList lines;
    if (family == QLatin1String("exercices")) {
        for (int code = 1; code <= drills::ExerciseCount; ++code)
            for (const char *line : drills::exerciseText(code)->models)
                lines << QString::fromUtf8(line);
    } else if (family == QLatin1String("phrases")) {
        for (int code = 1; code <= drills::CategoryCount; ++code)
            for (const auto &page : drills::phraseCategory(code)->pages)
                for (const char *line : page.phrases)
                    lines << QString::fromUtf8(line);
    } else {
        for (int code = 1; code <= 7; ++code)
            for (const TextLine &line : textLines(code))
                lines << QString::fromUtf8(line.text);
    }
    return lines;
}

} // namespace

class TestGuideLogic : public QObject
{
    Q_OBJECT
private slots:
    void everyLessonCharacterIsTaught_data();
    void everyLessonCharacterIsTaught();
    void characterShowsKeysAndFinger_data();
    void characterShowsKeysAndFinger();
    void deadKeyAndCapsLockMoveToTheNextStep_data();
    void deadKeyAndCapsLockMoveToTheNextStep();
    void passedCharacterIsNamedOnce();
    void refusedKeyIsMarkedUntilTheNextKey();
    void capsLockLeftOnIsReleasedFirst();
    void drillAndDiscoveryNameTheKey_data();
    void drillAndDiscoveryNameTheKey();
    void startOfferFromTheJournal_data();
    void startOfferFromTheJournal();
    void figuresCountTypingTime_data();
    void figuresCountTypingTime();
    void lessonEndSaysWhatComesNext_data();
    void lessonEndSaysWhatComesNext();
};

void TestGuideLogic::everyLessonCharacterIsTaught_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("standIns"); // the characters typed by their stand-in, in order met
    QTest::addColumn<QString>("passed");   // and those the lesson passes over
    const auto row = [](const char *layout, const char *family, const char16_t *standIns,
                        const char16_t *passed) {
        QTest::addRow("%s %s", layout, family) << QString::fromLatin1(layout) << QString::fromLatin1(family)
                                               << QString::fromUtf16(standIns) << QString::fromUtf16(passed);
    };
    const char16_t *const lateDashes = u"\u00a0…—–";
    row("fr", "exercices", u"\u00a0œŒ…—–", u"");
    row("be", "exercices", lateDashes, u"");
    row("ch(fr)", "exercices", lateDashes, u"");
    row("ca(fr)", "exercices", u"œŒæÆ’…—–", u"€");
    row("us", "exercices", u"\u00a0œŒæÆ«»’…—–", u"éèçàùôûâîêÉÈÀÇÊÔÎÙÛËÏÜëï°€");
    row("us", "phrases", u"", u"éêùàî");
    row("us", "textes", u"", u"éàèêûîôç");
    for (const char *layout : {"fr(oss)", "fr(afnor)", "fr(bepo)"})
        row(layout, "exercices", u"", u"");
    for (const char *layout : {"fr", "fr(oss)", "fr(afnor)", "fr(bepo)", "be", "ch(fr)", "ca(fr)"})
        for (const char *family : {"phrases", "textes"})
            row(layout, family, u"", u"");
}

// Every character of every lesson, on every layout the model knows, typed
// with the keys the guide lights and no others: the drills and the text
// judge take them all without an error, and the guide names a stand-in or
// a character passed over as the lessons treat it.
void TestGuideLogic::everyLessonCharacterIsTaught()
{
    QFETCH(QString, layout);
    QFETCH(QString, family);
    const keyboard::KeyModel *model = ::layout(layout);
    QVERIFY(model);
    const auto accept = [model](QChar c) { return keyboard::acceptance(*model, c); };
    QString standIns, passed; // each character once, in the order met
    const auto addOnce = [](QString &set, QChar c) {
        if (!set.contains(c))
            set += c;
    };
    for (const QString &line : lessonLines(family)) {
        GuideLogic guide;
        guide.setModel(model);
        GuidedHands hands(model, guide);
        // The guide's sentence for the character at `at`, and what it says.
        const auto check = [&](qsizetype at, int standInTyped, const QString &justPassed) {
            const QChar c = line.at(at);
            guide.expect(QString(c), standInTyped, justPassed);
            const QString &sentence = guide.state().sentence;
            const keyboard::Acceptance a = accept(c);
            QVERIFY2(!a.skipped(), qPrintable(line.left(at + 1)));
            QVERIFY2(!guide.state().lit.isEmpty(), qPrintable(line.left(at + 1)));
            // « introuvable » only of a character just passed over.
            QVERIFY2(!sentence.contains(QLatin1String("introuvable")) || !justPassed.isEmpty(),
                     qPrintable(sentence));
            if (!a.typable) {
                addOnce(standIns, c);
                QVERIFY2(sentence.contains(QStringLiteral("(pour ")), qPrintable(sentence));
            } else if (!a.standIn.isEmpty()) {
                QVERIFY2(sentence.endsWith(QStringLiteral(" — ou l'apostrophe '")), qPrintable(sentence));
            }
        };
        for (QChar c : line)
            if (accept(c).skipped())
                addOnce(passed, c);
        if (family != QLatin1String("textes")) {
            drills::LineDrill drill;
            drill.setAcceptance(accept);
            drill.setModel(0, line);
            drill.setModel(1, QStringLiteral("x"));
            drill.restart();
            for (int keys = 0; drill.activeLine() == 0 && drill.typed(0) != line; ++keys) {
                QVERIFY(keys < 1000);
                check(drill.typed(0).size() - drill.standInTyped(), drill.standInTyped(), drill.passed());
                if (QTest::currentTestFailed())
                    return;
                const QString typed = hands.type();
                QVERIFY2(!typed.isEmpty(), qPrintable(line.left(drill.typed(0).size() + 1)));
                for (QChar ch : typed)
                    drill.judge(0, int(drill.typed(0).size()), quint8(ui::unicodeToCp1252(ch)));
                QVERIFY2(drill.errors() == 0, qPrintable(drill.typed(0) + QStringLiteral(" | ") + typed));
            }
            QCOMPARE(drill.typed(0), line);
        } else {
            const TextJudge::Leniency leniency{QChar(), accept};
            QString typed;
            for (int keys = 0;; ++keys) {
                QVERIFY(keys < 1000);
                const TextJudge::Place place = TextJudge::follow(line, typed, leniency);
                QVERIFY2(place.next >= 0, qPrintable(typed));
                if (place.next == line.size())
                    break;
                check(place.next, place.standInTyped, place.passed);
                if (QTest::currentTestFailed())
                    return;
                const QString more = hands.type();
                QVERIFY2(!more.isEmpty(), qPrintable(line.left(place.next + 1)));
                typed += more;
            }
            QVERIFY2(TextJudge::judge(line, typed, leniency).accepted, qPrintable(typed));
        }
    }
    QTEST(standIns, "standIns");
    QTEST(passed, "passed");
}

void TestGuideLogic::characterShowsKeysAndFinger_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QList<int>>("lit");
    QTest::addColumn<QString>("sentence");
    const auto row = [](const char *name, const char *layout, const char *c, QList<int> lit,
                        const char *sentence) {
        QTest::newRow(name) << QString::fromUtf8(layout) << QString::fromUtf8(c) << lit
                            << QString::fromUtf8(sentence);
    };
    row("fr f", "fr", "f", {41}, "Index gauche\u00a0: F");
    row("fr g", "fr", "g", {42}, "Index gauche\u00a0: G");
    row("fr E", "fr", "E", {RShift, 26}, "Majeur gauche\u00a0: E, avec Maj droite");
    row("fr M", "fr", "M", {LShift, 47}, "Auriculaire droit\u00a0: M, avec Maj gauche");
    row("fr 1", "fr", "1", {RShift, 10}, "Auriculaire gauche\u00a0: 1, avec Maj droite");
    row("fr space", "fr", " ", {65}, "Pouces\u00a0: espace");
    row("fr @", "fr", "@", {AltGr, 19}, "Annulaire droit\u00a0: @, avec Alt Gr");
    row("fr ê", "fr", "ê", {34}, "Auriculaire droit\u00a0: ^ (touche morte), puis majeur gauche\u00a0: E");
    row("fr ^", "fr", "^", {34}, "Auriculaire droit\u00a0: ^ (touche morte), puis pouces\u00a0: espace");
    row("fr(oss) ê", "fr(oss)", "ê", {34},
        "Auriculaire droit\u00a0: ^ (touche morte), puis majeur gauche\u00a0: E");
    row("fr ô", "fr", "ô", {34}, "Auriculaire droit\u00a0: ^ (touche morte), puis annulaire droit\u00a0: O");
    row("fr É", "fr", "É", {Caps}, "Verr. Maj, puis auriculaire gauche\u00a0: É");
    row("fr «", "fr", "«", {AltGr, 25}, "Annulaire gauche\u00a0: «, avec Alt Gr");
    row("fr œ by its stand-in", "fr", "œ", {32},
        "Annulaire droit\u00a0: O, puis majeur gauche\u00a0: E (pour œ)");
    row("fr Œ by its stand-in", "fr", "Œ", {LShift, 32},
        "Annulaire droit\u00a0: O, avec Maj gauche, puis majeur gauche\u00a0: E, avec Maj droite (pour Œ)");
    row("fr non-breaking space", "fr", "\u00a0", {65}, "Pouces\u00a0: espace (pour l'espace insécable)");
    row("fr …", "fr", "…", {LShift, 59}, "Majeur droit\u00a0: ., avec Maj gauche, trois fois (pour …)");
    row("fr ’ or '", "fr", "’", {LShift, AltGr, 57},
        "Index droit\u00a0: ’, avec Maj gauche et Alt Gr — ou l'apostrophe '");
    row("us é passed over", "us", "é", {}, "é\u00a0: introuvable sur ce clavier, la leçon le passe");
    row("us ’ by its stand-in", "us", "’", {48}, "Auriculaire droit\u00a0: ' (pour ’)");
    row("be @", "be", "@", {AltGr, 11}, "Auriculaire gauche\u00a0: @, avec Alt Gr");
    row("be œ", "be", "œ", {AltGr, 32}, "Annulaire droit\u00a0: œ, avec Alt Gr");
    row("be «", "be", "«", {AltGr, 52}, "Auriculaire gauche\u00a0: «, avec Alt Gr");
    row("be ê", "be", "ê", {34}, "Auriculaire droit\u00a0: ^ (touche morte), puis majeur gauche\u00a0: E");
    row("ch(fr) z", "ch(fr)", "z", {29}, "Index droit\u00a0: Z");
    row("ch(fr) é", "ch(fr)", "é", {47}, "Auriculaire droit\u00a0: é");
    row("ch(fr) ê", "ch(fr)", "ê", {21},
        "Auriculaire droit\u00a0: ^ (touche morte), puis majeur gauche\u00a0: E");
    row("bepo e", "fr(bepo)", "e", {41}, "Index gauche\u00a0: E");
    row("bepo «", "fr(bepo)", "«", {11}, "Auriculaire gauche\u00a0: «");
    row("bepo œ", "fr(bepo)", "œ", {AltGr, 27}, "Index gauche\u00a0: œ, avec Alt Gr");
    row("bepo É", "fr(bepo)", "É", {RShift, 25}, "Annulaire gauche\u00a0: É, avec Maj droite");
    row("bepo ê", "fr(bepo)", "ê", {94}, "Auriculaire gauche\u00a0: Ê");
    row("bepo â", "fr(bepo)", "â", {29},
        "Index droit\u00a0: ^ (touche morte), puis auriculaire gauche\u00a0: A");
}

void TestGuideLogic::characterShowsKeysAndFinger()
{
    QFETCH(QString, layout);
    QFETCH(QString, character);
    QFETCH(QList<int>, lit);
    QFETCH(QString, sentence);
    const keyboard::KeyModel *model = ::layout(layout);
    QVERIFY(model);
    GuideLogic logic;
    logic.setModel(model);
    logic.expect(character);
    QCOMPARE(logic.state().sentence, sentence);
    QCOMPARE(logic.state().lit, lit);
    // The keys named type the character.
    if (!lit.isEmpty() && model->howToType(character.front()).typable())
        QCOMPARE(model->typeThrough(model->howToType(character.front()).steps), character);
}

void TestGuideLogic::deadKeyAndCapsLockMoveToTheNextStep_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("dead"); // empty: Caps Lock
    QTest::addColumn<QList<int>>("lit");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("fr ê") << "fr" << QStringLiteral("ê") << "^" << QList<int>{26} << "Majeur gauche\u00a0: E";
    QTest::newRow("fr ë") << "fr" << QStringLiteral("ë") << QStringLiteral("¨") << QList<int>{26}
                          << "Majeur gauche\u00a0: E";
    QTest::newRow("fr ô") << "fr" << QStringLiteral("ô") << "^" << QList<int>{32}
                          << "Annulaire droit\u00a0: O";
    QTest::newRow("bepo â") << "fr(bepo)" << QStringLiteral("â") << "^" << QList<int>{38}
                            << "Auriculaire gauche\u00a0: A";
    QTest::newRow("fr É") << "fr" << QStringLiteral("É") << "" << QList<int>{11}
                          << QStringLiteral("Auriculaire gauche\u00a0: É");
    // Every accented letter that a dead key gives, on every layout: the
    // guide goes on to the letter (the sentence is not checked).
    for (const char *name :
         {"fr", "fr(oss)", "fr(afnor)", "fr(bepo)", "be", "ch(fr)", "ca(fr)", "us", "de"}) {
        const keyboard::KeyModel *model = ::layout(QString::fromLatin1(name));
        for (QChar c : u"êâîôûëïüÉÈÀÇ"_qs) {
            const QList<keyboard::KeyStep> steps = model->howToType(c).steps;
            if (steps.size() != 2 || steps.front().kind != keyboard::KeyStep::DeadKey)
                continue;
            const keyboard::KeyStep &dead = steps.front();
            const QChar spacing = model->character(dead.key(), (dead.shift ? 1 : 0) + (dead.altGr ? 2 : 0));
            QTest::addRow("%s %s", name, QString(c).toUtf8().constData())
                << QString::fromLatin1(name) << QString(c) << QString(spacing) << steps.back().keycodes
                << QString();
        }
    }
}

void TestGuideLogic::deadKeyAndCapsLockMoveToTheNextStep()
{
    QFETCH(QString, layout);
    QFETCH(QString, character);
    QFETCH(QString, dead);
    QFETCH(QList<int>, lit);
    QFETCH(QString, sentence);
    GuideLogic logic;
    logic.setModel(::layout(layout));
    logic.expect(character);
    // Another key that types nothing leaves the guide where it is.
    QVERIFY(!logic.keyPressed(dead == QLatin1String("`") ? QChar(u'~') : QChar(u'`'), false));
    QCOMPARE(logic.step(), 0);
    QVERIFY(logic.keyPressed(dead.isEmpty() ? QChar() : dead.front(), dead.isEmpty()));
    QCOMPARE(logic.step(), 1);
    QCOMPARE(logic.state().lit, lit);
    if (!sentence.isEmpty())
        QCOMPARE(logic.state().sentence, sentence);
    // The keymap read again as it was (X11's new keyboard at the first key
    // from another device): the guide stays on the letter.
    const std::unique_ptr<keyboard::KeyModel> again = keyboard::KeyModel::fromLayoutName(layout);
    logic.setModel(again.get());
    QCOMPARE(logic.state().lit, lit);
}

// The lesson passed over a character the layout lacks: the guide says so
// before the next key, once for that character.
void TestGuideLogic::passedCharacterIsNamedOnce()
{
    GuideLogic logic;
    logic.setModel(layout(QStringLiteral("ca(fr)")));
    const QString note = u"€\u00a0: introuvable sur ce clavier, la leçon le passe. "_qs;
    logic.expect(QStringLiteral(" "), 0, QStringLiteral("€"));
    QCOMPARE(logic.state().sentence, note + QStringLiteral("Pouces\u00a0: espace"));
    QCOMPARE(logic.state().lit, QList<int>{65});
    logic.expect(QStringLiteral("a"));
    QVERIFY(!logic.state().sentence.contains(QLatin1String("introuvable")));
    logic.expect(QStringLiteral(" "), 0, QStringLiteral("€"));
    QCOMPARE(logic.state().sentence, QStringLiteral("Pouces\u00a0: espace"));
    // Two at once, one of them said already.
    logic.setModel(layout(QStringLiteral("us")));
    logic.expect(QStringLiteral("a"), 0, u"°é"_qs);
    QVERIFY(logic.state().sentence.startsWith(
        u"°, é\u00a0: introuvables sur ce clavier, la leçon les passe. "_qs));
    logic.expect(QStringLiteral("a"), 0, u"é€"_qs);
    QVERIFY(logic.state().sentence.startsWith(note));
}

void TestGuideLogic::refusedKeyIsMarkedUntilTheNextKey()
{
    GuideLogic logic;
    logic.setModel(layout(QStringLiteral("fr")));
    logic.expect(QStringLiteral("g"));
    logic.refused(QStringLiteral("h"));
    QCOMPARE(logic.state().missed, 42);
    QCOMPARE(logic.state().pressed, 43);
    QCOMPARE(logic.state().lit, QList<int>{42});
    // The lesson tells again what it expects: still the same key, marks kept.
    logic.expect(QStringLiteral("g"));
    QCOMPARE(logic.state().missed, 42);
    // A capital refused where its small letter was expected: the same key.
    logic.refused(QStringLiteral("G"));
    QCOMPARE(logic.state().pressed, 42);
    QVERIFY(logic.keyPressed(QChar(), false));
    QCOMPARE(logic.state().missed, 0);
    QCOMPARE(logic.state().pressed, 0);
    // Nothing typable: nothing grey.
    logic.refused(QString());
    QCOMPARE(logic.state().pressed, 0);
}

void TestGuideLogic::capsLockLeftOnIsReleasedFirst()
{
    GuideLogic logic;
    logic.setModel(layout(QStringLiteral("fr")));
    logic.expect(QStringLiteral("É"));
    QVERIFY(logic.keyPressed(QChar(), true));
    QVERIFY(logic.capsLock());
    logic.expect(QStringLiteral("e"));
    QCOMPARE(logic.state().lit, QList<int>{Caps});
    QCOMPARE(logic.state().sentence, QStringLiteral("Verr. Maj, puis majeur gauche\u00a0: E"));
    // A second capital of Caps Lock needs no new press.
    logic.expect(QStringLiteral("É"));
    QCOMPARE(logic.state().sentence, QStringLiteral("Auriculaire gauche\u00a0: É"));
    QVERIFY(logic.keyPressed(QChar(), true));
    QVERIFY(!logic.capsLock());
}

void TestGuideLogic::drillAndDiscoveryNameTheKey_data()
{
    QTest::addColumn<QString>("drillName"); // empty: discovery
    QTest::addColumn<int>("keycode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("virtualKey");
    QTest::addColumn<QList<int>>("lit");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("drill Tab") << "Tabulation" << 0 << "" << 0 << QList<int>{Tab}
                               << "Touche Tabulation\u00a0: auriculaire gauche";
    QTest::newRow("drill F5") << "F5" << 0 << "" << 0 << QList<int>{71} << "Touche F5";
    QTest::newRow("drill Caps") << "Verr Maj" << 0 << "" << 0 << QList<int>{Caps}
                                << "Touche Verr Maj\u00a0: auriculaire gauche";
    QTest::newRow("keycode E") << "" << 26 << "e" << 69 << QList<int>{26} << "Touche E\u00a0: majeur gauche";
    QTest::newRow("text e") << "" << 0 << "e" << 69 << QList<int>{26} << "Touche E\u00a0: majeur gauche";
    QTest::newRow("text é") << "" << 0 << QStringLiteral("é") << 0 << QList<int>{11}
                            << QStringLiteral("Touche é\u00a0: auriculaire gauche");
    QTest::newRow("virtual key Enter") << "" << 0 << "\r" << 13 << QList<int>{36}
                                       << QStringLiteral("Touche Entrée\u00a0: auriculaire droit");
    QTest::newRow("keycode Shift") << "" << RShift << "" << 16 << QList<int>{RShift}
                                   << "Touche Maj droite\u00a0: auriculaire droit";
    QTest::newRow("unknown") << "" << 0 << "" << 0 << QList<int>{} << "";
}

void TestGuideLogic::drillAndDiscoveryNameTheKey()
{
    QFETCH(QString, drillName);
    QFETCH(int, keycode);
    QFETCH(QString, text);
    QFETCH(int, virtualKey);
    QFETCH(QList<int>, lit);
    QFETCH(QString, sentence);
    GuideLogic logic;
    logic.setModel(layout(QStringLiteral("fr")));
    if (drillName.isEmpty())
        logic.discovered(keycode, text, virtualKey);
    else
        logic.expect(drillName);
    QCOMPARE(logic.state().lit, lit);
    QCOMPARE(logic.state().sentence, sentence);
    // The keymap read again as it was: the key stays named.
    const std::unique_ptr<keyboard::KeyModel> again = keyboard::KeyModel::fromLayoutName(u"fr"_qs);
    logic.setModel(again.get());
    QCOMPARE(logic.state().lit, lit);
    QCOMPARE(logic.state().sentence, sentence);
}

// Sessions as (module, lesson, good, errors, day of the last one in days
// after 8 December 2026), in any order.
void TestGuideLogic::startOfferFromTheJournal_data()
{
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QList<QList<int>>>("sessions");
    QTest::addColumn<QString>("text"); // empty: a first run's greeting when readable, or nothing
    QTest::newRow("journal off or unreadable") << false << QList<QList<int>>{} << QString();
    QTest::newRow("first run") << true << QList<QList<int>>{} << QString();
    QTest::newRow("one session") << true << QList<QList<int>>{{2, 4, 96, 4, 0}}
                                 << u"Reprendre\u00a0: 2/4 — dernière séance le 8 décembre, 96\u00a0%"_qs;
    QTest::newRow("the latest of several, 94.9 % is not 95")
        << true << QList<QList<int>>{{2, 1, 50, 0, -40}, {3, 2, 949, 51, 0}, {2, 3, 10, 0, -1}}
        << u"Reprendre\u00a0: 3/2 — dernière séance le 8 décembre, 94\u00a0%"_qs;
    QTest::newRow("first of the month")
        << true << QList<QList<int>>{{2, 5, 1, 0, -7}}
        << u"Reprendre\u00a0: 2/5 — dernière séance le 1er décembre, 100\u00a0%"_qs;
    QTest::newRow("another year")
        << true << QList<QList<int>>{{2, 6, 99, 1, -366}}
        << u"Reprendre\u00a0: 2/6 — dernière séance le 7 décembre 2025, 99\u00a0%"_qs;
}

void TestGuideLogic::startOfferFromTheJournal()
{
    QFETCH(bool, readable);
    QFETCH(QList<QList<int>>, sessions);
    QFETCH(QString, text);
    const QDate today(2026, 12, 8);
    QList<progress::SessionRecord> rows;
    for (const QList<int> &s : sessions) {
        progress::SessionRecord &r = rows.emplace_back();
        std::tie(r.module, r.lesson, r.good, r.errors) = std::tuple(s[0], s[1], s[2], s[3]);
        r.end = QDateTime(today.addDays(s[4]), QTime(23, 50));
        r.start = r.end.addSecs(-300);
    }
    const auto name = [](const progress::SessionRecord &s) {
        return QStringLiteral("%1/%2").arg(s.module).arg(s.lesson);
    };
    const guide::StartOffer offer = guide::startOffer(readable ? &rows : nullptr, today, name);
    using Kind = guide::StartOffer::Kind;
    QCOMPARE(offer.kind, !readable ? Kind::None : text.isEmpty() ? Kind::FirstRun : Kind::Resume);
    QCOMPARE(offer.text, text);
}

void TestGuideLogic::figuresCountTypingTime_data()
{
    QTest::addColumn<QList<qint64>>("times"); // of the judged keys, in ms
    QTest::addColumn<int>("errors");          // the last keys are errors
    QTest::addColumn<qint64>("now");
    QTest::addColumn<int>("seconds"); // the typing time they make
    QTest::addColumn<int>("accuracy");
    QList<qint64> steady; // 20 keys, one each half second
    for (int i = 0; i < 20; ++i)
        steady << 500 * i;
    QTest::newRow("20 keys in 10 s") << steady << 0 << qint64(10000) << 10 << 100;
    QTest::newRow("one error in 20") << steady << 1 << qint64(10000) << 10 << 95;
    QTest::newRow("two errors in 20") << steady << 2 << qint64(10000) << 10 << 90;
    QTest::newRow("pause after the last key") << steady << 0 << qint64(60000) << 14 << 100;
    QTest::newRow("pause between two keys")
        << QList<qint64>{0, 1000, 61000, 62000} << 0 << qint64(62000) << 7 << 100;
    QTest::newRow("first key alone") << QList<qint64>{5000} << 0 << qint64(5000) << 0 << 100;
    QTest::newRow("no key") << QList<qint64>{} << 0 << qint64(5000) << 0 << -1;
}

// The live figures of a typing time agree with the statistics window for a
// chronometer that ran as long.
void TestGuideLogic::figuresCountTypingTime()
{
    QFETCH(QList<qint64>, times);
    QFETCH(int, errors);
    QFETCH(qint64, now);
    QFETCH(int, seconds);
    QFETCH(int, accuracy);
    guide::LiveFigures live;
    for (int i = 0; i < times.size(); ++i) {
        const bool error = i >= times.size() - errors;
        live.judged(error ? 0 : 1, error ? 1 : 0, times.at(i));
    }
    const guide::Figures figures = live.at(now);
    QCOMPARE(figures.seconds, seconds);
    QCOMPARE(figures.accuracy, accuracy);
    const StatFigures stats = StatFigures::compute(figures.good, figures.errors, seconds);
    QCOMPARE(figures.perMinute, stats.perMinute);
    QCOMPARE(figures.wordsPerMinute, stats.wordsPerMinute);
}

void TestGuideLogic::lessonEndSaysWhatComesNext_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("inPlace"); // the phrases turned to their second page
    QTest::addColumn<int>("accuracy");
    QTest::addColumn<QString>("caption"); // of the button that goes on
    QTest::addColumn<int>("nextModule");
    QTest::addColumn<int>("nextCode");
    QTest::addColumn<QString>("advice");
    const auto row = [](const char *name, int module, int code, bool inPlace, int accuracy,
                        const char *caption, int nextModule, int nextCode, const char *advice) {
        QTest::newRow(name) << module << code << inPlace << accuracy << QString::fromUtf8(caption)
                            << nextModule << nextCode << QString::fromUtf8(advice);
    };
    row("exercise 1 reached", 2, 1, false, 97, "Exercice suiva&nt", 2, 2,
        "Bravo, exercice réussi\u00a0: passez à l'exercice 2");
    row("exercise 1 at the objective", 2, 1, false, 95, "Exercice suiva&nt", 2, 2,
        "Bravo, exercice réussi\u00a0: passez à l'exercice 2");
    row("exercise 1 missed", 2, 1, false, 94, "Exercice suiva&nt", 2, 2,
        "Encore un essai\u00a0: visez 95\u00a0% de précision");
    row("exercise 18", 2, 18, false, 100, "Passer aux p&hrases", 3, 1,
        "Bravo, exercice réussi\u00a0: passez aux phrases");
    row("exercise 19", 2, 19, false, 100, "Exercice suiva&nt", 2, 20,
        "Bravo, exercice réussi\u00a0: passez à l'exercice 20");
    row("exercise 24", 2, 24, false, 100, "Passer aux p&hrases", 3, 1,
        "Bravo, exercice réussi\u00a0: passez aux phrases");
    row("review", 2, progress::kReviewLesson, false, 100, "", 0, 0, "Bravo, exercice réussi");
    row("phrases page 1", 3, 2, true, 96, "Page suiva&nte", 0, 0,
        "Bravo, page réussie\u00a0: passez à la page suivante");
    row("phrases page 2", 3, 2, false, 96, "Page suiva&nte", 3, 3,
        "Bravo, page réussie\u00a0: passez à la page suivante");
    row("last phrases", 3, 5, false, 96, "", 0, 0, "Bravo, page réussie");
    row("text", 4, 1, false, 100, "Texte suiva&nt", 4, 2,
        "Bravo, texte réussi\u00a0: passez au texte suivant");
    row("last text", 4, 7, false, 100, "", 0, 0, "Bravo, texte réussi");
    row("own text", 4, 8, false, 50, "", 0, 0, "Encore un essai\u00a0: visez 95\u00a0% de précision");
}

void TestGuideLogic::lessonEndSaysWhatComesNext()
{
    QFETCH(int, module);
    QFETCH(int, code);
    QFETCH(bool, inPlace);
    QFETCH(int, accuracy);
    QFETCH(QString, caption);
    QFETCH(int, nextModule);
    QFETCH(int, nextCode);
    QFETCH(QString, advice);
    // What the menus offer: 24 exercises and the review, 5 phrase
    // categories, 7 texts and the learner's own.
    const guide::Offered menus = [](int m, std::int32_t c) {
        const int last = m == 2 ? 25 : m == 3 ? 5 : m == 4 ? 8 : 0;
        return c >= 1 && c <= last;
    };
    const guide::NextLesson next = guide::nextLesson(module, code, inPlace, menus);
    QCOMPARE(next.caption, caption);
    QCOMPARE(next.module, nextModule);
    QCOMPARE(next.code, nextCode);
    QCOMPARE(next.inPlace, inPlace);
    guide::Figures figures;
    figures.accuracy = accuracy;
    figures.seconds = 75;
    figures.perMinute = QStringLiteral("142");
    const guide::LessonEnd end = guide::lessonEnd(module, figures, next);
    QCOMPARE(end.reached, accuracy >= guide::kObjective);
    QCOMPARE(end.advice, advice);
    QCOMPARE(end.result,
             QStringLiteral(
                 "Précision\u00a0: %1\u00a0% (objectif\u00a0: 95\u00a0%) · 142 frappes/min · durée 1:15")
                 .arg(accuracy));
}

QTEST_GUILESS_MAIN(TestGuideLogic)
#include "tst_guide_logic.moc"
