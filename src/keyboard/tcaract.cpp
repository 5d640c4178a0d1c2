// TCaract: the character table dialog.
#include "keyboard/tcaract.h"

#include "ui/cp1252.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include <algorithm>

namespace {
constexpr int kCell = 20;
constexpr int kFirstCode = 32;
} // namespace

TCaract::TCaract(QWidget *parent)
    : DeferredDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TCaract"));
    setWindowTitle(QStringLiteral("Table des caractères"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(590, 271);
}

void TCaract::build()
{
    m_label1 = new QLabel(QStringLiteral("Police"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->move(16, 16);
    m_label1->adjustSize();

    m_comboBox1 = new QComboBox(this);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setEditable(true);
    // A typed name is used as typed: no completion, nothing added to the list.
    m_comboBox1->setCompleter(nullptr);
    m_comboBox1->setInsertPolicy(QComboBox::NoInsert);
    m_comboBox1->setGeometry(64, 14, 185, m_comboBox1->sizeHint().height());
    m_comboBox1->setEditText(QStringLiteral("Times New Roman"));

    m_stringGrid1 = new QTableWidget(kRows, kColumns, this);
    m_stringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    m_stringGrid1->setGeometry(0, 47, 597, 174);
    m_stringGrid1->horizontalHeader()->hide();
    m_stringGrid1->verticalHeader()->hide();
    m_stringGrid1->horizontalHeader()->setMinimumSectionSize(kCell);
    m_stringGrid1->verticalHeader()->setMinimumSectionSize(kCell);
    m_stringGrid1->horizontalHeader()->setDefaultSectionSize(kCell);
    m_stringGrid1->verticalHeader()->setDefaultSectionSize(kCell);
    m_stringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_stringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_stringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_stringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_stringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_stringGrid1->setTabKeyNavigation(false);
    m_stringGrid1->setWordWrap(false);
    m_stringGrid1->installEventFilter(this);

    m_button1 = new QPushButton(QStringLiteral("Annuler"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setGeometry(376, 232, 75, 25);
    m_button1->setAutoDefault(false);
    m_button2 = new QPushButton(QStringLiteral("OK"), this);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_button2->setGeometry(480, 232, 75, 25);
    m_button2->setAutoDefault(false);

    m_edit1 = new QLineEdit(QStringLiteral("A"), this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(296, 2, 41, 42);
    m_edit1->setFixedSize(41, 42);
    m_edit1->setReadOnly(true);
    m_edit1->setFocusPolicy(Qt::NoFocus);
    m_edit1->setAlignment(Qt::AlignCenter);
    QFont large = m_edit1->font();
    large.setPixelSize(27);
    m_edit1->setFont(large);

    setTabOrder(m_comboBox1, m_stringGrid1);
    setTabOrder(m_stringGrid1, m_button1);
    setTabOrder(m_button1, m_button2);

    connect(m_comboBox1, &QComboBox::editTextChanged, this, &TCaract::ComboBox1Change);
    // A name picked from the list hands the keyboard back to the grid.
    connect(m_comboBox1, &QComboBox::activated, this, [this] { m_stringGrid1->setFocus(); });
    connect(m_stringGrid1, &QTableWidget::currentCellChanged, this, &TCaract::StringGrid1Click);
    connect(m_stringGrid1, &QTableWidget::cellClicked, this, &TCaract::StringGrid1Click);
    connect(m_stringGrid1, &QTableWidget::cellDoubleClicked, this, &TCaract::StringGrid1DblClick);
    connect(m_button1, &QPushButton::clicked, this, &TCaract::Button1Click);
    connect(m_button2, &QPushButton::clicked, this, &TCaract::Button2Click);
}

void TCaract::Init()
{
    m_fontsWanted = true;
    if (isVisible())
        listFonts();
}

void TCaract::listFonts()
{
    if (!m_fontsWanted || m_fontsListed)
        return;
    m_fontsListed = true;
    QStringList families = QFontDatabase::families();
    std::stable_sort(families.begin(), families.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    // Filling the list must not change the chosen name.
    const QString chosen = ComboBox1()->currentText();
    const QSignalBlocker blocker(ComboBox1());
    ComboBox1()->addItems(families);
    ComboBox1()->setCurrentIndex(-1);
    ComboBox1()->setEditText(chosen);
}


void TCaract::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TCaract::FormShow()
{
    listFonts();
    m_confirmed = false;
    Result.clear();
    setFixedSize(StringGrid1()->width(), height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Genere();
}

void TCaract::Genere()
{
    rebuild(true);
}

void TCaract::rebuild(bool focusGrid)
{
    StringGrid1()->clearContents();
    const QString name = ComboBox1()->currentText();
    QFont gridFont = StringGrid1()->font();
    gridFont.setFamily(name);
    StringGrid1()->setFont(gridFont);
    QFont largeFont = Edit1()->font();
    largeFont.setFamily(name);
    Edit1()->setFont(largeFont);
    for (int code = kFirstCode; code <= 255; ++code) {
        auto *item = new QTableWidgetItem(QString(ui::cp1252ToUnicode(quint8(code))));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignCenter);
        StringGrid1()->setItem((code - kFirstCode) / kColumns, (code - kFirstCode) % kColumns, item);
    }
    // Row first, then column, each move reporting the new cell.
    StringGrid1()->setCurrentCell(0, std::max(StringGrid1()->currentColumn(), 0));
    StringGrid1()->setCurrentCell(0, 0);
    Edit1()->setText(StringGrid1()->item(0, 0)->text());
    if (focusGrid)
        StringGrid1()->setFocus();
}

void TCaract::ComboBox1Change()
{
    // While a name is being typed the keyboard stays in the combo box, so
    // that the next letter goes on the name.
    rebuild(!ComboBox1()->hasFocus());
}

QString TCaract::currentCellText()
{
    const QTableWidgetItem *item = StringGrid1()->currentItem();
    return item ? item->text() : QString();
}

void TCaract::StringGrid1Click()
{
    Edit1()->setText(currentCellText());
}

void TCaract::StringGrid1KeyDown()
{
    Edit1()->setText(currentCellText());
}

void TCaract::StringGrid1DblClick()
{
    m_confirmed = true;
    Result = Edit1()->text();
    QDialog::accept();
}

void TCaract::Button2Click()
{
    m_confirmed = true;
    Result = Edit1()->text();
    QDialog::accept();
}

void TCaract::Button1Click()
{
    m_confirmed = false;
    Result.clear();
    QDialog::reject();
}

void TCaract::reject()
{
    Button1Click();
}

bool TCaract::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_stringGrid1 && event->type() == QEvent::KeyPress)
        StringGrid1KeyDown();
    return QDialog::eventFilter(watched, event);
}
