// Standard dialogs behind the Prompter interface.
#include "ui/prompter.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {
// Messages show names of files and folders, which anyone may choose: shown
// as plain text, a name holding markup stays a name and never becomes a
// link that opens a page.
void plainTextOnly(QMessageBox &box)
{
    box.setTextFormat(Qt::PlainText);
    for (QLabel *label : box.findChildren<QLabel *>()) {
        label->setTextFormat(Qt::PlainText);
        label->setOpenExternalLinks(false);
    }
}

int runBox(QMessageBox::Icon icon, QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, parent);
    plainTextOnly(box);
    return box.exec();
}
} // namespace

Prompter::Answer WidgetPrompter::askYesNoCancel(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    plainTextOnly(box);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

bool WidgetPrompter::askYesNo(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    plainTextOnly(box);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

namespace {
QString runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &filter,
                      const QString &suffix)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(qtFilter(filter));
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::AnyFile); // a name that does not exist is accepted
    } else {
        dialog.setDefaultSuffix(suffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    if (mode == QFileDialog::AcceptSave)
        return path;
    // The dialog would add the suffix to any name without a dot, so that a
    // file named "lettre" could not be opened: the name typed is taken as it
    // is, and the suffix added only to a name that names no file, when the
    // files of that suffix are the ones shown and one has that name.
    const QString suffixed = path + QLatin1Char('.') + suffix;
    const bool shownSuffix =
        !suffix.isEmpty() && dialog.selectedNameFilter().contains(QStringLiteral("*.") + suffix);
    if (shownSuffix && !QFileInfo(path).fileName().contains(QLatin1Char('.')) && !QFileInfo::exists(path) &&
        QFileInfo::exists(suffixed))
        return suffixed;
    return path;
}
} // namespace

QString WidgetPrompter::openFileName(QWidget *parent, const QString &filter, const QString &defaultSuffix)
{
    return runFileDialog(parent, QFileDialog::AcceptOpen, filter, defaultSuffix);
}

QString WidgetPrompter::saveFileName(QWidget *parent, const QString &filter, const QString &defaultSuffix)
{
    return runFileDialog(parent, QFileDialog::AcceptSave, filter, defaultSuffix);
}

void WidgetPrompter::error(QWidget *parent, const QString &text)
{
    runBox(QMessageBox::Critical, parent, text, QMessageBox::Ok);
}

void WidgetPrompter::information(QWidget *parent, const QString &text)
{
    runBox(QMessageBox::Information, parent, text, QMessageBox::Ok);
}

int WidgetPrompter::showModal(QDialog *dialog)
{
    return dialog->exec();
}

int WidgetPrompter::choose(QWidget *parent, const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), text, QMessageBox::NoButton,
                    parent);
    plainTextOnly(box);
    QList<QAbstractButton *> pressed;
    for (const QString &caption : buttons)
        pressed << box.addButton(caption, QMessageBox::AcceptRole);
    if (!pressed.isEmpty())
        box.setDefaultButton(static_cast<QPushButton *>(pressed.constFirst()));
    // Escape and the close button give no answer: a hidden button takes them.
    QAbstractButton *none = box.addButton(QMessageBox::Cancel);
    none->hide();
    box.setEscapeButton(none);
    box.exec();
    return int(pressed.indexOf(box.clickedButton()));
}

bool WidgetPrompter::confirm(QWidget *parent, const QString &text, const QString &acceptText)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), text, QMessageBox::Cancel,
                    parent);
    plainTextOnly(box);
    QPushButton *accept = box.addButton(acceptText, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == accept;
}

namespace {
std::unique_ptr<Prompter> &instance()
{
    static std::unique_ptr<Prompter> p;
    return p;
}
} // namespace

Prompter &prompter()
{
    if (!instance())
        instance() = std::make_unique<WidgetPrompter>();
    return *instance();
}

std::unique_ptr<Prompter> setPrompter(std::unique_ptr<Prompter> p)
{
    std::unique_ptr<Prompter> old = std::move(instance());
    instance() = std::move(p);
    return old;
}

QString qtFilter(const QString &windowsFilter)
{
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts.at(i);
    return filters.join(QLatin1String(";;"));
}

} // namespace ui
