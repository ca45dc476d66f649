#include "tests/support/rawport.h"
#include "tests/support/muxsim_process.h"
#include "tests/support/datacolumns.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cerrno>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::MuxSimProcess;

namespace {

constexpr int replyMs = 3000;

QByteArray printable(const QByteArray &bytes)
{
    QByteArray kept;
    for (char c : bytes) {
        if (c >= 0x20 && c <= 0x7E)
            kept += c;
    }
    return kept;
}

// The error a user without root's powers gets opening the device (0 when it opens).
int openErrorForAnyUser(const QByteArray &device)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(255);
        const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::_exit(fd < 0 ? errno : 0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

class TestMuxSim : public QObject {
    Q_OBJECT

private slots:
    void identification_data();
    void identification();
    void atReply_data();
    void atReply();
    void longReadingsCarryTheValueInCharacters14To26();
    void shortReadingsAndGeneratedValues();
    void multipleModeWithRawMaskBytes_data();
    void multipleModeWithRawMaskBytes();
    void commandsSplitAnywhereAndGarbageBetween();
    void intervalAndTrigger();
    void silentAnswersNothing();
    void lateLineFeed();
    void garbageLeavesThePrintableTextIntact();
    void longIdentificationLine();
    void vanishAfterDropsTheDevice();
    void stopRemovesTheLink();
    void exclusiveUseEndsWithItsHolder();

private:
    MuxSimProcess m_sim;
};

void TestMuxSim::identification_data()
{
    testsupport::columns<QStringList, QByteArray>("args", "line");
    // Paced: the default line rate.
    QTest::newRow("D") << QStringList{"--model", "D"} << QByteArray("DX MUXSIM v3 S/N 000123\r\n");
    QTest::newRow("A") << QStringList{"--model", "A", "--no-pace"} << QByteArray("AX MUXSIM v3 S/N 000123\r\n");
    QTest::newRow("M") << QStringList{"--model", "M", "--no-pace"} << QByteArray("MX MUXSIM v3 S/N 000123\r\n");
    QTest::newRow("8 version serial")
        << QStringList{"--model", "8", "--version", "5", "--serial", "987654", "--no-pace"}
        << QByteArray("M8 MUXSIM v5 S/N 987654\r\n");
    QTest::newRow("family B") << QStringList{"--model", "4", "--family", "B", "--no-pace"}
                              << QByteArray("B4 MUXSIM v3 S/N 000123\r\n");
    QTest::newRow("raw") << QStringList{"--ident", "Z8 any text", "--no-pace"} << QByteArray("Z8 any text\n");
}

void TestMuxSim::identification()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, line);
    QVERIFY2(m_sim.start(args), qPrintable(m_sim.errorString()));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.isOpen());
    QVERIFY(port.write("@*?\r\n"));
    const QByteArray reply = port.readLine(replyMs);
    QCOMPARE(reply, line);
    if (line.startsWith("DX"))
        QCOMPARE(reply.at(11), '3'); // the version character
}

void TestMuxSim::atReply_data()
{
    testsupport::columns<QStringList, QByteArray>("args", "firstLine");
    QTest::newRow("model D") << QStringList{"--model", "D"} << QByteArray("50417 RS232 PROGRAMMABLE V2.1\r\n");
    QTest::newRow("given") << QStringList{"--model", "D", "--at-reply", "50432 CABLE"}
                           << QByteArray("50432 CABLE\r\n");
    // No answer of its own: the identification asked next comes first.
    QTest::newRow("model 8") << QStringList{"--model", "8"} << QByteArray("M8 MUXSIM v3 S/N 000123\r\n");
}

void TestMuxSim::atReply()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, firstLine);
    QVERIFY(m_sim.start(args << "--no-pace"));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*N1\r\n@*AT\r\n@*L4\r\n@*?\r\n"));
    QCOMPARE(port.readLine(replyMs), firstLine);
}

void TestMuxSim::longReadingsCarryTheValueInCharacters14To26()
{
    QVERIFY(m_sim.start({"--per-command", "2", "--values", "12.5,-0.003"}));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*N3\r\n"));
    const QByteArray first = port.readLine(replyMs);
    QCOMPARE(first, QByteArray("V3 IN3 #0001          12.5  MM\r\n"));
    QCOMPARE(first.mid(13, 13), QByteArray("         12.5"));
    QCOMPARE(port.readLine(replyMs).mid(13, 13), QByteArray("       -0.003"));
    // "@*LD" reads the addressed input once; the values cycle.
    QVERIFY(port.write("@*LD\r\n"));
    QCOMPARE(port.readLine(replyMs), QByteArray("V3 IN3 #0003          12.5  MM\r\n"));
}

