// The text lesson window driven through its widgets and the frame's commands.
#include "app/forms.h"
#include "app/lesson/tstats.h"
#include "app/tmainform.h"
#include "drills/owntext.h"
#include "drills/texttexts.h"
#include "drills/ttexte.h"
#include "keyboard/tcaract.h"
#include "support/testsupport.h"
#include "ui/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

TTexte *texte()
{
    return forms().Texte;
}

TMainForm *frame()
{
    return forms().MainForm;
}

// Chooses a text from the "&Texte" menu, as the learner does.
void chooseText(const char *item)
{
    frame()->action(QLatin1String(item))->trigger();
}

void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        if (c == u'\t')
            QTest::keyClick(w, Qt::Key_Tab);
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void pressEnter(QWidget *w)
{
    QTest::keyClick(w, Qt::Key_Return);
}

QString line(int code, int number)
{
    return QString::fromUtf8(textLines(code)[std::size_t(number - 1)].text);
}

} // namespace

class TestTexteWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void windowLayout();
    void menuLoadsText_data();
    void menuLoadsText();
    void wholeTextTypedLineByLine_data();
    void wholeTextTypedLineByLine();
    void refusedLine_data();
    void refusedLine();
    void everyWayOfStartingALineIsJudged_data();
    void everyWayOfStartingALineIsJudged();
    void tabTypesATab();
    void deadKeysTypeButNeverBreakALine();
    void setIni8KeepsTheModel();
    void boldThenUnderline();
    void formShowResetsErrors();
    void keyInModelOnlyMovesFocus();
    void clipboardThroughTheFrame();
    void characterTableInsertsAtCaret_data();
    void characterTableInsertsAtCaret();
    void chronometerAndStatistics();
    void ownText_data();
    void ownText();
    void ownTextTypedWithPlainSpellings();
    void setIni8BringsBackTheLastText();
    void recentTextsAreTheFiveLast();
    void openDialogTakesTheNameAsTyped_data();
    void openDialogTakesTheNameAsTyped();

private:
    QString writeText(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_home; // the settings file and the learner's texts
    std::unique_ptr<test::PrompterScope> m_prompts;
};

void TestTexteWindow::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    m_prompts = std::make_unique<test::PrompterScope>();
    test::startProgram();
    QVERIFY(texte());
    QVERIFY(QTest::qWaitForWindowExposed(frame()));
}

void TestTexteWindow::cleanupTestCase()
{
    test::stopProgram();
    m_prompts.reset();
}

void TestTexteWindow::init()
{
    chooseText("Fonctionsdebase1");
    QCOMPARE(frame()->activeLesson(), texte());
}

