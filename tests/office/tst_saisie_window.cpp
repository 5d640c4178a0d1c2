// The data-entry window: fields, focus returns, record steps, chronometer.
#include "app/forms.h"
#include "app/lesson/tstats.h"
#include "app/tmainform.h"
#include "office/tsaisie.h"
#include "office_expected.h"
#include "support/testsupport.h"
#include "ui/clicklabel.h"
#include "ui/keycodes.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

namespace {

QList<QLineEdit *> models(TSaisie &w)
{
    return {w.Edit1(), w.Edit2(), w.Edit3(), w.Edit4(), w.Edit5()};
}

QList<QLineEdit *> entries(TSaisie &w)
{
    return {w.Edit6(), w.Edit7(), w.Edit8(), w.Edit9(), w.Edit10()};
}

QStringList texts(const QList<QLineEdit *> &edits)
{
    QStringList out;
    for (QLineEdit *e : edits)
        out << e->text();
    return out;
}

QStringList labels(TSaisie &w, int first)
{
    QStringList out;
    for (int i = first; i < first + 5; ++i)
        out << w.findChild<QLabel *>(QStringLiteral("Label%1").arg(i))->text();
    return out;
}

// Fills the entry form with the record the model form shows.
void copyModel(TSaisie &w)
{
    for (int i = 0; i < 5; ++i)
        entries(w)[i]->setText(models(w)[i]->text());
}

} // namespace

class TestSaisieWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void widgetsAtCreation();
    void records_data();
    void records();
    void wrongFieldTakesTheFocusBack();
    void rightFieldLetsTheFocusGo();
    void emptyFieldsLeaveFreely();
    void twoWrongFieldsDoNotFight();
    void tabOutOfRightLastFieldGoesToFirst();
    void pageDownWithWrongLastFieldDoesNothing();
    void pageKeysStayWithinBounds();
    void pageKeysBelongToTheLastField();
    void lessonOnePageKeysEmptyTheForm();
    void stockAfterRepertoireStartsAtRecordOne();
    void unknownCodeKeepsTheForms();
    void chronometer();
    void formClickWritesTheCaption();
    void insideTheFrame();

private:
    TSaisie *w = nullptr;
    void tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    void page(Qt::Key k) { QTest::keyClick(w->Edit10(), k); }
};

void TestSaisieWindow::init()
{
    w = new TSaisie;
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

void TestSaisieWindow::cleanup()
{
    delete w;
    w = nullptr;
}

void TestSaisieWindow::widgetsAtCreation()
{
    QCOMPARE(w->windowTitle(), QStringLiteral("Saisie"));
    QCOMPARE(labels(*w, 1), QStringList(5, QStringLiteral("Label1")));
    QCOMPARE(labels(*w, 6), QStringList(5, QStringLiteral("Label1")));
    QVERIFY(!w->Timer1->isActive());
    QCOMPARE(w->StaticText2->text(), QStringLiteral("0:0"));
    QCOMPARE(w->Edit1()->geometry(), QRect(168, 24, 233, 24));
    QCOMPARE(w->Edit10()->geometry(), QRect(168, 120, 233, 24));
    QCOMPARE(w->GroupBox2()->geometry(), QRect(6, 168, 649, 169));
    QVERIFY(w->Edit3()->isReadOnly());
    QVERIFY(!(w->Edit3()->focusPolicy() & Qt::TabFocus));
}

void TestSaisieWindow::records_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("1 Bases") << 1;
    QTest::newRow("2 Repertoire") << 2;
    QTest::newRow("3 Stock") << 3;
}

// Every record of a lesson, reached with Page Down.
void TestSaisieWindow::records()
{
    QFETCH(int, code);
    w->SetIni(code);
    const QList<QStringList> records = expected::formRecords(code);
    QCOMPARE(labels(*w, 1), expected::formLabels(code));
    QCOMPARE(labels(*w, 6), expected::formLabels(code));
    for (int r = 0; r < records.size(); ++r) {
        QCOMPARE(w->check().recordNumber(), r + 1);
        QCOMPARE(texts(models(*w)), records[r]);
        QCOMPARE(texts(entries(*w)), QStringList(5, QString()));
        w->Edit10()->setText(w->Edit5()->text());
        page(Qt::Key_PageDown);
    }
    QCOMPARE(w->check().recordNumber(), records.size());
}

