// The calculator window: twenty keys wired to the engine; typed characters
// press the keys as a mouse click would.
#include "accessories/tpocket.h"

#include "ui/keycodes.h"
#include "ui/pictures.h"
#include "ui/platform.h"
#include "ui/prompter.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

struct KeyPlace
{
    int index;
    const char *caption;
    int x, y;
};

// Four rows of keys; "3" and "6" sit one pixel to the right of their column.
constexpr KeyPlace kKeys[] = {
    {7, "7", 8, 57},   {8, "8", 56, 57},  {9, "9", 104, 57},   {12, "+", 152, 57},  {16, "1/x", 200, 57},
    {4, "4", 8, 97},   {5, "5", 56, 97},  {6, "6", 105, 97},   {13, "-", 152, 97},  {17, "sqr", 200, 97},
    {1, "1", 8, 137},  {2, "2", 56, 137}, {3, "3", 105, 137},  {14, "*", 152, 137}, {18, "C", 200, 137},
    {10, ",", 8, 177}, {0, "0", 56, 177}, {11, "=", 104, 177}, {15, "/", 152, 177},
};

// Tab order: 1 to 9, 0, ",", "=", "+", "-", "*", "/", "1/x", "sqr", "C", "Fermer".
constexpr int kTabOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};

int buttonForKey(CalcEngine::Key key)
{
    using K = CalcEngine::Key;
    if (key >= K::Digit0 && key <= K::Digit9)
        return static_cast<int>(key) - static_cast<int>(K::Digit0);
    switch (key) {
    case K::Comma: return 10;
    case K::Equals: return 11;
    case K::Plus: return 12;
    case K::Minus: return 13;
    case K::Times: return 14;
    case K::Divide: return 15;
    case K::Reciprocal: return 16;
    case K::SquareRoot: return 17;
    case K::Clear: return 18;
    default: return -1;
    }
}

} // namespace

TPocket::TPocket(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TPocket"));
    setWindowTitle(QStringLiteral("Calculatrice"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(ui::picture(QStringLiteral("tapivox")));
    setFixedSize(342, 219);
    QFont font(QStringLiteral("System"));
    font.setPixelSize(17);
    setFont(font);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, QColor(0x00, 0x80, 0x80));
    setPalette(teal);
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(0, 0, 342, 49);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Panel1->setAutoFillBackground(true);

    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    Panel2->setGeometry(4, 4, 185, 41);
    QPalette navy = Panel2->palette();
    navy.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    Panel2->setPalette(navy);
    Panel2->setAutoFillBackground(true);

    Label1 = new QLabel(Panel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setGeometry(2, 2, 181, 37);
    QPalette silver = Label1->palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    silver.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(silver);
    Label1->setAutoFillBackground(true);

    Label2 = new QLabel(Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(342 - 147 - 4, 4, 147, 9);
    QPalette red = Label2->palette();
    red.setColor(QPalette::Window, Qt::red);
    Label2->setPalette(red);
    Label2->setAutoFillBackground(true);

    using Handler = void (TPocket::*)();
    static constexpr Handler handlers[20] = {
        &TPocket::Button0Click,  &TPocket::Button1Click,  &TPocket::Button2Click,  &TPocket::Button3Click,
        &TPocket::Button4Click,  &TPocket::Button5Click,  &TPocket::Button6Click,  &TPocket::Button7Click,
        &TPocket::Button8Click,  &TPocket::Button9Click,  &TPocket::Button10Click, &TPocket::Button11Click,
        &TPocket::Button12Click, &TPocket::Button13Click, &TPocket::Button14Click, &TPocket::Button15Click,
        &TPocket::Button16Click, &TPocket::Button17Click, &TPocket::Button18Click, &TPocket::Button19Click,
    };
    for (const KeyPlace &k : kKeys) {
        auto *b = new QPushButton(QString::fromLatin1(k.caption), this);
        b->setGeometry(k.x, k.y, 34, 33);
        Buttons[k.index] = b;
    }
    Buttons[19] = new QPushButton(QStringLiteral("Fermer"), this);
    Buttons[19]->setGeometry(248, 177, 74, 33);
    for (int i = 0; i < 20; ++i) {
        QPushButton *b = Buttons[i];
        b->setObjectName(QStringLiteral("Button%1").arg(i));
        connect(b, &QPushButton::clicked, this, handlers[i]);
        // "1/x" and "sqr" pass no typed keys on.
        if (i != 16 && i != 17)
            b->installEventFilter(this);
    }
    Button11 = Buttons[11];
    Button19 = Buttons[19];
    for (size_t i = 0; i + 1 < std::size(kTabOrder); ++i)
        setTabOrder(Buttons[kTabOrder[i]], Buttons[kTabOrder[i + 1]]);
}

void TPocket::digitClick(int d)
{
    m_engine.digit(d);
    settle({});
}

void TPocket::Button10Click()
{
    m_engine.comma();
    settle({});
}

void TPocket::Button11Click()
{
    settle(m_engine.evaluate());
}

void TPocket::Button12Click()
{
    settle(m_engine.operation('+'));
}

void TPocket::Button13Click()
{
    settle(m_engine.operation('-'));
}

void TPocket::Button14Click()
{
    settle(m_engine.operation('*'));
}

void TPocket::Button15Click()
{
    settle(m_engine.operation('/'));
}

void TPocket::Button16Click()
{
    settle(m_engine.reciprocal());
}

void TPocket::Button17Click()
{
    settle(m_engine.squareRoot());
}

void TPocket::Button18Click()
{
    FormActivate();
}

void TPocket::Button19Click()
{
    reject();
}

void TPocket::settle(const QString &error)
{
    Label1->setText(m_engine.display());
    if (!error.isEmpty())
        ui::prompter().error(this, error);
}

void TPocket::FormActivate()
{
    m_engine.clear();
    Label1->setText(m_engine.display());
    Button11->setFocus();
}

void TPocket::clickButton(int index)
{
    QPushButton *b = Buttons[index];
    b->setFocus();
    b->click();
}

void TPocket::FormKeyPress(quint8 code)
{
    const CalcEngine::Key key = CalcEngine::keyForChar(code);
    if (key == CalcEngine::Key::Close) {
        reject();
        return;
    }
    const int index = buttonForKey(key);
    if (index >= 0)
        clickButton(index);
}

void TPocket::Button11KeyDown(int virtualKey)
{
    if (virtualKey == ui::vk::Escape)
        reject();
}

bool TPocket::handleKey(QKeyEvent *event)
{
    bool handled = false;
    for (quint8 code : ui::charCodesOf(event)) {
        if (CalcEngine::keyForChar(code) != CalcEngine::Key::None) {
            FormKeyPress(code);
            handled = true;
        }
    }
    // Anything else (Enter, Space, arrows) keeps its usual meaning.
    return handled;
}

bool TPocket::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == Button11 && ui::virtualKeyOf(key) == ui::vk::Escape) {
            Button11KeyDown(ui::vk::Escape);
            return true;
        }
        return handleKey(key);
    }
    return QDialog::eventFilter(watched, event);
}

void TPocket::keyPressEvent(QKeyEvent *event)
{
    // Keys reach the window itself only when no key has the focus; those
    // "1/x" and "sqr" pass on stay unanswered.
    QWidget *focus = focusWidget();
    if ((focus == Buttons[16] || focus == Buttons[17]) && ui::virtualKeyOf(event) != ui::vk::Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (!handleKey(event))
        QDialog::keyPressEvent(event);
}

void TPocket::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}
