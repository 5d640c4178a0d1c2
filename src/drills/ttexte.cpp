// TTexte: the text lesson. Keystrokes are not judged one by one: a line is
// judged when Enter is pressed, against the model line of the same number.
#include "drills/ttexte.h"

#include "app/lesson/forms.h"
#include "drills/textjudge.h"
#include "drills/texttexts.h"
#include "keyboard/tcaract.h"
#include "keymodel/keymodel.h"
#include "progress/lessonfamily.h"
#include "ui/cp1252.h"
#include "ui/deadkeys.h"
#include "ui/int32.h"
#include "ui/keycodes.h"
#include "ui/pasteguard.h"
#include "ui/prompter.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <functional>

namespace {

constexpr quint8 kEnter = 13;
constexpr int kWidth = 668;
constexpr int kHeight = 375;
constexpr qreal kTabStop = 48; // half an inch at 96 dpi, the rich-text editor's usual tab stop

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// The typing editor: every typed character goes through keyPress first, and
// every way of starting a new line (Return, keypad Enter, with Shift, Ctrl
// or Alt) is an Enter that keyPress judges; when it is let through it starts
// a plain new paragraph, so no line break slips in unjudged.
class TypingEdit final : public QTextEdit
{
public:
    using QTextEdit::QTextEdit;
    std::function<bool(quint8)> keyPress;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QList<quint8> codes = ui::charCodesOf(event);
        const bool enter =
            event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || codes.contains(kEnter);
        if (enter) {
            event->accept();
            if (keyPress && !keyPress(kEnter))
                return;
            QKeyEvent plain(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QTextEdit::keyPressEvent(&plain);
            return;
        }
        // The texts are Windows-1252: a character it lacks is not typed.
        if (codes.isEmpty() && ui::typesOutsideCp1252(event)) {
            event->accept();
            return;
        }
        if (keyPress)
            for (quint8 code : codes)
                if (!keyPress(code)) {
                    event->accept();
                    return;
                }
        QTextEdit::keyPressEvent(event);
    }

    // Dead keys and input methods commit text here; line breaks in it would
    // start lines without a judged Enter, so they are left out.
    void inputMethodEvent(QInputMethodEvent *event) override
    {
        QString commit = event->commitString();
        if (commit.isEmpty()) {
            QTextEdit::inputMethodEvent(event);
            return;
        }
        commit.removeIf([](QChar c) { return isLineBreak(c) || ui::unicodeToCp1252(c) < 0; });
        if (keyPress)
            for (quint8 code : ui::charCodesOf(commit))
                keyPress(code);
        QInputMethodEvent filtered(event->preeditString(), event->attributes());
        filtered.setCommitString(commit, event->replacementStart(), event->replacementLength());
        QTextEdit::inputMethodEvent(&filtered);
        event->setAccepted(filtered.isAccepted());
    }
};

QFont editorFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(17);
    return font;
}

QString blockText(const QTextDocument *document, int line)
{
    if (line < 0 || line >= document->blockCount())
        return QString();
    return document->findBlockByNumber(line).text();
}

} // namespace

TTexte::TTexte(QWidget *parent)
    : LessonWindow(QStringLiteral("TTexte"), 4, 7, parent)
{
    setWindowTitle(QStringLiteral("Texte"));
    // The characters as the learner's layout gives them (the model is read
    // at the first judged line, never at start-up).
    acceptance = [](QChar c) { return keyboard::acceptance(keyboard::LiveKeyModel::instance().model(), c); };
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
    resize(kWidth, kHeight);

    // The editors wait until the window is first reached: the frame starts
    // with the keyboard window in front of this one.
    deferControls();
    // The chronometer stays stopped until the learner starts it; each tick
    // then counts one second, shown nowhere.
}

