// The help pages as searchable topics: titles, keywords and text, matched
// word by word without regard to case or accents.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace help {

// Lower case, without accents or ligatures: "Chronomètre" and "chronometre"
// fold to the same text.
QString fold(const QString &text);

struct Topic
{
    QString page;  // "exercices.html"
    QString title; // the page's title
    QStringList keywords;
    QString text; // the page's text without its markup, folded
};

class Index final
{
public:
    // The pages of the table of contents and of the keyword list.
    static const Index &builtIn();

    const QList<Topic> &topics() const { return m_topics; }
    // The table of contents: each line's caption and page.
    const QList<QPair<QString, QString>> &contents() const { return m_contents; }
    // Whether every word of the query appears in the text, folded.
    static bool matches(const QString &text, const QString &query);
    // The topics with every word of the query in their title, keywords or
    // text: title matches first, then keyword matches, then the text's.
    QList<Topic> search(const QString &query) const;

private:
    QList<Topic> m_topics;
    QList<QPair<QString, QString>> m_contents;
};

} // namespace help
