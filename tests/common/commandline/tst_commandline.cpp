#include "common/commandline.h"
#include "common/version.h"
#include "tests/support/datacolumns.h"

#include <QTest>

using common::answerInfoOptions;
using common::refuseLeftoverArguments;

namespace {
const common::ProgramDescription setrix {"setrix", "Sets up the multiplexer."};
}

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void helpAndVersionNeedNothingElse_data()
    {
        testsupport::columns<QStringList, bool>("arguments", "help");
        QTest::newRow("--help") << QStringList {"/usr/lib/setrix-quorix/setrix/kelt2", "--help"} << true;
        QTest::newRow("-h") << QStringList {"kelt2", "-h"} << true;
        // Qt's own options and unknown ones around them do not stand in the way.
        QTest::newRow("after Qt's options") << QStringList {"kelt2", "-platform", "offscreen", "--bogus", "--help"} << true;
        QTest::newRow("--version") << QStringList {"kelt2", "--version"} << false;
        QTest::newRow("-v") << QStringList {"kelt2", "-style", "fusion", "-v"} << false;
    }
    void helpAndVersionNeedNothingElse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, help);
        const auto answer = answerInfoOptions(arguments, setrix);
        QVERIFY(answer);
        QCOMPARE(answer->exitCode, 0);
        if (!help) {
            QCOMPARE(answer->text, "setrix " SETRIX_QUORIX_VERSION "\n");
            return;
        }
        const QStringList lines = answer->text.split('\n');
        QCOMPARE(lines.value(0), "Usage: setrix [options]");
        QCOMPARE(lines.value(1), "Sets up the multiplexer.");
        QVERIFY(answer->text.contains("-h, --help"));
        QVERIFY(answer->text.contains("-v, --version"));
    }

    void otherArgumentsAreForLater()
    {
        QVERIFY(!answerInfoOptions({"kelt2"}, setrix));
        QVERIFY(!answerInfoOptions({"kelt2", "-platform", "offscreen"}, setrix));
        QVERIFY(!refuseLeftoverArguments({"kelt2"}, setrix));
    }

    void leftoversAreRefused_data()
    {
        testsupport::columns<QStringList, QString>("arguments", "text");
        QTest::newRow("option") << QStringList {"kelt2", "--bogus"}
                                << "setrix: Unknown option 'bogus'.\nTry 'setrix --help' for more information.\n";
        QTest::newRow("argument") << QStringList {"kelt2", "demo.mux"}
                                  << "setrix: unexpected argument 'demo.mux'.\nTry 'setrix --help' for more information.\n";
    }
    void leftoversAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, text);
        const auto answer = refuseLeftoverArguments(arguments, setrix);
        QVERIFY(answer);
        QCOMPARE(answer->exitCode, 2);
        QCOMPARE(answer->text, text);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
