// The notepad: a memo, a print button and the notes file.
#include "accessories/tblocnotes.h"

#include "accessories/notesfile.h"
#include "ui/accessories_printer.h"
#include "ui/pasteguard.h"
#include "ui/pictures.h"
#include "ui/platform.h"
#include "ui/prompter.h"

#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>

namespace {

// A small printer picture for the print button.
QIcon printerIcon()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 10, 7); // paper in
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(1, 7, 18, 8); // body
    p.setBrush(Qt::white);
    p.drawRect(5, 12, 10, 7); // paper out
    p.drawLine(7, 15, 13, 15);
    p.setPen(Qt::green);
    p.drawPoint(16, 9);
    return QIcon(pixmap);
}

// A run this long without a blank makes line breaking slow (useWrapFor).
constexpr qsizetype kLongRun = 10000;

bool hasLongRun(QStringView text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run >= kLongRun)
            return true;
    }
    return false;
}

} // namespace

TBlocnotes::TBlocnotes(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TBlocnotes"));
    setWindowTitle(QStringLiteral("Bloc-notes"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(ui::picture(QStringLiteral("tapivox")));
    setFixedSize(533, 334);
    QFont font(QStringLiteral("System"));
    font.setPixelSize(17);
    setFont(font);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(0, 0, 533, 33);

    SpeedButton9 = new QToolButton(Panel1);
    SpeedButton9->setObjectName(QStringLiteral("SpeedButton9"));
    SpeedButton9->setAutoRaise(true);
    SpeedButton9->setIcon(printerIcon());
    SpeedButton9->setToolTip(QStringLiteral("Imprimer"));
    SpeedButton9->setFocusPolicy(Qt::NoFocus);
    SpeedButton9->setGeometry(16, 4, 25, 25);
    connect(SpeedButton9, &QToolButton::clicked, this, &TBlocnotes::SpeedButton9Click);

    Button1 = new QPushButton(QStringLiteral("Fermer"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(393, 2, 89, 28);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TBlocnotes::Button1Click);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setGeometry(0, 33, 533, 301);

    Memo1 = new QPlainTextEdit(Panel2);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(3, 3, 533 - 6, 301 - 6);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the buttons, as in a dialog.
    Memo1->setTabChangesFocus(true);
    ui::guardPaste(Memo1);
    Memo1->document()->setModified(false);
    // A long run can also come from the clipboard: looked for once the
    // insertion is over (setPlainText reports each step of a long text).
    connect(Memo1->document(), &QTextDocument::contentsChange, this, [this](int, int, int added) {
        if (added < kLongRun || m_wrapCheckPending || isLoading() ||
            Memo1->wordWrapMode() == QTextOption::WrapAnywhere)
            return;
        m_wrapCheckPending = true;
        QTimer::singleShot(0, this, [this] {
            m_wrapCheckPending = false;
            useWrapFor(Memo1->document()->toRawText());
        });
    });
}

// Breaking at blanks, the memo looks for one to the end of the paragraph
// before each line it must break elsewhere: on a long run without a blank
// that goes quadratic (a megabyte took a minute). Notes holding such a run
// break anywhere instead, in time proportional to the text.
void TBlocnotes::useWrapFor(QStringView text)
{
    if (Memo1->wordWrapMode() != QTextOption::WrapAnywhere && hasLongRun(text))
        Memo1->setWordWrapMode(QTextOption::WrapAnywhere);
}

void TBlocnotes::Charge(const QString &fileName)
{
    QString message;
    const std::optional<QString> text = m_file.load(notes::collapseSeparator(fileName), &message);
    if (text)
        startLoading(*text);
    if (message.isEmpty())
        return;
    if (m_file.guarded())
        ui::prompter().error(this, message);
    else
        ui::prompter().information(this, message);
}

// Long notes go into the memo in bounded steps from the event loop, so that
// the frame appears at once and stays responsive; meanwhile the notepad
// says it is loading, and the first key puts the rest in at once, so that
// what is typed lands where the learner puts it in the whole notes.
void TBlocnotes::startLoading(const QString &text)
{
    m_pending.clear();
    useWrapFor(text);
    if (text.size() <= kLoadStep) {
        Memo1->setPlainText(text);
        Memo1->document()->setModified(false);
        return;
    }
    m_pending = text;
    m_pendingAt = 0;
    Memo1->clear();
    Memo1->document()->setUndoRedoEnabled(false);
    Memo1->setReadOnly(true);
    Memo1->installEventFilter(this);
    setWindowTitle(QStringLiteral("Bloc-notes - chargement des notes..."));
    QTimer::singleShot(0, this, [this] { loadStep(false); });
}

bool TBlocnotes::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1 && isLoading()) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::InputMethod: finishLoading(); break;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TBlocnotes::loadStep(bool all)
{
    if (m_pending.isEmpty())
        return;
    const qsizetype count =
        all ? m_pending.size() - m_pendingAt : qMin(kLoadStep, m_pending.size() - m_pendingAt);
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(m_pending.mid(m_pendingAt, count));
    // The memo's cursor starts at the top, and stays where the learner puts
    // it (a click) as the rest goes in after it.
    if (m_pendingAt == 0)
        Memo1->moveCursor(QTextCursor::Start);
    m_pendingAt += count;
    if (m_pendingAt < m_pending.size()) {
        QTimer::singleShot(0, this, [this] { loadStep(false); });
        return;
    }
    m_pending.clear();
    m_pending.squeeze();
    Memo1->document()->setUndoRedoEnabled(true);
    Memo1->document()->setModified(false);
    Memo1->setReadOnly(false);
    Memo1->removeEventFilter(this);
    setWindowTitle(QStringLiteral("Bloc-notes"));
}

bool TBlocnotes::isLoading() const
{
    return !m_pending.isEmpty();
}

void TBlocnotes::finishLoading()
{
    loadStep(true);
}

void TBlocnotes::Sauve(const QString &fileName)
{
    QString message;
    if (saveNotes(fileName, false, &message) != notes::NotesFile::Save::Saved)
        ui::prompter().error(this, message);
}

notes::NotesFile::Save TBlocnotes::saveNotes(const QString &fileName, bool replaceAnyway, QString *message)
{
    finishLoading();
    if (!Memo1->document()->isModified())
        return notes::NotesFile::Save::Saved;
    // Written beside the old file and renamed over it: a failed write
    // leaves the previous notes as they were, and the notes stay changed.
    const auto result = m_file.save(notes::collapseSeparator(fileName), notes(), replaceAnyway, message);
    if (result == notes::NotesFile::Save::Saved)
        Memo1->document()->setModified(false);
    return result;
}

bool TBlocnotes::saveNotesAs(const QString &path, QString *message)
{
    finishLoading();
    if (!m_file.saveAs(path, notes(), message))
        return false;
    Memo1->document()->setModified(false);
    return true;
}

void TBlocnotes::discardChanges()
{
    Memo1->document()->setModified(false);
}

QString TBlocnotes::notes() const
{
    // The raw text keeps no-break spaces, which toPlainText turns into blanks.
    QString text = Memo1->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

QStringList TBlocnotes::shownLines() const
{
    const QTextDocument *doc = Memo1->document();
    const qreal width = Memo1->width() - 2 * Memo1->frameWidth() - 2 * doc->documentMargin();
    QTextOption option;
    option.setWrapMode(Memo1->wordWrapMode());
    QStringList lines;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QString paragraph = block.text();
        QTextLayout layout(paragraph, Memo1->font());
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength());
            ++count;
        }
        layout.endLayout();
        if (count == 0)
            lines << QString();
    }
    return lines;
}

void TBlocnotes::Imprimer()
{
    finishLoading();
    ui::printOrSavePdf(this, shownLines(), Memo1->font(), windowTitle());
}

void TBlocnotes::Button1Click()
{
    // The text stays in the memo; it is written at the end of the run.
    reject();
}

void TBlocnotes::SpeedButton9Click()
{
    Imprimer();
}

void TBlocnotes::FormResize()
{
    Button1->move(width() - 125, Button1->y());
}

void TBlocnotes::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Memo1->setFocus();
}

void TBlocnotes::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}
