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
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TCaract"));
    setWindowTitle(QStringLiteral("Table des caractères"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(590, 271);

    Label1 = new QLabel(QStringLiteral("Police"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 16);
    Label1->adjustSize();

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    // A typed name is used as typed: no completion, nothing added to the list.
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setGeometry(64, 14, 185, ComboBox1->sizeHint().height());
    ComboBox1->setEditText(QStringLiteral("Times New Roman"));

    StringGrid1 = new QTableWidget(kRows, kColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(0, 47, 597, 174);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setMinimumSectionSize(kCell);
    StringGrid1->verticalHeader()->setMinimumSectionSize(kCell);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(kCell);
    StringGrid1->verticalHeader()->setDefaultSectionSize(kCell);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setWordWrap(false);
    StringGrid1->installEventFilter(this);

    Button1 = new QPushButton(QStringLiteral("Annuler"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(376, 232, 75, 25);
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(480, 232, 75, 25);
    Button2->setAutoDefault(false);

    Edit1 = new QLineEdit(QStringLiteral("A"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(296, 2, 41, 42);
    Edit1->setFixedSize(41, 42);
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit1->setAlignment(Qt::AlignCenter);
    QFont large = Edit1->font();
    large.setPixelSize(27);
    Edit1->setFont(large);

    setTabOrder(ComboBox1, StringGrid1);
    setTabOrder(StringGrid1, Button1);
    setTabOrder(Button1, Button2);

    connect(ComboBox1, &QComboBox::editTextChanged, this, &TCaract::ComboBox1Change);
    // A name picked from the list hands the keyboard back to the grid.
    connect(ComboBox1, &QComboBox::activated, this, [this] { StringGrid1->setFocus(); });
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, &TCaract::StringGrid1Click);
    connect(StringGrid1, &QTableWidget::cellClicked, this, &TCaract::StringGrid1Click);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, &TCaract::StringGrid1DblClick);
    connect(Button1, &QPushButton::clicked, this, &TCaract::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TCaract::Button2Click);
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
    const QString chosen = ComboBox1->currentText();
    const QSignalBlocker blocker(ComboBox1);
    ComboBox1->addItems(families);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(chosen);
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
    setFixedSize(StringGrid1->width(), height());
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
    StringGrid1->clearContents();
    const QString name = ComboBox1->currentText();
    QFont gridFont = StringGrid1->font();
    gridFont.setFamily(name);
    StringGrid1->setFont(gridFont);
    QFont largeFont = Edit1->font();
    largeFont.setFamily(name);
    Edit1->setFont(largeFont);
    for (int code = kFirstCode; code <= 255; ++code) {
        auto *item = new QTableWidgetItem(QString(ui::cp1252ToUnicode(quint8(code))));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignCenter);
        StringGrid1->setItem((code - kFirstCode) / kColumns, (code - kFirstCode) % kColumns, item);
    }
    // Row first, then column, each move reporting the new cell.
    StringGrid1->setCurrentCell(0, std::max(StringGrid1->currentColumn(), 0));
    StringGrid1->setCurrentCell(0, 0);
    Edit1->setText(StringGrid1->item(0, 0)->text());
    if (focusGrid)
        StringGrid1->setFocus();
}

void TCaract::ComboBox1Change()
{
    // While a name is being typed the keyboard stays in the combo box, so
    // that the next letter goes on the name.
    rebuild(!ComboBox1->hasFocus());
}

QString TCaract::currentCellText() const
{
    const QTableWidgetItem *item = StringGrid1->currentItem();
    return item ? item->text() : QString();
}

void TCaract::StringGrid1Click()
{
    Edit1->setText(currentCellText());
}

void TCaract::StringGrid1KeyDown()
{
    Edit1->setText(currentCellText());
}

void TCaract::StringGrid1DblClick()
{
    m_confirmed = true;
    Result = Edit1->text();
    QDialog::accept();
}

void TCaract::Button2Click()
{
    m_confirmed = true;
    Result = Edit1->text();
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
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress)
        StringGrid1KeyDown();
    return QDialog::eventFilter(watched, event);
}