void TTexte::build()
{
    m_richEdit1 = new QTextEdit(this);
    m_richEdit1->setObjectName(QStringLiteral("RichEdit1"));
    m_richEdit1->setGeometry(2, 2, 651, 164);
    m_richEdit1->setReadOnly(true);
    m_richEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_richEdit1->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    m_richEdit1->setUndoRedoEnabled(false);
    m_richEdit1->setFont(editorFont());
    m_richEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit1->setTabStopDistance(kTabStop);
    // White, and the highlighted error stays visible while the learner types
    // in the other editor.
    QPalette palette = m_richEdit1->palette();
    palette.setColor(QPalette::Base, Qt::white);
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setBrush(QPalette::Inactive, role, palette.brush(QPalette::Active, role));
    m_richEdit1->setPalette(palette);
    m_richEdit1->installEventFilter(this);

    auto *typing = new TypingEdit(this);
    m_richEdit2 = typing;
    m_richEdit2->setObjectName(QStringLiteral("RichEdit2"));
    m_richEdit2->setGeometry(1, 178, 651, 164);
    m_richEdit2->setFont(editorFont());
    m_richEdit2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit2->setTabStopDistance(kTabStop);
    m_richEdit2->setTabChangesFocus(false); // Tab types a tab character
    ui::guardPaste(m_richEdit1);
    ui::guardPaste(m_richEdit2);
    ui::refuseInputMethod(m_richEdit2); // dead keys composed as in the other lessons
    typing->keyPress = [this](quint8 key) { return RichEdit2KeyPress(key); };
    connect(m_richEdit2, &QTextEdit::cursorPositionChanged, this, &LessonWindow::guideChanged);
    m_richEdit1->show();
    m_richEdit2->show();
    if (m_textToLoad)
        loadText(m_textToLoad);
    m_textToLoad = 0;
    focusEntry(m_richEdit2);
}

Qt::WindowFlags TTexte::subWindowFlags() const
{
    return Qt::SubWindow | Qt::FramelessWindowHint;
}

void TTexte::SetIni(std::int32_t code)
{
    // Until the editors are built, one of the seven texts is only noted;
    // anything else (the learner's text, a code that keeps the model) needs
    // them now.
    const bool text = code >= 1 && code <= 7;
    if (!text)
        buildControls();
    LessonWindow::SetIni(code);
    m_errors = 0;
    m_good = 0;
    m_line = 0;
    if (!controlsBuilt()) {
        m_textToLoad = code;
        m_own = false;
        m_ownTitle.clear();
    } else {
        showLesson(code);
    }
    Timer1->stop(); // a new text is timed afresh
    m_seconds = 0;
    emit guideChanged();
}

void TTexte::showLesson(std::int32_t code)
{
    switch (code) {
    case 1: Bases(); break;
    case 2: Fable1(); break;
    case 3: Fable2(); break;
    case 4: Presspap(); break;
    case 5: Lettre(); break;
    case 6: Relance(); break;
    case 7: Cv(); break;
    case progress::kOwnTextLesson: loadOwnText(); break;
    default: break; // the model keeps its text
    }
    if (code == progress::kOwnTextLesson && m_own)
        setSessionTitle(m_ownTitle);
    m_richEdit2->clear();
    m_richEdit2->setCurrentCharFormat(QTextCharFormat()); // no bold left over from the last lesson
    focusEntry(m_richEdit2);
}

void TTexte::Bases()
{
    loadText(1);
}
void TTexte::Fable1()
{
    loadText(2);
}
void TTexte::Fable2()
{
    loadText(3);
}
void TTexte::Presspap()
{
    loadText(4);
}
void TTexte::Lettre()
{
    loadText(5);
}
void TTexte::Relance()
{
    loadText(6);
}
void TTexte::Cv()
{
    loadText(7);
}

void TTexte::loadText(int code)
{
    m_own = false;
    m_ownTitle.clear();
    RichEdit1()->clear();
    QTextCursor cursor(RichEdit1()->document());
    QTextCharFormat regular;
    regular.setFontWeight(QFont::Normal);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bool first = true;
    // One edit: the document is laid out once, not again at every line.
    cursor.beginEditBlock();
    for (const TextLine &line : textLines(code)) {
        const QTextCharFormat &format = line.style == TextLine::Style::Bold ? bold : regular;
        if (!first)
            cursor.insertBlock(QTextBlockFormat(), format);
        else
            cursor.setBlockCharFormat(format);
        cursor.insertText(QString::fromUtf8(line.text), format);
        first = false;
    }
    cursor.endEditBlock();
    cursor.setPosition(0);
    RichEdit1()->setTextCursor(cursor);
}

bool TTexte::prepareLesson(std::int32_t code)
{
    return code != 8 || chooseOwnText();
}

