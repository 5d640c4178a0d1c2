// The main frame: menus, toolbar, status bar, routing to the lesson windows.
#include "app/tmainform.h"
#include "drills/tepreuve.h"

#include "accessories/tblocnotes.h"
#include "accessories/tcalendrier.h"
#include "accessories/thorloge.h"
#include "accessories/tpocket.h"
#include "app/forms.h"
#include "app/helpviewer.h"
#include "app/lesson/lessonwindow.h"
#include "app/lessontable.h"
#include "app/menutable.h"
#include "app/taboutbox.h"
#include "keyboard/tcaract.h"
#include "ui/menustyle.h"
#include "ui/pictures.h"
#include "ui/platform.h"
#include "ui/prompter.h"

#include <cstring>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kLessonWidth = 668;
constexpr int kLessonHeight = 375;
constexpr int kGuideDelayMs = 200;
// The lesson windows behind the keyboard window build their controls after
// the guide, while the learner reads the first screen.
constexpr int kLessonsBehindDelayMs = 500;
constexpr int kClassDelayMs = 1500;
} // namespace

TMainForm::TMainForm()
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("Tapivox"));
    setWindowIcon(ui::picture(QStringLiteral("tapivox")));
    QFont font(QStringLiteral("System"));
    font.setPixelSize(16);
    setFont(font);
    move(230, 114);
    resize(536, 389);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    layout->addWidget(SpeedPanel);
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("MDIArea"));
    // Room for a whole lesson window, unless the screen is too small for it
    // (large scale factors): the area then scrolls to the rest rather than
    // pushing the frame past the screen's edge. 80: menus, toolbar, status bar.
    QSize room(kLessonWidth, kLessonHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        room = room.boundedTo(screen->availableSize() - QSize(0, 80));
    mdiArea->setMinimumSize(room);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(mdiArea, 1);
    setCentralWidget(central);

    buildMenus();
    buildStatusBar();
    setupGuide();
    setupSounds();
    setupTextZoom();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();

    // FormCreate: the active-window callback.
    connect(mdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateMenus(); });
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    disconnect(mdiArea, nullptr, this, nullptr);
    // The lesson windows go with the frame's children, after this body: the
    // focus then moves from window to window, and what they signal on the
    // way must not reach a frame that is no longer one.
    for (LessonWindow *w : findChildren<LessonWindow *>())
        disconnect(w, nullptr, this, nullptr);
}

void TMainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("SDIAppMenu"));
    m_menuStyle = new ui::MenuStyle;
    m_menuStyle->setParent(this);
    for (const MenuDef &menuDef : menuTable()) {
        QMenu *menu = bar->addMenu(QString::fromUtf8(menuDef.caption));
        menu->setObjectName(QLatin1String(menuDef.name));
        menu->setProperty("helpContext", menuDef.helpContext);
        menu->installEventFilter(this);
        menu->setStyle(m_menuStyle);
        QActionGroup *group = nullptr;
        const LessonDef *lesson = lessonRowOfMenu(menuDef.name);
        if (lesson) {
            group = new QActionGroup(this);
            group->setExclusive(true);
            m_groups.insert(lesson->module, group);
        }
        for (const MenuItemDef &item : menuDef.items) {
            const QString caption = QString::fromUtf8(item.caption);
            if (caption == QLatin1String("-")) {
                QAction *sep = menu->addSeparator();
                sep->setObjectName(QLatin1String(item.name));
                continue;
            }
            if (const auto subItems = submenuItems(item.name); !subItems.empty()) {
                QMenu *sub = menu->addMenu(caption);
                sub->setObjectName(QLatin1String(item.name) + QLatin1String("Menu"));
                sub->menuAction()->setObjectName(QLatin1String(item.name));
                sub->menuAction()->setStatusTip(QString::fromUtf8(item.hint));
                sub->setProperty("helpContext", menuDef.helpContext);
                sub->installEventFilter(this);
                sub->setStyle(m_menuStyle);
                for (const MenuItemDef &subItem : subItems) {
                    if (std::strcmp(subItem.caption, "-") == 0) {
                        sub->addSeparator()->setObjectName(QLatin1String(subItem.name));
                        continue;
                    }
                    QAction *act = sub->addAction(QString::fromUtf8(subItem.caption));
                    act->setObjectName(QLatin1String(subItem.name));
                    act->setStatusTip(QString::fromUtf8(subItem.hint));
                }
                continue;
            }
            QAction *act = menu->addAction(caption);
            act->setObjectName(QLatin1String(item.name));
            act->setStatusTip(QString::fromUtf8(item.hint));
            if (*item.shortcut)
                act->setShortcut(QKeySequence(QLatin1String(item.shortcut)));
            // An item without a lesson code is a command of the frame.
            if (group && item.code >= 0) {
                act->setCheckable(true);
                act->setChecked(item.start);
                act->setData(item.code);
                act->setProperty("module", lesson->module);
                group->addAction(act);
                // The item that lost the check mark, should the new choice
                // be given up.
                connect(act, &QAction::toggled, group, [group, act](bool on) {
                    if (!on)
                        group->setProperty("unchecked", act->objectName());
                });
                connect(act, &QAction::triggered, this, [this, act] { LessonItemClick(act); });
            }
        }
    }

    const struct
    {
        const char *name;
        void (TMainForm::*handler)();
    } commands[] = {
        {"Nouvelleleon1", &TMainForm::Nouvelleleon1Click},
        {"OpenItem", &TMainForm::OpenItemClick},
        {"SaveItem", &TMainForm::SaveItemClick},
        {"Enregistrersous1", &TMainForm::Enregistrersous1Click},
        {"ExitItem", &TMainForm::ExitItemClick},
        {"Couper1", &TMainForm::Couper1Click},
        {"Copier1", &TMainForm::Copier1Click},
        {"Coller1", &TMainForm::Coller1Click},
        {"Bilan1", &TMainForm::SpeedButton12Click},
        {"Tabledescaractres1", &TMainForm::Tabledescaractres1Click},
        {"Progression1", &TMainForm::Progression1Click},
        {"Apprenants1", &TMainForm::Apprenants1Click},
        {"Classe1", &TMainForm::Classe1Click},
        {"Epreuve1", &TMainForm::Epreuve1Click},
        {"Testdeniveau1", &TMainForm::Testdeniveau1Click},
        {"Calendrier1", &TMainForm::Calendrier1Click},
        {"Clculatrice1", &TMainForm::Clculatrice1Click},
        {"Horloge1", &TMainForm::Horloge1Click},
        {"Blocnotes1", &TMainForm::Blocnotes1Click},
        {"Index1", &TMainForm::HContents},
        {"Rechercher1", &TMainForm::HSearch},
        {"Utiliserlaide1", &TMainForm::HowToUse},
        {"About1", &TMainForm::About1Click},
    };
    for (const auto &command : commands) {
        QAction *act = action(QLatin1String(command.name));
        connect(act, &QAction::triggered, this, command.handler);
    }
    // A plain check item: it flips at every chronometer command, whichever
    // window received it (the action flips its own mark when triggered).
    QAction *chrono = action(QStringLiteral("Chronomtrer1"));
    chrono->setCheckable(true);
    connect(chrono, &QAction::triggered, this, &TMainForm::routeChronometer);
}

void TMainForm::buildToolbar()
{
    SpeedPanel = new QWidget(this);
    SpeedPanel->setObjectName(QStringLiteral("SpeedPanel"));
    SpeedPanel->setFixedHeight(33);
    const struct
    {
        const char *name;
        void (TMainForm::*handler)();
    } handlers[] = {
        {"SpeedButton11", &TMainForm::Nouvelleleon1Click}, {"SpeedButton5", &TMainForm::OpenItemClick},
        {"SpeedButton6", &TMainForm::SaveItemClick},       {"SpeedButton9", &TMainForm::SpeedButton9Click},
        {"SpeedButton10", &TMainForm::SpeedButton10Click}, {"SpeedButton8", &TMainForm::SpeedButton8Click},
        {"SpeedButton12", &TMainForm::SpeedButton12Click},
    };
    for (const ToolButtonDef &entry : toolbarTable()) {
        const QString name = QLatin1String(entry.name);
        if (name.startsWith(QLatin1String("Bevel"))) {
            auto *bevel = new QFrame(SpeedPanel);
            bevel->setObjectName(name);
            bevel->setFrameStyle(QFrame::VLine | QFrame::Sunken);
            bevel->setGeometry(entry.left, 4, 2, 25);
            (name == QLatin1String("Bevel1") ? Bevel1 : Bevel2) = bevel;
            continue;
        }
        auto *button = new QToolButton(SpeedPanel);
        button->setObjectName(name);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(entry.left, 4, 25, 25);
        button->setIconSize(QSize(18, 18));
        button->setIcon(ui::picture(QLatin1String(entry.icon)));
        const QString hint = QString::fromUtf8(entry.hint);
        button->setToolTip(hint);
        button->setStatusTip(hint);
        button->setAccessibleName(hint);
        for (const auto &h : handlers)
            if (name == QLatin1String(h.name))
                connect(button, &QToolButton::clicked, this, h.handler);
        if (lessonRowOfButton(entry.name))
            connect(button, &QToolButton::clicked, this,
                    [this, name = entry.name] { showLessonOfButton(name); });
    }
}

