// Values typed and the cursor stepped after each value, series and batch.
#include "acquisition/cursor.h"
#include "common/usererror.h"
#include "tests/support/datacolumns.h"
#include "tests/support/keytext.h"
#include "tests/support/memoryconfiguration.h"
#include "tests/support/recordingkeysink.h"
#include "tests/support/usererrors.h"

#include <QTest>

using namespace acquisition;

using testsupport::errorOf;

namespace {

struct Rig {
    explicit Rig(const QString &perValueHorizontal = "1", const QString &perValueVertical = "0")
    {
        config.setStep(Step::PerValueHorizontal, perValueHorizontal);
        config.setStep(Step::PerValueVertical, perValueVertical);
        config.setStep(Step::NextSeriesVertical, "1");
        config.setStep(Step::NextSeriesHorizontal, "0");
        config.setModified(false);
    }
    QString typed() const { return keyText(keys.keys()); }

    MemoryConfiguration config;
    RecordingKeySink keys;
    Cursor cursor {config, keys};
};

} // namespace

class TestCursor : public QObject {
    Q_OBJECT
private slots:
    void valueThenOneRight()
    {
        Rig rig;
        rig.cursor.putValue("-12.5");
        QCOMPARE(rig.keys.events(),
                 QStringList({"down 0x6D", "up 0x6D", "down 0x61", "up 0x61", "down 0x62", "up 0x62",
                              "down 0x6E", "up 0x6E", "down 0x65", "up 0x65", "down 0x27", "up 0x27"}));
        QCOMPARE(rig.cursor.horizontal(), 1);
        QCOMPARE(rig.cursor.vertical(), 0);

        // An empty value types nothing but still steps and counts.
        rig.cursor.putValue("");
        QCOMPARE(rig.typed(), "-12.5RR");
        QCOMPARE(rig.cursor.horizontal(), 2);
    }

    // Arrows on their own keys, left before down, and outside the value's bracket.
    void stepsAreArrows()
    {
        Rig rig("-2", "3");
        rig.cursor.putValue("");
        QCOMPARE(rig.keys.events(), QStringList({"down 0x25", "up 0x25", "down 0x25", "up 0x25", "down 0x28",
                                                 "up 0x28", "down 0x28", "up 0x28", "down 0x28", "up 0x28"}));
        QCOMPARE(rig.keys.valuesBegun(), 0);

        rig.keys.clear();
        rig.config.setStep(Step::PerValueHorizontal, "1");
        rig.config.setStep(Step::PerValueVertical, "-1");
        rig.cursor.putValue("5");
        QCOMPARE(rig.keys.events(),
                 QStringList({"down 0x65", "up 0x65", "down 0x27", "up 0x27", "down 0x26", "up 0x26"}));
        QCOMPARE(rig.keys.valuesBegun(), 1);
        QCOMPARE(rig.keys.openValues(), 0);
    }

    void seriesMoveReturnsOverTheSeries_data()
    {
        testsupport::columns<QString, QString, QString, int>("horizontal", "vertical", "typed", "counted");
        // Three values in a row, then back three and one row down.
        QTest::newRow("new configuration") << "1" << "0" << "7R7R7RLLLD" << 3;
        QTest::newRow("two to the left") << "-2" << "0" << "7LL7LL7LLRRRRRRD" << -6;
        // Going up is undone by going down, after the horizontal return.
        QTest::newRow("diagonal up") << "1" << "-1" << "7RU7RU7RULLLDDDD" << 3;
        QTest::newRow("series as columns") << "0" << "1" << "7D7D7DUUUD" << 0;
    }
    void seriesMoveReturnsOverTheSeries()
    {
        QFETCH(QString, horizontal);
        QFETCH(QString, vertical);
        Rig rig(horizontal, vertical);
        for (int i = 0; i < 3; ++i)
            rig.cursor.putValue("7");
        QFETCH(int, counted);
        QCOMPARE(rig.cursor.horizontal(), qint64(counted));
        rig.cursor.nextSeries();
        QTEST(rig.typed(), "typed");
        QCOMPARE(rig.cursor.horizontal(), 0);
        QCOMPARE(rig.cursor.vertical(), 0);
    }

