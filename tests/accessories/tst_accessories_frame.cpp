// The accessories in the running program: each opens modally from
// "&Utilitaires" and keeps its state; the notes come from the start folder
// and go back there at the end, whatever the current folder then.
#include "accessories/tblocnotes.h"
#include "accessories/tcalendrier.h"
#include "accessories/thorloge.h"
#include "accessories/tpocket.h"
#include "app/forms.h"
#include "app/tmainform.h"
#include "support/testsupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QtTest>

class TestAccessoriesFrame : public QObject
{
    Q_OBJECT
private slots:
    void menuItemsOpenTheAccessoriesModally();
    void notesSurviveTheRunInTheStartFolder();
};

void TestAccessoriesFrame::menuItemsOpenTheAccessoriesModally()
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    test::startProgram();
    const Forms &f = forms();
    const QList<QPair<QString, QDialog *>> items{{QStringLiteral("Calendrier1"), f.Calendrier},
                                                 {QStringLiteral("Clculatrice1"), f.Pocket},
                                                 {QStringLiteral("Horloge1"), f.Horloge},
                                                 {QStringLiteral("Blocnotes1"), f.Blocnotes}};
    for (const auto &item : items) {
        QAction *action = f.MainForm->action(item.first);
        QVERIFY2(action, qPrintable(item.first));
        prompts.fake().modals.clear();
        action->trigger();
        QCOMPARE(prompts.fake().modals, QList<QDialog *>{item.second});
    }
    test::stopProgram();
}

void TestAccessoriesFrame::notesSurviveTheRunInTheStartFolder()
{
    test::TempCwd cwd;
    test::PrompterScope prompts;
    {
        QFile f(cwd.file(QStringLiteral("Tapivox.nte")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ligne 1\nligne 2");
    }
    test::startProgram();
    TBlocnotes *notes = forms().Blocnotes;
    QCOMPARE(notes->notes(), QStringLiteral("ligne 1\nligne 2"));
    notes->Memo1->moveCursor(QTextCursor::End);
    notes->Memo1->insertPlainText(QStringLiteral("\nligne 3 €"));
    // Elsewhere at the end: the notes still go to the start folder.
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    forms().MainForm->close();
    test::stopProgram();
    QVERIFY(!QFile::exists(elsewhere.filePath(QStringLiteral("Tapivox.nte"))));
    QFile f(cwd.file(QStringLiteral("Tapivox.nte")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("ligne 1\r\nligne 2\r\nligne 3 \x80"));
    QVERIFY(prompts.fake().errors.isEmpty());
}

QTEST_MAIN(TestAccessoriesFrame)
#include "tst_accessories_frame.moc"
