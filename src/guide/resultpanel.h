// The live figures and, at the end of a lesson, its result with the buttons
// that go on: a part of the guide band's column.
#pragma once
#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace guide {

class ResultPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultPanel)
public:
    explicit ResultPanel(QWidget *parent = nullptr);
    ~ResultPanel() override;

    // The live figures; an empty text hides them.
    void showFigures(const QString &text);
    // The end of a lesson: the result, the advice and, when nextCaption is
    // not empty, the button that goes on. The default button (the next
    // lesson when the objective is reached, otherwise Recommencer) takes
    // the focus when takeFocus is true; any other key than Entrée, Espace or
    // Tab goes to lesson (the control that had the focus) and is judged
    // there. Both buttons answer Alt and their underlined letter.
    void showResult(const QString &result, const QString &advice, const QString &nextCaption, bool reached,
                    QWidget *lesson, bool takeFocus = true);
    // Back to the figures alone; the focus stays where it is.
    void clearResult();
    // Widgets of the band that give their room to the result while it shows.
    void giveRoom(const QList<QWidget *> &widgets) { m_room = widgets; }
    bool showsResult() const;

    QLabel *figures() const { return m_figures; }
    QLabel *result() const { return m_result; }
    QPushButton *restartButton() const { return m_restart; }
    QPushButton *nextButton() const { return m_next; }

signals:
    void restartClicked();
    void nextClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_figures = nullptr;
    QLabel *m_result = nullptr;
    QPushButton *m_restart = nullptr;
    QPushButton *m_next = nullptr;
    QPointer<QWidget> m_lesson;
    QList<QWidget *> m_room;
};

} // namespace guide
