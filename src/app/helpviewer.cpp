// Help viewer over the compiled-in French help pages.
#include "app/helpviewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QList<QPair<QString, QString>> readTable(const QString &resource)
{
    QList<QPair<QString, QString>> rows;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const int bar = line.indexOf(QLatin1Char('|'));
        if (bar > 0)
            rows.append({line.left(bar).trimmed(), line.mid(bar + 1).trimmed()});
    }
    return rows;
}

} // namespace

HelpViewer::HelpViewer(QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Aide de Tapivox"));
    resize(760, 560);

    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("tabs"));
    contentsList = new QListWidget;
    contentsList->setObjectName(QStringLiteral("contentsList"));
    for (const auto &[title, page] : readTable(QStringLiteral(":/help/contents.txt"))) {
        auto *item = new QListWidgetItem(title, contentsList);
        item->setData(Qt::UserRole, page);
    }
    tabs->addTab(contentsList, QStringLiteral("Sommaire"));

    auto *searchPage = new QWidget;
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(new QLabel(QStringLiteral("Tapez les premières lettres du mot recherché :")));
    searchEdit = new QLineEdit;
    searchEdit->setObjectName(QStringLiteral("searchEdit"));
    searchLayout->addWidget(searchEdit);
    keywordList = new QListWidget;
    keywordList->setObjectName(QStringLiteral("keywordList"));
    for (const auto &[word, page] : keywords()) {
        auto *item = new QListWidgetItem(word, keywordList);
        item->setData(Qt::UserRole, page);
    }
    keywordList->sortItems();
    searchLayout->addWidget(keywordList);
    tabs->addTab(searchPage, QStringLiteral("Rechercher"));

    browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenExternalLinks(false);
    browser->setSearchPaths({QStringLiteral(":/help")});

    auto *splitter = new QSplitter;
    splitter->addWidget(tabs);
    splitter->addWidget(browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 540});
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    auto openItem = [this](QListWidgetItem *item) {
        if (item)
            open(item->data(Qt::UserRole).toString());
    };
    connect(contentsList, &QListWidget::itemActivated, this, openItem);
    connect(contentsList, &QListWidget::itemClicked, this, openItem);
    connect(keywordList, &QListWidget::itemActivated, this, openItem);
    connect(keywordList, &QListWidget::itemClicked, this, openItem);
    connect(searchEdit, &QLineEdit::textChanged, this, &HelpViewer::filterKeywords);
    connect(searchEdit, &QLineEdit::returnPressed, this, [this, openItem] {
        for (int i = 0; i < keywordList->count(); ++i)
            if (!keywordList->item(i)->isHidden()) {
                openItem(keywordList->item(i));
                return;
            }
    });
}

QList<QPair<QString, QString>> HelpViewer::keywords()
{
    return readTable(QStringLiteral(":/help/keywords.txt"));
}

QString HelpViewer::pageOfContext(int context)
{
    switch (context) {
    case 2: return QStringLiteral("fichier.html");
    case 3: return QStringLiteral("edition.html");
    case 4: return QStringLiteral("clavier.html");
    case 5: return QStringLiteral("exercices.html");
    case 6: return QStringLiteral("phrases.html");
    case 7: return QStringLiteral("texte.html");
    case 8: return QStringLiteral("tableur.html");
    case 9: return QStringLiteral("saisie.html");
    case 10: return QStringLiteral("jeu.html");
    case 11: return QStringLiteral("options.html");
    case 12: return QStringLiteral("utilitaires.html");
    case 13: return QStringLiteral("index.html");
    default: return {};
    }
}

// The game's window carries the same context number as the spreadsheet menu;
// each lesson window gets its own page.
QString HelpViewer::pageOfModule(int module)
{
    static const char *const pages[] = {"clavier", "exercices", "phrases", "texte",
                                        "jeu",     "tableur",   "saisie"};
    if (module < 1 || module > 7)
        return {};
    return QLatin1String(pages[module - 1]) + QStringLiteral(".html");
}

void HelpViewer::showLessonHelp(int module)
{
    open(pageOfModule(module));
}

void HelpViewer::open(const QString &page)
{
    if (page.isEmpty())
        return;
    browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
    show();
    raise();
    activateWindow();
}

void HelpViewer::filterKeywords(const QString &text)
{
    QListWidgetItem *first = nullptr;
    for (int i = 0; i < keywordList->count(); ++i) {
        QListWidgetItem *item = keywordList->item(i);
        const bool match = item->text().startsWith(text, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && !first)
            first = item;
    }
    if (first)
        keywordList->setCurrentItem(first);
}

void HelpViewer::showContents()
{
    tabs->setCurrentIndex(0);
    open(QStringLiteral("index.html"));
}

void HelpViewer::showSearch(const QString &partial)
{
    tabs->setCurrentIndex(1);
    searchEdit->setText(partial);
    filterKeywords(partial);
    if (browser->source().isEmpty())
        open(QStringLiteral("index.html"));
    show();
    raise();
    searchEdit->setFocus();
}

void HelpViewer::showHelpOnHelp()
{
    open(QStringLiteral("aide.html"));
}

void HelpViewer::showContext(int context)
{
    open(pageOfContext(context));
}
