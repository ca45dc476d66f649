// Setrix's start-up read of kelt.ini.
#include "common/settingsfile.h"
#include "configtool/setrixsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using common::SettingsFile;
using namespace configtool;

class TestSetrixSettings : public QObject {
    Q_OBJECT

private slots:
    void withoutFileGiveDefaults()
    {
        QTemporaryDir dir;
        const SetrixSettings setrix = readSetrixSettings(SettingsFile("kelt.ini", dir.path()));
        QCOMPARE(setrix.langue, 1);
        QCOMPARE(setrix.proxy, QString());
        QCOMPARE(setrix.proxyPort, 80);
        QCOMPARE(setrix.enableProxy, 0);
        QCOMPARE(setrix.retroCaptions, QStringList(10));
    }

    void takeStoredValues()
    {
        QTemporaryDir dir;
        QFile kelt(dir.filePath("kelt.ini"));
        QVERIFY(kelt.open(QIODevice::WriteOnly));
        kelt.write("[general]\r\nlangue=4\r\n[INTERNET]\r\nproxy=proxy.local\r\nport=abc\r\n"
                   "enable_proxy=1\r\n[RETRO]\r\nrcmde0=Zero\r\nrcmde9=Nine\r\n");
        kelt.close();
        const SetrixSettings setrix = readSetrixSettings(SettingsFile("kelt.ini", dir.path()));
        QCOMPARE(setrix.langue, 4);
        QCOMPARE(setrix.proxy, QString("proxy.local"));
        QCOMPARE(setrix.proxyPort, 80);
        QCOMPARE(setrix.enableProxy, 1);
        QStringList captions(10);
        captions[0] = "Zero";
        captions[9] = "Nine";
        QCOMPARE(setrix.retroCaptions, captions);
    }

    // Saved by an editor with a byte order mark, then a caption in the Windows code page.
    void fileWithByteOrderMarkAndWindowsText()
    {
        QTemporaryDir dir;
        QFile kelt(dir.filePath("kelt.ini"));
        QVERIFY(kelt.open(QIODevice::WriteOnly));
        kelt.write("\xEF\xBB\xBF[GENERAL]\r\nLangue=2\r\n[RETRO]\r\nrcmde0=R\xe9glage\r\n");
        kelt.close();
        const SetrixSettings setrix = readSetrixSettings(SettingsFile("kelt.ini", dir.path()));
        QCOMPARE(setrix.langue, 2);
        QCOMPARE(setrix.retroCaptions.at(0), QString("Réglage"));
    }
};

QTEST_GUILESS_MAIN(TestSetrixSettings)
#include "tst_setrixsettings.moc"
