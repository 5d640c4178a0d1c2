// The window of the typing drills: widgets wired to the line judging.
#include "drills/drillwindow.h"

#include "ui/cp1252.h"
#include "ui/flatframe.h"
#include "ui/hooklineedit.h"
#include "ui/keycodes.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTimer>

namespace {

constexpr int kWidth = 668;
constexpr int kHeight = 375;
constexpr int kEditLeft = 16;
constexpr int kEditWidth = 625;
constexpr int kModelTops[3] = {80, 160, 240};
constexpr int kTypingTops[3] = {120, 200, 280};

QFont boldFont(const QString &family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

QLabel *makeLabel(QWidget *parent, const char *name, int left, int top, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText); // the review names characters read from the journal
    label->setFont(boldFont(QStringLiteral("MS Sans Serif"), 17));
    label->move(left, top);
    // As wide as the window: a long instruction runs under the time display.
    label->resize(kWidth - 8 - left, 24);
    return label;
}

} // namespace

DrillWindow::DrillWindow(const QString &name, int moduleCode, int helpContext, const Look &look,
                         QWidget *parent)
    : LessonWindow(name, moduleCode, helpContext, parent)
    , m_editHeight(look.editHeight)
    , m_editFontPixels(look.editFontPixels)
{
    resize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look.background);
    palette.setColor(QPalette::WindowText, Qt::yellow);
    setPalette(palette);
    setFont(boldFont(QStringLiteral("MS Sans Serif"), 13));

    Label1 = makeLabel(this, "Label1", 24, 8, QStringLiteral("Ecrire ce qui suit"));
    Label2 = makeLabel(this, "Label2", 24, 40, look.score);

    createTimeDisplay(this, QPoint(560, 12));
    // The lines wait until the window is first reached: the frame starts
    // with the keyboard window in front of this one.
    deferControls();

    // Entry steps run when a typing line becomes this window's focused line
    // (mouse, Tab), not when the window merely gets the focus back.
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget *, QWidget *now) { focusChanged(now); });
}

void DrillWindow::build()
{
    const QFont editFont = boldFont(QStringLiteral("Times New Roman"), m_editFontPixels);
    static const char *const modelNames[3] = {"Edit1", "Edit3", "Edit5"};
    static const char *const typingNames[3] = {"Edit2", "Edit4", "Edit6"};
    for (int i = 0; i < drills::LineDrill::LineCount; ++i) {
        auto *model = new QLineEdit(this);
        model->setObjectName(QLatin1String(modelNames[i]));
        model->setGeometry(kEditLeft, kModelTops[i], kEditWidth, m_editHeight);
        model->setFont(editFont);
        model->setReadOnly(true);
        // Display only: no tab stop, and a click never takes the focus away
        // from the typing line.
        model->setFocusPolicy(Qt::NoFocus);
        QPalette mp = model->palette();
        mp.setColor(QPalette::Base, Qt::cyan);
        mp.setColor(QPalette::Text, Qt::black);
        // The highlight stays visible while the model line has no focus.
        for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
            mp.setColor(QPalette::Inactive, role, mp.color(QPalette::Active, role));
        model->setPalette(mp);
        model->installEventFilter(this);
        ui::giveFlatFrame(model);
        m_models[i] = model;

        auto *typing = new ui::HookLineEdit(this);
        typing->setObjectName(QLatin1String(typingNames[i]));
        typing->setGeometry(kEditLeft, kTypingTops[i], kEditWidth, m_editHeight);
        typing->setFont(editFont);
        QPalette tp = typing->palette();
        tp.setColor(QPalette::Text, Qt::black);
        typing->setPalette(tp);
        typing->setJudgedInput(true);
        typing->installEventFilter(this);
        ui::giveFlatFrame(typing);
        // A key let in, a click in the line: the next character changes.
        connect(typing, &QLineEdit::cursorPositionChanged, this, &LessonWindow::guideChanged);
        m_typing[i] = typing;
    }
    m_typing[0]->keyPressHook = [this](quint8 key) { return Edit2KeyPress(key); };
    m_typing[1]->keyPressHook = [this](quint8 key) { return Edit4KeyPress(key); };
    m_typing[2]->keyPressHook = [this](quint8 key) { return Edit6KeyPress(key); };
    setTabOrder(m_typing[0], m_typing[1]);
    setTabOrder(m_typing[1], m_typing[2]);

    Panel2->raise();
    applySpokenNames();
    for (int i = 0; i < drills::LineDrill::LineCount; ++i) {
        m_models[i]->show();
        m_typing[i]->show();
    }
    // The lines as the drill stands; the typing line the last SetIni or
    // judgement chose takes the focus, or keeps it for the next showing.
    showDrill();
    focusLine(m_focusLine);
}

void DrillWindow::nameForScreenReader(const Spoken &spoken)
{
    m_spoken = spoken;
    Label1->setAccessibleDescription(spoken.instructionHelp);
    Label2->setAccessibleDescription(QStringLiteral("Score"));
    if (controlsBuilt())
        applySpokenNames();
}

void DrillWindow::applySpokenNames()
{
    const Spoken &spoken = m_spoken;
    static const char *const ordinals[drills::LineDrill::LineCount] = {"Première", "Deuxième", "Troisième"};
    for (int i = 0; i < drills::LineDrill::LineCount; ++i) {
        const QString ordinal = QString::fromUtf8(ordinals[i]);
        m_models[i]->setAccessibleName(QStringLiteral("%1 %2 modèle").arg(ordinal, spoken.line));
        m_typing[i]->setAccessibleName(QStringLiteral("%1 %2 à taper").arg(ordinal, spoken.line));
        m_typing[i]->setAccessibleDescription(spoken.typingHelp);
    }
}

