// The clock window and its freeze, step and set cycle.
#include "accessories/thorloge.h"

#include "accessories/clockfields.h"
#include "accessories/spinbutton.h"
#include "ui/accessories_clocksetter.h"
#include "ui/keycodes.h"
#include "ui/pictures.h"
#include "ui/platform.h"
#include "ui/prompter.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

namespace {

QFont sansSerif(int pixels, bool bold, bool italic = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QLabel *displayLabel(QFrame *panel, const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, panel);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(sansSerif(23, true));
    label->setGeometry(panel->contentsRect());
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
    return label;
}

} // namespace

THorloge::THorloge(QWidget *parent)
    : QDialog(parent)
    , m_now([] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("THorloge"));
    setWindowTitle(QStringLiteral("Horloge"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(ui::picture(QStringLiteral("tapivox")));
    setFixedSize(277, 156);
    QFont font(QStringLiteral("System"));
    font.setPixelSize(17);
    setFont(font);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(3);
    Panel1->setGeometry(0, 0, 277, 156);
    QPalette black = Panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    black.setColor(QPalette::ButtonText, Qt::white);
    Panel1->setPalette(black);
    Panel1->setAutoFillBackground(true);

    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setGeometry(12, 12, 142, 34);
    Panel2->setPalette(QPalette(QColor(0xC0, 0xC0, 0xC0)));
    Panel2->setAutoFillBackground(true);
    Label1 = displayLabel(Panel2, QStringLiteral("Label1"), QStringLiteral("18:23:00"));

    Label4 = new QLabel(Panel1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(8, 52, 153, 2);
    QPalette white = Label4->palette();
    white.setColor(QPalette::Window, Qt::white);
    Label4->setPalette(white);
    Label4->setAutoFillBackground(true);

    Panel3 = new QFrame(Panel1);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3->setGeometry(12, 63, 142, 34);
    Panel3->setPalette(QPalette(QColor(0xC0, 0xC0, 0xC0)));
    Panel3->setAutoFillBackground(true);
    Label2 = displayLabel(Panel3, QStringLiteral("Label2"), QStringLiteral("20/10/1998"));

    Label3 = new QLabel(QStringLiteral("Tapivox"), Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(sansSerif(27, true, true));
    Label3->move(12, 116);

    RadioGroup1 = new QGroupBox(Panel1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(162, 6, 58, 94);
    RadioItems = new QButtonGroup(this);
    const char *items[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto *item = new QRadioButton(QString::fromLatin1(items[i]), RadioGroup1);
        item->setObjectName(QString::fromLatin1(items[i]));
        item->setFont(sansSerif(13, true));
        item->setGeometry(6, 4 + i * 17, 50, 17);
        item->installEventFilter(this);
        RadioItems->addButton(item, i);
    }

    SpinButton1 = new SpinButton(Panel1);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton1->setGeometry(236, 26, 20, 25);
    QPalette arrows = SpinButton1->palette();
    arrows.setColor(QPalette::WindowText, Qt::black);
    arrows.setColor(QPalette::ButtonText, Qt::black);
    SpinButton1->setPalette(arrows);
    SpinButton1->upButton()->installEventFilter(this);
    SpinButton1->downButton()->installEventFilter(this);
    connect(SpinButton1, &SpinButton::upClick, this, &THorloge::SpinButton1UpClick);
    connect(SpinButton1, &SpinButton::downClick, this, &THorloge::SpinButton1DownClick);

    Button2 = new QPushButton(QStringLiteral("Set"), Panel1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(228, 66, 37, 24);
    Button2->installEventFilter(this);
    connect(Button2, &QPushButton::clicked, this, &THorloge::Button2Click);

    Button1 = new QPushButton(QStringLiteral("Fermer"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(162, 112, 86, 32);
    connect(Button1, &QPushButton::clicked, this, &THorloge::Button1Click);
    for (QPushButton *b : {Button1, Button2}) {
        // No default button: Enter must never freeze the display or set
        // the clock; "Set" answers its own click or Space only.
        b->setAutoDefault(false);
        b->setDefault(false);
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(p);
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &THorloge::Timer1Timer);
}

void THorloge::Timer1Timer()
{
    const QDateTime now = m_now();
    Label1->setText(ClockFields::timeText(now.time()));
    Label2->setText(ClockFields::dateText(now.date()));
}

void THorloge::FormActivate()
{
    Timer1->start();
    Timer1Timer();
    m_setting = false;
}

void THorloge::FormDeactivate()
{
    Timer1->stop();
}

void THorloge::Button2Click()
{
    m_setting = !m_setting;
    if (!m_setting)
        Modifie();
    // A window closed while the clock was being set stays without ticks.
    if (m_setting || !isVisible())
        Timer1->stop();
    else
        Timer1->start();
}

void THorloge::stepField(int delta)
{
    const int item = RadioItems->checkedId();
    if (item < 0)
        return;
    const auto field = static_cast<ClockField>(item);
    QLabel *label = ClockFields::isDateField(field) ? Label2 : Label1;
    const ClockFields::Step step = ClockFields::step(label->text(), field, delta);
    if (!step.error.isEmpty()) {
        ui::prompter().error(this, step.error);
        return;
    }
    label->setText(step.text);
}

void THorloge::SpinButton1UpClick()
{
    stepField(+1);
}

void THorloge::SpinButton1DownClick()
{
    stepField(-1);
}

void THorloge::Modifie()
{
    const ClockFields::Reading r = ClockFields::read(Label1->text(), Label2->text());
    if (!r.error.isEmpty()) {
        ui::prompter().error(this, r.error);
        return;
    }
    const QString notChanged = QStringLiteral("L'horloge n'a pas été modifiée : %1.");
    const QDate date(r.year, r.month, r.day);
    const QTime time(r.hour, r.minute, r.second);
    const QDateTime moment(date, time);
    if (!date.isValid() || !time.isValid() || !moment.isValid()) {
        ui::prompter().error(
            this,
            notChanged.arg(QStringLiteral("le %1 à %2 n'existe pas").arg(Label2->text(), Label1->text())));
        return;
    }
    // The system may ask for a password meanwhile: no second "Set" until then.
    setEnabled(false);
    const QString failure = ui::clockSetter().setLocalTime(moment);
    setEnabled(true);
    if (!failure.isEmpty())
        ui::prompter().error(this, notChanged.arg(failure));
}

void THorloge::Button1Click()
{
    reject();
}

void THorloge::FormKeyPress(quint8 code)
{
    if (code == 27)
        reject();
}

bool THorloge::eventFilter(QObject *watched, QEvent *event)
{
    // Escape closes the window only from "Fermer" or the window itself.
    if (event->type() == QEvent::KeyPress &&
        ui::virtualKeyOf(static_cast<QKeyEvent *>(event)) == ui::vk::Escape)
        return true;
    return QDialog::eventFilter(watched, event);
}

void THorloge::keyPressEvent(QKeyEvent *event)
{
    for (quint8 code : ui::charCodesOf(event)) {
        if (code == 27) {
            FormKeyPress(code);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void THorloge::showEvent(QShowEvent *event)
{
    // Sized at the first show: its large italic letters are a font of their
    // own, not worth loading at start-up for a window rarely opened.
    if (!m_sized) {
        m_sized = true;
        Label3->adjustSize();
    }
    QDialog::showEvent(event);
    FormActivate();
}

void THorloge::hideEvent(QHideEvent *event)
{
    FormDeactivate();
    QDialog::hideEvent(event);
}
