// The simulator's cables: framing of raw argument bytes, register and
// programmable cable behaviour, their misbehaviours and options.
#include "tests/support/datacolumns.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/rawport.h"
#include "tools/muxsim/cableframing.h"
#include "tools/muxsim/device.h"
#include "tools/muxsim/programmablecable.h"
#include "tools/muxsim/registercable.h"

#include <QTest>

using namespace muxsim;
using namespace std::string_literals;

Q_DECLARE_METATYPE(std::vector<Command>)
Q_DECLARE_METATYPE(muxsim::CableKind)

namespace {

class RecordingSink : public ReplySink {
public:
    void send(std::string bytes, std::chrono::milliseconds) override { sent += bytes; }
    std::string take() { return std::exchange(sent, {}); }
    std::string sent;
};

// A box with one cable, fed raw bytes as the program sends them.
struct Box {
    explicit Box(CableOptions cableOptions) : options{}, device(options, sink)
    {
        options.cable = std::move(cableOptions);
        cable = makeCable(options.cable, device, sink);
        for (FrameRule &rule : cableFrameRules(options.cable.kind))
            framer.addRule(std::move(rule));
    }
    std::string feed(std::string_view bytes)
    {
        for (const Command &command : framer.feed(bytes)) {
            if (!device.handle(command))
                cable->handle(command);
        }
        return sink.take();
    }

    Options options;
    RecordingSink sink;
    Device device;
    std::unique_ptr<Cable> cable;
    CommandFramer framer = CommandFramer::standard();
};

CableOptions cableOf(CableKind kind)
{
    CableOptions options;
    options.kind = kind;
    return options;
}

std::string bytes(const char *text, std::size_t size) { return std::string(text, size); }

const std::string defaultReply = "U: MM  \r\nINT:?|||||||\r\nO:1/F{\r\nTRS 96/8/SP/V1\r\n";

} // namespace

class TestMuxSimCables : public QObject {
    Q_OBJECT

private slots:
    void framing_data();
    void framing();
    void registerCable();
    void registerMismatchesThenRight();
    void cableHearsOnlyItsInput();
    void programmableReplyLayout();
    void programmableSettingsWithRawBytes();
    void programmableMisbehaviours();
    void badCableOptions_data();
    void badCableOptions();
    void overThePseudoTerminal();
};

void TestMuxSimCables::framing_data()
{
    testsupport::columns<CableKind, QByteArray, std::vector<Command>>("kind", "stream", "expected");
    const auto reg = [](const char *head, std::string body) { return Command{head, std::move(body)}; };
    const auto star = [](std::string body) { return Command{"@*", std::move(body)}; };
    QTest::newRow("read and program") << CableKind::Register << QByteArray("@RA\r\n@PA\x09\r\n")
                                      << std::vector{reg("@R", "A"), reg("@P", "A\x09")};
    // A value of LF ends the command: the next one follows at once.
    QTest::newRow("value LF") << CableKind::Register << QByteArray("@PD\n@RD\r\n")
                              << std::vector{reg("@P", "D\n"), reg("@R", "D")};
    QTest::newRow("value CR and @") << CableKind::Register << QByteArray("@PD\r\r\n@PE@\r\n")
                                    << std::vector{reg("@P", "D\r"), reg("@P", "E@")};
    QTest::newRow("value 0") << CableKind::Register << QByteArray("@PQ\0\r\n", 6)
                             << std::vector{reg("@P", bytes("Q\0", 2))};
    QTest::newRow("box commands still framed") << CableKind::Register << QByteArray("@*N2\r\n@RA\r\n@*?\r\n")
                                               << std::vector{star("N2"), reg("@R", "A"), star("?")};
    // "@*F" cut before its byte must not swallow the unit command after it.
    QTest::newRow("end of frame cut") << CableKind::Programmable << QByteArray("@*F@*WM\r\n")
                                      << std::vector{star("WM")};
    QTest::newRow("end of frame LF") << CableKind::Programmable << QByteArray("@*F\n\r\n@*E?\r\n")
                                     << std::vector{star("F\n"), star("E?")};
    QTest::newRow("interrogation raw bytes") << CableKind::Programmable
                                             << QByteArray("@*1\r\r\n@*2\n\r\n@*3\0\r\n", 18)
                                             << std::vector{star("1\r"), star("2\n"), star(bytes("3\0", 2))};
    QTest::newRow("offset 16 is @") << CableKind::Programmable << QByteArray("@*O@\r\n@*T1\r\n")
                                    << std::vector{star("O@"), star("T1")};
}

