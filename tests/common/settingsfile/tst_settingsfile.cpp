#include "common/settingsfile.h"
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
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settingsfile.moc"
