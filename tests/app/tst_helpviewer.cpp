// The built-in help: every topic the program can open exists, and the
// keyword search narrows the index.
#include "app/helpviewer.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QtTest>

class TestHelpViewer : public QObject
{
    Q_OBJECT
private slots:
    void everyTopicExists();
    void contextsOpenTheirPage_data();
    void contextsOpenTheirPage();
    void searchNarrowsKeywords();
};

void TestHelpViewer::everyTopicExists()
{
    QStringList pages;
    for (int context = 2; context <= 13; ++context)
        pages << HelpViewer::pageOfContext(context);
    for (int module = 1; module <= 7; ++module)
        pages << HelpViewer::pageOfModule(module);
    for (const auto &[word, page] : HelpViewer::keywords())
        pages << page;
    pages << QStringLiteral("index.html") << QStringLiteral("aide.html");
    for (const QString &page : pages) {
        QVERIFY2(!page.isEmpty(), "a context without a page");
        QFile file(QStringLiteral(":/help/") + page);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
        QVERIFY(file.readAll().contains("<h1>"));
    }
    QVERIFY(HelpViewer::keywords().size() > 20);
}

void TestHelpViewer::contextsOpenTheirPage_data()
{
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("title");
    QTest::newRow("Fichier") << 2 << "Menu Fichier";
    QTest::newRow("Exercices") << 5 << "Exercices";
    QTest::newRow("Tableur") << 8 << "Tableur";
    QTest::newRow("Jeu") << 10 << "Jeu";
    QTest::newRow("help menu") << 13 << "Aide de Tapivox";
}

void TestHelpViewer::contextsOpenTheirPage()
{
    QFETCH(int, context);
    QFETCH(QString, title);
    HelpViewer viewer;
    viewer.showContext(context);
    QCOMPARE(viewer.browser->documentTitle(), title);
}

void TestHelpViewer::searchNarrowsKeywords()
{
    HelpViewer viewer;
    viewer.showSearch(QString());
    QCOMPARE(viewer.tabs->currentIndex(), 1);
    viewer.searchEdit->setText(QStringLiteral("cal"));
    QStringList visible;
    for (int i = 0; i < viewer.keywordList->count(); ++i)
        if (!viewer.keywordList->item(i)->isHidden())
            visible << viewer.keywordList->item(i)->text();
    QCOMPARE(visible, (QStringList{"calculatrice", "calendrier"}));
    QTest::keyClick(viewer.searchEdit, Qt::Key_Return);
    QCOMPARE(viewer.browser->documentTitle(), QStringLiteral("Menu Utilitaires"));
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