void TestMuxSimCables::framing()
{
    QFETCH(CableKind, kind);
    QFETCH(QByteArray, stream);
    QFETCH(std::vector<Command>, expected);
    CommandFramer whole = CommandFramer::standard();
    CommandFramer split = CommandFramer::standard();
    for (FrameRule &rule : cableFrameRules(kind)) {
        whole.addRule(rule);
        split.addRule(std::move(rule));
    }
    QVERIFY(whole.feed(stream.toStdString()) == expected);
    std::vector<Command> commands;
    for (char c : stream)
        for (Command &command : split.feed(std::string_view(&c, 1)))
            commands.push_back(std::move(command));
    QVERIFY(commands == expected);
}

void TestMuxSimCables::registerCable()
{
    CableOptions options = cableOf(CableKind::Register);
    options.registers = {{0x41, 0x09}, {0x5A, 0xFE}};
    Box box(options);
    QCOMPARE(box.feed("@RA\r\n@RB\r\n@RQ\r\n@RR\r\n"), bytes("\x09\x08\x9D\xC7", 4));
    QCOMPARE(box.feed("@RY\r\n@RZ\r\n@R\xA8\r\n"), std::string("\xFF\xFE\xFF"));
    QCOMPARE(box.feed("@PD\n@RD\r\n@PQ\0\r\n@RQ\r\n"s), bytes("\n\0", 2));
    // Codes outside the two groups are not answered and not stored.
    QCOMPARE(box.feed("@PS\x01\r\n@RS\r\n@R\x58\r\n@R\xA9\r\n"), std::string());
}

void TestMuxSimCables::registerMismatchesThenRight()
{
    CableOptions options = cableOf(CableKind::Register);
    options.mismatches = {{0x43, 2}, {0x59, 1}};
    Box box(options);
    QCOMPARE(box.feed("@RC\r\n@RC\r\n@RC\r\n"), std::string("UUS"));
    // A wrong answer differs from the value even when the value is the usual wrong one.
    QCOMPARE(box.feed("@PY\x55\r\n@RY\r\n@RY\r\n"), std::string("VU"));
}

void TestMuxSimCables::cableHearsOnlyItsInput()
{
    CableOptions options = cableOf(CableKind::Register);
    options.input = 3;
    Box box(options);
    QCOMPARE(box.feed("@RA\r\n"), std::string("\x01"));
    QCOMPARE(box.feed("@*N3\r\n@RA\r\n"), std::string("\x01"));
    QCOMPARE(box.feed("@*N2\r\n@PA\x02\r\n@RA\r\n"), std::string());
    QCOMPARE(box.feed("@*N3\r\n@RA\r\n"), std::string("\x01"));

    options.silent = true;
    Box silent(options);
    QCOMPARE(silent.feed("@*N3\r\n@RA\r\n@*?\r\n").substr(0, 3), std::string("M8 "));
}

void TestMuxSimCables::programmableReplyLayout()
{
    Box box(cableOf(CableKind::Programmable));
    const std::string reply = box.feed("@*E?\r\n");
    QCOMPARE(reply, defaultReply);
    QCOMPARE(reply.substr(3, 4), std::string("MM  "));
    QCOMPARE(reply.substr(13, 8), std::string("?|||||||"));
    QCOMPARE(reply.substr(25, 2), std::string("1/"));
    QCOMPARE(reply.substr(32, 2), std::string("RS"));   // k + 10, k = 22
    QCOMPARE(reply.substr(35, 2), std::string("96"));
    QCOMPARE(reply.substr(37, 8), std::string("/8/SP/V1"));
}

