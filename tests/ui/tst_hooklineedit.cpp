// The judged line edit: nothing reaches the text without passing the hook.
#include "ui/caretrest.h"
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
    void deadKeysAreComposedHere_data();
    void deadKeysAreComposedHere();
    void caretRestsUntilTheNextInput_data();
    void caretRestsUntilTheNextInput();

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

// The line takes no input method: its dead keys come as keys, and the
// composer gives the accented letter, or the dead key's character then the
// letter. A character Windows-1252 lacks is judged (code 0) and kept out.
void TestHookLineEdit::deadKeysAreComposedHere_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("seen");
    QTest::newRow("^ e") << int(Qt::Key_E) << QStringLiteral("e") << QList<int>{0xEA};
    QTest::newRow("^ z") << int(Qt::Key_Z) << QStringLiteral("z") << QList<int>{'^', 'z'};
    QTest::newRow("^ space") << int(Qt::Key_Space) << QStringLiteral(" ") << QList<int>{'^'};
    QTest::newRow("^ AltGr+i") << int(Qt::Key_I) << QString::fromUtf8("→") << QList<int>{'^', 0};
}

void TestHookLineEdit::deadKeysAreComposedHere()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QList<int>, seen);
    m_edit->activateWindow();
    m_edit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), m_edit);
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(m_edit, &query);
    QVERIFY(!query.value(Qt::ImEnabled).toBool());
    QTest::sendKeyEvent(QTest::Press, m_edit, Qt::Key_Dead_Circumflex, QString(), {});
    QTest::sendKeyEvent(QTest::Press, m_edit, Qt::Key(key), text, {});
    QCOMPARE(m_seen, seen);
    QVERIFY(!m_edit->text().contains(QString::fromUtf8("→")));
}

void TestHookLineEdit::caretRestsUntilTheNextInput_data()
{
    QTest::addColumn<QString>("wake"); // what ends the rest
    QTest::newRow("a key") << QStringLiteral("key");
    QTest::newRow("a click") << QStringLiteral("click");
    QTest::newRow("switched off") << QStringLiteral("off");
}

// A steady caret after a while without input, the platform's blinking again
// at the next key or click, and whenever the rest is switched off.
void TestHookLineEdit::caretRestsUntilTheNextInput()
{
    QFETCH(QString, wake);
    const int blinking = QApplication::cursorFlashTime();
    QVERIFY(blinking > 0);
    ui::CaretRest rest;
    rest.setRestMs(20);
    rest.setEnabled(true);
    QTRY_VERIFY(rest.resting());
    QCOMPARE(QApplication::cursorFlashTime(), 0);
    if (wake == QLatin1String("key"))
        QTest::keyClick(m_edit, Qt::Key_Right);
    else if (wake == QLatin1String("click"))
        QTest::mouseClick(m_edit, Qt::LeftButton);
    else
        rest.setEnabled(false);
    QVERIFY(!rest.resting());
    QCOMPARE(QApplication::cursorFlashTime(), blinking);
    if (rest.enabled())
        QTRY_VERIFY(rest.resting()); // and again after the next wait
}

QTEST_MAIN(TestHookLineEdit)
#include "tst_hooklineedit.moc"
