// Data-entry checking as sequences of field exits and page keys.
#include "office/formcheck.h"
#include "office/windowplace.h"
#include "ui/keycodes.h"

#include <QtTest>

using office::FormCheck;
using office::WindowPlace;

Q_DECLARE_METATYPE(FormCheck::Exit)
Q_DECLARE_METATYPE(WindowPlace)

class TestSaisieCheck : public QObject
{
    Q_OBJECT
private slots:
    void fieldExit_data();
    void fieldExit();
    void recordSteps_data();
    void recordSteps();
    void wrongLastFieldBlocksRecordSteps();
    void newLessonStartsAtRecordOne();
    void places_data();
    void places();
};

void TestSaisieCheck::fieldExit_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("model");
    QTest::addColumn<FormCheck::Exit>("exit");
    QTest::addColumn<int>("good");
    QTest::addColumn<int>("errors");

    using Exit = FormCheck::Exit;
    const QString maj = QStringLiteral("Maj Tabulation");
    QTest::newRow("right field") << 2 << maj << maj << Exit::Leave << 14 << 0;
    QTest::newRow("lower case refused") << 2 << maj.toLower() << maj << Exit::StayHere << 0 << 1;
    QTest::newRow("empty leaves freely") << 2 << QString() << maj << Exit::Leave << 0 << 0;
    QTest::newRow("trailing space refused")
        << 3 << QStringLiteral("Page Down ") << QStringLiteral("Page Down") << Exit::StayHere << 0 << 1;
    QTest::newRow("accent refused") << 5 << QStringLiteral("Selectionne") << QString::fromUtf8("Sélectionne")
                                    << Exit::StayHere << 0 << 1;
    QTest::newRow("right last field goes to the first")
        << 5 << QStringLiteral("Lyon") << QStringLiteral("Lyon") << Exit::GoToFirst << 4 << 0;
    QTest::newRow("wrong last field stays")
        << 5 << QStringLiteral("lyon") << QStringLiteral("Lyon") << Exit::StayHere << 0 << 1;
    QTest::newRow("empty last field leaves")
        << 5 << QString() << QStringLiteral("Lyon") << Exit::Leave << 0 << 0;
}

void TestSaisieCheck::fieldExit()
{
    QFETCH(int, row);
    QFETCH(QString, entry);
    QFETCH(QString, model);
    FormCheck check;
    check.startLesson();
    QTEST(check.fieldExit(row, entry, model), "exit");
    QTEST(int(check.good()), "good");
    QTEST(int(check.errors()), "errors");
}

void TestSaisieCheck::recordSteps_data()
{
    QTest::addColumn<int>("recordCount");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("records"); // record number after each key
    QTest::addColumn<QList<bool>>("shown");  // whether the lesson shows a record

    using namespace ui::vk;
    QTest::newRow("forward to the end")
        << 5 << QList<int>{Next, Next, Next, Next, Next} << QList<int>{2, 3, 4, 5, 5}
        << QList<bool>{true, true, true, true, true};
    QTest::newRow("back below the first") << 5 << QList<int>{Prior, Next, Prior, Prior}
                                          << QList<int>{1, 2, 1, 1} << QList<bool>{true, true, true, true};
    QTest::newRow("one record") << 1 << QList<int>{Next, Prior} << QList<int>{1, 1}
                                << QList<bool>{true, true};
    QTest::newRow("other keys do nothing") << 5 << QList<int>{Tab, Down, Next, Home} << QList<int>{1, 1, 2, 2}
                                           << QList<bool>{false, false, true, false};
}

void TestSaisieCheck::recordSteps()
{
    QFETCH(int, recordCount);
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, records);
    QFETCH(QList<bool>, shown);
    FormCheck check;
    check.startLesson();
    check.setRecordCount(recordCount);
    for (int i = 0; i < keys.size(); ++i) {
        QCOMPARE(check.recordKey(keys[i], QStringLiteral("Paris"), QStringLiteral("Paris")), shown[i]);
        QCOMPARE(int(check.recordNumber()), records[i]);
    }
}

void TestSaisieCheck::wrongLastFieldBlocksRecordSteps()
{
    FormCheck check;
    check.startLesson();
    check.setRecordCount(5);
    QVERIFY(!check.recordKey(ui::vk::Next, QStringLiteral("paris"), QStringLiteral("Paris")));
    QVERIFY(!check.recordKey(ui::vk::Next, QString(), QStringLiteral("Paris")));
    QCOMPARE(check.recordNumber(), 1);
    QCOMPARE(check.good(), 0);
    QCOMPARE(check.errors(), 0);
    // A right last field left by a page key counts as left right.
    QVERIFY(check.recordKey(ui::vk::Next, QStringLiteral("Paris"), QStringLiteral("Paris")));
    QCOMPARE(check.good(), 5);
}

void TestSaisieCheck::newLessonStartsAtRecordOne()
{
    FormCheck check;
    check.startLesson();
    check.setRecordCount(5);
    check.recordKey(ui::vk::Next, {}, {});
    check.recordKey(ui::vk::Next, {}, {});
    check.fieldExit(1, QStringLiteral("x"), QStringLiteral("y"));
    QCOMPARE(check.recordNumber(), 3);
    check.startLesson();
    QCOMPARE(check.recordNumber(), 1);
    QCOMPARE(check.recordCount(), 1);
    QCOMPARE(check.errors(), 0);
}

void TestSaisieCheck::places_data()
{
    QTest::addColumn<bool>("spreadsheet");
    QTest::addColumn<WindowPlace>("before");
    QTest::addColumn<WindowPlace>("after");
    // {left, top}
    QTest::newRow("sheet in place") << true << WindowPlace{100, 100} << WindowPlace{100, 100};
    QTest::newRow("sheet too low and right") << true << WindowPlace{101, 101} << WindowPlace{20, 20};
    QTest::newRow("sheet above") << true << WindowPlace{5, -3} << WindowPlace{5, 0};
    QTest::newRow("form in place") << false << WindowPlace{100, 50} << WindowPlace{100, 50};
    QTest::newRow("form too low and right") << false << WindowPlace{101, 51} << WindowPlace{80, 50};
    QTest::newRow("form above") << false << WindowPlace{0, -10} << WindowPlace{0, 0};
}

void TestSaisieCheck::places()
{
    QFETCH(bool, spreadsheet);
    QFETCH(WindowPlace, before);
    const WindowPlace after =
        spreadsheet ? office::spreadsheetPlaceAfterResize(before) : office::entryFormPlaceOnShow(before);
    QTEST(after, "after");
    QCOMPARE(office::placeCaption({80, 50}), QStringLiteral("50     80"));
}

QTEST_GUILESS_MAIN(TestSaisieCheck)
#include "tst_saisie_check.moc"