void TestSaisieWindow::wrongFieldTakesTheFocusBack()
{
    w->SetIni(1);
    QCOMPARE(QApplication::focusWidget(), w->Edit6());
    tab();
    QCOMPARE(QApplication::focusWidget(), w->Edit7());
    QTest::keyClicks(w->Edit7(), QStringLiteral("maj tabulation"));
    tab();
    QTRY_COMPARE(QApplication::focusWidget(), w->Edit7());
    QCOMPARE(w->errors(), 1);
    QCOMPARE(w->Edit7()->text(), QStringLiteral("maj tabulation"));
    // A click on another field is refused the same way.
    QTest::mouseClick(w->Edit9(), Qt::LeftButton);
    w->Edit9()->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), w->Edit7());
    QCOMPARE(w->errors(), 2);
    QCOMPARE(w->session().current().errors, 2);
}

void TestSaisieWindow::rightFieldLetsTheFocusGo()
{
    w->SetIni(1);
    w->Edit7()->setFocus();
    QTest::keyClicks(w->Edit7(), QStringLiteral("Maj Tabulation"));
    tab();
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), w->Edit8());
    QCOMPARE(w->good(), 14);
    QCOMPARE(w->errors(), 0);
    QCOMPARE(w->session().current().good, 14);
}

void TestSaisieWindow::emptyFieldsLeaveFreely()
{
    w->SetIni(2);
    // Backwards from the first field goes round to the last, then on.
    QTest::keyClick(w->Edit6(), Qt::Key_Backtab);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), w->Edit10());
    w->Edit8()->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(w->Edit8(), QStringLiteral("64, rue de la Paix"));
    tab();
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), w->Edit9());
    QCOMPARE(w->errors(), 0);
}

void TestSaisieWindow::twoWrongFieldsDoNotFight()
{
    w->SetIni(2);
    w->Edit7()->setText(QStringLiteral("gaston"));
    w->Edit6()->setFocus();
    QTest::keyClicks(w->Edit6(), QStringLiteral("labarre"));
    tab();
    QTRY_COMPARE(QApplication::focusWidget(), w->Edit6());
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), w->Edit6());
    QCOMPARE(w->errors(), 1);
}

void TestSaisieWindow::tabOutOfRightLastFieldGoesToFirst()
{
    w->SetIni(2);
    w->Edit10()->setFocus();
    copyModel(*w);
    tab();
    QTRY_COMPARE(QApplication::focusWidget(), w->Edit6());
    QCOMPARE(w->check().recordNumber(), 1);
    QCOMPARE(texts(entries(*w)), texts(models(*w)));
    QCOMPARE(w->good(), 4); // "Lyon"
}

void TestSaisieWindow::pageDownWithWrongLastFieldDoesNothing()
{
    w->SetIni(2);
    w->Edit10()->setFocus();
    QTest::keyClicks(w->Edit10(), QStringLiteral("lyon"));
    page(Qt::Key_PageDown);
    QCOMPARE(w->check().recordNumber(), 1);
    QCOMPARE(w->Edit10()->text(), QStringLiteral("lyon"));
    QCOMPARE(w->Edit1()->text(), QStringLiteral("Labarre"));
}

void TestSaisieWindow::pageKeysStayWithinBounds()
{
    w->SetIni(2);
    w->Edit10()->setFocus();
    w->Edit10()->setText(QStringLiteral("Lyon"));
    w->Edit7()->setText(QStringLiteral("Gaston"));
    page(Qt::Key_PageUp);
    QCOMPARE(w->check().recordNumber(), 1);
    QCOMPARE(w->Edit1()->text(), QStringLiteral("Labarre"));
    QCOMPARE(texts(entries(*w)), QStringList(5, QString()));
    for (int i = 0; i < 4; ++i) {
        w->Edit10()->setText(w->Edit5()->text());
        page(Qt::Key_PageDown);
    }
    QCOMPARE(w->check().recordNumber(), 5);
    w->Edit10()->setText(QStringLiteral("Paris"));
    w->Edit6()->setText(QStringLiteral("Le"));
    page(Qt::Key_PageDown);
    QCOMPARE(w->check().recordNumber(), 5);
    QCOMPARE(w->Edit1()->text(), QStringLiteral("Le Corbeau"));
    QCOMPARE(texts(entries(*w)), QStringList(5, QString()));
    QCOMPARE(QApplication::focusWidget(), w->Edit6());
}

void TestSaisieWindow::pageKeysBelongToTheLastField()
{
    w->SetIni(2);
    copyModel(*w);
    QTest::keyClick(w->Edit6(), Qt::Key_PageDown);
    QCOMPARE(w->check().recordNumber(), 1);
    QCOMPARE(w->Edit6()->text(), QStringLiteral("Labarre"));
}