void TestMuxSim::shortReadingsAndGeneratedValues()
{
    QVERIFY(m_sim.start({"--per-command", "1", "--line", "short", "--no-pace"}));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*N1\r\n@*N2\r\n"));
    QCOMPARE(port.readLine(replyMs), QByteArray("V0000001\r\n"));
    QCOMPARE(port.readLine(replyMs), QByteArray("V0000002\r\n"));

    QVERIFY(m_sim.start({"--per-command", "1", "--no-pace"}));
    RawPort longPort(m_sim.linkPath());
    QVERIFY(longPort.write("@*N8\r\n"));
    QCOMPARE(longPort.readLine(replyMs), QByteArray("V8 IN8 #0001 +00000000.001  MM\r\n"));
}

void TestMuxSim::multipleModeWithRawMaskBytes_data()
{
    testsupport::columns<char, QByteArrayList>("mask", "prefixes");
    QTest::newRow("0x0A") << char(0x0A) << QByteArrayList{"V2 IN2", "V4 IN4"};
    QTest::newRow("0x0D") << char(0x0D) << QByteArrayList{"V1 IN1", "V3 IN3", "V4 IN4"};
    QTest::newRow("0x81") << char(0x81) << QByteArrayList{"V1 IN1", "V8 IN8"};
}

void TestMuxSim::multipleModeWithRawMaskBytes()
{
    QFETCH(char, mask);
    QFETCH(QByteArrayList, prefixes);
    QVERIFY(m_sim.start({"--per-command", "1", "--no-pace"}));
    RawPort port(m_sim.linkPath());
    const QByteArray command = QByteArray("@*M0") + mask + "\r\n";
    QVERIFY(port.write(command));
    for (const QByteArray &prefix : prefixes) {
        const QByteArray line = port.readLine(replyMs);
        QVERIFY2(line.startsWith(prefix), line.constData());
    }
    QVERIFY(m_sim.waitForLog(command, replyMs));
    QCOMPARE(m_sim.log(), command);
}

void TestMuxSim::commandsSplitAnywhereAndGarbageBetween()
{
    QVERIFY(m_sim.start({"--per-command", "1", "--no-pace"}));
    RawPort port(m_sim.linkPath());
    const QByteArray pieces[] = {QByteArray("\x00\xFFxy@", 5), "*", "M0", "\n", "\r", "\n@@", "*?\r", "\n"};
    QByteArray sent;
    for (const QByteArray &piece : pieces) {
        QVERIFY(port.write(piece));
        sent += piece;
        QVERIFY(m_sim.waitForLog(sent, replyMs));
    }
    QVERIFY(port.readLine(replyMs).startsWith("V2 IN2"));
    QVERIFY(port.readLine(replyMs).startsWith("V4 IN4"));
    QCOMPARE(port.readLine(replyMs), QByteArray("M8 MUXSIM v3 S/N 000123\r\n"));
    QCOMPARE(m_sim.log(), sent);
}

void TestMuxSim::intervalAndTrigger()
{
    QVERIFY(m_sim.start({"--interval", "10", "--no-pace", "--line", "short"}));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*N2\r\n"));
    for (const char *line : {"V0000001\r\n", "V0000002\r\n", "V0000003\r\n"})
        QCOMPARE(port.readLine(replyMs), QByteArray(line));

    QVERIFY(m_sim.start({"--no-pace"}));
    RawPort triggered(m_sim.linkPath());
    QVERIFY(triggered.write("@*N5\r\n"));
    QVERIFY(m_sim.waitForLog("@*N5\r\n", replyMs));
    m_sim.trigger();
    QCOMPARE(triggered.readLine(replyMs), QByteArray("V5 IN5 #0001 +00000000.001  MM\r\n"));
}

void TestMuxSim::silentAnswersNothing()
{
    QVERIFY(m_sim.start({"--silent", "--per-command", "1"}));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*?\r\n@*N1\r\n"));
    QVERIFY(m_sim.waitForLog("@*?\r\n@*N1\r\n", replyMs));
    QCOMPARE(port.readLine(300), QByteArray());
}

void TestMuxSim::lateLineFeed()
{
    QVERIFY(m_sim.start({"--model", "D", "--late-lf", "1500", "--no-pace"}));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*?\r\n"));
    QCOMPARE(port.readUntil('\r', replyMs), QByteArray("DX MUXSIM v3 S/N 000123\r"));
    QCOMPARE(port.readWaiting(), QByteArray());
    QCOMPARE(port.readLine(replyMs), QByteArray("\n"));
}