bool TTexte::chooseOwnText()
{
    // The recent texts still there; those gone since are dropped with a word.
    QStringList recent, gone;
    for (const QString &path : owntext::recentTexts())
        (QFileInfo::exists(path) ? recent : gone) << path;
    if (!gone.isEmpty()) {
        owntext::forgetTexts(gone);
        QStringList names;
        for (const QString &path : std::as_const(gone))
            names << QStringLiteral("«\u00A0%1\u00A0»").arg(QDir::toNativeSeparators(path));
        ui::prompter().information(
            this,
            gone.size() == 1
                ? QStringLiteral("Le texte %1 n'existe plus\u00A0: il est retiré des textes récents.")
                      .arg(names.constFirst())
                : QStringLiteral("Les textes %1 n'existent plus\u00A0: ils sont retirés des textes récents.")
                      .arg(names.join(QStringLiteral(", "))));
    }
    const QString filter = QStringLiteral("Textes (*.txt)|*.txt|Tous les fichiers (*)|*");
    const bool clipboard = ui::clipboardHasText();
    QString path;
    bool fromClipboard = false;
    if (recent.isEmpty() && !clipboard) {
        path = ui::prompter().openFileName(this, filter, QStringLiteral("txt"));
    } else {
        QStringList buttons{QStringLiteral("Un &fichier...")};
        if (clipboard)
            buttons << QStringLiteral("Le &presse-papiers");
        QStringList names;
        for (const QString &r : std::as_const(recent))
            names << QFileInfo(r).fileName();
        // A name is shown as it is: an « & » in it is no mnemonic.
        for (qsizetype i = 0; i < recent.size(); ++i)
            buttons << (names.count(names[i]) > 1 ? QDir::toNativeSeparators(recent[i]) : names[i])
                           .replace(u'&', QStringLiteral("&&"));
        const int choice =
            ui::prompter().choose(this, QStringLiteral("Quel texte voulez-vous recopier\u00A0?"), buttons);
        const int firstRecent = clipboard ? 2 : 1;
        if (choice < 0)
            return false;
        if (choice == 0)
            path = ui::prompter().openFileName(this, filter, QStringLiteral("txt"));
        else if (choice < firstRecent)
            fromClipboard = true;
        else
            path = recent.value(choice - firstRecent);
    }
    if (!fromClipboard && path.isEmpty())
        return false;
    owntext::Text text =
        fromClipboard ? owntext::fromText(QGuiApplication::clipboard()->text(), owntext::clipboardTitle())
                      : owntext::readFile(path);
    if (!text.ok()) {
        ui::prompter().error(this, text.error);
        return false;
    }
    if (!fromClipboard)
        owntext::rememberText(path);
    if (const QString report = text.report(); !report.isEmpty())
        ui::prompter().information(this, report);
    m_pending = std::move(text);
    return true;
}

void TTexte::loadOwnText()
{
    if (!m_pending) {
        // A lesson file names no text: the last one read comes back.
        const QStringList recent = owntext::recentTexts();
        if (!recent.isEmpty() && QFileInfo::exists(recent.constFirst())) {
            owntext::Text last = owntext::readFile(recent.constFirst());
            if (last.ok())
                m_pending = std::move(last);
            else
                ui::prompter().error(this, last.error);
        }
        if (!m_pending && !chooseOwnText())
            return; // the model keeps its text
    }
    RichEdit1()->clear();
    RichEdit1()->setCurrentCharFormat(QTextCharFormat());
    RichEdit1()->setPlainText(m_pending->text);
    QTextCursor cursor(RichEdit1()->document());
    cursor.setPosition(0);
    RichEdit1()->setTextCursor(cursor);
    m_own = true;
    m_ownTitle = m_pending->title;
    m_pending.reset();
}

QString TTexte::modelLine(int line) const
{
    return blockText(RichEdit1()->document(), line);
}

QString TTexte::typedLine(int line) const
{
    return blockText(RichEdit2()->document(), line);
}

TextJudge::Place TTexte::guidePlace(QString *model) const
{
    const QTextCursor caret = RichEdit2()->textCursor();
    if (caret.blockNumber() >= RichEdit1()->document()->blockCount())
        return {};
    const QString line = modelLine(caret.blockNumber());
    if (model)
        *model = line;
    const int column = caret.positionInBlock();
    TextJudge::Place place = TextJudge::follow(line, QStringView(typedLine(caret.blockNumber())).left(column),
                                               {m_own ? QChar(owntext::kSkipSign) : QChar(), acceptance});
    // Gone wrong: the model's character under the caret.
    if (place.next < 0)
        place = {column, 0, QString()};
    return place;
}

QString TTexte::guideExpected() const
{
    QString model;
    const qsizetype next = guidePlace(&model).next;
    if (next >= 0 && next < model.size())
        return model.mid(next, 1);
    return next == model.size() ? QStringLiteral("\n") : QString();
}

