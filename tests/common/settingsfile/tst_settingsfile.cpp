#include "common/settingsfile.h"
#include "common/startupsettings.h"
#include "common/usererror.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using common::SettingsFile;

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void pathIsBesideExecutableByDefault()
    {
        QCOMPARE(SettingsFile("kelt.ini").path(), QCoreApplication::applicationDirPath() + "/kelt.ini");
        QCOMPARE(SettingsFile("quorix.ini", "/opt/q/").path(), QString("/opt/q/quorix.ini"));
    }

    void writesAndReadsKeyByKey()
    {
        QTemporaryDir dir;
        SettingsFile settings("kelt.ini", dir.path());
        settings.Ecrire_fichier_ini("GENERAL", "Langue", 3);
        settings.Ecrire_chaine_ini("RETRO", "rcmde0", "Zéro");
        settings.Ecrire_chaine_ini("RETRO", "rcmde1", "");
        settings.Ecrire_fichier_ini("GENERAL", "Langue", 2);

        QFile file(settings.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[GENERAL]\r\nLangue=2\r\n\r\n[RETRO]\r\nrcmde0=Z\xe9ro\r\nrcmde1=\r\n"));
        QCOMPARE(settings.Lire_chaine_ini("retro", "RCMDE0"), QString("Zéro"));
        QCOMPARE(settings.Lire_chaine_ini("RETRO", "rcmde9"), QString());
        QCOMPARE(settings.readInteger("GENERAL", "Langue", 1), 2);
    }

    void refusedWriteNamesTheFile()
    {
        QTemporaryDir dir;
        SettingsFile settings("quorix.ini", dir.filePath("missing"));
        try {
            settings.Ecrire_chaine_ini("FICHIER", "Quorix", "/tmp/a.mux");
            QFAIL("write succeeded");
        } catch (const common::UserError &error) {
            QCOMPARE(error.text(), "Impossible d'écrire dans " + dir.filePath("missing/quorix.ini"));
        }
    }

    void startupReadsWithoutFileGiveDefaults()
    {
        QTemporaryDir dir;
        const common::SetrixSettings setrix = common::readSetrixSettings(SettingsFile("kelt.ini", dir.path()));
        QCOMPARE(setrix.langue, 1);
        QCOMPARE(setrix.proxy, QString());
        QCOMPARE(setrix.proxyPort, 80);
        QCOMPARE(setrix.enableProxy, 0);
        QCOMPARE(setrix.retroCaptions, QStringList(10));

        const common::QuorixSettings quorix = common::readQuorixSettings(SettingsFile("quorix.ini", dir.path()));
        QCOMPARE(quorix.langue, 1);
        QCOMPARE(quorix.fichierConfig, QString());
    }

    void startupReadsTakeStoredValues()
    {
        QTemporaryDir dir;
        QFile kelt(dir.filePath("kelt.ini"));
        QVERIFY(kelt.open(QIODevice::WriteOnly));
        kelt.write("[general]\r\nlangue=4\r\n[INTERNET]\r\nproxy=proxy.local\r\nport=abc\r\n"
                   "enable_proxy=1\r\n[RETRO]\r\nrcmde0=Zero\r\nrcmde9=Nine\r\n");
        kelt.close();
        const common::SetrixSettings setrix = common::readSetrixSettings(SettingsFile("kelt.ini", dir.path()));
        QCOMPARE(setrix.langue, 4);
        QCOMPARE(setrix.proxy, QString("proxy.local"));
        QCOMPARE(setrix.proxyPort, 80);
        QCOMPARE(setrix.enableProxy, 1);
        QStringList captions(10);
        captions[0] = "Zero";
        captions[9] = "Nine";
        QCOMPARE(setrix.retroCaptions, captions);

        SettingsFile quorixFile("quorix.ini", dir.path());
        quorixFile.Ecrire_fichier_ini("GENERAL", "Langue", 0x1F);
        quorixFile.Ecrire_chaine_ini("FICHIER", "Quorix", "/home/op/ligne 2.mux");
        const common::QuorixSettings quorix = common::readQuorixSettings(quorixFile);
        QCOMPARE(quorix.langue, 31);
        QCOMPARE(quorix.fichierConfig, QString("/home/op/ligne 2.mux"));
    }

    // Saved by an editor with a byte order mark, then a caption in the Windows code page.
    void startupReadsFileWithByteOrderMarkAndWindowsText()
    {
        QTemporaryDir dir;
        QFile kelt(dir.filePath("kelt.ini"));
        QVERIFY(kelt.open(QIODevice::WriteOnly));
        kelt.write("\xEF\xBB\xBF[GENERAL]\r\nLangue=2\r\n[RETRO]\r\nrcmde0=R\xe9glage\r\n");
        kelt.close();
        const common::SetrixSettings setrix = common::readSetrixSettings(SettingsFile("kelt.ini", dir.path()));
        QCOMPARE(setrix.langue, 2);
        QCOMPARE(setrix.retroCaptions.at(0), QString("Réglage"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settingsfile.moc"
