// The guide's start offer.
#include "guide/guidewelcome.h"

#include "ui/caption.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextDocument>
#include <QVBoxLayout>

#include <memory>

namespace guide {

namespace {

const QString kGreeting =
    QStringLiteral("Bienvenue dans Tapivox\u00a0! Commencez par l'exercice 1 (Alt+M), ou découvrez "
                   "d'abord le clavier (Alt+D)\u00a0: chaque touche pressée y est nommée.");

// The resume offer's button: a text too long for the band's column goes on
// two lines after its dash (each cut short if still too long) rather than
// widen the column and shrink the keyboard picture. Its text() stays whole,
// for the screen reader and the tooltip.
class OfferButton final : public QPushButton
{
public:
    using QPushButton::QPushButton;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text = shown(width);
        const QSize text = fontMetrics().size(Qt::TextShowMnemonic, option.text);
        return style()->sizeFromContents(QStyle::CT_PushButton, &option, text, this).height();
    }
    QSize sizeHint() const override { return {QPushButton::sizeHint().width(), heightForWidth(width())}; }
    QSize minimumSizeHint() const override { return {0, heightForWidth(width())}; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text = shown(width());
        painter.drawControl(QStyle::CE_PushButton, option);
    }
    void resizeEvent(QResizeEvent *event) override
    {
        QPushButton::resizeEvent(event);
        if (heightForWidth(width()) != height())
            updateGeometry();
    }

private:
    QString shown(int width) const
    {
        const int room = width - 2 * style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this) - 8;
        const QFontMetrics metrics = fontMetrics();
        if (metrics.horizontalAdvance(text()) <= room)
            return text();
        QStringList lines = text().split(QStringLiteral(" — "));
        if (lines.size() == 2)
            lines.first() += QStringLiteral(" —");
        for (QString &line : lines)
            line = metrics.elidedText(line, Qt::ElideRight, room);
        return lines.join(QLatin1Char('\n'));
    }
};

} // namespace

GuideWelcome::GuideWelcome(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("GuideAccueil"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_greeting = new QLabel(this);
    m_greeting->setObjectName(QStringLiteral("GuideBienvenue"));
    m_greeting->setWordWrap(true);
    m_greeting->setTextFormat(Qt::PlainText);
    m_greeting->setText(kGreeting);
    // Shown by the offer of a first run alone.
    m_greeting->hide();
    layout->addWidget(m_greeting);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    // Letters the menu bar leaves free: in the keyboard window every other
    // key is one to discover, Tab and Entrée included.
    m_commencer = button("GuideCommencer", QStringLiteral("Co&mmencer l'exercice 1"));
    m_decouvrir = button("GuideDecouvrir", QStringLiteral("&Découvrir le clavier"));
    m_reprendre = new OfferButton(this);
    m_reprendre->setObjectName(QStringLiteral("GuideReprendre"));
    m_reprendre->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_reprendre->installEventFilter(this);
    m_reprendre->hide();
    buttons->addWidget(m_commencer);
    buttons->addWidget(m_decouvrir);
    buttons->addWidget(m_reprendre, 1);
    buttons->addStretch(0);
    layout->addLayout(buttons);
    m_assignment = new QLabel(this);
    m_assignment->setObjectName(QStringLiteral("GuideConsigneClasse"));
    m_assignment->setWordWrap(true);
    m_assignment->setTextFormat(Qt::PlainText);
    m_assignment->hide();
    layout->addWidget(m_assignment);
    connect(m_commencer, &QPushButton::clicked, this, &GuideWelcome::commencerClicked);
    connect(m_decouvrir, &QPushButton::clicked, this, &GuideWelcome::decouvrirClicked);
    connect(m_reprendre, &QPushButton::clicked, this, &GuideWelcome::reprendreClicked);
    hide();
}

QPushButton *GuideWelcome::button(const char *name, const QString &text)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(QLatin1String(name));
    b->installEventFilter(this);
    b->hide();
    return b;
}

void GuideWelcome::offer(const StartOffer &offer, bool focus)
{
    if (m_dismissed)
        return;
    m_offer = offer;
    const bool first = offer.kind == StartOffer::Kind::FirstRun;
    const bool resume = offer.kind == StartOffer::Kind::Resume;
    if (first) {
        // Someone who can already type starts with what French adds.
        m_greeting->setText(
            offer.canType
                ? QStringLiteral("Bienvenue dans Tapivox\u00a0! Vous savez déjà taper\u00a0: commencez par "
                                 "les majuscules accentuées et les signes du français (Alt+M), ou "
                                 "découvrez d'abord le clavier (Alt+D).")
                : kGreeting);
        m_commencer->setText(offer.canType ? QStringLiteral("Co&mmencer l'exercice 19")
                                           : QStringLiteral("Co&mmencer l'exercice 1"));
    }
    m_greeting->setVisible(first);
    m_commencer->setVisible(first);
    m_decouvrir->setVisible(first);
    // Alt+R; the offer doubles an « & » of a file's name itself.
    m_reprendre->setText(QStringLiteral("&") + offer.text);
    // The whole of it when the band is narrow. Qt takes a tooltip that looks
    // like markup for markup, and the offer names the learner's own text by
    // its file's name: escaped, any name reads as it is.
    m_reprendre->setToolTip(
        offer.text.isEmpty() ? QString()
                             : Qt::convertFromPlainText(ui::captionText(offer.text), Qt::WhiteSpaceNormal));
    m_reprendre->setVisible(resume);
    showWhatIsOffered();
    if (resume && focus) {
        m_before = QApplication::focusWidget();
        m_reprendre->setFocus(Qt::OtherFocusReason);
    }
}

void GuideWelcome::setAssignment(const QString &sentence)
{
    m_assignment->setText(sentence);
    m_assignment->setVisible(!sentence.isEmpty());
    if (!m_dismissed)
        showWhatIsOffered();
}

void GuideWelcome::showWhatIsOffered()
{
    const bool offered =
        m_offer.kind == StartOffer::Kind::FirstRun || m_offer.kind == StartOffer::Kind::Resume;
    setVisible(offered || !m_assignment->text().isEmpty());
}

void GuideWelcome::dismiss()
{
    m_dismissed = true;
    m_offer = StartOffer();
    hide();
}

// Entrée presses the button, Tab moves between them; any other key is the
// learner's typing, handed back to the lesson that had the focus.
bool GuideWelcome::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *button = qobject_cast<QPushButton *>(watched);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (button && key->modifiers() == Qt::NoModifier) {
            button->click();
            return true;
        }
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return false;
    default: break;
    }
    QWidget *lesson = m_before;
    if (!lesson || isAncestorOf(lesson))
        return false;
    m_before = nullptr;
    lesson->setFocus(Qt::OtherFocusReason);
    std::unique_ptr<QEvent> copy(event->clone());
    QCoreApplication::sendEvent(lesson, copy.get());
    return true;
}

} // namespace guide
