#include "tests/support/datacolumns.h"
#include "tools/muxsim/commandframer.h"
#include "tools/muxsim/lineoutput.h"
#include "tools/muxsim/options.h"
#include "tools/muxsim/pseudoterminal.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace muxsim;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(std::vector<Command>)

namespace {

std::vector<Command> frameWhole(const std::string &bytes)
{
    return CommandFramer::standard().feed(bytes);
}

std::vector<Command> frameByteByByte(const std::string &bytes)
{
    CommandFramer framer = CommandFramer::standard();
    std::vector<Command> commands;
    for (char c : bytes) {
        for (Command &command : framer.feed(std::string_view(&c, 1)))
            commands.push_back(std::move(command));
    }
    return commands;
}

} // namespace

class TestMuxSimModules : public QObject {
    Q_OBJECT

private slots:
    void framing_data();
    void framing();
    void pacedOutputKeepsTheLineRateAndPauses();
    void unpacedOutputGoesAtOnce();
    void badOptions_data();
    void badOptions();
    void linkReplacesAStaleLinkOnly();
};

void TestMuxSimModules::framing_data()
{
    testsupport::columns<QByteArray, std::vector<Command>>("bytes", "expected");
    const auto star = [](std::string body) { return Command{"@*", std::move(body)}; };
    QTest::newRow("plain") << QByteArray("@*?\r\n@*N3\r\n") << std::vector{star("?"), star("N3")};
    QTest::newRow("mask LF") << QByteArray("@*M0\n\r\n@*LD\r\n") << std::vector{star("M0\n"), star("LD")};
    QTest::newRow("mask CR") << QByteArray("@*M0\r\r\n") << std::vector{star("M0\r")};
    QTest::newRow("mask @") << QByteArray("@*M0@\r\n") << std::vector{star("M0@")};
    QTest::newRow("garbage between") << QByteArray("\x00zz@@x@*?\r\n\xFF@*AT\r\n", 18)
                                     << std::vector{star("?"), star("AT")};
    // A command cut short must not swallow the one after it.
    QTest::newRow("cut command") << QByteArray("@*N@*?\r\n") << std::vector{star("?")};
    QTest::newRow("mask without line end") << QByteArray("@*M0\x05xx@*?\r\n") << std::vector{star("?")};
    QTest::newRow("overlong") << QByteArray("@*" + QByteArray(100, 'x') + "\r\n@*?\r\n") << std::vector{star("?")};
    QTest::newRow("bare LF ends a command") << QByteArray("@*L4\n") << std::vector{star("L4")};
}

void TestMuxSimModules::framing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::vector<Command>, expected);
    const std::string stream = bytes.toStdString();
    QVERIFY(frameWhole(stream) == expected);
    QVERIFY(frameByteByByte(stream) == expected);
}

void TestMuxSimModules::pacedOutputKeepsTheLineRateAndPauses()
{
    LineOutput output(true);
    const Clock::time_point t0{1s};
    const auto byte = LineOutput::byteTime;
    output.enqueue("ab", t0);
    output.enqueue("\n", t0, 100ms);
    QCOMPARE(output.takeDue(t0), std::string("a"));
    QCOMPARE(output.takeDue(t0 + byte - 1us), std::string());
    QCOMPARE(output.takeDue(t0 + byte), std::string("b"));
    QCOMPARE(output.nextDue(), std::optional(t0 + 2 * byte + 100ms));
    QCOMPARE(output.takeDue(t0 + 2 * byte + 99ms), std::string());
    QCOMPARE(output.takeDue(t0 + 2 * byte + 100ms), std::string("\n"));
    QVERIFY(!output.nextDue());

    // A line idle for a while starts again when new bytes come, not in the past.
    const Clock::time_point later = t0 + 10s;
    output.enqueue("xyz", later);
    QCOMPARE(output.takeDue(later), std::string("x"));
    QCOMPARE(output.pendingBytes(), std::size_t(2));
}

void TestMuxSimModules::unpacedOutputGoesAtOnce()
{
    LineOutput output(false);
    const Clock::time_point t0{1s};
    output.enqueue("M8 line\r", t0);
    output.enqueue("\n", t0, 50ms);
    output.enqueue("next\r\n", t0);
    QCOMPARE(output.takeDue(t0), std::string("M8 line\r"));
    QCOMPARE(output.takeDue(t0 + 50ms), std::string("\nnext\r\n"));
    QCOMPARE(output.pendingBytes(), std::size_t(0));
}

void TestMuxSimModules::badOptions_data()
{
    testsupport::columns<QStringList, QString>("args", "message");
    QTest::newRow("no link") << QStringList{"--model", "D"} << "--link PATH is required";
    QTest::newRow("unknown") << QStringList{"--link", "/tmp/x", "--fast"} << "unknown option --fast";
    QTest::newRow("two-character model") << QStringList{"--link", "/tmp/x", "--model", "DX"}
                                         << "--model expects exactly one character";
    QTest::newRow("missing value") << QStringList{"--link", "/tmp/x", "--interval"} << "--interval expects a value";
    QTest::newRow("negative interval") << QStringList{"--link", "/tmp/x", "--interval=-5"}
                                       << "--interval expects a whole number from 0 to 3600000";
    QTest::newRow("unknown reading end") << QStringList{"--link", "/tmp/x", "--reading-end", "lf"}
                                         << "--reading-end expects crlf, cr or none";
    QTest::newRow("short value too long") << QStringList{"--link", "/tmp/x", "--line", "short", "--values", "1,12345678"}
                                          << "--values: \"12345678\" is longer than 7 characters";
    QTest::newRow("long value too long") << QStringList{"--link", "/tmp/x", "--values", "12345678901234"}
                                         << "--values: \"12345678901234\" is longer than 13 characters";
}

void TestMuxSimModules::badOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    std::vector<std::string> argv;
    for (const QString &arg : args)
        argv.push_back(arg.toStdString());
    const auto parsed = parseOptions(argv);
    QVERIFY(std::holds_alternative<std::string>(parsed));
    QCOMPARE(QString::fromStdString(std::get<std::string>(parsed)), message);
}

void TestMuxSimModules::linkReplacesAStaleLinkOnly()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("mux");
    QVERIFY(QFile::link(dir.filePath("gone"), link));
    {
        PseudoTerminal pty(link.toStdString());
        QCOMPARE(QFileInfo(link).symLinkTarget(), QString::fromStdString(pty.slavePath()));
        pty.close();
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    // Someone's file is never replaced.
    const QString file = dir.filePath("notes");
    QFile notes(file);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("keep");
    notes.close();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, PseudoTerminal(file.toStdString()));
    QVERIFY(notes.open(QIODevice::ReadOnly));
    QCOMPARE(notes.readAll(), QByteArray("keep"));
}

QTEST_GUILESS_MAIN(TestMuxSimModules)
#include "tst_commandframer.moc"
