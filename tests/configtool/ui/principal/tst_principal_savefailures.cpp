// Setrix writing kelt.ini and cable.txt where the disk is full or the folder
// refuses new files, through its windows.
#include "configtool/ui/setrixprogram.h"
#include "configtool/ui/update.h"
#include "tests/support/fakes.h"
#include "tests/support/files.h"
#include "tests/support/fullfilesystem.h"
#include "tests/support/scriptedserver.h"
#include "tests/support/unprivileged.h"
#include "tests/support/widgets/messageboxanswerer.h"
#include "tests/support/widgets/setrixwindows.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace configtool;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

const QDate today(2024, 6, 1);
const QByteArray kSettings = "[GENERAL]\r\nLangue=1\r\n[INTERNET]\r\nproxy=proxy.local\r\nport=3128\r\n"
                             "enable_proxy=0\r\n[RETRO]\r\nrcmde0=Vanne\r\n";
const QByteArray kCableList = "01/06/2024\r\n51000 LISTE EN SERVICE ;x\r\n";
const QByteArray kNewerList = "02/06/2024\r\n51001 PIED A COULISSE ;9600;8;SANS;$0D\r\n";

void prepareStartFolder(const QString &folder)
{
    for (const char *name : {"English.lng", "Francais.lng"})
        QVERIFY(QFile::copy(QStringLiteral(SOURCE_DIR "/lang/setrix/") + name, folder + u'/' + name));
    writeBytes(folder + "/cable.txt", kCableList);
}

// The main window through its first display over a scripted multiplexer, and
// the update window as the program creates it.
struct Setrix : testsupport::SetrixWindows {
    Setrix(const QString &settingsFolder, const QString &startFolder)
    {
        ports.plug(0);
        build(SetrixFolders{settingsFolder, startFolder, [] { return today; }});
    }

    void chooseLanguage(int position)
    {
        auto *item = main->findChild<QAction *>(QStringLiteral("Langue%1").arg(position) + u'1');
        QVERIFY(item);
        item->trigger();
    }
};

// As a user of a shared install: kelt.ini is writable, its folder is not.
void languageChoiceInReadOnlyFolder(const QString &folder)
{
    QTemporaryDir start;
    prepareStartFolder(start.path());
    Setrix setrix(folder, start.path());
    common::MessageBoxAnswerer boxes;

    setrix.chooseLanguage(2);

    QCOMPARE(boxTexts(boxes), QStringList());
    QByteArray expected = kSettings;
    QCOMPARE(readBytes(folder + "/kelt.ini"), expected.replace("Langue=1", "Langue=2"));
}

} // namespace

class TestSaveFailures : public QObject {
    Q_OBJECT
private slots:
    void languageChoiceOnFullDisk()
    {
        testsupport::FullFileSystem disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        QTemporaryDir start;
        prepareStartFolder(start.path());
        writeBytes(disk.filePath("kelt.ini"), kSettings);
        QVERIFY(disk.fill());
        Setrix setrix(disk.path(), start.path());
        common::MessageBoxAnswerer boxes;

        setrix.chooseLanguage(2);

        QCOMPARE(boxTexts(boxes), QStringList({"Erreur: Impossible d'écrire dans " + disk.filePath("kelt.ini")}));
        QCOMPARE(readBytes(disk.filePath("kelt.ini")), kSettings);
        QCOMPARE(testsupport::fileNames(disk.path()), QStringList({".filler", "kelt.ini"}));
    }

    void downloadOnFullDisk()
    {
        testsupport::FullFileSystem disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        QTemporaryDir settings;
        prepareStartFolder(disk.path());
        QVERIFY(disk.fill());
        testhttp::ScriptedServer server;
        server.setReply(testhttp::okReply(kNewerList));
        qputenv("SETRIX_UPDATE_URL", server.url("/Update/cable.txt").toString().toUtf8());
        Setrix setrix(settings.path(), disk.path());
        setrix.update->open();
        common::MessageBoxAnswerer boxes;

        setrix.update->Button1->click();

        QCOMPARE(boxTexts(boxes), QStringList({"Error: Cannot create file " + disk.filePath("cable.txt")}));
        QCOMPARE(readBytes(disk.filePath("cable.txt")), kCableList);
        QVERIFY(setrix.update->isVisible());
        QCOMPARE(testsupport::fileNames(disk.path()), QStringList({".filler", "English.lng", "Francais.lng", "cable.txt"}));
    }

    void languageChoiceInReadOnlyFolder()
    {
        if (testsupport::isUnprivilegedChild())
            return ::languageChoiceInReadOnlyFolder(testsupport::childFolder());
        QTemporaryDir settings;
        writeBytes(settings.filePath("kelt.ini"), kSettings);
        testsupport::SharedInstallFolder shared(settings.path(), {"kelt.ini"});
        testsupport::runUnprivileged(settings.path(), ::languageChoiceInReadOnlyFolder);
    }
};

QTEST_MAIN(TestSaveFailures)
#include "tst_principal_savefailures.moc"