void TestTexteWindow::windowLayout()
{
    TTexte *w = texte();
    QCOMPARE(w->windowTitle(), QStringLiteral("Texte"));
    QCOMPARE(w->helpContext(), 7);
    QCOMPARE(w->moduleCode(), 4);
    QCOMPARE(w->RichEdit1()->geometry(), QRect(2, 2, 651, 164));
    QCOMPARE(w->RichEdit2()->geometry(), QRect(1, 178, 651, 164));
    QVERIFY(w->RichEdit1()->isReadOnly());
    QCOMPARE(w->RichEdit1()->focusPolicy() & Qt::TabFocus, 0);
    QCOMPARE(w->RichEdit1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(w->RichEdit2()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(w->RichEdit1()->palette().color(QPalette::Inactive, QPalette::Highlight),
             w->RichEdit1()->palette().color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(w->subWindowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
    QCOMPARE(frame()->subWindowOf(w)->size(), QSize(668, 375));
}

void TestTexteWindow::menuLoadsText_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("code");
    QTest::newRow("Fonctions de base") << "Fonctionsdebase1" << 1;
    QTest::newRow("La cigale") << "Fble1" << 2;
    QTest::newRow("Le Corbeau") << "LeCorbeauetlerenard1" << 3;
    QTest::newRow("Presse-papiers") << "Pressepapiers1" << 4;
    QTest::newRow("Lettre") << "Lettre1" << 5;
    QTest::newRow("Relance") << "Relance1" << 6;
    QTest::newRow("Curriculum Vitae") << "CurriculumVitae1" << 7;
}

void TestTexteWindow::menuLoadsText()
{
    QFETCH(QString, item);
    QFETCH(int, code);
    chooseText(item.toLatin1().constData());
    TTexte *w = texte();
    QCOMPARE(w->GetIni(), code);
    const auto lines = textLines(code);
    QTextDocument *model = w->RichEdit1()->document();
    QCOMPARE(std::size_t(model->blockCount()), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QTextBlock block = model->findBlockByNumber(int(i));
        QCOMPARE(block.text(), QString::fromUtf8(lines[i].text));
        if (!block.text().isEmpty()) {
            QTextCursor c(block);
            c.movePosition(QTextCursor::NextCharacter);
            QCOMPARE(c.charFormat().fontWeight() == QFont::Bold, lines[i].style == TextLine::Style::Bold);
        }
    }
    QCOMPARE(w->RichEdit1()->textCursor().position(), 0);
    QVERIFY(w->RichEdit2()->toPlainText().isEmpty());
    QCOMPARE(w->good(), 0);
    QCOMPARE(w->errors(), 0);
}

void TestTexteWindow::wholeTextTypedLineByLine_data()
{
    menuLoadsText_data();
}

void TestTexteWindow::wholeTextTypedLineByLine()
{
    QFETCH(QString, item);
    QFETCH(int, code);
    chooseText(item.toLatin1().constData());
    TTexte *w = texte();
    QSignalSpy completed(w, &LessonWindow::lessonCompleted);
    const auto lines = textLines(code);
    for (const TextLine &l : lines) {
        typeText(w->RichEdit2(), QString::fromUtf8(l.text));
        pressEnter(w->RichEdit2());
    }
    QCOMPARE(completed.count(), 1); // the last line ends the text
    QCOMPARE(w->good(), int(lines.size()));
    QCOMPARE(w->errors(), 0);
    QCOMPARE(std::size_t(w->RichEdit2()->document()->blockCount()), lines.size() + 1);
    QVERIFY(w->RichEdit1()->verticalScrollBar()->value() > 0); // the model follows the learner
    // No end of text: an empty line past the model is accepted, anything else refused.
    pressEnter(w->RichEdit2());
    QCOMPARE(w->good(), int(lines.size()) + 1);
    typeText(w->RichEdit2(), QStringLiteral("fin"));
    pressEnter(w->RichEdit2());
    QCOMPARE(w->errors(), 1);
    QCOMPARE(completed.count(), 1);
}

void TestTexteWindow::refusedLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("caretBack"); // caret moved left before Enter
    QTest::addColumn<QString>("highlighted");
    QTest::newRow("last letter missing") << "Les fonctions de bas" << 0 << "e";
    QTest::newRow("one letter added") << "Les fonctions de bases" << 0 << "";
    QTest::newRow("wrong letter, caret inside the line") << "Les fonctions dx base" << 6 << "e";
    QTest::newRow("capital") << "Les Fonctions de base" << 0 << "f";
}

void TestTexteWindow::refusedLine()
{
    QFETCH(QString, typed);
    QFETCH(int, caretBack);
    QFETCH(QString, highlighted);
    TTexte *w = texte();
    typeText(w->RichEdit2(), typed);
    for (int i = 0; i < caretBack; ++i)
        QTest::keyClick(w->RichEdit2(), Qt::Key_Left);
    pressEnter(w->RichEdit2());
    QCOMPARE(w->errors(), 1);
    QCOMPARE(w->good(), 0);
    QCOMPARE(w->RichEdit2()->toPlainText(), typed); // no new line, nothing lost
    QCOMPARE(w->RichEdit1()->textCursor().selectedText(), highlighted);
    if (typed == QLatin1String("Les fonctions de bas"))
        QCOMPARE(w->PosErr(0), 21);
    // Each further refusal counts again; the next key removes the highlight.
    pressEnter(w->RichEdit2());
    QCOMPARE(w->errors(), 2);
    QTest::keyClick(w->RichEdit2(), Qt::Key_End);
    QTest::keyClick(w->RichEdit2(), Qt::Key_Backspace);
    QVERIFY(!w->RichEdit1()->textCursor().hasSelection());
}

void TestTexteWindow::everyWayOfStartingALineIsJudged_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+M") << int(Qt::Key_M) << int(Qt::ControlModifier);
}

void TestTexteWindow::everyWayOfStartingALineIsJudged()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TTexte *w = texte();
    const auto press = [&] {
        QTest::keyClick(w->RichEdit2(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    };
    typeText(w->RichEdit2(), QStringLiteral("Les fonctions"));
    press();
    QCOMPARE(w->errors(), 1);
    QCOMPARE(w->RichEdit2()->document()->blockCount(), 1);
    QCOMPARE(w->RichEdit2()->toPlainText(), QStringLiteral("Les fonctions"));

    typeText(w->RichEdit2(), QStringLiteral(" de base"));
    press();
    QCOMPARE(w->good(), 1);
    QCOMPARE(w->RichEdit2()->document()->blockCount(), 2);
    QCOMPARE(w->typedLine(0), line(1, 1)); // a new paragraph, no soft line break
    press();                               // the empty second line
    QCOMPARE(w->good(), 2);
    QCOMPARE(w->currentLine(), 1);
}

void TestTexteWindow::tabTypesATab()
{
    TTexte *w = texte();
    w->RichEdit2()->setFocus();
    QTest::keyClick(w->RichEdit2(), Qt::Key_Tab);
    QCOMPARE(w->RichEdit2()->toPlainText(), QStringLiteral("\t"));
}

void TestTexteWindow::deadKeysTypeButNeverBreakALine()
{
    TTexte *w = texte();
    const auto commit = [w](const QString &text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(w->RichEdit2(), &event);
    };
    typeText(w->RichEdit2(), QStringLiteral("Les"));
    commit(QStringLiteral("\u00ea"));
    QCOMPARE(w->RichEdit1()->textCursor().position(), 3); // the model's caret follows
    commit(QStringLiteral("a\nb\u2029c"));
    QCOMPARE(w->RichEdit2()->toPlainText(), QStringLiteral("Les\u00eaabc"));
    QCOMPARE(w->RichEdit2()->document()->blockCount(), 1);
    QCOMPARE(w->good() + w->errors(), 0);
}

void TestTexteWindow::setIni8KeepsTheModel()
{
    TTexte *w = texte();
    chooseText("Fble1");
    typeText(w->RichEdit2(), line(2, 1));
    pressEnter(w->RichEdit2());
    typeText(w->RichEdit2(), QStringLiteral("x"));
    pressEnter(w->RichEdit2());
    QCOMPARE(w->good(), 1);
    QCOMPARE(w->errors(), 1);
    w->SetIni(8);
    QCOMPARE(w->GetIni(), 8);
    QCOMPARE(w->good(), 0);
    QCOMPARE(w->errors(), 0);
    QVERIFY(w->RichEdit2()->toPlainText().isEmpty());
    QCOMPARE(w->modelLine(0), line(2, 1));
    QCOMPARE(w->RichEdit1()->document()->blockCount(), 24);
}

void TestTexteWindow::boldThenUnderline()
{
    TTexte *w = texte();
    typeText(w->RichEdit2(), line(1, 1));
    w->RichEdit2()->selectAll();
    const auto formats = [w] {
        QList<QTextCharFormat> list;
        QTextCursor c(w->RichEdit2()->document());
        while (c.movePosition(QTextCursor::NextCharacter))
            list << c.charFormat();
        return list;
    };
    frame()->toolButton(QStringLiteral("SpeedButton9"))->click(); // "Gras"
    for (const QTextCharFormat &f : formats()) {
        QCOMPARE(f.fontWeight(), int(QFont::Bold));
        QVERIFY(!f.fontUnderline());
    }
    frame()->toolButton(QStringLiteral("SpeedButton10"))->click(); // "Souligné"
    for (const QTextCharFormat &f : formats()) {
        QVERIFY(f.fontWeight() != QFont::Bold);
        QVERIFY(f.fontUnderline());
    }
    // Styles are not judged.
    QTextCursor end = w->RichEdit2()->textCursor();
    end.movePosition(QTextCursor::End);
    w->RichEdit2()->setTextCursor(end);
    pressEnter(w->RichEdit2());
    QCOMPARE(w->good(), 1);
    // At the caret, the style applies to what is typed next.
    frame()->toolButton(QStringLiteral("SpeedButton9"))->click();
    typeText(w->RichEdit2(), QStringLiteral("x"));
    QTextCursor c(w->RichEdit2()->document()->lastBlock());
    c.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    QVERIFY(!c.charFormat().fontUnderline());
    // A new lesson starts in the regular style.
    w->SetIni(1);
    QCOMPARE(w->RichEdit2()->currentCharFormat().fontWeight(), int(QFont::Normal));
}

void TestTexteWindow::formShowResetsErrors()
{
    TTexte *w = texte();
    typeText(w->RichEdit2(), line(1, 1));
    pressEnter(w->RichEdit2());
    typeText(w->RichEdit2(), QStringLiteral("x"));
    pressEnter(w->RichEdit2());
    QCOMPARE(w->errors(), 1);
    QMdiSubWindow *sub = frame()->subWindowOf(w);
    sub->hide();
    sub->show();
    QCOMPARE(w->errors(), 0);
    QCOMPARE(w->good(), 1);
}

void TestTexteWindow::keyInModelOnlyMovesFocus()
{
    TTexte *w = texte();
    frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame()));
    const QString model = w->RichEdit1()->toPlainText();
    for (QWidget *target : {static_cast<QWidget *>(w->RichEdit1()), static_cast<QWidget *>(w)}) {
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_A, QStringLiteral("a"), Qt::NoModifier);
        QCOMPARE(QApplication::focusWidget(), w->RichEdit2());
        QVERIFY(w->RichEdit2()->toPlainText().isEmpty());
        QCOMPARE(w->RichEdit1()->toPlainText(), model);
    }
}

