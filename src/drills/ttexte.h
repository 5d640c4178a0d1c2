// TTexte: the text lesson (module code 4). The model text stands read-only at
// the top, the learner types it below; each line is judged on Enter.
#pragma once
#include "app/lesson/lessonwindow.h"
#include "drills/owntext.h"
#include "drills/textjudge.h"
#include "keymodel/keymodel.h"

#include <functional>
#include <optional>

class QTextEdit;

class TTexte final : public LessonWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTexte)
public:
    explicit TTexte(QWidget *parent = nullptr);

    // Codes 1..7 load a text, 8 the learner's own (the one just chosen, or
    // the last one read, or one asked for); any code empties the typing
    // editor and resets the counts.
    void SetIni(std::int32_t code) override;
    // Code 8 from the menu asks for the learner's text first.
    bool prepareLesson(std::int32_t code) override;
    Qt::WindowFlags subWindowFlags() const override;

    // The seven loaders.
    void Bases();
    void Fable1();
    void Fable2();
    void Presspap();
    void Lettre();
    void Relance();
    void Cv();

    // A character typed in the typing editor, before it is inserted; only
    // Enter (13) is judged. Returns false when the key is cancelled.
    bool RichEdit2KeyPress(quint8 key);
    // 1-based position of the first character of model line `line` that the
    // typed line does not match, or 0.
    int PosErr(int line) const;
    // A character typed while the model or the window has the focus.
    void FormKeyPress();
    void FormShow();
    void FormResize();

    // Edition commands, bold and underline, and the character table.
    bool hasClipboard() const override { return true; }
    void Couper() override;
    void Copier() override;
    void Coller() override;
    bool hasTextStyle() const override { return true; }
    void Gras() override;
    void Souligne() override;
    bool takesCharacters() const override { return true; }
    void Caracteres() override;

    // Asks for a text of the learner's own: a file, the clipboard or one of
    // the recent texts; false when none was given (or it was refused).
    bool chooseOwnText();
    // The model holds the learner's own text, read from ownTitle().
    bool ownText() const { return m_own; }
    const QString &ownTitle() const { return m_ownTitle; }
    // What the learner's layout gives for a model character: its plain
    // stand-in is taken too, and one it cannot type at all is passed over.
    std::function<keyboard::Acceptance(QChar)> acceptance;

    // The model's character that the typing caret's line expects next,
    // "\n" at the end of a line.
    QString guideExpected() const override;
    int guideStandInTyped() const override;
    QString guidePassed() const override;

    // Index of the line judged by the last Enter.
    int currentLine() const { return m_line; }
    QString modelLine(int line) const;
    QString typedLine(int line) const;

    // The model and the typing editor, built when first reached.
    QTextEdit *RichEdit1() const { return built(m_richEdit1); }
    QTextEdit *RichEdit2() const { return built(m_richEdit2); }

protected:
    void build() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The typing caret's line as followed in its model; `model` is the
    // model line (empty past the model's end).
    TextJudge::Place guidePlace(QString *model = nullptr) const;

    // The text of code in the editors, as SetIni shows it.
    void showLesson(std::int32_t code);
    void loadText(int code);
    void loadOwnText();
    void setExactStyle(bool bold, bool underline);
    QWidget *outerWindow();

    QTextEdit *m_richEdit1 = nullptr;
    QTextEdit *m_richEdit2 = nullptr;
    // The text the model is to show once the editors are built (0: none).
    int m_textToLoad = 0;
    std::int32_t m_line = 0;
    std::optional<owntext::Text> m_pending; // chosen, shown by the next SetIni(8)
    bool m_own = false;
    QString m_ownTitle;
};