int TTexte::guideStandInTyped() const
{
    return guidePlace().standInTyped;
}

QString TTexte::guidePassed() const
{
    return guidePlace().passed;
}

int TTexte::PosErr(int line) const
{
    return TextJudge::PosErr(modelLine(line), typedLine(line));
}

bool TTexte::RichEdit2KeyPress(quint8 key)
{
    // The model's caret follows the typing caret; this also removes the
    // highlight of an earlier refusal.
    const QTextCursor typing = RichEdit2()->textCursor();
    QTextCursor model(RichEdit1()->document());
    model.setPosition(qBound(0, typing.position(), RichEdit1()->document()->characterCount() - 1));
    RichEdit1()->setTextCursor(model);
    if (key != kEnter)
        return true;

    m_line = typing.blockNumber();
    const TextJudge::Verdict verdict = TextJudge::judge(
        modelLine(m_line), typedLine(m_line), {m_own ? QChar(owntext::kSkipSign) : QChar(), acceptance});
    if (!verdict.accepted) {
        m_errors = ui::add32(m_errors, 1);
        if (verdict.position > 0) {
            // The first differing character of the model line, wherever the
            // typing caret stands in its line.
            const int offset =
                RichEdit1()->document()->findBlockByNumber(m_line).position() + verdict.position - 1;
            model.setPosition(offset);
            model.setPosition(offset + 1, QTextCursor::KeepAnchor);
            RichEdit1()->setTextCursor(model);
        }
        noteJudged(0, 1);
        return false;
    }
    m_good = ui::add32(m_good, 1);
    noteJudged(1, 0);
    // The last line of the model that holds anything ends the text.
    int last = RichEdit1()->document()->blockCount() - 1;
    while (last > 0 && modelLine(last).trimmed().isEmpty())
        --last;
    if (m_line == last)
        emit lessonCompleted(false);
    return true;
}

void TTexte::FormKeyPress()
{
    RichEdit2()->setFocus();
}

bool TTexte::eventFilter(QObject *watched, QEvent *event)
{
    // A character typed into the model only sends the learner back to the
    // typing editor; other keys scroll the model as usual.
    if (watched == m_richEdit1 && event->type() == QEvent::KeyPress &&
        !static_cast<QKeyEvent *>(event)->text().isEmpty()) {
        FormKeyPress();
        return true;
    }
    return LessonWindow::eventFilter(watched, event);
}

void TTexte::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty()) {
        FormKeyPress();
        event->accept();
        return;
    }
    LessonWindow::keyPressEvent(event);
}

QWidget *TTexte::outerWindow()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        return sub;
    return this;
}

void TTexte::FormShow()
{
    QWidget *outer = outerWindow();
    if (outer->y() < 0)
        outer->move(outer->x(), 0);
    m_errors = 0;
}

void TTexte::FormResize()
{
    QWidget *outer = outerWindow();
    if (outer == this)
        return; // on its own (tests) the window keeps the size it is given
    if (const QSize size = zoomed(QSize(kWidth, kHeight)); outer->size() != size)
        outer->resize(size);
    if (outer->y() > 100)
        outer->move(outer->x(), 0);
}

void TTexte::showEvent(QShowEvent *event)
{
    LessonWindow::showEvent(event);
    if (!event->spontaneous()) // the frame restored from a minimise keeps the refused lines
        FormShow();
}

void TTexte::resizeEvent(QResizeEvent *event)
{
    LessonWindow::resizeEvent(event);
    FormResize();
}

void TTexte::Couper()
{
    RichEdit2()->cut();
}

void TTexte::Copier()
{
    RichEdit2()->copy();
}

void TTexte::Coller()
{
    if (ui::clipboardHasText())
        RichEdit2()->paste();
}

// Each replaces the style set: bold then underline gives underline only.
void TTexte::setExactStyle(bool bold, bool underline)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontUnderline(underline);
    format.setFontItalic(false);
    format.setFontStrikeOut(false);
    RichEdit2()->mergeCurrentCharFormat(format);
}

void TTexte::Gras()
{
    setExactStyle(true, false);
}

void TTexte::Souligne()
{
    setExactStyle(false, true);
}

void TTexte::Caracteres()
{
    TCaract *caract = forms().Caract;
    if (!caract)
        return;
    ui::prompter().showModal(caract);
    const QString chosen = caract->Result;
    if (!chosen.isEmpty())
        RichEdit2()->insertPlainText(chosen);
    RichEdit2()->setFocus();
}
