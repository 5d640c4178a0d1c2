// Notes written to the notes file read back the same, whatever characters
// they begin with.
#include "accessories/notesfile.h"

#include <QtTest>

class TestNotesRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void savedNotesReadBack_data();
    void savedNotesReadBack();
};

void TestNotesRoundTrip::savedNotesReadBack_data()
{
    QTest::addColumn<QString>("text");
    // Windows-1252 bytes EF BB BF are the UTF-8 byte-order mark.
    QTest::newRow("begins like the mark") << QString::fromUtf8("ï»¿été\nfin");
    QTest::newRow("Windows-1252 that reads as UTF-8") << QString::fromUtf8("Ã€ et Ã©");
    QTest::newRow("zero-width no-break space") << QString::fromUtf8("\uFEFFnote");
    QTest::newRow("two of them") << QString::fromUtf8("\uFEFF\uFEFF€ α");
    QTest::newRow("plain") << QString::fromUtf8("Première ligne\nDeuxième");
}

void TestNotesRoundTrip::savedNotesReadBack()
{
    QFETCH(QString, text);
    QCOMPARE(notes::decode(notes::encode(text)), text);
}

QTEST_GUILESS_MAIN(TestNotesRoundTrip)
#include "tst_notes_roundtrip.moc"