void TestTexteWindow::clipboardThroughTheFrame()
{
    TTexte *w = texte();
    const QString copied = line(4, 6);
    typeText(w->RichEdit2(), copied);
    w->RichEdit2()->selectAll();
    frame()->action(QStringLiteral("Copier1"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    QTextCursor c = w->RichEdit2()->textCursor();
    c.movePosition(QTextCursor::End);
    w->RichEdit2()->setTextCursor(c);
    frame()->action(QStringLiteral("Coller1"))->trigger();
    QCOMPARE(w->typedLine(0), copied + copied);

    c.setPosition(0);
    c.setPosition(int(copied.size()), QTextCursor::KeepAnchor);
    w->RichEdit2()->setTextCursor(c);
    frame()->action(QStringLiteral("Couper1"))->trigger();
    QCOMPARE(w->RichEdit2()->toPlainText(), copied);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    w->RichEdit2()->clear();

    // The shortcut in the editor pastes as well.
    QGuiApplication::clipboard()->setText(line(1, 1));
    QTest::keyClick(w->RichEdit2(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w->RichEdit2()->toPlainText(), line(1, 1));
    pressEnter(w->RichEdit2());
    QCOMPARE(w->good(), 1);
}

void TestTexteWindow::characterTableInsertsAtCaret_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("texteActive");
    QTest::addColumn<QString>("expected");
    QTest::newRow("chosen") << QStringLiteral("\u00e9") << true << QStringLiteral("S\u00e9ance");
    QTest::newRow("cancelled") << QString() << true << QStringLiteral("Sxance");
    QTest::newRow("other window active") << QStringLiteral("\u00e9") << false << QStringLiteral("Sxance");
}

void TestTexteWindow::characterTableInsertsAtCaret()
{
    QFETCH(QString, chosen);
    QFETCH(bool, texteActive);
    QFETCH(QString, expected);
    TTexte *w = texte();
    typeText(w->RichEdit2(), QStringLiteral("Sxance"));
    QTextCursor c = w->RichEdit2()->textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor); // "x" selected
    w->RichEdit2()->setTextCursor(c);
    if (!texteActive)
        frame()->SpeedButton1Click(); // the keyboard window in front
    test::PrompterScope scope;
    scope.fake().onModal = [&](QDialog *dialog) {
        if (dialog == forms().Caract)
            forms().Caract->Result = chosen;
        return chosen.isEmpty() ? 0 : 1;
    };
    frame()->action(QStringLiteral("Tabledescaractres1"))->trigger();
    QCOMPARE(scope.fake().modals, QList<QDialog *>{forms().Caract});
    QCOMPARE(w->RichEdit2()->toPlainText(), expected);
}

void TestTexteWindow::chronometerAndStatistics()
{
    TTexte *w = texte();
    typeText(w->RichEdit2(), line(1, 1));
    pressEnter(w->RichEdit2());
    typeText(w->RichEdit2(), QStringLiteral("x"));
    pressEnter(w->RichEdit2());
    // Whatever its state, two chronometer commands leave it running from 0.
    frame()->SpeedButton8Click();
    frame()->SpeedButton8Click();
    if (!w->Timer1->isActive())
        frame()->SpeedButton8Click();
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(w->seconds(), 0);
    for (int i = 0; i < 90; ++i)
        w->Timer1Timer();
    test::PrompterScope scope;
    frame()->SpeedButton12Click();
    QCOMPARE(scope.fake().modals, QList<QDialog *>{forms().Stats});
    TStats *stats = forms().Stats;
    QCOMPARE(stats->Edit1()->text(), QStringLiteral("2"));
    QCOMPARE(stats->Edit2()->text(), QStringLiteral("1"));
    QCOMPARE(stats->Edit5()->text(), QStringLiteral("1:30"));
    frame()->SpeedButton8Click(); // stops and counts from 0 again
    QVERIFY(!w->Timer1->isActive());
    QCOMPARE(w->seconds(), 0);
}

QString TestTexteWindow::writeText(const QString &name, const QByteArray &bytes)
{
    QFile file(m_home.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

void TestTexteWindow::ownText_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("recent");    // "lettre" stands for the text file
    QTest::addColumn<QList<int>>("choices");    // answers to the choice of source
    QTest::addColumn<QStringList>("openNames"); // answers to the open dialog
    QTest::addColumn<QString>("firstLine");     // empty: the lesson in progress goes on
    QTest::addColumn<QStringList>("buttons");   // of the choice, when asked
    QTest::addColumn<int>("messages");          // information boxes
    QTest::addColumn<int>("errors");

    const QString lettre = QStringLiteral("\u00ab\u00a0Bonjour\u00a0\u00bb, dit l\u2019\u00e9l\u00e8ve.");
    const QStringList none;
    QTest::newRow("file, nothing else to offer")
        << QString() << none << QList<int>{} << QStringList{"lettre"} << lettre << none << 0 << 0;
    QTest::newRow("file, the clipboard offered too")
        << QStringLiteral("x") << none << QList<int>{0} << QStringList{"lettre"} << lettre
        << QStringList{"Un &fichier...", "Le &presse-papiers"} << 0 << 0;
    QTest::newRow("clipboard") << QStringLiteral("Du presse-papiers\u202f!\r\nFin") << none << QList<int>{1}
                               << none << QStringLiteral("Du presse-papiers\u00a0!")
                               << QStringList{"Un &fichier...", "Le &presse-papiers"} << 1 << 0;
    QTest::newRow("recent text") << QString() << QStringList{"lettre"} << QList<int>{1} << none << lettre
                                 << QStringList{"Un &fichier...", "lettre.txt"} << 0 << 0;
    QTest::newRow("choice closed") << QStringLiteral("x") << none << QList<int>{-1} << none << QString()
                                   << QStringList{"Un &fichier...", "Le &presse-papiers"} << 0 << 0;
    QTest::newRow("PDF refused") << QString() << none << QList<int>{} << QStringList{"doc.pdf"} << QString()
                                 << none << 0 << 1;
    QTest::newRow("recent text gone, dropped with a word")
        << QString() << QStringList{"parti.txt"} << QList<int>{} << none << QString() << none << 1 << 0;
}

// « Votre texte... »: the text comes from a file, the clipboard or the
// recent texts; given up or refused, the lesson in progress goes on.
void TestTexteWindow::ownText()
{
    QFETCH(QString, clipboard);
    QFETCH(QStringList, recent);
    QFETCH(QList<int>, choices);
    QFETCH(QStringList, openNames);
    QFETCH(QString, firstLine);
    QFETCH(QStringList, buttons);
    QFETCH(int, messages);
    QFETCH(int, errors);

    const QString lettre =
        writeText(QStringLiteral("lettre.txt"), "\xAB\xA0"
                                                "Bonjour\xA0\xBB, dit l\x92\xE9l\xE8ve.\r\nSuite\r\n");
    writeText(QStringLiteral("doc.pdf"), "%PDF-1.4\n");
    const auto path = [&](const QString &name) { return name == u"lettre" ? lettre : m_home.filePath(name); };
    QStringList recentPaths;
    for (const QString &r : recent)
        recentPaths << path(r);
    ui::settings()->setValue(QStringLiteral("textes/recents"), recentPaths);
    if (clipboard.isEmpty())
        QGuiApplication::clipboard()->clear();
    else
        QGuiApplication::clipboard()->setText(clipboard);
    test::PrompterScope scope;
    scope.fake().choices = choices;
    for (const QString &name : openNames)
        scope.fake().openNames << path(name);

    TTexte *w = texte();
    typeText(w->RichEdit2(), QStringLiteral("en cours"));
    chooseText("Votretexte1");
    QCOMPARE(scope.fake().choiceButtons.value(0), buttons);
    QCOMPARE(scope.fake().informations.size(), messages);
    QCOMPARE(scope.fake().errors.size(), errors);
    if (firstLine.isEmpty()) {
        QCOMPARE(w->GetIni(), 1);
        QCOMPARE(w->modelLine(0), line(1, 1));
        QCOMPARE(w->RichEdit2()->toPlainText(), QStringLiteral("en cours"));
        QVERIFY(frame()->action(QStringLiteral("Fonctionsdebase1"))->isChecked());
        if (!recent.isEmpty())
            QVERIFY(owntext::recentTexts().isEmpty());
        return;
    }
    QCOMPARE(w->GetIni(), 8);
    QCOMPARE(frame()->GetTexteMenu(), 8); // what a lesson file records
    QVERIFY(frame()->action(QStringLiteral("Votretexte1"))->isChecked());
    QCOMPARE(w->modelLine(0), firstLine);
    QCOMPARE(w->RichEdit1()->document()->blockCount(), 2);
    QVERIFY(w->RichEdit2()->toPlainText().isEmpty());
    const bool fromFile = firstLine.startsWith(u'\u00ab');
    QCOMPARE(w->session().current().title,
             fromFile ? QStringLiteral("lettre.txt") : QStringLiteral("presse-papiers"));
    QCOMPARE(owntext::recentTexts(), fromFile ? QStringList{lettre} : QStringList{});
    typeText(w->RichEdit2(), firstLine);
    pressEnter(w->RichEdit2());
    QCOMPARE(w->good(), 1);
    QCOMPARE(w->errors(), 0);
}

void TestTexteWindow::ownTextTypedWithPlainSpellings()
{
    const QString path =
        writeText(QStringLiteral("signes.txt"), "\xC2\xAB\xE2\x80\xAF"
                                                "C\xE2\x80\x99"
                                                "est tout\xE2\x80\xAF\xC2\xBB \xF0\x9F\x98\x80");
    QGuiApplication::clipboard()->clear();
    ui::settings()->remove(QStringLiteral("textes/recents"));
    m_prompts->fake().openNames = QStringList{path};
    TTexte *w = texte();
    const auto layoutsRule = w->acceptance;
    w->acceptance = [](QChar c) {
        return keyboard::acceptance(
            c, [](QChar x) { return x != QChar(0xAB) && x != QChar(0xBB) && x != QChar(0xA0); });
    };
    chooseText("Votretexte1");
    QCOMPARE(w->modelLine(0), QStringLiteral("\u00ab\u00a0C\u2019est tout\u00a0\u00bb \uFFFD"));
    typeText(w->RichEdit2(), QStringLiteral("\" C\u2019est tout \" "));
    pressEnter(w->RichEdit2());
    QCOMPARE(w->good(), 1);
    QCOMPARE(w->errors(), 0);
    w->acceptance = layoutsRule;
}

// A lesson file records code 8 and no text: opening it brings back the last
// text read, without a question.
void TestTexteWindow::setIni8BringsBackTheLastText()
{
    const QString path = writeText(QStringLiteral("dernier.txt"), "Le dernier texte lu\n");
    ui::settings()->setValue(QStringLiteral("textes/recents"), QStringList{path});
    test::PrompterScope scope;
    TTexte *w = texte();
    w->SetIni(8);
    QCOMPARE(w->modelLine(0), QStringLiteral("Le dernier texte lu"));
    QVERIFY(w->ownText());
    QCOMPARE(w->ownTitle(), QStringLiteral("dernier.txt"));
    QCOMPARE(scope.fake().openDialogs, 0);
    QVERIFY(scope.fake().choiceTexts.isEmpty());
}

// Of a settings file holding more paths than the five written, five are
// offered, each name as it is.
void TestTexteWindow::recentTextsAreTheFiveLast()
{
    QStringList recent{writeText(QStringLiteral("Tom & Jerry.txt"), "Tom et Jerry\n")};
    for (int i = 1; i < 205; ++i)
        recent << writeText(QStringLiteral("texte%1.txt").arg(i), "Un texte\n");
    ui::settings()->setValue(QStringLiteral("textes/recents"), recent);
    QGuiApplication::clipboard()->clear();
    test::PrompterScope scope;
    scope.fake().choices = {2};
    chooseText("Votretexte1");
    QCOMPARE(scope.fake().choiceButtons.value(0),
             (QStringList{"Un &fichier...", "Tom && Jerry.txt", "texte1.txt", "texte2.txt", "texte3.txt",
                          "texte4.txt"}));
    QCOMPARE(texte()->ownTitle(), QStringLiteral("texte1.txt"));
    QCOMPARE(owntext::recentTexts(), (QStringList{recent[1], recent[0], recent[2], recent[3], recent[4]}));
}

void TestTexteWindow::openDialogTakesTheNameAsTyped_data()
{
    QTest::addColumn<QString>("typed"); // in a folder holding « lettre » and « note.txt »
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("opened");
    QTest::newRow("no dot, all files") << "lettre"
                                       << "Tous les fichiers (*)"
                                       << "lettre";
    QTest::newRow("a text file without its suffix") << "note"
                                                    << "Textes (*.txt)"
                                                    << "note.txt";
    QTest::newRow("all files: the name typed") << "note"
                                               << "Tous les fichiers (*)"
                                               << "note";
}

// The open dialog itself, as the learner fills it in.
void TestTexteWindow::openDialogTakesTheNameAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, opened);
    QTemporaryDir folder;
    for (const char *name : {"lettre", "note.txt"})
        QVERIFY(QFile(folder.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setDirectory(folder.path());
        dialog->selectNameFilter(filter);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
            ->setText(typed);                     // not picked in the list
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, as Enter does
    });
    const QString path = ui::WidgetPrompter().openFileName(
        nullptr, QStringLiteral("Textes (*.txt)|*.txt|Tous les fichiers (*)|*"), QStringLiteral("txt"));
    QCOMPARE(path, folder.filePath(opened));
}

QTEST_MAIN(TestTexteWindow)
#include "tst_texte_window.moc"
