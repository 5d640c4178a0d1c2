// Shared test helpers.
#include "support/testsupport.h"

#include "app/forms.h"
#include "app/tmainform.h"
#include "ui/lockstate.h"
#include "ui/platform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>

namespace test {

ui::Prompter::Answer FakePrompter::askYesNoCancel(QWidget *, const QString &text)
{
    questions << text;
    return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
}

QString FakePrompter::openFileName(QWidget *, const QString &, const QString &)
{
    ++openDialogs;
    return openNames.isEmpty() ? QString() : openNames.takeFirst();
}

QString FakePrompter::saveFileName(QWidget *, const QString &, const QString &)
{
    ++saveDialogs;
    return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
}

void FakePrompter::error(QWidget *, const QString &text)
{
    errors << text;
}

void FakePrompter::information(QWidget *, const QString &text)
{
    informations << text;
}

int FakePrompter::showModal(QDialog *dialog)
{
    modals << dialog;
    return onModal ? onModal(dialog) : 0;
}

int FakePrompter::choose(QWidget *, const QString &text, const QStringList &buttons)
{
    choiceTexts << text;
    choiceButtons << buttons;
    if (beforeChoice)
        beforeChoice();
    return choices.isEmpty() ? -1 : choices.takeFirst();
}

bool FakePrompter::confirm(QWidget *, const QString &text, const QString &)
{
    confirmations << text;
    return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
}

PrompterScope::PrompterScope()
    : m_fake(new FakePrompter)
{
    m_previous = ui::setPrompter(std::unique_ptr<ui::Prompter>(m_fake));
}

PrompterScope::~PrompterScope()
{
    ui::setPrompter(std::move(m_previous));
}

TempCwd::TempCwd()
    : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

TempCwd::~TempCwd()
{
    QDir::setCurrent(m_previous);
}

void startProgram()
{
    static bool platformReady = false;
    if (!platformReady) {
        ui::setUpPlatform(*qApp);
        platformReady = true;
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb") &&
        !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        ui::setLockState(std::make_unique<ui::FakeLockState>());
    createForms();
    forms().MainForm->show();
}

void stopProgram()
{
    destroyForms();
}

} // namespace test

namespace test {
namespace {

// xdotool's modifier names as wtype's, and the key that each one is.
struct Modifier
{
    const char *xdotool;
    const char *wtype;
    const char *key;
};
constexpr Modifier kModifiers[] = {
    {"ctrl", "ctrl", "Control_L"}, {"shift", "shift", "Shift_L"}, {"alt", "alt", "Alt_L"}};

const Modifier *modifier(const QString &name)
{
    for (const Modifier &m : kModifiers)
        if (name == QLatin1String(m.xdotool))
            return &m;
    return nullptr;
}

// A virtual keyboard changes the compositor's modifiers only when told, so
// each modifier key is pressed and its modifier set together.
QStringList wtypeArgs(const QStringList &xdotool)
{
    QStringList out;
    QString command;
    for (int i = 0; i < xdotool.size(); ++i) {
        const QString &arg = xdotool[i];
        if (arg == u"key"_qs || arg == u"keydown"_qs || arg == u"keyup"_qs) {
            command = arg;
            continue;
        }
        if (arg == u"--delay"_qs) {
            ++i;
            continue;
        }
        if (command == u"keydown"_qs) {
            out << u"-P"_qs << arg;
        } else if (command == u"keyup"_qs) {
            out << u"-p"_qs << arg;
        } else {
            QStringList parts = arg.split(u'+');
            const QString key = parts.takeLast();
            for (const QString &p : parts)
                if (const Modifier *m = modifier(p))
                    out << u"-M"_qs << QLatin1String(m->wtype) << u"-P"_qs << QLatin1String(m->key);
            out << u"-k"_qs << key;
            for (auto it = parts.crbegin(); it != parts.crend(); ++it)
                if (const Modifier *m = modifier(*it))
                    out << u"-p"_qs << QLatin1String(m->key) << u"-m"_qs << QLatin1String(m->wtype);
            out << u"-s"_qs << u"30"_qs;
        }
    }
    // The virtual keyboard goes away with wtype: it stays a moment so that
    // its keys are taken while it is still the seat's keyboard.
    out << u"-s"_qs << u"300"_qs;
    return out;
}

} // namespace

bool sendKeys(const QStringList &xdotoolArgs)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return runKeyTool(u"wtype"_qs, wtypeArgs(xdotoolArgs));
    return runKeyTool(u"xdotool"_qs, xdotoolArgs);
}

bool runKeyTool(const QString &program, const QStringList &args)
{
    QProcess tool;
    tool.start(program, args);
    if (!tool.waitForStarted(10000))
        return false;
    QEventLoop loop;
    QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
    if (tool.state() != QProcess::NotRunning)
        loop.exec();
    QCoreApplication::processEvents();
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

} // namespace test