void TestMuxSim::garbageLeavesThePrintableTextIntact()
{
    QVERIFY(m_sim.start({"--garbage", "--per-command", "1", "--no-pace"}));
    RawPort port(m_sim.linkPath());
    QByteArray noise;
    for (int i = 0; i < 4; ++i) {
        QVERIFY(port.write("@*?\r\n"));
        const QByteArray raw = port.readLine(replyMs);
        QCOMPARE(printable(raw), QByteArray("M8 MUXSIM v3 S/N 000123"));
        QVERIFY(raw.endsWith('\n'));
        QCOMPARE(raw.count('\n'), 1);
        for (char c : raw) {
            if ((c < 0x20 || c > 0x7E) && c != '\r' && c != '\n')
                noise += c;
        }
    }
    QVERIFY(noise.contains('\0'));
    QVERIFY(std::any_of(noise.begin(), noise.end(), [](char c) { return uchar(c) > 0x7E; }));
    QVERIFY(port.write("@*N6\r\n"));
    const QByteArray reading = port.readLine(replyMs);
    QCOMPARE(printable(reading.mid(reading.indexOf('V'))), QByteArray("V6 IN6 #0001 +00000000.001  MM"));
}

void TestMuxSim::longIdentificationLine()
{
    QVERIFY(m_sim.start({"--long-line", "5000", "--no-pace"}));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*?\r\n"));
    const QByteArray line = port.readLine(replyMs);
    QCOMPARE(line.size(), 5002);
    QVERIFY(line.startsWith("M8 MUXSIM v3 S/N 000123 "));
    QVERIFY(line.endsWith("\r\n"));
    QCOMPARE(printable(line).size(), 5000);
}

void TestMuxSim::vanishAfterDropsTheDevice()
{
    QVERIFY(m_sim.start({"--vanish-after", "5", "--no-pace"}));
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*?\r\n"));
    // The answer to what it was allowed to receive still goes out first.
    QCOMPARE(port.readLine(replyMs), QByteArray("M8 MUXSIM v3 S/N 000123\r\n"));
    QVERIFY(port.waitGone(replyMs));
    QVERIFY(m_sim.waitForVanished(replyMs));
    QVERIFY(!QFileInfo::exists(m_sim.linkPath()));
    QCOMPARE(m_sim.stop(), 0);
}

void TestMuxSim::stopRemovesTheLink()
{
    QVERIFY(m_sim.start({}));
    QVERIFY(QFileInfo(m_sim.linkPath()).isSymLink());
    {
        // A port opened and closed again (as during a scan) leaves the device usable.
        RawPort probe(m_sim.linkPath());
        QVERIFY(probe.isOpen());
    }
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*?\r\n"));
    QCOMPARE(port.readLine(replyMs), QByteArray("M8 MUXSIM v3 S/N 000123\r\n"));
    QCOMPARE(m_sim.stop(), 0);
    QVERIFY(!QFileInfo(m_sim.linkPath()).isSymLink());
}

// A program killed while it used the port exclusively does not leave the device
// busy for the next one.
void TestMuxSim::exclusiveUseEndsWithItsHolder()
{
    QVERIFY(m_sim.start({"--no-pace"}));
    const QByteArray device = QFile::encodeName(QFileInfo(m_sim.linkPath()).symLinkTarget());
    // Open to others, as the device is to its owner when the tests do not run as root.
    if (::geteuid() == 0)
        QCOMPARE(::chmod(device.constData(), 0666), 0);
    QCOMPARE(openErrorForAnyUser(device), 0);

    const int held = ::open(device.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(held >= 0);
    QCOMPARE(::ioctl(held, TIOCEXCL), 0);
    QCOMPARE(openErrorForAnyUser(device), EBUSY);
    ::close(held); // as a kill closes it: exclusivity not given back

    QTRY_COMPARE_WITH_TIMEOUT(openErrorForAnyUser(device), 0, replyMs);
    RawPort port(m_sim.linkPath());
    QVERIFY(port.write("@*?\r\n"));
    QCOMPARE(port.readLine(replyMs), QByteArray("M8 MUXSIM v3 S/N 000123\r\n"));
    QCOMPARE(m_sim.stop(), 0);
}

QTEST_GUILESS_MAIN(TestMuxSim)
#include "tst_main.moc"
