// TPhrases: phrase drills, two pages of three phrases per category.
#include "drills/tphrases.h"

#include "drills/phrasetexts.h"
#include "keymodel/keymodel.h"

#include <QLabel>
#include <QTimer>

TPhrases::TPhrases(QWidget *parent)
    : DrillWindow(QStringLiteral("TPhrases"), 3, 6,
                  Look{QColor(0x80, 0x00, 0x80), 27, 17, QStringLiteral("Bon")}, parent)
{
    setWindowTitle(QStringLiteral("Phrases"));
    nameForScreenReader({QStringLiteral("phrase"), QStringLiteral("Tapez ici la phrase au-dessus"),
                         QStringLiteral("Consigne des phrases")});
    // Runs until the first SetIni stops it.
    Timer1->start();
    // The phrases' characters as the learner's layout gives them (the model
    // is read at the first judged key).
    m_drill.lines().setAcceptance(
        [](QChar c) { return keyboard::acceptance(keyboard::LiveKeyModel::instance().model(), c); });
}

void TPhrases::SetIni(std::int32_t code)
{
    LessonWindow::SetIni(code);
    m_drill.start(code);
    showScore();
    showTitle();
    showDrill();
    focusLine(0);
    Timer1->stop();
}

void TPhrases::loadCategory(std::int32_t code)
{
    m_drill.load(code);
    showTitle();
    showDrill();
}

drills::Verdict TPhrases::judge(int line, int caret, quint8 key)
{
    const drills::Verdict v = m_drill.judge(line, caret, key);
    showTitle();
    return v;
}

void TPhrases::showTitle()
{
    if (!m_drill.title().isEmpty())
        Label1->setText(m_drill.title());
}

bool TPhrases::nextPageInPlace() const
{
    return m_drill.page() <= drills::PageCount;
}
