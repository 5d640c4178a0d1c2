// Help viewer over the compiled-in French help pages.
#include "app/helpviewer.h"

#include "app/helpindex.h"
#include "app/lessontable.h"
#include "ui/screenfit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

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
    for (const auto &[caption, page] : help::Index::builtIn().contents()) {
        auto *item = new QListWidgetItem(caption, contentsList);
        item->setData(Qt::UserRole, page);
    }
    tabs->addTab(contentsList, QStringLiteral("Sommaire"));

    auto *searchPage = new QWidget;
    auto *searchLayout = new QVBoxLayout(searchPage);
    // Each list and the field carry their caption, for screen readers too.
    const auto caption = [searchLayout](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text);
        label->setBuddy(buddy);
        buddy->setAccessibleName(QString(text).remove(QStringLiteral("\u00a0:")));
        searchLayout->addWidget(label);
    };
    searchEdit = new QLineEdit;
    searchEdit->setObjectName(QStringLiteral("searchEdit"));
    caption(QStringLiteral("Tapez un mot ou une partie de mot\u00a0:"), searchEdit);
    searchLayout->addWidget(searchEdit);
    keywordList = new QListWidget;
    keywordList->setObjectName(QStringLiteral("keywordList"));
    for (const auto &[word, page] : keywords()) {
        auto *item = new QListWidgetItem(word, keywordList);
        item->setData(Qt::UserRole, page);
    }
    keywordList->sortItems();
    caption(QStringLiteral("Mots clés\u00a0:"), keywordList);
    searchLayout->addWidget(keywordList, 1);
    topicList = new QListWidget;
    topicList->setObjectName(QStringLiteral("topicList"));
    caption(QStringLiteral("Sujets où le mot apparaît\u00a0:"), topicList);
    searchLayout->addWidget(topicList, 1);
    searchStatus = new QLabel;
    searchStatus->setObjectName(QStringLiteral("searchStatus"));
    QFont bold = searchStatus->font();
    bold.setBold(true);
    searchStatus->setFont(bold);
    searchLayout->addWidget(searchStatus);
    tabs->addTab(searchPage, QStringLiteral("Rechercher"));

    browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenExternalLinks(false);
    browser->setSearchPaths({QStringLiteral(":/help")});

    backButton = new QToolButton;
    backButton->setObjectName(QStringLiteral("backButton"));
    backButton->setText(QStringLiteral("Précédent"));
    backButton->setToolTip(QStringLiteral("Revenir à la page vue avant (Alt+Gauche)"));
    backButton->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    backButton->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    forwardButton = new QToolButton;
    forwardButton->setObjectName(QStringLiteral("forwardButton"));
    forwardButton->setText(QStringLiteral("Suivant"));
    forwardButton->setToolTip(QStringLiteral("Aller à la page vue après (Alt+Droite)"));
    forwardButton->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    forwardButton->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    for (QToolButton *b : {backButton, forwardButton}) {
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setEnabled(false);
    }
    connect(backButton, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QToolButton::setEnabled);
    auto *pagePane = new QWidget;
    auto *pageLayout = new QVBoxLayout(pagePane);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(backButton);
    buttons->addWidget(forwardButton);
    buttons->addStretch();
    pageLayout->addLayout(buttons);
    pageLayout->addWidget(browser);

    auto *splitter = new QSplitter;
    splitter->addWidget(tabs);
    splitter->addWidget(pagePane);
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
    connect(topicList, &QListWidget::itemActivated, this, openItem);
    connect(topicList, &QListWidget::itemClicked, this, openItem);
    connect(searchEdit, &QLineEdit::textChanged, this, &HelpViewer::filterKeywords);
    connect(searchEdit, &QLineEdit::returnPressed, this, &HelpViewer::openFirstFound);
}

void HelpViewer::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ui::fitWindowToScreen(this);
}

QList<QPair<QString, QString>> HelpViewer::keywords()
{
    QList<QPair<QString, QString>> rows;
    for (const help::Topic &topic : help::Index::builtIn().topics())
        for (const QString &word : topic.keywords)
            rows.append({word, topic.page});
    return rows;
}

void HelpViewer::openFirstFound()
{
    for (QListWidget *list : {keywordList, topicList})
        for (int i = 0; i < list->count(); ++i)
            if (!list->item(i)->isHidden()) {
                open(list->item(i)->data(Qt::UserRole).toString());
                return;
            }
}

QString HelpViewer::pageOfContext(int context)
{
    switch (context) {
    case 2: return QStringLiteral("fichier.html");
    case 3: return QStringLiteral("edition.html");
    case 11: return QStringLiteral("options.html");
    case 12: return QStringLiteral("utilitaires.html");
    case 13: return QStringLiteral("index.html");
    default: break;
    }
    // A lesson menu opens its lesson's page.
    const LessonDef *row = lessonRowOfHelpContext(context);
    return row ? QLatin1String(row->helpPage) : QString();
}

// The game's window carries the same context number as the spreadsheet menu;
// each lesson window gets its own page.
QString HelpViewer::pageOfModule(int module)
{
    const LessonDef *row = lessonRow(module);
    return row ? QLatin1String(row->helpPage) : QString();
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

// Keywords that hold every word typed, anywhere and whatever the case or
// accents, and the pages that hold them in their title, keywords or text.
void HelpViewer::filterKeywords(const QString &text)
{
    const bool all = text.trimmed().isEmpty();
    QListWidgetItem *first = nullptr;
    for (int i = 0; i < keywordList->count(); ++i) {
        QListWidgetItem *item = keywordList->item(i);
        const bool match = all || help::Index::matches(item->text(), text);
        item->setHidden(!match);
        if (match && !first)
            first = item;
    }
    if (first)
        keywordList->setCurrentItem(first);
    topicList->clear();
    if (!all)
        for (const help::Topic &topic : help::Index::builtIn().search(text)) {
            auto *item = new QListWidgetItem(topic.title, topicList);
            item->setData(Qt::UserRole, topic.page);
        }
    searchStatus->setText(!all && !first && topicList->count() == 0 ? QStringLiteral("Aucun sujet trouvé")
                                                                    : QString());
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
