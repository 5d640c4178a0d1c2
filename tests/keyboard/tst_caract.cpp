// The character table dialog: grid content, font choice, confirmation.
#include "keyboard/tcaract.h"
#include "ui/cp1252.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

class TestCaract : public QObject
{
    Q_OBJECT
private slots:
    void dialogAtCreation();
    void showingFillsTheGrid();
    void fontListIsInstalledFamiliesOnce();
    void closing_data();
    void closing();
    void doubleClickConfirmsTheCell();
    void arrowKeysFollowTheSelection_data();
    void arrowKeysFollowTheSelection();
    void everyShowingStartsAfresh();
    void pickedFontRedrawsTheGrid();
    void typedFontNameRebuildsAfterEveryLetter();

private:
    static void showDialog(TCaract &d)
    {
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
    }
    static QPoint cellCentre(TCaract &d, int row, int column)
    {
        return d.StringGrid1()->visualRect(d.StringGrid1()->model()->index(row, column)).center();
    }
};

void TestCaract::dialogAtCreation()
{
    TCaract d;
    QCOMPARE(d.windowTitle(), QString::fromUtf8("Table des caractères"));
    QCOMPARE(d.ComboBox1()->currentText(), QStringLiteral("Times New Roman"));
    QCOMPARE(d.ComboBox1()->count(), 0); // listed on the first showing
    QCOMPARE(d.Edit1()->text(), QStringLiteral("A"));
    QCOMPARE(d.StringGrid1()->columnCount(), 28);
    QCOMPARE(d.StringGrid1()->rowCount(), 8);
    QCOMPARE(d.Result, QString());
}

void TestCaract::showingFillsTheGrid()
{
    TCaract d;
    d.Init();
    showDialog(d);
    QCOMPARE(d.width(), 597);
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 28; ++column) {
            QCOMPARE(d.StringGrid1()->columnWidth(column), 20);
            QCOMPARE(d.StringGrid1()->rowHeight(row), 20);
            const int code = 32 + 28 * row + column;
            QCOMPARE(d.StringGrid1()->item(row, column)->text(), QString(ui::cp1252ToUnicode(quint8(code))));
        }
    QCOMPARE(d.StringGrid1()->item(0, 0)->text(), QStringLiteral(" "));
    QCOMPARE(d.StringGrid1()->item(3, 12)->text(), QString::fromUtf8("€")); // code 128
    QCOMPARE(d.StringGrid1()->item(7, 27)->text(), QString::fromUtf8("ÿ"));
    QCOMPARE(d.StringGrid1()->currentRow(), 0);
    QCOMPARE(d.StringGrid1()->currentColumn(), 0);
    QCOMPARE(d.Edit1()->text(), QStringLiteral(" "));
    QCOMPARE(d.focusWidget(), d.StringGrid1());
    // The whole grid is seen at once.
    const QRect last = d.StringGrid1()->visualRect(d.StringGrid1()->model()->index(7, 27));
    QVERIFY(d.StringGrid1()->viewport()->rect().contains(last));
}

void TestCaract::fontListIsInstalledFamiliesOnce()
{
    TCaract d;
    d.Init();
    showDialog(d);
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    QStringList listed;
    for (int i = 0; i < d.ComboBox1()->count(); ++i)
        listed << d.ComboBox1()->itemText(i);
    QCOMPARE(listed, families);
    QCOMPARE(d.ComboBox1()->currentText(), QStringLiteral("Times New Roman"));
    d.hide();
    d.Init();
    showDialog(d);
    QCOMPARE(d.ComboBox1()->count(), families.size());
}

void TestCaract::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("result");
    QTest::newRow("OK at once gives a space") << "ok"
                                              << " ";
    QTest::newRow("Annuler") << "cancel"
                             << "";
    QTest::newRow("Escape") << "escape"
                            << "";
    QTest::newRow("close button") << "close"
                                  << "";
}

void TestCaract::closing()
{
    QFETCH(QString, how);
    QFETCH(QString, result);
    TCaract d;
    d.Init();
    showDialog(d);
    if (how == QLatin1String("ok"))
        QTest::mouseClick(d.Button2(), Qt::LeftButton);
    else if (how == QLatin1String("cancel"))
        QTest::mouseClick(d.Button1(), Qt::LeftButton);
    else if (how == QLatin1String("escape"))
        QTest::keyClick(d.StringGrid1(), Qt::Key_Escape);
    else
        d.close();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.Result, result);
    QCOMPARE(d.confirmed(), !result.isEmpty());
}