DrillWindow::~DrillWindow()
{
    // The children going away move the focus; this window no longer listens.
    disconnect(m_focusConnection);
}

bool DrillWindow::keyPress(int line, quint8 key)
{
    drills::LineDrill &d = drill();
    ui::HookLineEdit *typing = m_typing[line];
    d.setTyped(line, typing->text());
    const QString expected = d.model(line).mid(typing->cursorPosition() - d.standInTyped(), 1);
    const drills::Verdict v = judge(line, typing->cursorPosition(), key);
    showDrill(v.insert ? line : -1);
    if (v.focusLine >= 0)
        focusLine(v.focusLine);
    showScore();
    // The first keys of a plain equivalent ("o" of "oe") are not judged yet.
    if (!v.partial) {
        noteKey(expected, v.accepted, QString(ui::cp1252ToUnicode(key)));
        noteJudged(v.accepted ? 1 : 0, v.accepted ? 0 : 1);
    }
    if (!v.accepted && !v.partial) {
        const QChar typed = ui::cp1252ToUnicode(key);
        emit guideRefused(expected, typed.isNull() ? QString() : QString(typed));
        emit guideChanged();
    }
    if (v.completed && line == drills::LineDrill::LineCount - 1)
        emit lessonCompleted(nextPageInPlace());
    return v.insert;
}

QString DrillWindow::guideExpected() const
{
    const int line = const_cast<DrillWindow *>(this)->drill().activeLine();
    if (line < 0 || line >= drills::LineDrill::LineCount)
        return QString();
    const int standIn = const_cast<DrillWindow *>(this)->drill().standInTyped();
    return modelLine(line)->text().mid(typingLine(line)->cursorPosition() - standIn, 1);
}

int DrillWindow::guideStandInTyped() const
{
    return const_cast<DrillWindow *>(this)->drill().standInTyped();
}

QString DrillWindow::guidePassed() const
{
    return const_cast<DrillWindow *>(this)->drill().passed();
}

void DrillWindow::enterLine(int line)
{
    drill().enter(line);
    showDrill();
}

void DrillWindow::focusChanged(QWidget *now)
{
    for (int i = 0; i < drills::LineDrill::LineCount; ++i) {
        if (now == m_typing[i] && drill().activeLine() != i) {
            enterLine(i);
            return;
        }
    }
}

void DrillWindow::focusLine(int line)
{
    m_focusLine = line;
    if (controlsBuilt())
        focusEntry(m_typing[line]);
}

void DrillWindow::showDrill(int skipTyped)
{
    if (!controlsBuilt()) {
        emit guideChanged();
        return;
    }
    const drills::LineDrill &d = drill();
    for (int i = 0; i < drills::LineDrill::LineCount; ++i) {
        QLineEdit *model = m_models[i];
        if (model->text() != d.model(i)) {
            model->setText(d.model(i));
            model->setCursorPosition(0); // a line wider than its box shows its beginning
        }
        const drills::Highlight h = d.highlight(i);
        if (h.length > 0 && h.start >= 0 && h.start < model->text().size()) {
            // The box scrolls to its caret. Going on, the caret follows the
            // highlighted character; going back, it stands before it, so
            // that a line scrolled past it shows it again.
            if (h.start < model->cursorPosition())
                model->setSelection(h.start + h.length, -h.length);
            else
                model->setSelection(h.start, h.length);
        } else {
            model->deselect();
        }
        if (i != skipTyped && m_typing[i]->text() != d.typed(i))
            m_typing[i]->setText(d.typed(i));
    }
    emit guideChanged();
}

void DrillWindow::showScore()
{
    const bool refused = drill().errors() > m_errors;
    m_good = drill().good();
    m_errors = drill().errors();
    Label2->setText(scoreLine(m_good, m_errors));
    if (refused)
        tellRefusedKey();
}

// A refused key inserts nothing, so a screen reader would say nothing: the
// focused typing line takes the score line as its description, and the
// change is spoken. Right keys are heard as they are typed.
void DrillWindow::tellRefusedKey()
{
    for (ui::HookLineEdit *line : m_typing)
        if (line && line->hasFocus())
            line->setAccessibleDescription(Label2->text());
}

void DrillWindow::FormShow()
{
    QWidget *outer = qobject_cast<QMdiSubWindow *>(parentWidget()) ? parentWidget() : this;
    if (outer->y() < 0)
        outer->move(outer->x(), 0);
    drill().clearErrors();
    m_errors = 0;
}

void DrillWindow::FormResize()
{
    QWidget *outer = qobject_cast<QMdiSubWindow *>(parentWidget()) ? parentWidget() : this;
    if (const QSize size = zoomed(QSize(kWidth, kHeight)); outer->size() != size)
        outer->resize(size);
}

void DrillWindow::showEvent(QShowEvent *event)
{
    LessonWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void DrillWindow::resizeEvent(QResizeEvent *event)
{
    LessonWindow::resizeEvent(event);
    FormResize();
}

bool DrillWindow::eventFilter(QObject *watched, QEvent *event)
{
    // An unfocused line edit drops its selection when its window is
    // activated; a model line keeps its highlight whatever the focus.
    if (event->type() == QEvent::WindowActivate && qobject_cast<QLineEdit *>(watched) &&
        !qobject_cast<ui::HookLineEdit *>(watched))
        return true;
    return LessonWindow::eventFilter(watched, event);
}
