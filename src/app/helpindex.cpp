// Reading the compiled-in help pages into topics, and searching them.
#include "app/helpindex.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace help {

QString fold(const QString &text)
{
    QString folded = text.toCaseFolded();
    folded.replace(u'œ', QLatin1String("oe")).replace(u'æ', QLatin1String("ae"));
    folded.replace(u'’', u'\'');
    folded = folded.normalized(QString::NormalizationForm_D);
    folded.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return folded;
}

namespace {

QList<QPair<QString, QString>> readTable(const QString &resource)
{
    QList<QPair<QString, QString>> rows;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        if (bar > 0)
            rows.append({line.left(bar).trimmed(), line.mid(bar + 1).trimmed()});
    }
    return rows;
}

// The page's text as the viewer shows it: markup dropped, entities read.
QString plainText(QString html)
{
    static const QRegularExpression head(QStringLiteral("<head>.*</head>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression entity(QStringLiteral("&#(\\d+);"));
    html.remove(head).replace(tag, QStringLiteral(" "));
    QRegularExpressionMatch m;
    while ((m = entity.match(html)).hasMatch())
        html.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toInt()));
    return html.replace(QLatin1String("&nbsp;"), QLatin1String(" "))
        .replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"))
        .simplified();
}

} // namespace

const Index &Index::builtIn()
{
    static const Index index = [] {
        Index built;
        const auto addPage = [&built](const QString &page) -> Topic & {
            for (Topic &t : built.m_topics)
                if (t.page == page)
                    return t;
            Topic topic;
            topic.page = page;
            QFile file(QStringLiteral(":/help/") + page);
            if (file.open(QIODevice::ReadOnly)) {
                const QString html = QString::fromUtf8(file.readAll());
                static const QRegularExpression title(QStringLiteral("<title>(.*)</title>"));
                topic.title = plainText(title.match(html).captured(1));
                topic.text = fold(plainText(html));
            }
            built.m_topics.append(topic);
            return built.m_topics.last();
        };
        built.m_contents = readTable(QStringLiteral(":/help/contents.txt"));
        for (const auto &[caption, page] : built.m_contents)
            addPage(page);
        for (const auto &[word, page] : readTable(QStringLiteral(":/help/keywords.txt")))
            addPage(page).keywords << word;
        return built;
    }();
    return index;
}

bool Index::matches(const QString &text, const QString &query)
{
    const QString folded = fold(text);
    const QStringList words = fold(query).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return !words.isEmpty() &&
           std::all_of(words.begin(), words.end(), [&](const QString &w) { return folded.contains(w); });
}

QList<Topic> Index::search(const QString &query) const
{
    QList<Topic> byTitle, byKeyword, byText;
    for (const Topic &t : m_topics) {
        if (matches(t.title, query))
            byTitle << t;
        else if (matches(t.keywords.join(QLatin1Char(' ')), query))
            byKeyword << t;
        else if (matches(t.title + QLatin1Char(' ') + t.keywords.join(QLatin1Char(' ')) + QLatin1Char(' ') +
                             t.text,
                         query))
            byText << t;
    }
    return byTitle + byKeyword + byText;
}

} // namespace help
