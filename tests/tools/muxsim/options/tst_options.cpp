#include "tools/muxsim/options.h"

#include <QTest>

using muxsim::Options;
using muxsim::Request;

namespace {

Options parsed(const std::vector<std::string> &args)
{
    auto result = muxsim::parseOptions(args);
    if (auto *error = std::get_if<std::string>(&result))
        qFatal("unexpected error: %s", error->c_str());
    return std::get<Options>(result);
}

} // namespace

class TestMuxSimOptions : public QObject {
    Q_OBJECT

private slots:
    // The firmware version under its own name and under the old --version
    // spelling, which still means it when one character follows.
    void firmwareVersion()
    {
        const std::vector<std::vector<std::string>> spellings {{"--link", "l", "--firmware-version", "5"},
                                                               {"--link", "l", "--firmware-version=5"},
                                                               {"--version", "5", "--link", "l"},
                                                               {"--link", "l", "--version=5"}};
        for (const std::vector<std::string> &args : spellings) {
            const Options options = parsed(args);
            QVERIFY(options.request == Request::Run);
            QCOMPARE(options.version, '5');
            QCOMPARE(QString::fromStdString(options.linkPath), "l");
        }
    }

    // Asked anywhere on the line, and without the otherwise required --link.
    void helpAndVersionWin()
    {
        QVERIFY(parsed({"--help"}).request == Request::Help);
        QVERIFY(parsed({"--link", "l", "--model", "4", "-h"}).request == Request::Help);
        QVERIFY(parsed({"--version"}).request == Request::Version);
        QVERIFY(parsed({"--version", "--link", "l"}).request == Request::Version);
        QVERIFY(parsed({"--link", "l", "--version"}).request == Request::Version);
        QVERIFY(parsed({"--version", "12"}).request == Request::Version);
    }

    void missingLinkIsStillAnError()
    {
        const auto result = muxsim::parseOptions({"--firmware-version", "5"});
        QCOMPARE(QString::fromStdString(std::get<std::string>(result)), "--link PATH is required");
    }
};

QTEST_GUILESS_MAIN(TestMuxSimOptions)
#include "tst_options.moc"
