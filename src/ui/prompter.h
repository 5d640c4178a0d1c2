// Message boxes, file dialogs and modal showing go through this interface so
// that tests can answer them without a display.
#pragma once
#include <QString>
#include <QStringList>

#include <memory>

class QDialog;
class QWidget;

namespace ui {

class Prompter
{
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~Prompter() = default;

    // Confirmation with Oui, Non and Annuler.
    virtual Answer askYesNoCancel(QWidget *parent, const QString &text) = 0;
    // Confirmation with Oui and Non, Non by default; true for Oui.
    virtual bool askYesNo(QWidget *parent, const QString &text)
    {
        return askYesNoCancel(parent, text) == Answer::Yes;
    }
    // The standard open and save dialogs; filter in the "Name|*.ext" form.
    virtual QString openFileName(QWidget *parent, const QString &filter, const QString &defaultSuffix) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &defaultSuffix) = 0;
    // The standard error and information boxes.
    virtual void error(QWidget *parent, const QString &text) = 0;
    virtual void information(QWidget *parent, const QString &text) = 0;
    // Shows a dialog modally and returns its result.
    virtual int showModal(QDialog *dialog) = 0;
    // A question answered by one of the buttons: returns the index of the
    // one pressed, or -1 when the box is closed without an answer.
    virtual int choose(QWidget *parent, const QString &text, const QStringList &buttons) = 0;
    // A warning with a button acceptText and Annuler, Annuler by default;
    // true only when acceptText was chosen.
    virtual bool confirm(QWidget *parent, const QString &text, const QString &acceptText) = 0;
};

class WidgetPrompter final : public Prompter
{
public:
    Answer askYesNoCancel(QWidget *parent, const QString &text) override;
    bool askYesNo(QWidget *parent, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &filter, const QString &defaultSuffix) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &defaultSuffix) override;
    void error(QWidget *parent, const QString &text) override;
    void information(QWidget *parent, const QString &text) override;
    int showModal(QDialog *dialog) override;
    int choose(QWidget *parent, const QString &text, const QStringList &buttons) override;
    bool confirm(QWidget *parent, const QString &text, const QString &acceptText) override;
};

Prompter &prompter();
// Replaces the prompter (tests); returns the previous one.
std::unique_ptr<Prompter> setPrompter(std::unique_ptr<Prompter> prompter);

// "Fichiers Tapivox (*.tpx)|*.tpx" -> "Fichiers Tapivox (*.tpx)" for Qt.
QString qtFilter(const QString &windowsFilter);

} // namespace ui
