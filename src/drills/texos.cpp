// TExos: key-group exercises, three model lines to copy per exercise.
#include "drills/texos.h"

#include "drills/exercisetexts.h"

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
}

void TExos::SetIni(std::int32_t code)
{
    LessonWindow::SetIni(code);
    m_drill.resetCounts();
    showScore();
    if (const drills::ExerciseText *exercise = drills::exerciseText(code)) {
        Label1->setText(QString::fromUtf8(exercise->instruction));
        for (int i = 0; i < drills::LineDrill::LineCount; ++i)
            m_drill.setModel(i, QString::fromUtf8(exercise->models[i]));
    }
    m_drill.restart();
    showDrill();
    focusLine(0);
    Timer1->stop();
}