    void emptyStepsAreFilledIn()
    {
        Rig rig("", "");
        rig.config.setStep(Step::NextSeriesVertical, "");
        rig.config.setStep(Step::NextSeriesHorizontal, "");
        rig.config.setModified(false);
        rig.cursor.putValue("5");
        QCOMPARE(rig.config.step(Step::PerValueHorizontal), "1");
        QCOMPARE(rig.config.step(Step::PerValueVertical), "0");
        rig.cursor.nextSeries();
        QCOMPARE(rig.config.step(Step::NextSeriesVertical), "1");
        QCOMPARE(rig.config.step(Step::NextSeriesHorizontal), "0");
        QCOMPARE(rig.typed(), "5RLD");
        // The editor sees the fill-in like an edit.
        QVERIFY(rig.config.isModified());
    }

    void batchMove()
    {
        Rig rig;
        rig.config.setStep(Step::NextBatchVertical, "2");
        rig.cursor.putValue("1");
        rig.cursor.putValue("2");
        rig.cursor.nextBatch();
        QCOMPARE(rig.typed(), "1R2RLLDD");
        QCOMPARE(rig.config.step(Step::NextBatchHorizontal), "0");
        QCOMPARE(rig.config.step(Step::NextBatchVertical), "2");

        rig.keys.clear();
        rig.config.setStep(Step::NextBatchHorizontal, "3");
        rig.config.setStep(Step::NextBatchVertical, "-1");
        rig.cursor.nextBatch();
        QCOMPARE(rig.typed(), "RRRU");
    }

    void badStepTypesNothingOfThatUse()
    {
        Rig rig("1", "down");
        QCOMPARE(errorOf([&] { rig.cursor.putValue("42"); }),
                 "'down' n'est pas une valeur entière correcte");
        // Not half an entry left in the cell: neither the value nor an arrow.
        QCOMPARE(rig.typed(), "");
        QCOMPARE(rig.cursor.horizontal(), 0);

        rig.config.setStep(Step::PerValueVertical, "0");
        rig.cursor.putValue("1");
        rig.config.setStep(Step::NextSeriesHorizontal, "1,5");
        QCOMPARE(errorOf([&] { rig.cursor.nextSeries(); }),
                 "'1,5' n'est pas une valeur entière correcte");
        // No return either; the counters still cover the value typed.
        QCOMPARE(rig.typed(), "1R");
        QCOMPARE(rig.cursor.horizontal(), 1);

        // The six steps checked at once, empty ones counting as their defaults.
        rig.config.setStep(Step::NextSeriesHorizontal, "");
        rig.config.setStep(Step::NextBatchVertical, "abc");
        QCOMPARE(errorOf([&] { rig.cursor.checkSteps(); }),
                 "'abc' n'est pas une valeur entière correcte");
        rig.config.setStep(Step::NextBatchVertical, "-3");
        QCOMPARE(errorOf([&] { rig.cursor.checkSteps(); }), QStringLiteral("<no error>"));
        QCOMPARE(rig.typed(), "1R");
    }

    void stopEndsAMoveBetweenArrows()
    {
        Rig rig("1000000");
        int allowed = 3;
        rig.cursor.setStopCheck([&] { return allowed-- <= 0; });
        rig.cursor.putValue("-12.5");
        // The value whole, then the arrows sent before the stop, all counted.
        QCOMPARE(rig.typed(), "-12.5RRR");
        QCOMPARE(rig.cursor.horizontal(), 3);

        // A return stopped half way keeps the distance still to go.
        allowed = 2;
        rig.cursor.nextSeries();
        QCOMPARE(rig.typed(), "-12.5RRRLL");
        QCOMPARE(rig.cursor.horizontal(), 1);

        rig.cursor.setStopCheck({});
        rig.keys.clear();
        rig.cursor.nextSeries();
        QCOMPARE(rig.typed(), "LD");
        QCOMPARE(rig.cursor.horizontal(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCursor)
#include "tst_cursor.moc"
