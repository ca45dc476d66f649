// The configuration editor saving a .mux file and quorix.ini where the disk is
// full, where the folder refuses new files, and under paths outside the
// Windows code page.
#include "acquisition/ui/cfg_form.h"
#include "acquisition/quorixsettings.h"
#include "tests/support/files.h"
#include "tests/support/fullfilesystem.h"
#include "tests/support/unprivileged.h"
#include "tests/support/widgets/messageboxanswerer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using acquisition::Tconfig_form;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

const QByteArray kMux = "; atelier\r\n0\r\n1\r\n1\r\n0\r\n\r\n\r\n2\r\n0\r\n0\r\n2\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
const QByteArray kSettings = "[GENERAL]\r\nLangue=2\r\nDemo=1\r\n[FICHIER]\r\nQuorix=/old/atelier.mux\r\n";

// The editor over quorix.ini in `settingsFolder`, its file dialogs answered
// by the paths set here.
struct Editor {
    acquisition::ConfigurationSession session;
    acquisition::QuorixMessages messages = acquisition::QuorixMessages::builtIn();
    common::SettingsFile settings;
    Tconfig_form form;
    QString openPath, savePath;
    common::MessageBoxAnswerer boxes;

    explicit Editor(const QString &settingsFolder)
        : settings(QStringLiteral("quorix.ini"), settingsFolder), form(session, messages, settings)
    {
        form.hooks.chooseOpenPath = [this] { return openPath; };
        form.hooks.chooseSavePath = [this] { return savePath; };
        form.show();
    }

    // Opens `from`, changes the first step, saves as `to`.
    void openChangeAndSave(const QString &from, const QString &to)
    {
        openPath = from;
        form.Ouvrir1->trigger();
        form.Edit11->setText(QStringLiteral("3"));
        saveAs(to);
    }
    void saveAs(const QString &to)
    {
        savePath = to;
        form.Enregistrer1->trigger();
    }

    QStringList boxTexts() const
    {
        QStringList texts;
        for (const auto &box : boxes.seen())
            texts << box.text;
        return texts;
    }
};

QByteArray changedMux()
{
    QByteArray bytes = kMux;
    return bytes.replace("; atelier\r\n0\r\n", "; atelier\r\n3\r\n");
}

// As a user of a shared install: the files are writable, their folder is not.
void saveInReadOnlyFolder(const QString &folder)
{
    const QString mux = folder + "/atelier.mux";
    Editor editor(folder);
    editor.openChangeAndSave(mux, mux);

    QCOMPARE(editor.boxTexts(), QStringList());
    QCOMPARE(readBytes(mux), changedMux());
    QCOMPARE(acquisition::readQuorixSettings(editor.settings).fichierConfig, mux);
    QByteArray settings = kSettings;
    QCOMPARE(readBytes(editor.settings.path()), settings.replace("/old/atelier.mux", mux.toUtf8()).replace("Demo=1", "Demo=0"));

    editor.saveAs(folder + "/autre.mux");
    QCOMPARE(editor.boxTexts(), QStringList({"Impossible de créer le fichier " + folder + "/autre.mux"}));
    QCOMPARE(testsupport::fileNames(folder), QStringList({"atelier.mux", "quorix.ini"}));
}

} // namespace

class TestSaveFailures : public QObject {
    Q_OBJECT
private slots:
    void muxOverExistingFileOnFullDisk()
    {
        testsupport::FullFileSystem disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        QTemporaryDir settings;
        writeBytes(settings.filePath("quorix.ini"), kSettings);
        const QString mux = disk.filePath("atelier.mux");
        writeBytes(mux, kMux);
        QVERIFY(disk.fill());
        Editor editor(settings.path());

        editor.openChangeAndSave(mux, mux);

        QCOMPARE(editor.boxTexts(), QStringList({"Impossible de créer le fichier " + mux}));
        QCOMPARE(readBytes(mux), kMux);
        QCOMPARE(readBytes(settings.filePath("quorix.ini")), kSettings);
        QVERIFY(editor.session.config_modifiee);
        QCOMPARE(testsupport::fileNames(disk.path()), QStringList({".filler", "atelier.mux"}));
    }

    void settingsOnFullDisk()
    {
        testsupport::FullFileSystem disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        QTemporaryDir folder;
        writeBytes(folder.filePath("atelier.mux"), kMux);
        writeBytes(disk.filePath("quorix.ini"), kSettings);
        QVERIFY(disk.fill());
        Editor editor(disk.path());

        editor.openChangeAndSave(folder.filePath("atelier.mux"), folder.filePath("atelier.mux"));

        QCOMPARE(editor.boxTexts(), QStringList({"Impossible d'écrire dans " + disk.filePath("quorix.ini")}));
        QCOMPARE(readBytes(folder.filePath("atelier.mux")), changedMux());
        QCOMPARE(readBytes(disk.filePath("quorix.ini")), kSettings);
        QCOMPARE(testsupport::fileNames(disk.path()), QStringList({".filler", "quorix.ini"}));
    }

    void saveInReadOnlyFolder()
    {
        if (testsupport::isUnprivilegedChild())
            return ::saveInReadOnlyFolder(testsupport::childFolder());
        QTemporaryDir folder;
        writeBytes(folder.filePath("atelier.mux"), kMux);
        writeBytes(folder.filePath("quorix.ini"), kSettings);
        testsupport::SharedInstallFolder shared(folder.path(), {"atelier.mux", "quorix.ini"});
        testsupport::runUnprivileged(folder.path(), ::saveInReadOnlyFolder);
    }

    // The path is kept exactly, and read back so at the next start.
    void pathsOutsideTheWindowsCodePage()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("mux") && QDir(dir.path()).mkpath("Łódź"));
        writeBytes(dir.filePath("mux/atelier.mux"), kMux);
        Editor editor(dir.path());

        editor.openChangeAndSave(dir.filePath("mux/atelier.mux"), dir.filePath("mux/été.mux"));
        QCOMPARE(readBytes(dir.filePath("quorix.ini")),
                 "[FICHIER]\r\nQuorix=" + dir.filePath("mux/été.mux").toLatin1() + "\r\n\r\n[GENERAL]\r\nDemo=0\r\n");
        editor.saveAs(dir.filePath("Łódź/pomiar.mux"));

        QCOMPARE(editor.boxTexts(), QStringList());
        QCOMPARE(acquisition::readQuorixSettings(editor.settings).fichierConfig, dir.filePath("Łódź/pomiar.mux"));
        QCOMPARE(readBytes(dir.filePath("quorix.ini")),
                 "[FICHIER]\r\nQuorix=" + dir.filePath("Łódź/pomiar.mux").toUtf8() + "\r\n\r\n[GENERAL]\r\nDemo=0\r\n");
    }
};

QTEST_MAIN(TestSaveFailures)
#include "tst_cfg_form_savefailures.moc"
