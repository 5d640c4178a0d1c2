// The calendar window: heading, month buttons, page keys.
#include "accessories/tcalendrier.h"

#include "accessories/monthcalendar.h"
#include "accessories/monthstep.h"
#include "ui/keycodes.h"
#include "ui/pictures.h"
#include "ui/platform.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// A green triangle pointing left or right, for the month buttons.
QIcon triangle(bool left)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x00, 0x60, 0x00));
    p.setBrush(QColor(0x00, 0xC0, 0x00));
    const QPolygonF shape = left ? QPolygonF{{12, 2}, {12, 14}, {3, 8}} : QPolygonF{{4, 2}, {4, 14}, {13, 8}};
    p.drawPolygon(shape);
    return QIcon(pixmap);
}

} // namespace

TCalendrier::TCalendrier(QWidget *parent)
    : DeferredDialog(parent)
{
    setObjectName(QStringLiteral("TCalendrier"));
    setWindowTitle(QStringLiteral("Calendrier"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(ui::picture(QStringLiteral("tapivox")));
    resize(369, 247);
    QFont font(QStringLiteral("System"));
    font.setPixelSize(17);
    setFont(font);
}

void TCalendrier::build()
{
    m_calendar1 = new MonthCalendar(this);
    m_calendar1->setObjectName(QStringLiteral("Calendar1"));
    m_calendar1->setGeometry(-3, 98, 372, 143);
    QPalette lime = m_calendar1->palette();
    lime.setColor(QPalette::Base, QColor(0x00, 0xFF, 0x00));
    m_calendar1->setPalette(lime);
    connect(m_calendar1, &MonthCalendar::changed, this, &TCalendrier::Calendar1Change);

    m_panel1 = new QFrame(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_panel1->setLineWidth(1);
    m_panel1->setMidLineWidth(1);
    m_panel1->setGeometry(0, 0, width(), 96);
    QPalette teal = m_panel1->palette();
    teal.setColor(QPalette::Window, QColor(0x00, 0x80, 0x80));
    m_panel1->setPalette(teal);
    m_panel1->setAutoFillBackground(true);

    m_button1 = new QPushButton(QStringLiteral("Fermer"), m_panel1);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setGeometry(262, 10, 89, 33);
    connect(m_button1, &QPushButton::clicked, this, &TCalendrier::Button1Click);

    m_bitBtn1 = new QPushButton(triangle(true), QStringLiteral("Mois"), m_panel1);
    m_bitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_bitBtn1->setGeometry(16, 10, 89, 33);
    connect(m_bitBtn1, &QPushButton::clicked, this, &TCalendrier::BitBtn1Click);

    m_bitBtn2 = new QPushButton(triangle(false), QStringLiteral("Mois"), m_panel1);
    m_bitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    m_bitBtn2->setGeometry(126, 10, 89, 33);
    m_bitBtn2->setLayoutDirection(Qt::RightToLeft); // the picture after the caption
    connect(m_bitBtn2, &QPushButton::clicked, this, &TCalendrier::BitBtn2Click);

    m_label1 = new QLabel(m_panel1);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont heading(QStringLiteral("Arial"));
    heading.setPixelSize(23);
    heading.setBold(true);
    m_label1->setFont(heading);
    QPalette red = m_label1->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_label1->setPalette(red);
    m_label1->setGeometry(0, 55, 372, 30);

    for (QWidget *w : {static_cast<QWidget *>(m_calendar1), static_cast<QWidget *>(m_button1),
                       static_cast<QWidget *>(m_bitBtn1), static_cast<QWidget *>(m_bitBtn2)})
        w->installEventFilter(this);
    // No default button: Enter on the grid does not close the calendar.
    for (QPushButton *b : {m_button1, m_bitBtn1, m_bitBtn2})
        b->setAutoDefault(false);
    setTabOrder(m_calendar1, m_button1);
    setTabOrder(m_button1, m_bitBtn1);
    setTabOrder(m_bitBtn1, m_bitBtn2);
    // The first opening starts on the grid; later ones where the user left.
    m_calendar1->setFocus();
    Calendar1Change();
}

void TCalendrier::FormActivate()
{
    Calendar1Change();
}

void TCalendrier::Calendar1Change()
{
    Label1()->setText(MonthStep::heading(Calendar1()->date()));
    Label1()->resize(372, Label1()->height());
}

void TCalendrier::BitBtn1Click()
{
    Calendar1()->previousMonth();
}

void TCalendrier::BitBtn2Click()
{
    Calendar1()->nextMonth();
}

void TCalendrier::Button1Click()
{
    reject();
}

void TCalendrier::Calendar1KeyDown(int virtualKey)
{
    switch (virtualKey) {
    case ui::vk::Next: Calendar1()->nextMonth(); break;
    case ui::vk::Prior: Calendar1()->previousMonth(); break;
    case ui::vk::Escape: reject(); break;
    default: break;
    }
}

void TCalendrier::Calendar1KeyPress(quint8 code)
{
    if (code == 27)
        reject();
}

bool TCalendrier::eventFilter(QObject *watched, QEvent *event)
{
    // The page keys go on to the widget afterwards; Escape has closed the
    // window and goes no further.
    if (event->type() == QEvent::KeyPress) {
        const int virtualKey = ui::virtualKeyOf(static_cast<QKeyEvent *>(event));
        Calendar1KeyDown(virtualKey);
        if (virtualKey == ui::vk::Escape)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}


void TCalendrier::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TCalendrier::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    // The top panel follows the width; the grid keeps its place and size.
    if (m_panel1)
        m_panel1->resize(width(), m_panel1->height());
}