void TMainForm::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setFixedHeight(24);
    bar->setSizeGripEnabled(false);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(15);
    bar->setFont(font);
    hintPanel = new QLabel(bar);
    hintPanel->setObjectName(QStringLiteral("StatusPanel0"));
    hintPanel->setMinimumWidth(50);
    clockPanel = new QLabel(bar);
    clockPanel->setObjectName(QStringLiteral("StatusPanel1"));
    clockPanel->setAlignment(Qt::AlignCenter);
    clockPanel->setMinimumWidth(50);
    // Panel 0 has the frame's width less 100 pixels (FormResize); the clock
    // takes the rest of the bar.
    bar->addWidget(hintPanel);
    bar->addPermanentWidget(clockPanel, 1);
    FormResize();
}

QAction *TMainForm::action(const QString &name) const
{
    // A search of every window's widgets, made once per name.
    QPointer<QAction> &found = m_actions[name];
    if (!found)
        found = findChild<QAction *>(name);
    return found;
}

QToolButton *TMainForm::toolButton(const QString &name) const
{
    return SpeedPanel->findChild<QToolButton *>(name);
}

void TMainForm::addLesson(LessonWindow *w)
{
    QMdiSubWindow *sub = mdiArea->addSubWindow(w, w->subWindowFlags());
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setObjectName(w->objectName() + QStringLiteral("Sub"));
    sub->setFixedSize(kLessonWidth, kLessonHeight);
    // No border icons, no system menu on the title bar either.
    if (!(w->subWindowFlags() & Qt::WindowSystemMenuHint))
        sub->setSystemMenu(nullptr);
    sub->move(0, 0);
    sub->show();
    listenForSounds(w);
    zoomLesson(w);
    // A new lesson may set its texts' fonts afresh (a long instruction).
    connect(w, &LessonWindow::lessonStarted, this, [this, w] { zoomLesson(w); });
    connect(w, &LessonWindow::guideChanged, this, [this, w] { followCaret(w); });
}

QMdiSubWindow *TMainForm::subWindowOf(const LessonWindow *w) const
{
    return w ? qobject_cast<QMdiSubWindow *>(w->parentWidget()) : nullptr;
}

void TMainForm::showLesson(LessonWindow *w)
{
    QMdiSubWindow *sub = subWindowOf(w);
    if (!sub)
        return;
    sub->showNormal();
    sub->move(0, 0);
    sub->raise();
    // The control chosen by the window's last SetIni takes the focus before
    // the activation can hand it back to the control it had last (an entry
    // step of its own in the drills), and again after it, for a frame that
    // is not the active window yet.
    QWidget *entry = w->takeEntry();
    if (entry)
        entry->setFocus(Qt::OtherFocusReason);
    mdiArea->setActiveSubWindow(sub);
    if (entry)
        entry->setFocus(Qt::OtherFocusReason);
    else if (!sub->isAncestorOf(focusWidget())) // the frame's focus, also while it is not active
        sub->widget()->setFocus(Qt::OtherFocusReason);
    UpdateMenus();
}

LessonWindow *TMainForm::activeLesson() const
{
    QMdiSubWindow *sub = mdiArea->currentSubWindow();
    // A minimise and restore can leave the area without an active child
    // (no window manager to activate the frame again): the lesson in front
    // is still the one the learner works in.
    if (!sub) {
        const QList<QMdiSubWindow *> stack = mdiArea->subWindowList(QMdiArea::StackingOrder);
        if (!stack.isEmpty() && stack.constLast()->isVisible())
            sub = stack.constLast();
    }
    return sub ? qobject_cast<LessonWindow *>(sub->widget()) : nullptr;
}

LessonWindow *TMainForm::lessonOfModule(int module) const
{
    const LessonDef *row = lessonRow(module);
    return row ? lessonWindow(*row) : nullptr;
}

void TMainForm::showLessonOfButton(const char *buttonName)
{
    if (const LessonDef *row = lessonRowOfButton(buttonName))
        showLesson(lessonWindow(*row));
}

