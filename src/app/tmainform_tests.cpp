// The tests of the Exercices menu: the timed copy test.
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "drills/tepreuve.h"
#include "drills/texttexts.h"

namespace {
QList<QPair<QString, QString>> copyTestTexts()
{
    // The lesson texts, by their menu captions; the learner's own comes
    // from a file chosen in the window.
    QList<QPair<QString, QString>> texts;
    for (const progress::LessonFamily &family : lessonFamilies()) {
        if (family.module != progress::kTextModule)
            continue;
        for (const auto &[code, name] : family.lessons) {
            QStringList lines;
            for (const TextLine &line : textLines(code))
                lines << QString::fromUtf8(line.text);
            if (!lines.isEmpty())
                texts.append({name, lines.join(u'\n')});
        }
    }
    return texts;
}
} // namespace

void TMainForm::Epreuve1Click()
{
    if (!m_epreuve) {
        m_epreuve = new TEpreuve(this);
        m_epreuve->setTexts(copyTestTexts());
    } else if (!m_epreuve->running()) {
        m_epreuve->showSetup();
    }
    m_epreuve->show();
    m_epreuve->raise();
    m_epreuve->activateWindow();
}
