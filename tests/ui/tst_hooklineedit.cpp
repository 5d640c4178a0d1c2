// The judged line edit: nothing reaches the text without passing the hook.
#include "ui/hooklineedit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QtTest>

class TestHookLineEdit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void refusedKeyIsNotInserted();
    void acceptedKeyIsInserted();
    void controlKeysAreJudged();
    void deadKeyCommitIsJudgedPerCharacter();
    void preeditIsNotACharacter();
    void middleClickDoesNotPaste();
    void navigationKeysPassUnjudged();
    void pasteKeysWithoutCharacterDoNothing();
    void longCommitIsJudgedAtEachCaret();

private:
    ui::HookLineEdit *m_edit = nullptr;
    QList<int> m_seen;
    QString m_allowed;
};

void TestHookLineEdit::init()
{
    m_edit = new ui::HookLineEdit;
    m_edit->setJudgedInput(true);
    m_seen.clear();
    m_allowed = QStringLiteral("abê");
    m_edit->keyPressHook = [this](quint8 code) {
        m_seen << code;
        return m_allowed.contains(QChar(code));
    };
    m_edit->show();
}

void TestHookLineEdit::cleanup()
{
    delete m_edit;
}

void TestHookLineEdit::refusedKeyIsNotInserted()
{
    QTest::keyClick(m_edit, Qt::Key_X);
    QCOMPARE(m_edit->text(), QString());
    QCOMPARE(m_seen, QList<int>{'x'});
}

void TestHookLineEdit::acceptedKeyIsInserted()
{
    QTest::keyClick(m_edit, Qt::Key_A);
    QTest::keyClick(m_edit, Qt::Key_B);
    QCOMPARE(m_edit->text(), QStringLiteral("ab"));
}

void TestHookLineEdit::controlKeysAreJudged()
{
    QApplication::clipboard()->setText(QStringLiteral("aaaa"));
    QTest::keyClick(m_edit, Qt::Key_A);
    QTest::keyClick(m_edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    QTest::keyClick(m_edit, Qt::Key_Return);
    QCOMPARE(m_edit->text(), QStringLiteral("a"));
    QCOMPARE(m_seen, (QList<int>{'a', 22, 8, 13}));
}

void TestHookLineEdit::deadKeyCommitIsJudgedPerCharacter()
{
    QInputMethodEvent accepted;
    accepted.setCommitString(QString::fromUtf8("ê"));
    QApplication::sendEvent(m_edit, &accepted);
    QInputMethodEvent refused;
    refused.setCommitString(QString::fromUtf8("ô"));
    QApplication::sendEvent(m_edit, &refused);
    QCOMPARE(m_edit->text(), QString::fromUtf8("ê"));
    QCOMPARE(m_seen, (QList<int>{0xEA, 0xF4}));
}

void TestHookLineEdit::preeditIsNotACharacter()
{
    QInputMethodEvent pending(QStringLiteral("^"), {});
    QApplication::sendEvent(m_edit, &pending);
    QVERIFY(m_seen.isEmpty());
    QCOMPARE(m_edit->text(), QString());
}

void TestHookLineEdit::middleClickDoesNotPaste()
{
    if (QApplication::clipboard()->supportsSelection())
        QApplication::clipboard()->setText(QStringLiteral("abab"), QClipboard::Selection);
    QTest::mouseClick(m_edit, Qt::MiddleButton);
    QCOMPARE(m_edit->text(), QString());
    QCOMPARE(m_edit->contextMenuPolicy(), Qt::NoContextMenu);
    QVERIFY(!m_edit->acceptDrops());
}

void TestHookLineEdit::navigationKeysPassUnjudged()
{
    QTest::keyClick(m_edit, Qt::Key_A);
    QTest::keyClick(m_edit, Qt::Key_B);
    QTest::keyClick(m_edit, Qt::Key_Left);
    QTest::keyClick(m_edit, Qt::Key_Home);
    QCOMPARE(m_edit->cursorPosition(), 0);
    QCOMPARE(m_seen, (QList<int>{'a', 'b'}));
}

void TestHookLineEdit::pasteKeysWithoutCharacterDoNothing()
{
    QApplication::clipboard()->setText(QStringLiteral("abab"));
    QTest::keyClick(m_edit, Qt::Key_Insert, Qt::ShiftModifier);
    QKeyEvent pasteKey(QEvent::KeyPress, Qt::Key_Paste, Qt::NoModifier);
    QApplication::sendEvent(m_edit, &pasteKey);
    QCOMPARE(m_edit->text(), QString());
    // Without judging, the same keys paste as in any editor.
    m_edit->setJudgedInput(false);
    QTest::keyClick(m_edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(m_edit->text(), QStringLiteral("abab"));
}

void TestHookLineEdit::longCommitIsJudgedAtEachCaret()
{
    // A judge that wants "ab" in order sees each character at its own caret.
    m_edit->keyPressHook = [this](quint8 code) {
        const QString model = QStringLiteral("ab");
        const int caret = m_edit->cursorPosition();
        return caret < model.size() && model.at(caret) == QChar(code);
    };
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("abx"));
    QApplication::sendEvent(m_edit, &commit);
    QCOMPARE(m_edit->text(), QStringLiteral("ab"));
}

QTEST_MAIN(TestHookLineEdit)
#include "tst_hooklineedit.moc"