// ---- start and end of the run ----------------------------------------------

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    startFolder = QDir::currentPath();
    helpFile = QDir::toNativeSeparators(startFolder + QStringLiteral("/Tapivox.hlp"));
    resize(width() - 10, height());
    // Without a window manager nothing would honour the maximised state:
    // cover the screen's work area first.
    if (QScreen *display = screen())
        setGeometry(display->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    action(QStringLiteral("Dcouverte1"))->setChecked(true);
    action(QStringLiteral("N1gh1"))->setChecked(true);
    Forms &f = forms();
    if (f.Blocnotes)
        f.Blocnotes->Charge(QStringLiteral("Tapivox.nte"));
    UpdateMenus();
    if (f.Caract)
        f.Caract->Init();
    newLesson();
    Timer1Timer();
}

// SetIni on every lesson window in its start turn, then the keyboard
// window, the first of the table, in front.
void TMainForm::newLesson()
{
    for (const LessonDef *row : lessonsInStartOrder())
        if (LessonWindow *w = lessonWindow(*row))
            w->SetIni(row->startCode);
    showLesson(lessonWindow(lessonTable().front()));
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery() || !keepNotesBeforeClosing()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainForm::FormClose()
{
    if (!startFolder.isEmpty())
        QDir::setCurrent(startFolder);
    if (forms().Blocnotes)
        forms().Blocnotes->Sauve(QStringLiteral("Tapivox.nte"));
    if (m_help)
        m_help->close();
    // A copy test still running ends as interrupted, and is kept so.
    if (m_epreuve)
        m_epreuve->close();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    // The class's words, when shown, take their room from the hint.
    const int classRoom =
        m_classPanel && !m_classPanel->isHidden() ? m_classPanel->sizeHint().width() + 12 : 0;
    if (hintPanel)
        hintPanel->setFixedWidth(qMax(50, width() - 100 - classRoom));
}

void TMainForm::Timer1Timer()
{
    const QString text = QLocale().toString(QTime::currentTime(), ui::longTimeFormat());
    if (clockPanel->text() != text)
        clockPanel->setText(text);
}

void TMainForm::ShowHint(const QString &hint)
{
    if (hintPanel->text() != hint)
        hintPanel->setText(hint);
}

void TMainForm::buildLessonsBehind()
{
    for (const LessonDef &row : lessonTable()) {
        LessonWindow *w = lessonWindow(row);
        if (w && !w->controlsBuilt()) {
            w->buildControls();
            QTimer::singleShot(0, this, &TMainForm::buildLessonsBehind);
            return;
        }
    }
}

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// F1: the topic of the open menu, or of the active lesson window.
bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    // The guide band waits for the frame's first paint, and a moment more:
    // reading the keymap for it takes about as long as the paint, and a key
    // pressed as soon as the frame shows is answered first.
    if (!m_painted && event->type() == QEvent::Paint && watched == mdiArea->viewport()) {
        m_painted = true;
        // Who learns is asked before the start offer reads their last session.
        QTimer::singleShot(kGuideDelayMs, this, &TMainForm::askWhoLearns);
        QTimer::singleShot(kGuideDelayMs, this, &TMainForm::buildGuide);
        QTimer::singleShot(kLessonsBehindDelayMs, this, &TMainForm::buildLessonsBehind);
        // The class's first send waits for the lessons to be built.
        QTimer::singleShot(kClassDelayMs, this, &TMainForm::followClassLink);
    }
    // Alt+X is the Quitter shortcut and also the mnemonic of "E&xercices";
    // Qt would call the two ambiguous and run neither. Quitter wins; the
    // menu stays reachable with Alt released, then x.
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (key && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
        const auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (keyEvent->key() == Qt::Key_X && keyEvent->modifiers() == Qt::AltModifier) {
            event->accept(); // an accepted override keeps the key from the shortcuts
            if (event->type() == QEvent::KeyPress)
                ExitItemClick();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            const int context = menu->property("helpContext").toInt();
            if (context > 0) {
                menu->close();
                showHelpContext(context);
                return true;
            }
        } else if (watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
            LessonWindow *w = activeLesson();
            auto *target = static_cast<QWidget *>(watched);
            if (w && w->helpContext() > 0 && (w == target || w->isAncestorOf(target))) {
                helpViewer().showLessonHelp(w->moduleCode());
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::UpdateMenus()
{
    const LessonWindow *w = activeLesson();
    const bool clipboard = w && w->hasClipboard();
    const bool textStyle = w && w->hasTextStyle();
    for (const char *name : {"Couper1", "Copier1", "Coller1"})
        action(QLatin1String(name))->setEnabled(clipboard);
    toolButton(QStringLiteral("SpeedButton9"))->setEnabled(textStyle);
    toolButton(QStringLiteral("SpeedButton10"))->setEnabled(textStyle);
    followGuide();
}

// ---- commands ------------------------------------------------------------------

void TMainForm::ExitItemClick()
{
    close();
}

void TMainForm::About1Click()
{
    if (forms().AboutBox)
        ui::prompter().showModal(forms().AboutBox);
}

void TMainForm::LessonItemClick(QAction *item)
{
    QActionGroup *group = item->actionGroup();
    const QString before = group ? group->property("unchecked").toString() : QString();
    if (group)
        group->setProperty("unchecked", QString());
    LessonWindow *w = lessonOfModule(item->property("module").toInt());
    if (!w)
        return;
    if (!w->prepareLesson(item->data().toInt())) {
        if (QAction *previous = before.isEmpty() ? nullptr : action(before))
            previous->setChecked(true);
        if (group)
            group->setProperty("unchecked", QString());
        return;
    }
    w->SetIni(item->data().toInt());
    item->setChecked(true);
    showLesson(w);
}

// Bold and underline are enabled only while a lesson that styles its text
// is in front.
void TMainForm::SpeedButton9Click()
{
    if (LessonWindow *w = activeLesson())
        w->Gras();
}

void TMainForm::SpeedButton10Click()
{
    if (LessonWindow *w = activeLesson())
        w->Souligne();
}

void TMainForm::SpeedButton8Click()
{
    routeChronometer();
    QAction *chrono = action(QStringLiteral("Chronomtrer1"));
    chrono->setChecked(!chrono->isChecked());
}

void TMainForm::routeChronometer()
{
    if (LessonWindow *w = activeLesson())
        w->toggleChronometer();
}

void TMainForm::SpeedButton12Click()
{
    if (LessonWindow *w = activeLesson())
        w->Statistic();
}

void TMainForm::Couper1Click()
{
    if (LessonWindow *w = activeLesson())
        w->Couper();
}

void TMainForm::Copier1Click()
{
    if (LessonWindow *w = activeLesson())
        w->Copier();
}

void TMainForm::Coller1Click()
{
    if (LessonWindow *w = activeLesson())
        w->Coller();
}

// A lesson that takes characters inserts the chosen ones; otherwise the
// table is only shown.
void TMainForm::Tabledescaractres1Click()
{
    LessonWindow *w = activeLesson();
    if (w && w->takesCharacters())
        w->Caracteres();
    else if (forms().Caract)
        ui::prompter().showModal(forms().Caract);
}

void TMainForm::Calendrier1Click()
{
    if (forms().Calendrier)
        ui::prompter().showModal(forms().Calendrier);
}

void TMainForm::Clculatrice1Click()
{
    if (forms().Pocket)
        ui::prompter().showModal(forms().Pocket);
}

void TMainForm::Horloge1Click()
{
    if (forms().Horloge)
        ui::prompter().showModal(forms().Horloge);
}

void TMainForm::Blocnotes1Click()
{
    if (forms().Blocnotes)
        ui::prompter().showModal(forms().Blocnotes);
}

HelpViewer &TMainForm::helpViewer()
{
    if (!m_help) {
        m_help = new HelpViewer(this);
        applyTextZoomChoice();
    }
    return *m_help;
}

void TMainForm::HContents()
{
    helpViewer().showContents();
}
void TMainForm::HSearch()
{
    helpViewer().showSearch(QString());
}
void TMainForm::HowToUse()
{
    helpViewer().showHelpOnHelp();
}
void TMainForm::showHelpContext(int context)
{
    helpViewer().showContext(context);
}

// ---- menu codes ------------------------------------------------------------------

int TMainForm::menuCode(int module) const
{
    const QActionGroup *group = m_groups.value(module);
    if (!group)
        return 0;
    const QList<QAction *> items = group->actions();
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i)->isChecked())
            return i + 1;
    return 0;
}

void TMainForm::setMenuCode(int module, std::int32_t code)
{
    const QActionGroup *group = m_groups.value(module);
    if (!group)
        return;
    const QList<QAction *> items = group->actions();
    if (code >= 1 && code <= items.size())
        items.at(code - 1)->setChecked(true);
    m_groups[module]->setProperty("unchecked", QString());
}