void TestSaisieWindow::lessonOnePageKeysEmptyTheForm()
{
    w->SetIni(1);
    copyModel(*w);
    w->Edit10()->setFocus();
    page(Qt::Key_PageDown);
    QCOMPARE(texts(entries(*w)), QStringList(5, QString()));
    QCOMPARE(QApplication::focusWidget(), w->Edit6());
    QCOMPARE(w->check().recordNumber(), 1);
    copyModel(*w);
    w->Edit10()->setFocus();
    page(Qt::Key_PageUp);
    QCOMPARE(texts(entries(*w)), QStringList(5, QString()));
    QCOMPARE(w->Edit5()->text(), QString::fromUtf8("S\xc3\xa9lectionne"));
}

void TestSaisieWindow::stockAfterRepertoireStartsAtRecordOne()
{
    w->SetIni(2);
    for (int i = 0; i < 2; ++i) {
        w->Edit10()->setText(w->Edit5()->text());
        page(Qt::Key_PageDown);
    }
    QCOMPARE(w->Edit1()->text(), QStringLiteral("Lebas"));
    w->SetIni(3);
    QCOMPARE(w->check().recordNumber(), 1);
    QCOMPARE(w->Edit1()->text(), QStringLiteral("1024"));
    QCOMPARE(w->good(), 0);
}

void TestSaisieWindow::unknownCodeKeepsTheForms()
{
    w->SetIni(3);
    w->Edit8()->setText(QStringLiteral("20"));
    w->SetIni(0);
    QCOMPARE(w->GetIni(), 0);
    QCOMPARE(w->Edit1()->text(), QStringLiteral("1024"));
    QCOMPARE(w->Edit8()->text(), QStringLiteral("20"));
    QCOMPARE(labels(*w, 6).first(), QString::fromUtf8("R\xc3\xa9"
                                                      "f\xc3\xa9rence"));
}

void TestSaisieWindow::chronometer()
{
    w->StaticText2Click();
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(w->StaticText2->text(), QStringLiteral("1"));
    w->Timer1Timer();
    QCOMPARE(w->StaticText2->text(), QStringLiteral("0:1"));
    QCOMPARE(w->seconds(), 2);
    w->SetTemps(); // the frame's toggle stops it, leaving the display
    QVERIFY(!w->Timer1->isActive());
    QCOMPARE(w->seconds(), 0);
    QCOMPARE(w->StaticText2->text(), QStringLiteral("0:1"));
    w->SetIni(2);
    QCOMPARE(w->StaticText2->text(), QStringLiteral("0:1"));
}

void TestSaisieWindow::formClickWritesTheCaption()
{
    w->move(80, 50);
    QTest::mouseClick(w->GroupBox1, Qt::LeftButton, {}, QPoint(300, 100));
    QCOMPARE(w->windowTitle(), QStringLiteral("Saisie"));
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 340));
    QCOMPARE(w->windowTitle(), QStringLiteral("%1     %2").arg(w->y()).arg(w->x()));
}

// In the frame: the menu chooses the lesson, the checks work inside the
// child window, and the statistics command reads the counts.
void TestSaisieWindow::insideTheFrame()
{
    test::TempCwd cwd;
    test::PrompterScope prompter;
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    TSaisie *s = forms().Saisie;
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    frame->action(QStringLiteral("Rpertoire2"))->trigger();
    QCOMPARE(frame->activeLesson(), s);
    QCOMPARE(s->Edit1()->text(), QStringLiteral("Labarre"));
    s->Edit6()->setFocus();
    QTest::keyClicks(s->Edit6(), QStringLiteral("Labare"));
    QTest::keyClick(s->Edit6(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), s->Edit6());
    QTest::keyClicks(s->Edit6(), QStringLiteral("r"));
    s->Edit6()->setText(QStringLiteral("Labarre"));
    QTest::keyClick(s->Edit6(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), s->Edit7());
    frame->action(QStringLiteral("Bilan1"))->trigger();
    QCOMPARE(prompter.fake().modals.size(), 1);
    QCOMPARE(forms().Stats->Edit1()->text(), QStringLiteral("8")); // 7 good, 1 error
    QCOMPARE(forms().Stats->Edit2()->text(), QStringLiteral("1"));
    test::stopProgram();
}

QTEST_MAIN(TestSaisieWindow)
#include "tst_saisie_window.moc"
