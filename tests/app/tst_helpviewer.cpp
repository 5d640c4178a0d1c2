// The built-in help: every topic the program can open exists, and the
// keyword search narrows the index.
#include "app/helpviewer.h"
#include "app/lessontable.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

class TestHelpViewer : public QObject
{
    Q_OBJECT
private slots:
    void everyTopicExists();
    void contextsOpenTheirPage_data();
    void contextsOpenTheirPage();
    void searchNarrowsKeywords();
    void searchFindsWordsAnywhere_data();
    void searchFindsWordsAnywhere();
    void backAndForward();
};

void TestHelpViewer::everyTopicExists()
{
    QStringList pages;
    for (int context = 2; context <= 13; ++context)
        pages << HelpViewer::pageOfContext(context);
    for (const LessonDef &row : lessonTable())
        pages << HelpViewer::pageOfModule(row.module);
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
    // The lists are read by their captions, without the colon.
    QCOMPARE(viewer.keywordList->accessibleName(), QString::fromUtf8("Mots clés"));
    viewer.searchEdit->setText(QStringLiteral("cal"));
    QStringList visible;
    for (int i = 0; i < viewer.keywordList->count(); ++i)
        if (!viewer.keywordList->item(i)->isHidden())
            visible << viewer.keywordList->item(i)->text();
    QCOMPARE(visible, (QStringList{"calculatrice", "calendrier"}));
    QTest::keyClick(viewer.searchEdit, Qt::Key_Return);
    QCOMPARE(viewer.browser->documentTitle(), QStringLiteral("Menu Utilitaires"));
}

void TestHelpViewer::searchFindsWordsAnywhere_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("keyword"); // the first keyword left; empty: none
    QTest::addColumn<QString>("topic");   // one of the topics found; empty: none
    QTest::addColumn<QString>("opened");  // the page Enter opens
    QTest::newRow("without accents") << "chronometre" << QString::fromUtf8("chronomètre") << "Menu Options"
                                     << "Menu Options";
    QTest::newRow("part of a word") << "leco" << QString::fromUtf8("fichier de leçon") << "Menu Fichier"
                                    << "Menu Fichier";
    QTest::newRow("capitals, in the text only") << "ERGOT"
                                                << ""
                                                << "Bien s'installer et placer les mains"
                                                << "Bien s'installer et placer les mains";
    QTest::newRow("every word") << "majuscules accentuees" << QString::fromUtf8("majuscules accentuées")
                                << "Majuscules accentuées sous Linux"
                                << "Majuscules accentuées sous Linux";
    QTest::newRow("words of two pages") << "arobase auriculaire"
                                        << ""
                                        << ""
                                        << "";
    QTest::newRow("nothing") << "xyzzy"
                             << ""
                             << ""
                             << "";
}

void TestHelpViewer::searchFindsWordsAnywhere()
{
    QFETCH(QString, query);
    QFETCH(QString, keyword);
    QFETCH(QString, topic);
    QFETCH(QString, opened);
    HelpViewer viewer;
    viewer.showSearch(QString());
    viewer.searchEdit->setText(query);
    QString first;
    for (int i = 0; i < viewer.keywordList->count() && first.isEmpty(); ++i)
        if (!viewer.keywordList->item(i)->isHidden())
            first = viewer.keywordList->item(i)->text();
    QCOMPARE(first, keyword);
    QStringList topics;
    for (int i = 0; i < viewer.topicList->count(); ++i)
        topics << viewer.topicList->item(i)->text();
    QCOMPARE(topics.contains(topic), !topic.isEmpty());
    QCOMPARE(viewer.searchStatus->text(),
             topics.isEmpty() && keyword.isEmpty() ? QString::fromUtf8("Aucun sujet trouvé") : QString());
    QTest::keyClick(viewer.searchEdit, Qt::Key_Return);
    QCOMPARE(viewer.browser->documentTitle(), opened.isEmpty() ? QStringLiteral("Aide de Tapivox") : opened);
}

void TestHelpViewer::backAndForward()
{
    HelpViewer viewer;
    viewer.showContents();
    QVERIFY(!viewer.backButton->isEnabled());
    viewer.showContext(5);
    viewer.backButton->click();
    QCOMPARE(viewer.browser->documentTitle(), QStringLiteral("Aide de Tapivox"));
    QVERIFY(viewer.forwardButton->isEnabled());
    viewer.forwardButton->click();
    QCOMPARE(viewer.browser->documentTitle(), QStringLiteral("Exercices"));
    QVERIFY(!viewer.forwardButton->isEnabled());
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
