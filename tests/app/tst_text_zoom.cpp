// Options › Taille du texte: each key of the main keyboard and of the keypad
// moves the size one step within 100–200 %, and none reaches the typing line
// as a character; a lesson window and its fonts grow by the size, come back
// to their own at 100 %, and a size the program does not offer reads as 100 %.
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/texos.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"
#include "ui/settings.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QtTest>

class TestTextZoom : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keyMovesOneStep_data();
    void keyMovesOneStep();
    void hundredPercentGivesTheWindowBack();
    void sizeNotOfferedReadsAsDefault_data();
    void sizeNotOfferedReadsAsDefault();

private:
    QTemporaryDir m_home;
    std::unique_ptr<test::PrompterScope> m_prompter;
    std::unique_ptr<test::TempCwd> m_cwd;
};

namespace {

struct Shape
{
    QRect geometry;
    int pixels;
};

QList<Shape> shapesOf(const QWidget *top)
{
    QList<Shape> shapes;
    for (const QWidget *w : top->findChildren<QWidget *>())
        shapes.append({w->geometry(), w->font().pixelSize()});
    return shapes;
}

} // namespace

void TestTextZoom::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
}

void TestTextZoom::init()
{
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompter = std::make_unique<test::PrompterScope>();
    test::startProgram();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
    forms().MainForm->action(QStringLiteral("N1gh1"))->trigger();
}

void TestTextZoom::cleanup()
{
    forms().MainForm->setTextZoom(100);
    test::stopProgram();
    m_prompter.reset();
    m_cwd.reset();
}

void TestTextZoom::keyMovesOneStep_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("to");
    const int ctrl = Qt::ControlModifier;
    const int pad = Qt::ControlModifier | Qt::KeypadModifier;
    const int shift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl++ 100") << 100 << int(Qt::Key_Plus) << ctrl << "+" << 125;
    QTest::newRow("Ctrl+Maj+= 125") << 125 << int(Qt::Key_Plus) << shift << "+" << 150;
    QTest::newRow("Ctrl+= 150") << 150 << int(Qt::Key_Equal) << ctrl << "=" << 175;
    QTest::newRow("keypad Ctrl++ 175") << 175 << int(Qt::Key_Plus) << pad << "+" << 200;
    QTest::newRow("Ctrl++ 200 stays") << 200 << int(Qt::Key_Plus) << ctrl << "+" << 200;
    QTest::newRow("Ctrl+- 200") << 200 << int(Qt::Key_Minus) << ctrl << "-" << 175;
    QTest::newRow("keypad Ctrl+- 125") << 125 << int(Qt::Key_Minus) << pad << "-" << 100;
    QTest::newRow("Ctrl+- 100 stays") << 100 << int(Qt::Key_Minus) << ctrl << "-" << 100;
    QTest::newRow("Ctrl+0 175") << 175 << int(Qt::Key_0) << ctrl << "0" << 100;
    QTest::newRow("Ctrl+Maj+0 150") << 150 << int(Qt::Key_0) << shift << "0" << 100;
    QTest::newRow("Ctrl+à 200") << 200 << int(Qt::Key_Agrave) << ctrl << QString::fromUtf8("à") << 100;
    QTest::newRow("keypad Ctrl+0 125") << 125 << int(Qt::Key_0) << pad << "0" << 100;
}

void TestTextZoom::keyMovesOneStep()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, to);
    TMainForm *frame = forms().MainForm;
    TExos *exos = forms().Exos;
    const int pixels = exos->Edit2()->font().pixelSize();
    const QSize size = frame->subWindowOf(exos)->size();
    frame->setTextZoom(from);
    QLineEdit *line = exos->Edit2();
    line->setFocus();
    QTRY_VERIFY(line->hasFocus());
    QTest::sendKeyEvent(QTest::Click, line, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(frame->textZoom(), to);
    QVERIFY(frame->action(QStringLiteral("Taille%1").arg(to))->isChecked());
    QCOMPARE(line->text(), QString());
    QCOMPARE(exos->errors(), 0);
    QCOMPARE(exos->good(), 0);
    QCOMPARE(line->font().pixelSize(), qRound(pixels * to / 100.0));
    QCOMPARE(frame->subWindowOf(exos)->size(),
             QSize(qRound(size.width() * to / 100.0), qRound(size.height() * to / 100.0)));
    QCOMPARE(ui::settings()->value(QStringLiteral("affichage/taille")).toInt(), to);
}

void TestTextZoom::hundredPercentGivesTheWindowBack()
{
    TMainForm *frame = forms().MainForm;
    TExos *exos = forms().Exos;
    const QList<Shape> before = shapesOf(exos);
    const int pixels = exos->Edit2()->font().pixelSize();
    const QSize size = frame->subWindowOf(exos)->size();
    frame->setTextZoom(175);
    frame->action(QStringLiteral("N2ap1"))->trigger(); // another exercise, at that size
    QCOMPARE(exos->Edit2()->font().pixelSize(), qRound(pixels * 1.75));
    frame->action(QStringLiteral("Taille100"))->trigger();
    frame->action(QStringLiteral("N1gh1"))->trigger();
    const QList<Shape> after = shapesOf(exos);
    QCOMPARE(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        QCOMPARE(after.at(i).geometry, before.at(i).geometry);
        QCOMPARE(after.at(i).pixels, before.at(i).pixels);
    }
    QCOMPARE(frame->subWindowOf(exos)->size(), size);
}

void TestTextZoom::sizeNotOfferedReadsAsDefault_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("read");
    QTest::newRow("0 %") << QVariant(0) << 100;
    QTest::newRow("10 000 %") << QVariant(10000) << 100;
    QTest::newRow("between steps") << QVariant(130) << 100;
    QTest::newRow("words") << QVariant(QStringLiteral("grand")) << 100;
    QTest::newRow("a step") << QVariant(150) << 150;
}

void TestTextZoom::sizeNotOfferedReadsAsDefault()
{
    QFETCH(QVariant, stored);
    QFETCH(int, read);
    test::stopProgram();
    ui::settings()->setValue(QStringLiteral("affichage/taille"), stored);
    test::startProgram();
    QCOMPARE(forms().MainForm->textZoom(), read);
    QVERIFY(forms().MainForm->action(QStringLiteral("Taille%1").arg(read))->isChecked());
    QCOMPARE(ui::settings()->value(QStringLiteral("affichage/taille")).toInt(), read);
}

QTEST_MAIN(TestTextZoom)
#include "tst_text_zoom.moc"
