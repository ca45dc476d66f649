// Reading, programming and verifying the programmable cable against the
// simulator's cable behind a fake port.
#include "configtool/cablelink.h"
#include "configtool/programmablecable.h"
#include "tests/support/cables/recordingviews.h"
#include "tests/support/cables/simulatedcable.h"
#include "tests/support/datacolumns.h"

#include <QTest>

using namespace configtool;

Q_DECLARE_METATYPE(muxsim::CableOptions)

namespace {

const CableMessages &messages = testMessages;
const Message noReply{MessageKind::Error, "L50"};
const Message differs{MessageKind::Plain, "Erreur de programmation"};

struct Rig : CableRig {
    explicit Rig(muxsim::CableOptions options = {}) : CableRig(muxsim::CableKind::Programmable, std::move(options)) {}
};

// Settings that differ from the cable's defaults in every field.
void setAll(RecordingProgrammableCable &view)
{
    view.page.speed = "600";
    view.page.dataBits = 7;
    view.page.parity = "IMPAIRE";
    view.page.endOfFrame = "$0A";
    view.page.unit = "MM";
    view.page.offset = 12;
    view.page.interrogation = {"$4D", "", "$0D", "", "", "", "", "$7E"};
    view.currentSupply = "5v";
}

muxsim::CableOptions misbehaving(bool silent, bool noRs, int cut)
{
    muxsim::CableOptions options;
    options.silent = silent;
    options.noRs = noRs;
    if (cut)
        options.replyCut = cut;
    return options;
}

} // namespace

class TestProgrammableCable : public QObject {
    Q_OBJECT

private slots:
    void byteTexts()
    {
        QCOMPARE(programmableByte("$0d"), 13);
        QCOMPARE(programmableByte("$7F"), 127);
        for (const char *zero : {"", "M", "$", "$0", "ABC", "$0D5"})
            QCOMPARE(programmableByte(zero), 0);
        QCOMPARE(decodeReplyCharacter('{'), QString("$0D"));
        QCOMPARE(decodeReplyCharacter('}'), QString("$0A"));
        QCOMPARE(decodeReplyCharacter('|'), QString(""));
        QCOMPARE(decodeReplyCharacter(0xE9), QString("$E9"));
    }

    void readsTheConfiguration()
    {
        Rig rig;
        RecordingProgrammableCable view;
        view.page.speed = "75";
        readProgrammableCable(rig.link, view, messages);
        QCOMPARE(rig.written(), QByteArray("@*E?\r\n"));
        QCOMPARE(view.changes, (QStringList{"reference=50417 RS232 PROGRAMMABLE ", "unit=MM  ", "i1=$3F", "i2=",
                                            "i3=", "i4=", "i5=", "i6=", "i7=", "i8=", "offset=1", "eof=$0D",
                                            "speed=9600", "bits=8", "parity=SANS", "supply=12v"}));
        QCOMPARE(view.progress, (QList<int>{0, 8, 10, 12, 14, 16, 18, 20, 22, 24, 28, 30, 32, 34, 36, 36}));
        QVERIFY(view.messages.isEmpty());
        QVERIFY(view.buttons.isEmpty());
    }

    void programsEverySettingThenReadsItBack()
    {
        Rig rig;
        int served = 0;
        rig.pump.onEvents = [&] { ++served; };
        RecordingProgrammableCable view;
        setAll(view);
        programProgrammableCable(rig.link, view, messages);

        QByteArray expected("@*V3\r\n@*B0\r\n@*P3\r\n@*F\n\r\n@*WM\r\n@*XM\r\n@*Y \r\n@*Z \r\n@*O<\r\n@*T0\r\n");
        for (int n = 1; n <= 8; ++n) {
            const char byte[] = {0x4D, 0, 0x0D, 0, 0, 0, 0, 0x7E};
            expected += QByteArray("@*") + char('0' + n) + byte[n - 1] + "\r\n";
        }
        QCOMPARE(rig.written(), expected + "@*E?\r\n");
        QCOMPARE(view.page.unit, QString("MM  "));
        QCOMPARE(view.messages, QList<Message>{(Message{MessageKind::Information, "L53"})});
        QCOMPARE(view.progress,
                 (QList<int>{0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 36, 36}));
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
        QVERIFY(served >= 16); // one wait per setting, the unit counting once, and one before the check

        // The two-digit offset moves the later fields; all of them come back.
        RecordingProgrammableCable back;
        readProgrammableCable(rig.link, back, messages);
        QVERIFY(back.messages.isEmpty());
        QCOMPARE(back.changes.mid(1), (QStringList{"unit=MM  ", "i1=$4D", "i2=", "i3=$0D", "i4=", "i5=", "i6=",
                                                   "i7=", "i8=$7E", "offset=12", "eof=$0A", "speed=600", "bits=7",
                                                   "parity=IMPAIRE", "supply=5v"}));
    }

    void codesAreTakenBeforeAnythingIsSent()
    {
        // The window stays live during the waits; a box changed meanwhile is not
        // programmed, and the read-back reports the difference.
        Rig rig;
        RecordingProgrammableCable view;
        setAll(view);
        rig.pump.onEvents = [&] { view.currentSupply = "12v"; };
        programProgrammableCable(rig.link, view, messages);
        QVERIFY(rig.written().contains("@*O<\r\n@*T0\r\n"));
        QCOMPARE(view.messages, QList<Message>{differs});
    }

