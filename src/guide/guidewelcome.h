// Under the guide's sentence at start-up: the greeting of a first run with
// « Commencer l'exercice 1 » and « Découvrir le clavier », or the offer to
// resume the last session's lesson. It goes away once a lesson starts.
#pragma once
#include "guide/startoffer.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace guide {

class GuideWelcome final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GuideWelcome)
public:
    explicit GuideWelcome(QWidget *parent = nullptr);

    // Shows the offer (nothing for Kind::None). A resume offer takes the
    // keyboard focus when focus is true, so that Entrée accepts it.
    void offer(const StartOffer &offer, bool focus);
    // The learner started a lesson: the offer goes for the rest of the run.
    void dismiss();
    bool dismissed() const { return m_dismissed; }
    // The class's assignments in a sentence under the offer (empty: none),
    // until the offer goes.
    void setAssignment(const QString &sentence);
    const StartOffer &current() const { return m_offer; }

    QLabel *greeting() const { return m_greeting; }
    QLabel *assignment() const { return m_assignment; }
    QPushButton *commencer() const { return m_commencer; }
    QPushButton *decouvrir() const { return m_decouvrir; }
    QPushButton *reprendre() const { return m_reprendre; }

signals:
    void commencerClicked();
    void decouvrirClicked();
    void reprendreClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *button(const char *name, const QString &text);
    void showWhatIsOffered();

    StartOffer m_offer;
    // What had the focus before the resume offer took it: the lesson's own
    // typing, given back the first key that is not for the offer.
    QPointer<QWidget> m_before;
    bool m_dismissed = false;
    QLabel *m_greeting = nullptr;
    QLabel *m_assignment = nullptr;
    QPushButton *m_commencer = nullptr;
    QPushButton *m_decouvrir = nullptr;
    QPushButton *m_reprendre = nullptr;
};

} // namespace guide