void TestMuxSimCables::programmableSettingsWithRawBytes()
{
    Box box(cableOf(CableKind::Programmable));
    const std::string settings = bytes("@*V3\r\n@*B0\r\n@*P3\r\n@*F\n\r\n@*WI\r\n@*XN\r\n@*Y \r\n@*Z \r\n"
                                       "@*O<\r\n@*T0\r\n@*1\r\r\n@*2\0\r\n@*8|\r\n", 77);
    QCOMPARE(box.feed(settings), std::string());
    // A two-digit offset moves the later fields by one: "RS" at 33, k = 23.
    const std::string reply = box.feed("@*E?\r\n");
    QCOMPARE(reply, std::string("U: IN  \r\nINT:{|||||||\r\nO:12/F}\r\nTRS 06/7/PI/V5\r\n"));
    QCOMPARE(reply.substr(33, 2), std::string("RS"));

    // "@*F" cut before its byte leaves the end of frame as it was.
    QCOMPARE(box.feed("@*F@*WM\r\n@*E?\r\n").substr(0, 9), std::string("U: MN  \r\n"));
    QCOMPARE(static_cast<ProgrammableCable &>(*box.cable).settings().endOfFrame, '\n');
}

void TestMuxSimCables::programmableMisbehaviours()
{
    CableOptions options = cableOf(CableKind::Programmable);
    options.noRs = true;
    QCOMPARE(Box(options).feed("@*E?\r\n"), std::string("U: MM  \r\nINT:?|||||||\r\nO:1/F{\r\nT-- 96/8/SP/V1\r\n"));
    options.noRs = false;
    options.replyCut = 20;
    QCOMPARE(Box(options).feed("@*E?\r\n"), defaultReply.substr(0, 20));
    options.replyCut.reset();
    options.silent = true;
    QCOMPARE(Box(options).feed("@*E?\r\n@*V1\r\n"), std::string());
}

void TestMuxSimCables::badCableOptions_data()
{
    testsupport::columns<QStringList, QString>("args", "message");
    QTest::newRow("kind") << QStringList{"--cable", "usb"} << "--cable expects register, programmable or none";
    QTest::newRow("input") << QStringList{"--cable-input", "9"} << "--cable-input expects an input from 1 to 8";
    QTest::newRow("register value") << QStringList{"--registers", "41=100"} << "--registers has a bad item 41=100";
    QTest::newRow("register item") << QStringList{"--registers", "41"} << "--registers expects CODE=VALUE items";
    QTest::newRow("mismatch") << QStringList{"--mismatch", "43:x"} << "--mismatch has a bad item 43:x";
}

void TestMuxSimCables::badCableOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    std::vector<std::string> argv{"--link", "/tmp/x"};
    for (const QString &arg : args)
        argv.push_back(arg.toStdString());
    const auto parsed = parseOptions(argv);
    QVERIFY(std::holds_alternative<std::string>(parsed));
    QCOMPARE(QString::fromStdString(std::get<std::string>(parsed)), message);
}

void TestMuxSimCables::overThePseudoTerminal()
{
    testsupport::MuxSimProcess sim;
    QVERIFY2(sim.start({"--cable", "register", "--cable-input", "2", "--registers", "41=00", "--mismatch", "42:1"}),
             qPrintable(sim.errorString()));
    RawPort port(sim.linkPath());
    QVERIFY(port.write("@*N2\r\n@RA\r\n@RB\r\n@RB\r\n@PC\n@RC\r\n@*?\r\n"));
    QCOMPARE(port.readUntil('\n', 3000), QByteArray("\0U\x08\n", 4));
    QCOMPARE(port.readLine(3000), QByteArray("M8 MUXSIM v3 S/N 000123\r\n"));

    QVERIFY(sim.start({"--model", "D", "--cable", "programmable"}));
    RawPort cable(sim.linkPath());
    QVERIFY(cable.write("@*N1\r\n@*AT\r\n@*O:\r\n@*E?\r\n"));
    QCOMPARE(cable.readLine(3000), QByteArray("50417 RS232 PROGRAMMABLE V2.1\r\n"));
    QByteArray reply;
    for (int line = 0; line < 4; ++line)
        reply += cable.readLine(3000);
    QCOMPARE(reply, QByteArray("U: MM  \r\nINT:?|||||||\r\nO:10/F{\r\nTRS 96/8/SP/V1\r\n"));
}

QTEST_GUILESS_MAIN(TestMuxSimCables)
#include "tst_device.moc"
