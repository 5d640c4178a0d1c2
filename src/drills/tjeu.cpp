// TJeu: the typing game window. The rules live in GameLogic; the window
// shows its items from their state and feeds it ticks and typed characters.
#include "drills/tjeu.h"

#include "drills/gamewords.h"
#include "ui/cp1252.h"
#include "ui/deadkeys.h"
#include "ui/keycodes.h"

#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kItemPixels = 20; // falling items, bold, readable at a glance

QFont boldFont(const QString &family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

QLabel *makeLabel(QWidget *parent, const char *name, QRect geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

TJeu::TJeu(QWidget *parent)
    : LessonWindow(QStringLiteral("TJeu"), 5, 8, parent)
{
    setWindowTitle(QString::fromUtf8(game::kCaption));
    // Falling letters leave no next key to show: the frame's guide band
    // stays hidden while the game is in front.
    setProperty("guided", false);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0xFF, 0x00));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setFont(boldFont(QStringLiteral("MS Sans Serif"), 17));
    m_itemFont = boldFont(QStringLiteral("Liberation Sans"), kItemPixels);
    m_itemFont.setStyleHint(QFont::SansSerif);

    // The window takes the keys itself; its dead keys are composed by the
    // program, as in the other lessons.
    setFocusPolicy(Qt::StrongFocus);
    ui::refuseInputMethod(this);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(0, 0, 668, 81);
    // Opaque, so that a word shortened before the game has fallen into view
    // never shows through the top band.
    GroupBox1->setAutoFillBackground(true);
    Label1 = makeLabel(GroupBox1, "Label1", QRect(8, 16, 545, 22));
    Label1->setText(QString::fromUtf8(game::kLettersInstruction));
    Label2 = makeLabel(GroupBox1, "Label2", QRect(8, 48, 624, 25));
    createTimeDisplay(GroupBox1, QPoint(560, 12));

    Button1 = new QPushButton(QString::fromUtf8(game::kPlay), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(576, 96, 75, 25);
    // A button with the focus would take Space or Enter as a click and restart
    // the game in the middle of play: game keys always go to the window.
    Button1->setFocusPolicy(Qt::NoFocus);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
}

void TJeu::SetIni(std::int32_t code)
{
    LessonWindow::SetIni(code);
    m_logic.setIni(code);
    m_good = m_logic.good();
    m_errors = m_logic.errors();
    if (code == 1)
        Label1->setText(QString::fromUtf8(game::kLettersInstruction));
    else if (code == 2)
        Label1->setText(QString::fromUtf8(game::kWordsInstruction));
    update();
}

void TJeu::Button1Click()
{
    SetIni(GetIni());
    m_logic.drawPositions();
    Timer2->start();
    Timer2Timer();
}

void TJeu::Timer2Timer()
{
    QString before[GameLogic::kItemCount];
    for (int i = 1; i <= GameLogic::kItemCount; ++i)
        before[i - 1] = m_logic.item(i);
    m_logic.step();
    // An item that passed the bottom: every letter left in it was missed.
    std::int32_t lost = 0;
    for (int i = 1; i <= GameLogic::kItemCount; ++i)
        if (m_logic.item(i).isEmpty())
            for (const QChar c : before[i - 1]) {
                noteKey(QString(c), false);
                ++lost;
            }
    noteJudged(0, lost);
    showScore();
}

void TJeu::FormKeyPress(quint8 code)
{
    const QChar typed = ui::cp1252ToUnicode(code);
    QString before[GameLogic::kItemCount];
    for (int i = 1; i <= GameLogic::kItemCount; ++i)
        before[i - 1] = m_logic.item(i);
    if (m_logic.keyPress(typed)) {
        // One good key for each item it hit.
        std::int32_t hits = 0;
        for (int i = 1; i <= GameLogic::kItemCount; ++i)
            if (m_logic.item(i) != before[i - 1]) {
                noteKey(QString(typed), true);
                ++hits;
            }
        noteJudged(hits, 0);
        showScore();
    }
}

void TJeu::showScore()
{
    m_good = m_logic.good();
    m_errors = m_logic.errors();
    Label2->setText(m_logic.scoreLine());
    update();
}

void TJeu::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setFont(m_itemFont);
    painter.setPen(Qt::black);
    const int lineHeight = painter.fontMetrics().height();
    for (const GameLogic::Drawing &d : m_logic.screen())
        if (!d.text.isEmpty())
            painter.drawText(QRect(d.x, d.y, width() - d.x, lineHeight),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, d.text);
}

void TJeu::keyPressEvent(QKeyEvent *event)
{
    const QList<quint8> codes = ui::charCodesOf(event);
    for (quint8 code : codes)
        FormKeyPress(code);
    if (codes.isEmpty())
        LessonWindow::keyPressEvent(event);
}

void TJeu::inputMethodEvent(QInputMethodEvent *event)
{
    for (quint8 code : ui::charCodesOf(event->commitString()))
        FormKeyPress(code);
    event->accept();
}

void TJeu::showEvent(QShowEvent *event)
{
    LessonWindow::showEvent(event);
    FormShow();
}

void TJeu::resizeEvent(QResizeEvent *event)
{
    LessonWindow::resizeEvent(event);
    GroupBox1->setGeometry(0, 0, width(), 81);
    FormResize();
}

// The frame keeps its lesson windows at the fixed size; the game window only
// makes sure that its top stays where the game can be seen.
void TJeu::FormShow()
{
    QWidget *outer = isWindow() ? this : parentWidget();
    if (outer && outer->y() < 0)
        outer->move(outer->x(), 0);
}

void TJeu::FormResize()
{
    QWidget *outer = isWindow() ? this : parentWidget();
    if (outer && outer->y() > 100)
        outer->move(outer->x(), 0);
}
