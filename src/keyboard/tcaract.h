// TCaract: the character table, a modal dialog showing the characters of
// codes 32 to 255 in a chosen font; the learner confirms one of them. Its
// controls are built when first needed.
#pragma once
#include "ui/deferreddialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TCaract final : public ui::DeferredDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCaract)
public:
    static constexpr int kColumns = 28;
    static constexpr int kRows = 8;

    explicit TCaract(QWidget *parent = nullptr);

    // Fills the font list with the installed families, sorted by name. The
    // list is read once, when the dialog is first shown, so that start-up
    // does not wait for it.
    void Init();
    // The confirmed character; empty unless "OK" or a double click closed
    // the last showing.
    QString Result;

    // Rebuilds the grid in the font named by the combo box and selects the
    // first cell.
    void Genere();

    void FormShow();
    void ComboBox1Change();
    void StringGrid1Click();
    void StringGrid1KeyDown();
    void StringGrid1DblClick();
    void Button1Click();
    void Button2Click();

    bool confirmed() const { return m_confirmed; }
    // The installed families have been put into the list.
    bool fontsListed() const { return m_fontsListed; }

    QLabel *Label1() { return built(m_label1); }
    QComboBox *ComboBox1() { return built(m_comboBox1); }
    QTableWidget *StringGrid1() { return built(m_stringGrid1); }
    QPushButton *Button1() { return built(m_button1); }
    QPushButton *Button2() { return built(m_button2); }
    QLineEdit *Edit1() { return built(m_edit1); }


public slots:
    // Escape and the title-bar close button: nothing is confirmed.
    void reject() override;

protected:
    void build() override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void listFonts();
    void rebuild(bool focusGrid);
    QString currentCellText();

    QLabel *m_label1 = nullptr;
    QComboBox *m_comboBox1 = nullptr;
    QTableWidget *m_stringGrid1 = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button2 = nullptr;
    QLineEdit *m_edit1 = nullptr;
    bool m_confirmed = false;
    bool m_fontsWanted = false;
    bool m_fontsListed = false;
};
