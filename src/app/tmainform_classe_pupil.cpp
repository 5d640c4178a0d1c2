// The frame's side of the pupil's class: Options › Classe, the outbox that
// sends the linked learner's sessions, and its words in the status bar.
#include "app/classworkfollow.h"
#include "app/tmainform.h"
#include "classe/classoutbox.h"
#include "classe/dialogueclasse.h"
#include "progress/recording.h"
#include "ui/accessibility.h"
#include "ui/prompter.h"

#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

void TMainForm::Classe1Click()
{
    classe::DialogueClasse dialog(this);
    ui::applyAccessibleTexts(&dialog, ui::accessibleTexts());
    connect(&dialog, &classe::DialogueClasse::linkChanged, this, &TMainForm::followClassLink);
    ui::prompter().showModal(&dialog);
    if (dialog.teacherAsked())
        openClassWindow(dialog.server());
}

void TMainForm::followClassLink()
{
    // The learner is being asked: the answer comes back here.
    if (m_askingLearner)
        return;
    followClassWork(this);
    if (!m_outbox) {
        if (!classe::keptLink())
            return;
        m_outbox = new classe::ClassOutbox(&progress::journal, this);
        connect(m_outbox, &classe::ClassOutbox::statusChanged, this, &TMainForm::showClassStatus);
        // What the class hides comes back with a link the server cut.
        connect(m_outbox, &classe::ClassOutbox::linkCut, this, [this] { followClassWork(this); });
        // Each session's end sends it, once the lesson window is done with it.
        progress::setWhenRecorded([outbox = QPointer<classe::ClassOutbox>(m_outbox)] {
            if (outbox)
                QTimer::singleShot(0, outbox, &classe::ClassOutbox::sendWaiting);
        });
    }
    m_outbox->reload();
}

void TMainForm::showClassStatus()
{
    const QString text = m_outbox ? m_outbox->statusText() : QString();
    if (!m_classPanel) {
        if (text.isEmpty())
            return;
        m_classPanel = new QLabel(statusBar());
        m_classPanel->setObjectName(QStringLiteral("EtatClasse"));
        m_classPanel->setAlignment(Qt::AlignCenter);
        // Between the hint and the clock.
        statusBar()->insertPermanentWidget(1, m_classPanel);
    }
    m_classPanel->setText(text);
    m_classPanel->setToolTip(m_outbox ? m_outbox->message() : QString());
    m_classPanel->setAccessibleName(text);
    m_classPanel->setVisible(!text.isEmpty());
    FormResize();
}
