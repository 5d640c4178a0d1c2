// The guide band's figures and lesson result.
#include "guide/resultpanel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace guide {

namespace {

// The keys the buttons keep: the rest belongs to the lesson.
bool buttonKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right: return true;
    default: return false;
    }
}

} // namespace

ResultPanel::ResultPanel(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_figures = new QLabel(this);
    m_figures->setObjectName(QStringLiteral("GuideVitesse"));
    m_figures->setTextFormat(Qt::PlainText);
    m_figures->setAccessibleName(QStringLiteral("Vitesse et précision"));
    // One line, sized once: a new figure never lays the band out again.
    m_figures->setFixedHeight(m_figures->fontMetrics().height());
    m_figures->hide();
    layout->addWidget(m_figures);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("GuideResultat"));
    m_result->setTextFormat(Qt::PlainText);
    m_result->setWordWrap(true);
    m_result->setAccessibleName(QStringLiteral("Résultat de la leçon"));
    m_result->hide();
    layout->addWidget(m_result);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    m_restart = new QPushButton(QStringLiteral("&Recommencer"), this);
    m_restart->setObjectName(QStringLiteral("GuideRecommencer"));
    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("GuideSuivant"));
    for (QPushButton *button : {m_restart, m_next}) {
        button->hide();
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(m_restart, &QPushButton::clicked, this, &ResultPanel::restartClicked);
    connect(m_next, &QPushButton::clicked, this, &ResultPanel::nextClicked);
}

ResultPanel::~ResultPanel()
{
    qApp->removeEventFilter(this);
}

void ResultPanel::showFigures(const QString &text)
{
    if (m_figures->text() != text)
        m_figures->setText(text);
    m_figures->setVisible(!text.isEmpty() && !showsResult());
}

void ResultPanel::showResult(const QString &result, const QString &advice, const QString &nextCaption,
                             bool reached, QWidget *lesson, bool takeFocus)
{
    m_lesson = lesson;
    // The result names the figures itself.
    m_figures->hide();
    for (QWidget *w : std::as_const(m_room))
        w->hide();
    m_result->setText(result + QLatin1Char('\n') + advice);
    m_result->setAccessibleDescription(advice);
    m_result->show();
    m_next->setText(nextCaption);
    m_next->setVisible(!nextCaption.isEmpty());
    m_restart->show();
    QPushButton *byDefault = reached && m_next->isVisible() ? m_next : m_restart;
    m_next->setDefault(byDefault == m_next);
    m_restart->setDefault(byDefault == m_restart);
    if (takeFocus)
        byDefault->setFocus(Qt::OtherFocusReason);
    // Ahead of the band's own watch on the keys, which then sees a key
    // meant for the lesson once, on its way there; only while the result
    // shows, so that a key costs nothing more meanwhile.
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
}

void ResultPanel::clearResult()
{
    if (!showsResult())
        return;
    qApp->removeEventFilter(this);
    // The focus goes back to the lesson rather than to a hidden button.
    if ((m_next->hasFocus() || m_restart->hasFocus()) && m_lesson)
        m_lesson->setFocus(Qt::OtherFocusReason);
    m_result->hide();
    m_restart->hide();
    m_next->hide();
    m_figures->setVisible(!m_figures->text().isEmpty());
    for (QWidget *w : std::as_const(m_room))
        w->show();
}

bool ResultPanel::showsResult() const
{
    return !m_result->isHidden();
}

// A key meant for the lesson goes to it, judged as if the buttons were not
// there.
bool ResultPanel::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_restart || watched == m_next) && event->type() == QEvent::KeyPress && m_lesson) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!buttonKey(key->key()) && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QPointer<QWidget> lesson = m_lesson;
            lesson->setFocus(Qt::OtherFocusReason);
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                           key->nativeVirtualKey(), key->nativeModifiers(), key->text(), key->isAutoRepeat(),
                           key->count());
            QCoreApplication::sendEvent(lesson, &copy);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace guide