void TestCaract::doubleClickConfirmsTheCell()
{
    TCaract d;
    showDialog(d);
    QWidget *viewport = d.StringGrid1()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(d, 1, 1));
    QCOMPARE(d.Edit1()->text(), QStringLiteral("="));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, cellCentre(d, 1, 1));
    QVERIFY(!d.isVisible());
    QCOMPARE(d.Result, QStringLiteral("="));
}

void TestCaract::arrowKeysFollowTheSelection_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("right") << QList<int>{Qt::Key_Right} << "!";
    QTest::newRow("down") << QList<int>{Qt::Key_Down} << "<";
    QTest::newRow("down right") << QList<int>{Qt::Key_Down, Qt::Key_Right} << "=";
    QTest::newRow("left at the edge") << QList<int>{Qt::Key_Left} << " ";
    QTest::newRow("end of the row") << QList<int>{Qt::Key_End} << ";";
    QTest::newRow("last row") << QList<int>{Qt::Key_PageDown, Qt::Key_End} << QString::fromUtf8("ÿ");
}

void TestCaract::arrowKeysFollowTheSelection()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, shown);
    TCaract d;
    showDialog(d);
    for (int key : keys)
        QTest::keyClick(d.StringGrid1(), Qt::Key(key));
    QCOMPARE(d.Edit1()->text(), shown);
    QTest::mouseClick(d.Button2(), Qt::LeftButton);
    QCOMPARE(d.Result, shown);
}

void TestCaract::everyShowingStartsAfresh()
{
    TCaract d;
    showDialog(d);
    QTest::keyClick(d.StringGrid1(), Qt::Key_Right);
    QTest::mouseClick(d.Button2(), Qt::LeftButton);
    QCOMPARE(d.Result, QStringLiteral("!"));
    showDialog(d);
    QCOMPARE(d.Result, QString());
    QVERIFY(!d.confirmed());
    QCOMPARE(d.StringGrid1()->currentColumn(), 0);
    QCOMPARE(d.Edit1()->text(), QStringLiteral(" "));
    d.close();
    QCOMPARE(d.Result, QString());
}

void TestCaract::pickedFontRedrawsTheGrid()
{
    TCaract d;
    d.Init();
    showDialog(d);
    QTest::keyClick(d.StringGrid1(), Qt::Key_Down);
    const int index = d.ComboBox1()->findText(QStringLiteral("DejaVu Sans"));
    QVERIFY(index >= 0);
    d.ComboBox1()->setCurrentIndex(index);
    QCOMPARE(d.StringGrid1()->font().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(d.Edit1()->font().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(d.Edit1()->font().pixelSize(), 27);
    QCOMPARE(d.StringGrid1()->currentRow(), 0);
    QCOMPARE(d.StringGrid1()->item(1, 1)->text(), QStringLiteral("="));
    // The choice stays for the next showing.
    d.hide();
    showDialog(d);
    QCOMPARE(d.ComboBox1()->currentText(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(d.StringGrid1()->font().family(), QStringLiteral("DejaVu Sans"));
}

void TestCaract::typedFontNameRebuildsAfterEveryLetter()
{
    TCaract d;
    d.Init();
    showDialog(d);
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.ComboBox1()->setFocus();
    d.ComboBox1()->lineEdit()->selectAll();
    QTest::keyClick(d.ComboBox1()->lineEdit(), Qt::Key_Backspace);
    QSignalSpy moves(d.StringGrid1(), &QTableWidget::currentCellChanged);
    const QString name = QStringLiteral("Nowhere Font");
    for (qsizetype i = 0; i < name.size(); ++i) {
        d.StringGrid1()->setCurrentCell(2, 5);
        QTest::keyClick(d.ComboBox1()->lineEdit(), name.at(i).toLatin1());
        QCOMPARE(d.StringGrid1()->font().family(), name.left(i + 1));
        QCOMPARE(d.StringGrid1()->currentRow(), 0);
        QCOMPARE(d.StringGrid1()->currentColumn(), 0);
        QCOMPARE(d.Edit1()->text(), QStringLiteral(" "));
    }
    // The name is typed whole: the keyboard stays in the combo box.
    QCOMPARE(d.ComboBox1()->currentText(), name);
    QCOMPARE(d.focusWidget(), d.ComboBox1());
    QCOMPARE(d.ComboBox1()->count(), QFontDatabase::families().size());
    QVERIFY(moves.count() >= name.size());
}

QTEST_MAIN(TestCaract)
#include "tst_caract.moc"
