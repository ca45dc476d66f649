// Reading and programming register cables against the simulator's cable
// behind a fake port: the bytes on the wire, the controls, the progress and the
// messages, and how each failure ends.
#include "common/usererror.h"
#include "configtool/cablelist/cablelist.h"
#include "configtool/cablelink.h"
#include "configtool/registerprogramming.h"
#include "tests/support/cables/recordingviews.h"
#include "tests/support/cables/simulatedcable.h"
#include "tests/support/datacolumns.h"
#include "tools/muxsim/registercable.h"

#include <QTest>

using namespace configtool;

namespace {

const CableMessages &messages = testMessages;
const Message finished{MessageKind::Information, "L53"};

struct Rig : CableRig {
    explicit Rig(muxsim::CableOptions options = {}) : CableRig(muxsim::CableKind::Register, std::move(options)) {}
    int stored(int code) { return static_cast<muxsim::RegisterCable &>(cable.cable()).value(code); }
    CableList cableList{QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt")};
};

QByteArray readCommand(int code) { return QByteArray("@R") + char(code) + "\r\n"; }

// One attempt of a register write: the program command, then its read-back.
QByteArray attempt(int code, int value)
{
    QByteArray bytes = QByteArray("@P") + char(code) + char(value);
    if (value != 10)
        bytes += "\r\n";
    return bytes + readCommand(code);
}

QList<int> gridCodes()
{
    QList<int> codes;
    for (int code = 0x59; code <= 0xA8; ++code)
        codes << code;
    return codes;
}

int gridPosition(int code) { return 82 + 9 * ((code - 0x59) / 8) + (code - 0x59) % 8 + 1; }

QString recordLine(const QString &reference)
{
    QFile file(QStringLiteral(SOURCE_DIR "/configtool/data/cable.txt"));
    file.open(QIODevice::ReadOnly);
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith(reference.toLatin1()))
            return QString::fromLatin1(line.trimmed());
    return {};
}

} // namespace

