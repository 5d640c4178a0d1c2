// TClavier: the keyboard window (module code 1).
#include "keyboard/tclavier.h"

#include "keyboard/keybutton.h"
#include "keyboard/keydescriptions.h"
#include "keyboard/keytable.h"
#include "keymodel/keymodel.h"
#include "ui/caption.h"
#include "ui/cp1252.h"
#include "ui/deadkeys.h"
#include "ui/int32.h"
#include "ui/lockstate.h"
#include "ui/pictures.h"
#include "ui/platform.h"

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include <chrono>

namespace {

constexpr int kOuterWidth = 668;
constexpr int kOuterHeight = 375;

std::uint32_t clockSeed()
{
    return static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

QFont sansSerif(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *whiteLabel(QWidget *parent, const char *name, QRect geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFixedSize(geometry.size());
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(sansSerif(17, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

// Grey surfaces inside the blue window: the key picture and the time display.
void paintButtonFace(QWidget *w)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

QFont keyFont(keyboard::KeyFont font, const QFont &windowFont)
{
    switch (font) {
    case keyboard::KeyFont::Arial10: {
        QFont arial(QStringLiteral("Arial"));
        arial.setPixelSize(10);
        return arial;
    }
    case keyboard::KeyFont::Symbol17:
    case keyboard::KeyFont::Symbol13: {
        QFont symbol(keyboard::pictogramFamily());
        symbol.setPixelSize(font == keyboard::KeyFont::Symbol17 ? 17 : 13);
        return symbol;
    }
    case keyboard::KeyFont::Window: break;
    }
    return windowFont;
}

// Keys that the frame would otherwise take for itself. Ctrl+letters are
// characters here (Ctrl+C is code 3), not the edit commands, which do nothing
// for this window anyway. Alt or the Windows key pressed alone would move the
// keyboard into the menu bar, and the keys that follow would never reach the
// window; Alt+letter still opens the menus.
bool takesShortcut(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return true;
    default: break;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    return (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
}

// The layout the picture and its texts were drawn for; null without xkb data.
const keyboard::KeyModel *frenchModel()
{
    static const std::unique_ptr<keyboard::KeyModel> french =
        keyboard::KeyModel::fromLayoutName(QStringLiteral("fr"));
    return french.get();
}

const keyboard::PhysicalKey *physicalKeyOf(const keyboard::KeyPicture &picture)
{
    for (const keyboard::PhysicalKey &key : keyboard::physicalKeys())
        if (key.picture && qstrcmp(key.picture, picture.name) == 0)
            return &key;
    return nullptr;
}

// A key of the French layout that the learner's types otherwise.
bool ownKey(const keyboard::KeyModel &model, const keyboard::PhysicalKey &key)
{
    const keyboard::KeyModel *french = frenchModel();
    return french && keyboard::fixedKeyName(key).isEmpty() &&
           !model.sameKey(keyboard::xKeycode(key), *french);
}

} // namespace

TClavier::TClavier(QWidget *parent)
    : LessonWindow(QStringLiteral("TClavier"), 1, 0, parent)
    , m_drill(0)
{
    setWindowTitle(QStringLiteral("Clavier"));
    setFont(sansSerif(13));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(palette);
    setAutoFillBackground(true);
    // Every key comes here, whatever is under the mouse; none of the
    // controls is a tab stop.
    setFocusPolicy(Qt::ClickFocus);
    // No input method: the dead keys give their key-down and key-up like
    // any key, and the program composes them.
    ui::refuseInputMethod(this);
    resize(kOuterWidth, kOuterHeight);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 0, 641, 116);
    GroupBox1->setFocusPolicy(Qt::NoFocus);

    Label1 = whiteLabel(GroupBox1, "Label1", QRect(8, 16, 553, 22));
    Label1->setText(QStringLiteral("Découverte du clavier. Appuyez sur une touche"));
    Label2 = whiteLabel(GroupBox1, "Label2", QRect(8, 48, 624, 65));

    createTimeDisplay(GroupBox1, QPoint(560, 12));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paintButtonFace(Panel2);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(2, 120, 654, 217);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    paintButtonFace(Panel1);
    buildKeyPicture();

    Timer1->start();
    FormCreate();
    // A lock changed elsewhere shows when the keyboard comes back to the
    // window, as the system reports it.
    ui::lockState();
    ui::setLocksChangedHandler([self = QPointer<TClavier>(this)] {
        if (!self)
            return;
        QMdiSubWindow *sub = self->m_subWindow;
        if (sub ? sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub : self->isActiveWindow())
            self->Temoins();
    });
}

void TClavier::FormCreate()
{
    m_drill.reseed(clockSeed());
}

void TClavier::buildKeyPicture()
{
    // Drawn first so that the lights and the Enter key lie on top.
    Bevel1 = new QFrame(Panel1);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(534, 4, 97, 33);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Panel3 = new QFrame(Panel1);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(400, 76, 9, 25);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paintButtonFace(Panel3);

    QIcon lamp;
    ui::addPicture(lamp, QStringLiteral("clavier_temoin_allume"), QIcon::Normal);
    ui::addPicture(lamp, QStringLiteral("clavier_temoin_eteint"), QIcon::Disabled);

    m_buttons.fill(nullptr, 109);
    for (const keyboard::KeyPicture &key : keyboard::keyPictures()) {
        const QString name = QLatin1String(key.name);
        auto *button = new keyboard::KeyButton(Panel1);
        button->setObjectName(name);
        button->setGeometry(key.left, key.top, key.width, key.height);
        button->setText(keyboard::shownCaption(key));
        button->setFont(keyFont(key.font, font()));
        button->setAccessibleDescription(QLatin1String(key.pictured));
        const int number = name.mid(QStringLiteral("SpeedButton").size()).toInt();
        m_buttons[number] = button;
    }
    SpeedButton85 = m_buttons[85];
    SpeedButton105 = m_buttons[105];
    SpeedButton106 = m_buttons[106];
    SpeedButton107 = m_buttons[107];

    SpeedButton85->setPicture(ui::picture(QStringLiteral("clavier_entree")), 8);
    m_buttons[39]->setCaptionMargin(0); // Caps Lock
    m_buttons[88]->setCaptionMargin(0); // Num L
    for (keyboard::KeyButton *light : {SpeedButton105, SpeedButton106, SpeedButton107}) {
        light->setAutoRaise(true);
        light->setPicture(lamp, -1);
        light->setEnabled(false);
    }
    showKeymap();
    connect(&keyboard::LiveKeyModel::instance(), &keyboard::LiveKeyModel::changed, this,
            &TClavier::showKeymap);
}

// The picture keeps its French keycaps on the French layout; a key that
// types otherwise shows its own cap, as the guide's keyboard does. Every key
// is named as the keymap names it: a screen reader says what it types.
void TClavier::showKeymap()
{
    const keyboard::KeyModel &model = keyboard::LiveKeyModel::instance().model();
    for (const keyboard::KeyPicture &picture : keyboard::keyPictures()) {
        const keyboard::PhysicalKey *key = physicalKeyOf(picture);
        auto *button = findChild<keyboard::KeyButton *>(QLatin1String(picture.name));
        if (!key || !button)
            continue;
        const int keycode = keyboard::xKeycode(*key);
        button->setText(ownKey(model, *key) ? model.keycap(keycode) : keyboard::shownCaption(picture));
        // A cap such as "&1" is no mnemonic.
        button->setShortcut(QKeySequence());
        const QString name = model.keyName(keycode);
        button->setAccessibleName(name.isEmpty() ? QStringLiteral("Touche sans caractère")
                                                 : QStringLiteral("Touche ") + name);
    }
}

QString TClavier::characterText(quint8 code) const
{
    const keyboard::PhysicalKey *key =
        m_pressedKeycode > 8 ? keyboard::keyByEvdev(m_pressedKeycode - 8) : nullptr;
    const keyboard::KeyModel &model = keyboard::LiveKeyModel::instance().model();
    if (code <= 32 || !key || !ownKey(model, *key))
        return keyboard::characterDescription(code);
    QString text =
        QStringLiteral("Touche %1\u00a0: %2 (#%3)")
            .arg(model.keyName(m_pressedKeycode), QString(ui::cp1252ToUnicode(code)), QString::number(code));
    // Label2 shows "&&" as one "&".
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

keyboard::KeyButton *TClavier::speedButton(int number) const
{
    return number >= 0 && number < m_buttons.size() ? m_buttons[number] : nullptr;
}

Qt::WindowFlags TClavier::subWindowFlags() const
{
    return Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

void TClavier::SetIni(std::int32_t code)
{
    LessonWindow::SetIni(code);
    m_errors = 0;
    if (code == 0)
        Label1->setText(QStringLiteral("Appuyez sur une touche"));
    if (code == 1)
        Tirage1();
    setLabel2(QString());
    Timer1->stop();
    emit guideChanged();
}

QString TClavier::guideExpected() const
{
    return m_code == 1 ? m_drill.targetName() : QString();
}

void TClavier::FormActivate()
{
    Temoins();
    m_parity = true;
}

void TClavier::FormResize()
{
    QWidget *outer = m_subWindow ? static_cast<QWidget *>(m_subWindow) : this;
    if (const QSize size = zoomed(QSize(kOuterWidth, kOuterHeight)); outer->size() != size)
        outer->resize(size);
}

void TClavier::FormKeyDown(quint16 key)
{
    m_parity = !m_parity;
    Temoins();
    if (m_code == 1) {
        if (m_parity)
            Verif1(key);
        return;
    }
    const QString description = keyboard::specialKeyDescription(key);
    if (!description.isNull())
        setLabel2(description);
}

void TClavier::FormKeyPress(quint8 key)
{
    if (m_code != 1)
        setLabel2(characterText(key));
}

void TClavier::Temoins()
{
    const ui::LockState &locks = ui::lockState();
    SpeedButton106->setEnabled(locks.keyState(ui::vk::Capital) == 1);
    SpeedButton107->setEnabled(locks.keyState(ui::vk::Scroll) == 1);
    SpeedButton105->setEnabled(locks.keyState(ui::vk::NumLock) == 1);
}

void TClavier::Tirage1()
{
    m_drill.draw();
    Label1->setText(m_drill.prompt());
}

void TClavier::Verif1(quint16 key)
{
    const bool right = m_drill.isRight(key);
    noteKey(m_drill.targetName(), right);
    noteJudged(right ? 1 : 0, right ? 0 : 1);
    if (right) {
        m_good = ui::add32(m_good, 1);
        // The next key is drawn first, so that the score and the new prompt
        // reach a screen reader together.
        Tirage1();
        setLabel2(keyboard::KeyDrill::scoreText(m_good, m_errors, true));
    } else {
        m_errors = ui::add32(m_errors, 1);
        setLabel2(keyboard::KeyDrill::scoreText(m_good, m_errors, false));
    }
    emit guideChanged();
}

void TClavier::setLabel2(const QString &text)
{
    Label2->setText(ui::captionText(text));
    describeForScreenReader();
}

// The window keeps the focus, not its labels, so a screen reader reads the
// window: its description carries what the labels say (the key pressed, or
// the drill's score and prompt), and each change of it is spoken.
void TClavier::describeForScreenReader()
{
    QStringList parts;
    for (const QString &line : Label2->text().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            parts << line.trimmed();
    if (m_code == 1 || parts.isEmpty())
        parts << Label1->text();
    setAccessibleDescription(parts.join(QStringLiteral(". ")));
}

// ---- events -------------------------------------------------------------

bool TClavier::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        if (takesShortcut(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Taken before focus navigation, so Tab and Shift+Tab come here too.
        keyEvent(static_cast<QKeyEvent *>(event));
        return true;
    case QEvent::ParentChange: watchSubWindow(); break;
    case QEvent::WindowActivate:
        // The frame active again (a dialog over it closed) with this window
        // in front of its lessons is this window activated again.
        if (isWindow())
            FormActivate();
        break;
    default: break;
    }
    return LessonWindow::event(event);
}

void TClavier::keyEvent(QKeyEvent *event)
{
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        const int code = m_keys.keyDown(event);
        m_pressedKeycode = int(event->nativeScanCode());
        // The guide names the key pressed; this window's picture stays still.
        if (m_code != 1 && !event->isAutoRepeat())
            emit guideKeyPressed(int(event->nativeScanCode()), event->text(), code);
        if (code) {
            ui::lockState().noteKey(code, true);
            FormKeyDown(quint16(code));
        }
        for (quint8 c : ui::charCodesOf(event))
            FormKeyPress(c);
        return;
    }
    // A held key repeats its key-down only; X11's repeated releases are not
    // releases of the key.
    if (event->isAutoRepeat())
        return;
    // The release of a key that closed a dialog over this window belongs
    // to the dialog: it is no answer of the drill.
    if (m_keys.pressedElsewhere(event)) {
        Temoins();
        return;
    }
    const int code = m_keys.keyUp(event);
    if (code) {
        ui::lockState().noteKey(code, false);
        FormKeyDown(quint16(code));
    }
}

// A dead key and its letter commit one composed character.
void TClavier::inputMethodEvent(QInputMethodEvent *event)
{
    for (quint8 c : ui::charCodesOf(event->commitString()))
        FormKeyPress(c);
    event->accept();
}

void TClavier::resizeEvent(QResizeEvent *event)
{
    LessonWindow::resizeEvent(event);
    FormResize();
}

void TClavier::watchSubWindow()
{
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (sub == m_subWindow)
        return;
    if (m_subWindow)
        disconnect(m_subWindow, nullptr, this, nullptr);
    m_subWindow = sub;
    if (sub)
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    if (!(before & Qt::WindowActive) && (now & Qt::WindowActive))
                        FormActivate();
                });
}
