// The built-in help viewer: French pages compiled into the program, a table
// of contents, a keyword search and a page on using the help.
#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QTabWidget;
class QToolButton;

class HelpViewer final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpViewer)
public:
    explicit HelpViewer(QWidget *parent = nullptr);

    void showContents();
    // Opens the search tab with the keyword field holding partial.
    void showSearch(const QString &partial);
    void showHelpOnHelp();
    // The topic of a help context number (menus 2..13, windows 5..8).
    void showContext(int context);

    // The topic of a lesson window by module code (1..7).
    void showLessonHelp(int module);

    // The page a context number opens; empty when none.
    static QString pageOfContext(int context);
    static QString pageOfModule(int module);
    // Keywords of the index and the page each one opens.
    static QList<QPair<QString, QString>> keywords();

    QTabWidget *tabs;
    QListWidget *contentsList;
    QLineEdit *searchEdit;
    QListWidget *keywordList;
    QListWidget *topicList;  // pages with the searched words anywhere
    QLabel *searchStatus;    // "Aucun sujet trouvé" when nothing matches
    QToolButton *backButton; // the page seen before
    QToolButton *forwardButton;
    QTextBrowser *browser;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void open(const QString &page);
    void filterKeywords(const QString &text);
    void openFirstFound();
};
