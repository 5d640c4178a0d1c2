// TExos: key-group exercises, three model lines to copy per exercise.
#include "drills/texos.h"

#include "drills/exerciseinstruction.h"
#include "drills/exercisetexts.h"
#include "keyboard/keymodel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

TExos::TExos(QWidget *parent)
    : DrillWindow(QStringLiteral("TExos"), 2, 5, Look{QColor(0x00, 0x80, 0x80), 31, 20, QString()}, parent)
{
    setWindowTitle(QStringLiteral("Exercices"));
    nameForScreenReader({QStringLiteral("ligne"), QStringLiteral("Tapez ici le modèle de la ligne au-dessus"),
                         QStringLiteral("Consigne de l'exercice")});
    // Runs until the first SetIni stops it.
    Timer1->start();
    m_drill.setCanType(
        [](QChar c) { return keyboard::LiveKeyModel::instance().model().howToType(c).typable(); });
    // The keys named by the French exercises follow the learner's layout.
    connect(&keyboard::LiveKeyModel::instance(), &keyboard::LiveKeyModel::changed, this, [this] {
        if (drills::exerciseKeys(GetIni()))
            showInstruction(drills::liveInstruction(GetIni()));
    });
}

// A line told from another layout can be longer than the written ones: it
// takes a smaller type, on two lines down to the score line if need be,
// rather than run past the window.
void TExos::showInstruction(const QString &text)
{
    QFont font = Label1->font();
    font.setPixelSize(kInstructionPixels);
    const int width = Label1->width();
    const bool oneLine = QFontMetrics(font).horizontalAdvance(text) <= width;
    if (!oneLine) {
        const int room = Label2->y() - Label1->y();
        while (font.pixelSize() > kSmallestInstructionPixels &&
               QFontMetrics(font).boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap, text).height() >
                   room)
            font.setPixelSize(font.pixelSize() - 1);
        Label1->resize(width, room);
    } else {
        Label1->resize(width, kInstructionHeight);
    }
    Label1->setWordWrap(!oneLine);
    Label1->setFont(font);
    Label1->setText(text);
}

void TExos::SetIni(std::int32_t code)
{
    LessonWindow::SetIni(code);
    m_drill.resetCounts();
    showScore();
    if (const drills::ExerciseText *exercise = drills::exerciseText(code)) {
        showInstruction(drills::exerciseKeys(code) ? drills::liveInstruction(code)
                                                   : QString::fromUtf8(exercise->instruction));
        for (int i = 0; i < drills::LineDrill::LineCount; ++i)
            m_drill.setModel(i, QString::fromUtf8(exercise->models[i]));
    }
    m_drill.restart();
    showDrill();
    focusLine(0);
    Timer1->stop();
}