class TestRegisterCable : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void readsRs232HeaderAndGrid()
    {
        muxsim::CableOptions options;
        options.registers = {{0x41, 0x09}, {0x43, 'P'}, {0x44, 0x0A}, {0x45, 2}, {0x46, 12},
                             {0x4A, 0x0D}, {0x59, 0xFE}, {0x5A, 0x7F}, {0xA8, 0x01}};
        Rig rig(options);
        RecordingRs232Page view;
        readRs232Cable(rig.link, view, rig.cableList, messages);

        QByteArray expected;
        QList<int> progress;
        for (int code = 0x41; code <= 0x52; ++code)
            expected += readCommand(code), progress << code;
        for (int code : gridCodes())
            expected += readCommand(code), progress << gridPosition(code);
        QCOMPARE(rig.written(), expected);
        QCOMPARE(view.progress, progress << 65);
        QCOMPARE(view.maxima, QList<int>{171});
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
        QVERIFY(view.messages.isEmpty());
        QCOMPARE(view.changes, (QStringList{"speed=19200", "bits=8", "parity=PAIRE", "eof=$0A", "unit=INCH",
                                            "offset=12", "i1=$4D", "i2=$0D", "i3=", "i4=", "i5=", "i6=", "i7=", "i8=",
                                            "reference=51101", "name=" + recordLine("51101")}));
        QCOMPARE(view.cells[0][1], QString("T"));
        QCOMPARE(view.cells[0][2], QString("$7F"));
        QCOMPARE(view.cells[0][3], QString(""));
        QCOMPARE(view.cells[9][8], QString("$01"));
    }

    void readValuesThatLeaveBoxesAlone()
    {
        // Speed 3, parity "X" and unit 5 name nothing: those boxes keep their text.
        muxsim::CableOptions options;
        options.registers = {{0x41, 3}, {0x43, 'X'}, {0x45, 5}, {0x51, 300 % 256}, {0x52, 1}};
        Rig rig(options);
        RecordingRs232Page view;
        view.grid = false;
        readRs232Cable(rig.link, view, rig.cableList, messages);
        QCOMPARE(view.changes.filter(QRegularExpression("^(speed|parity|unit)=")), QStringList());
        QCOMPARE(view.changes.mid(view.changes.size() - 2), (QStringList{"reference=300", "name=300"}));
        QCOMPARE(view.maxima, QList<int>{82});
        QCOMPARE(rig.written().count("@R"), 18);
    }

    void readWithoutReply_data()
    {
        // registers: code, value pairs
        testsupport::columns<QByteArray, bool, bool, int, int>("registers", "silent", "gone", "reads", "cellsShown");
        // A reference that is a multiple of 256 has a low byte 0: on this page that is no reply.
        QTest::newRow("zero byte") << QByteArray("\x51\x00", 2) << false << false << 17 << 0;
        QTest::newRow("silent cable") << QByteArray() << true << false << 1 << 0;
        QTest::newRow("device gone") << QByteArray() << false << true << 1 << 0;
        QTest::newRow("grid cell 2,3") << QByteArray("\x6B\x00\x59\x12", 4) << false << false << 18 + 19 << 18;
    }
    void readWithoutReply()
    {
        QFETCH(QByteArray, registers);
        QFETCH(bool, silent);
        QFETCH(bool, gone);
        QFETCH(int, reads);
        QFETCH(int, cellsShown);
        muxsim::CableOptions options;
        for (qsizetype i = 0; i + 1 < registers.size(); i += 2)
            options.registers[static_cast<unsigned char>(registers[i])] = static_cast<unsigned char>(registers[i + 1]);
        options.silent = silent;
        Rig rig(options);
        rig.ports.device(0).gone = gone;
        RecordingRs232Page view;
        for (auto &row : view.cells)
            row.fill("old");
        readRs232Cable(rig.link, view, rig.cableList, messages);

        // A multiplexer gone is named, not taken for a silent cable.
        QCOMPARE(view.messages, QList<Message>{(Message{MessageKind::Error, gone ? "gone" : "Erreur de lecture"})});
        if (!gone)
            QCOMPARE(rig.written().count("@R"), reads);
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
        QCOMPARE(view.progress.last(), 65);
        // Header values show only once all eighteen are in; cells read before a failure keep their text.
        QCOMPARE(view.changes.isEmpty(), cellsShown == 0);
        int shown = 0;
        for (const auto &row : view.cells)
            shown += 8 - int(std::count(row.begin() + 1, row.end(), QString("old")));
        QCOMPARE(shown, cellsShown);
        if (cellsShown)
            QCOMPARE(view.cells[0][1], QString("$12"));
    }

    void programsRs232HeaderAndGrid()
    {
        muxsim::CableOptions options;
        options.mismatches = {{0x43, 4}}; // wrong four times, right on the fifth attempt
        Rig rig(options);
        int served = 0;
        rig.pump.onEvents = [&] { ++served; };
        RecordingRs232Page view;
        view.page.endOfFrame = "$0A";
        view.page.interrogation = {"$4D", "$0d", "$7F", "", "$", "$0D5", "", ""};
        view.currentReference = 300;
        view.cells[0][1] = "T";
        view.cells[0][2] = "$7F";
        view.cells[0][3] = "$0A";
        programRs232Cable(rig.link, view, messages);

        const int header[] = {1, 8, 'S', 10, 1, 1, 255, 255, 0x4D, 0x0D, 0x7F, 255, 255, 255, 255, 255, 44, 1};
        QByteArray expected;
        QList<int> progress;
        for (int code = 0x41; code <= 0x52; ++code) {
            for (int n = 0; n < (code == 0x43 ? 5 : 1); ++n)
                expected += attempt(code, header[code - 0x41]), progress << code;
        }
        for (int code : gridCodes()) {
            const int value = code == 0x59 ? 254 : code == 0x5A ? 127 : code == 0x5B ? 10 : 255;
            expected += attempt(code, value), progress << gridPosition(code);
        }
        QCOMPARE(rig.written(), expected);
        QVERIFY(rig.written().startsWith("@PA\x01\r\n@RA\r\n"));
        QVERIFY(rig.written().contains("@PD\n@RD\r\n"));
        QCOMPARE(view.progress, progress << 65);
        QCOMPARE(view.maxima, QList<int>{171});
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
        QCOMPARE(view.messages, QList<Message>{finished});
        QCOMPARE(rig.stored(0x51), 44);
        QCOMPARE(rig.stored(0x52), 1);
        QCOMPARE(rig.stored(0x5B), 10);
        // Every write waited serving events, so the window stayed live.
        QVERIFY(served >= 98 + 4);
    }

    void verificationFailuresEndOnlyTheirPhase_data()
    {
        testsupport::columns<bool, QList<Message>>("grid", "shown");
        const Message header{MessageKind::Plain, "L52 3"};
        const Message cell{MessageKind::Plain, "L52 113"};
        QTest::newRow("grid shown") << true << QList<Message>{header, cell, finished};
        QTest::newRow("grid hidden") << false << QList<Message>{header, finished};
    }
    void verificationFailuresEndOnlyTheirPhase()
    {
        QFETCH(bool, grid);
        QFETCH(QList<Message>, shown);
        muxsim::CableOptions options;
        options.mismatches = {{0x43, 5}, {0x59, 5}};
        Rig rig(options);
        RecordingRs232Page view;
        view.grid = grid;
        programRs232Cable(rig.link, view, messages);

        QCOMPARE(view.messages, shown);
        const QByteArray bytes = rig.written();
        QCOMPARE(bytes.count("@PC"), 5);
        QVERIFY(!bytes.contains("@PD"));
        QCOMPARE(bytes.count("@PY"), grid ? 5 : 0);
        QVERIFY(!bytes.contains("@PZ"));
        QCOMPARE(view.progress.last(), 65);
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
    }

    void programmingStopsWithoutReplyOrEndOfFrame()
    {
        // Reference 512: its low byte 0 is never read back on this page.
        Rig rig;
        RecordingRs232Page view;
        view.currentReference = 512;
        programRs232Cable(rig.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{(Message{MessageKind::Error, "L50"})});
        QVERIFY(rig.written().endsWith(attempt(0x51, 0)));
        QCOMPARE(view.progress.last(), 65);
        QCOMPARE(view.buttons, (QList<bool>{false, true}));

        Rig second;
        RecordingRs232Page shortEnd;
        shortEnd.page.endOfFrame = "$D";
        programRs232Cable(second.link, shortEnd, messages);
        QCOMPARE(shortEnd.messages, QList<Message>{(Message{MessageKind::Error, "L51"})});
        QCOMPARE(second.written(), QByteArray());
        QCOMPARE(shortEnd.progress, QList<int>{65});
        QCOMPARE(shortEnd.buttons, (QList<bool>{false, true}));
    }

    void analogReadAcceptsZeroBytes()
    {
        muxsim::CableOptions options;
        options.registers = {{0x41, 0}, {0x42, 0}, {0x43, 0x48}, {0x44, 0xC1}, {0x45, 0}, {0x46, 0},
                             {0x47, 0x48}, {0x48, 0x41}, {0x49, 2}, {0x51, 51902 % 256}, {0x52, 51902 / 256}};
        Rig rig(options);
        RecordingAnalogPage view;
        readAnalogCable(rig.link, view, rig.cableList, messages);
        QVERIFY(view.messages.isEmpty());
        QCOMPARE(view.changes, (QStringList{"min=-12.500", "max=12.500", "decimals=2", "reference=51902",
                                            "name=" + recordLine("51902")}));
        QCOMPARE(view.progress.last(), 65);
        QCOMPARE(view.maxima, QList<int>{82});
    }

    void analogProgramWritesFloatsLeastSignificantFirst()
    {
        Rig rig;
        RecordingAnalogPage view;
        view.minimum = "-12.5";
        view.maximum = "25.4";
        view.decimalCount = 1;
        view.currentReference = 300;
        programAnalogCable(rig.link, view, messages);

        const int values[] = {0, 0, 0x48, 0xC1, 0x33, 0x33, 0xCB, 0x41, 1, 255, 255, 255, 255, 255, 255, 255, 44, 1};
        QByteArray expected;
        for (int code = 0x41; code <= 0x52; ++code)
            expected += attempt(code, values[code - 0x41]);
        QCOMPARE(rig.written(), expected);
        QCOMPARE(view.messages, QList<Message>{finished});
        QCOMPARE(rig.stored(0x41), 0);
        QCOMPARE(rig.stored(0x44), 0xC1);
    }

    void analogValueThatIsNoNumberSendsNothing()
    {
        Rig rig;
        RecordingAnalogPage view;
        view.maximum = "abc";
        try {
            programAnalogCable(rig.link, view, messages);
            QFAIL("no error");
        } catch (const common::UserError &e) {
            QCOMPARE(e.text(), QString("'abc' n'est pas une valeur en virgule flottante correcte"));
        }
        QCOMPARE(rig.written(), QByteArray());
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
        QCOMPARE(view.progress, QList<int>{65});
    }
};

QTEST_GUILESS_MAIN(TestRegisterCable)
#include "tst_registerprogramming.moc"
