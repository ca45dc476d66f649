// Where the programs find and keep their files: a portable folder, a folder
// they cannot write (permissions checked as an unprivileged user), the XDG
// variables, the user's cable list and the folder of the .mux dialogs.
#include "common/filelocations.h"
#include "tests/support/files.h"
#include "tests/support/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using common::ProgramFolders;
using common::UserEnvironment;

namespace {

// A program folder and a home folder of their own.
struct Tree {
    QTemporaryDir root;
    QString program = root.filePath("prog");
    QString home = root.filePath("home");
    Tree()
    {
        QDir().mkpath(program);
        QDir().mkpath(home);
    }
    // So that the temporary folder can be removed.
    ~Tree() { QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    UserEnvironment environment(const QString &configHome = {}, const QString &dataHome = {}) const
    {
        return {home, configHome, dataHome};
    }
};

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

} // namespace

class TestFileLocations : public QObject {
    Q_OBJECT
private slots:
    void portableFolderKeepsSettingsBesideTheProgram()
    {
        Tree tree;
        const ProgramFolders folders =
            common::locateProgramFolders(tree.program, "setrix", "kelt.ini", tree.environment());
        QCOMPARE(folders.program, tree.program);
        QCOMPARE(folders.settings, tree.program);
        QCOMPARE(folders.userData, tree.home + "/.local/share/setrix");
        // Nothing made in the home folder for a portable install.
        QVERIFY(!QFileInfo::exists(tree.home + "/.config"));
    }

    // As nobody: a folder without write permission, with and without a
    // settings file that can be written.
    void readOnlyFolderSendsSettingsToTheUsersConfig()
    {
        testsupport::runUnprivileged(settingsGoToTheUsersConfig);
    }

    void packageFolderIsNeverWrittenEvenByRoot()
    {
        Tree tree;
        const ProgramFolders folders =
            common::locateProgramFolders("/usr/bin", "setrix", "kelt.ini", tree.environment());
        QCOMPARE(folders.settings, tree.home + "/.config/setrix");
        QCOMPARE(folders.dataFileToWrite("cable.txt"), tree.home + "/.local/share/setrix/cable.txt");
    }

    void cableListPrefersTheUsersCopy()
    {
        Tree tree;
        const ProgramFolders folders {tree.program, tree.program, tree.root.filePath("data/setrix")};
        const QString shipped = tree.program + "/cable.txt";
        const QString own = tree.root.filePath("data/setrix/cable.txt");
        testsupport::writeBytes(shipped, "01/01/2024\r\n");

        // A portable install updates its own list.
        QCOMPARE(folders.dataFileToRead("cable.txt"), shipped);
        QCOMPARE(folders.dataFileToWrite("cable.txt"), shipped);
        QVERIFY(!QFileInfo::exists(folders.userData));

        // Once the user has a copy, it is read and updated.
        QDir().mkpath(folders.userData);
        testsupport::writeBytes(own, "01/02/2024\r\n");
        QCOMPARE(folders.dataFileToRead("cable.txt"), own);
        QCOMPARE(folders.dataFileToWrite("cable.txt"), own);

        // Without a user folder (tests of the windows), only the shipped list.
        const ProgramFolders bare {tree.program, tree.program, {}};
        QCOMPARE(bare.dataFileToRead("cable.txt"), shipped);
        QCOMPARE(bare.dataFileToWrite("cable.txt"), shipped);
    }

    void updateOfAListThatCannotBeWrittenGoesToTheUser()
    {
        testsupport::runUnprivileged(listUpdateGoesToTheUser);
    }

    void configurationDialogsStartNearTheUsersFiles()
    {
        Tree tree;
        const UserEnvironment user = tree.environment();
        const QString workshop = tree.root.filePath("ateliers");
        QDir().mkpath(workshop);

        QCOMPARE(common::configurationDialogFolder(workshop + "/ligne 2.mux", user), workshop);
        QCOMPARE(common::configurationDialogFolder({}, user), tree.home);
        QDir().mkpath(tree.home + "/Documents");
        QCOMPARE(common::configurationDialogFolder({}, user), tree.home + "/Documents");
        // A configuration whose folder is gone is no place to start.
        QCOMPARE(common::configurationDialogFolder(tree.root.filePath("parti/a.mux"), user), tree.home + "/Documents");
        // Nor is the package's folder, where the example configuration lives.
        QCOMPARE(common::configurationDialogFolder("/usr/share/demo.mux", user), tree.home + "/Documents");
    }

private:
    // As nobody, in a tree of its own.
    static void settingsGoToTheUsersConfig()
    {
        Tree tree;
        const UserEnvironment unset = tree.environment();
        const UserEnvironment set = tree.environment(tree.root.filePath("cfg"), tree.root.filePath("data"));
        QFile::setPermissions(tree.program, QFile::ReadOwner | QFile::ExeOwner);

        ProgramFolders f = common::locateProgramFolders(tree.program, "quorix", "quorix.ini", unset);
        QCOMPARE(f.settings, tree.home + "/.config/quorix");
        QVERIFY2(QFileInfo(f.settings).isDir(), "~/.config/quorix made");
        QCOMPARE(f.userData, tree.home + "/.local/share/quorix");

        f = common::locateProgramFolders(tree.program, "quorix", "quorix.ini", set);
        QCOMPARE(f.settings, tree.root.filePath("cfg/quorix"));
        QVERIFY2(QFileInfo(f.settings).isDir(), "$XDG_CONFIG_HOME/quorix made");
        QCOMPARE(f.userData, tree.root.filePath("data/quorix"));

        // Relative XDG paths are invalid and ignored.
        f = common::locateProgramFolders(tree.program, "quorix", "quorix.ini", tree.environment("cfg", "data"));
        QCOMPARE(f.settings, tree.home + "/.config/quorix");
        QCOMPARE(f.userData, tree.home + "/.local/share/quorix");

        // A settings file the user may write keeps the install portable.
        const QString ini = tree.program + "/quorix.ini";
        QFile::setPermissions(tree.program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(touch(ini), "settings file made");
        QFile::setPermissions(tree.program, QFile::ReadOwner | QFile::ExeOwner);
        f = common::locateProgramFolders(tree.program, "quorix", "quorix.ini", set);
        QCOMPARE(f.settings, tree.program);

        QFile::setPermissions(ini, QFile::ReadOwner);
        f = common::locateProgramFolders(tree.program, "quorix", "quorix.ini", set);
        QCOMPARE(f.settings, tree.root.filePath("cfg/quorix"));
    }

    static void listUpdateGoesToTheUser()
    {
        Tree tree;
        const ProgramFolders folders {tree.program, tree.program, tree.root.filePath("data/setrix")};
        const QString shipped = tree.program + "/cable.txt";
        QVERIFY2(touch(shipped), "shipped list made");
        QFile::setPermissions(shipped, QFile::ReadOwner);
        QFile::setPermissions(tree.program, QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(folders.dataFileToRead("cable.txt"), shipped);
        QCOMPARE(folders.dataFileToWrite("cable.txt"), tree.root.filePath("data/setrix/cable.txt"));
        QVERIFY2(QFileInfo(folders.userData).isDir(), "user folder made");

        // A shipped list that can be written in place is updated there.
        QFile::setPermissions(shipped, QFile::ReadOwner | QFile::WriteOwner);
        QDir(folders.userData).removeRecursively();
        QCOMPARE(folders.dataFileToWrite("cable.txt"), shipped);
    }
};

QTEST_GUILESS_MAIN(TestFileLocations)
#include "tst_filelocations.moc"