    void unitOutsideTheCodePageStillSendsFourCharacters()
    {
        // Four UTF-16 units, three characters: one of them has no single byte.
        Rig rig;
        RecordingProgrammableCable view;
        view.page.unit = QString::fromUtf8("A\xF0\x9F\x98\x80" "B");
        programProgrammableCable(rig.link, view, messages);
        QVERIFY(rig.written().contains("@*WA\r\n@*X?\r\n@*YB\r\n@*Z \r\n@*O"));
    }

    void programmingReportsDifferences_data()
    {
        testsupport::columns<muxsim::CableOptions, QString, QString, QByteArray, QByteArray>(
            "options", "field", "text", "sent", "notSent");
        const muxsim::CableOptions good;
        // A zero end of frame cuts "@*F" before its byte; the cable keeps its own.
        QTest::newRow("end of frame 0") << good << "eof" << "$00" << QByteArray("@*P3\r\n@*F@*WM\r\n") << QByteArray();
        QTest::newRow("lower-case digit") << good << "i2" << "$0a" << QByteArray("@*2\n\r\n") << QByteArray();
        QTest::newRow("speed without code") << good << "speed" << "110" << QByteArray() << QByteArray("@*V");
        QTest::newRow("supply without code") << good << "supply" << "24v" << QByteArray() << QByteArray("@*T");
        QTest::newRow("reply without RS") << misbehaving(false, true, 0) << "" << "" << QByteArray() << QByteArray();
        QTest::newRow("reply cut short") << misbehaving(false, false, 30) << "" << "" << QByteArray() << QByteArray();
        QTest::newRow("reply without supply") << misbehaving(false, false, 43) << "" << "" << QByteArray() << QByteArray();
        QTest::newRow("silent cable") << misbehaving(true, false, 0) << "" << "" << QByteArray() << QByteArray();
    }
    void programmingReportsDifferences()
    {
        QFETCH(muxsim::CableOptions, options);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, notSent);
        Rig rig(options);
        RecordingProgrammableCable view;
        setAll(view);
        if (field == "eof")
            view.page.endOfFrame = text;
        else if (field == "i2")
            view.page.interrogation[1] = text;
        else if (field == "speed")
            view.page.speed = text;
        else if (field == "supply")
            view.currentSupply = text;
        programProgrammableCable(rig.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{differs});
        if (!sent.isEmpty())
            QVERIFY(rig.written().contains(sent));
        if (!notSent.isEmpty())
            QVERIFY(!rig.written().contains(notSent));
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
        QCOMPARE(view.progress.last(), 36);
    }

    void badRepliesGiveTheNoReplyMessage_data()
    {
        testsupport::columns<muxsim::CableOptions, QStringList>("options", "changed");
        const QStringList header{"reference", "unit", "i1", "i2", "i3", "i4", "i5", "i6", "i7", "i8"};
        QTest::newRow("silent") << misbehaving(true, false, 0) << QStringList();
        QTest::newRow("30 bytes") << misbehaving(false, false, 30) << QStringList();
        // Boxes filled before the bad field keep their new contents.
        QTest::newRow("without RS") << misbehaving(false, true, 0)
                                    << header + QStringList{"offset", "eof", "bits", "parity", "supply"};
        QTest::newRow("cut inside the last line") << misbehaving(false, false, 36)
                                                  << header + QStringList{"offset", "eof"};
    }
    void badRepliesGiveTheNoReplyMessage()
    {
        QFETCH(muxsim::CableOptions, options);
        QFETCH(QStringList, changed);
        Rig rig(options);
        RecordingProgrammableCable view;
        readProgrammableCable(rig.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{noReply});
        QStringList controls;
        for (const QString &change : view.changes)
            controls << change.section('=', 0, 0);
        QCOMPARE(controls, changed);
    }

    // The multiplexer goes away: a read names it; programming stops after the
    // setting being sent and names it too, rather than a programming error.
    void multiplexerGoneIsNamed()
    {
        Rig reading;
        reading.ports.device(0).gone = true;
        RecordingProgrammableCable view;
        readProgrammableCable(reading.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{(Message{MessageKind::Error, "gone"})});

        Rig programming;
        programming.ports.device(0).goneAt = programming.clock.now + 250;
        view.messages.clear();
        setAll(view);
        programProgrammableCable(programming.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{(Message{MessageKind::Error, "gone"})});
        QCOMPARE(programming.written(), QByteArray("@*V3\r\n@*B0\r\n@*P3\r\n"));
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
        QCOMPARE(view.progress.last(), 36);
    }

    void endlessReplyIsCutOff()
    {
        muxsim::CableOptions options;
        options.silent = true;
        Rig rig(options);
        rig.ports.arrive(0, QByteArray(5000, 'x'), 10, 1);
        RecordingProgrammableCable view;
        readProgrammableCable(rig.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{noReply});
        QVERIFY(rig.ports.nextArrival(0) >= 0); // most of it was never waited for
    }

    void shortEndOfFrameSendsNothing()
    {
        Rig rig;
        RecordingProgrammableCable view;
        view.page.endOfFrame = "$D";
        programProgrammableCable(rig.link, view, messages);
        QCOMPARE(view.messages, QList<Message>{(Message{MessageKind::Error, "L51"})});
        QCOMPARE(rig.written(), QByteArray());
        QCOMPARE(view.progress, QList<int>{36});
        QCOMPARE(view.buttons, (QList<bool>{false, true}));
    }
};

QTEST_GUILESS_MAIN(TestProgrammableCable)
#include "tst_programmablecable.moc"
