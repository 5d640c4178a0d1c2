// The guide band.
#include "guide/guideband.h"

#include "guide/keyboardpicture.h"
#include "ui/deadkeys.h"
#include "ui/keycodes.h"
#include "ui/lockstate.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

namespace guide {

namespace {

// The sentence changes at each key, among the few an exercise's characters
// give: each is laid out once and kept as a picture.
class SentenceLabel final : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        const qreal ratio = devicePixelRatioF();
        auto it = m_pictures.constFind(text());
        if (it == m_pictures.cend() || it->deviceIndependentSize() != QSizeF(size()) ||
            it->devicePixelRatio() != ratio) {
            if (m_pictures.size() >= 24)
                m_pictures.clear();
            QPixmap picture((QSizeF(size()) * ratio).toSize());
            picture.setDevicePixelRatio(ratio);
            picture.fill(palette().color(backgroundRole()));
            QPainter painter(&picture);
            painter.setPen(palette().color(foregroundRole()));
            painter.setFont(font());
            painter.drawText(contentsRect(), int(alignment()) | Qt::TextWordWrap, text());
            painter.end();
            it = m_pictures.insert(text(), picture);
        }
        QPainter(this).drawPixmap(0, 0, *it);
    }

    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
            m_pictures.clear();
        QLabel::changeEvent(event);
    }

private:
    QHash<QString, QPixmap> m_pictures;
};

} // namespace

GuideBand::GuideBand(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Guide"));
    setAccessibleName(QStringLiteral("Guide du clavier"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(12);
    m_picture = new KeyboardPicture(this);
    m_picture->setAccessibleName(QStringLiteral("Clavier du guide"));
    layout->addWidget(m_picture, 3);

    m_column = new QVBoxLayout;
    m_column->setSpacing(6);
    // The sentence sits in a box of its own, the label pinned to the box's
    // size: a new sentence then never asks the frame to lay itself out again.
    m_sentenceBox = new QWidget(this);
    m_sentenceBox->setMinimumHeight(48);
    m_sentenceBox->installEventFilter(this);
    m_consigne = new SentenceLabel(m_sentenceBox);
    m_consigne->setObjectName(QStringLiteral("GuideConsigne"));
    m_consigne->setWordWrap(true);
    m_consigne->setTextFormat(Qt::PlainText);
    m_consigne->setAutoFillBackground(true); // opaque: nothing behind it repaints
    m_consigne->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont font = m_consigne->font();
    font.setPixelSize(18);
    font.setBold(true);
    m_consigne->setFont(font);
    m_column->addWidget(m_sentenceBox, 1);
    layout->addLayout(m_column, 2);

    m_logic.setCapsLock(ui::lockState().isOn(ui::vk::Capital));
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &GuideBand::followActiveWindow);
}

GuideBand::~GuideBand()
{
    qApp->removeEventFilter(this);
}

void GuideBand::setHighContrast(bool on)
{
    m_highContrast = on;
    if (on) {
        QPalette p = palette();
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase,
                                QPalette::ToolTipBase})
            p.setColor(role, Qt::white);
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                QPalette::ToolTipText, QPalette::PlaceholderText}) {
            p.setColor(role, Qt::black);
            p.setColor(QPalette::Disabled, role, QColor(0x55, 0x55, 0x55)); // 7.5:1 on white
        }
        setPalette(p);
    } else {
        setPalette(QPalette());
    }
    setAutoFillBackground(on);
    m_picture->setHighContrast(on);
}

void GuideBand::setModel(const keyboard::KeyModel *model)
{
    m_logic.setModel(model);
    m_picture->setModel(model);
    showState();
}

void GuideBand::expect(const QString &expected, int standInTyped, const QString &passed)
{
    m_logic.expect(expected, standInTyped, passed);
    showState();
}

void GuideBand::refused(const QString &typed)
{
    m_logic.refused(typed);
    showState();
}

void GuideBand::discovered(int keycode, const QString &text, int virtualKey)
{
    m_logic.discovered(keycode, text, virtualKey);
    showState();
}

// Caps Lock may have changed while the band was hidden.
void GuideBand::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_logic.setCapsLock(ui::lockState().isOn(ui::vk::Capital));
    followActiveWindow();
    showState();
}

// The keys go to the window in front: the calculator's keys are no answer
// to the lesson, and the guide must not say otherwise. No window active
// (another program in front) changes nothing.
void GuideBand::followActiveWindow()
{
    const QWidget *active = QApplication::activeWindow();
    const bool aside = active && active != window();
    if (aside != m_aside) {
        m_aside = aside;
        showState();
    }
}

void GuideBand::showState()
{
    static const GuideState nothing;
    const GuideState &state = m_aside ? nothing : m_logic.state();
    m_picture->showState(state);
    if (m_consigne->text() != state.sentence) {
        m_consigne->setText(state.sentence);
        // Read out by a screen reader at each change.
        setAccessibleDescription(state.sentence);
    }
}

// Dead keys and Caps Lock type nothing that a lesson judges: the band moves
// to the next step by itself. Any key clears the marks of a refused key.
bool GuideBand::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_sentenceBox && event->type() == QEvent::Resize) {
        m_consigne->setFixedSize(m_sentenceBox->size());
        return false;
    }
    if (event->type() == QEvent::KeyPress && isVisible() && watched == QApplication::focusWidget()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // A dead key typed in another window is that window's; Caps Lock
        // is the keyboard's, wherever it is pressed.
        if (!key->isAutoRepeat() && (!m_aside || key->key() == Qt::Key_CapsLock) &&
            m_logic.keyPressed(ui::deadKeyOf(key->key()).spacing, key->key() == Qt::Key_CapsLock))
            showState();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace guide
