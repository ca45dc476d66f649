// Quorix's start-up read of quorix.ini.
#include "acquisition/quorixsettings.h"
#include "common/settingsfile.h"

#include <QTemporaryDir>
#include <QTest>

using common::SettingsFile;
using namespace acquisition;

class TestQuorixSettings : public QObject {
    Q_OBJECT

private slots:
    void takeStoredValues()
    {
        QTemporaryDir dir;
        SettingsFile quorixFile("quorix.ini", dir.path());
        quorixFile.Ecrire_fichier_ini("GENERAL", "Langue", 0x1F);
        quorixFile.Ecrire_chaine_ini("FICHIER", "Quorix", "/home/op/ligne 2.mux");
        const QuorixSettings quorix = readQuorixSettings(quorixFile);
        QCOMPARE(quorix.langue, 31);
        QVERIFY(quorix.langueStored);
        QCOMPARE(quorix.fichierConfig, QString("/home/op/ligne 2.mux"));
    }

    void withoutFileGiveDefaults()
    {
        QTemporaryDir dir;
        const QuorixSettings quorix = readQuorixSettings(SettingsFile("quorix.ini", dir.path()));
        QCOMPARE(quorix.langue, 1);
        QVERIFY(!quorix.langueStored); // a first start: the locale decides
        QCOMPARE(quorix.fichierConfig, QString());
    }
};

QTEST_GUILESS_MAIN(TestQuorixSettings)
#include "tst_quorixsettings.moc"
