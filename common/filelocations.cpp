#include "common/filelocations.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace common {

namespace {

QString absoluteOr(const QString &path, const QString &fallback)
{
    return QDir::isAbsolutePath(path) ? QDir::cleanPath(path) : fallback;
}

bool writable(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

// What the package manager installed; other users share it, and a removal
// would leave behind whatever a program wrote there.
bool managedBySystem(const QString &folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath() + u'/';
    return path.startsWith(QLatin1String("/usr/")) && !path.startsWith(QLatin1String("/usr/local/"));
}

// A file in the folder can be written, either in place or by replacing it.
bool canWriteIn(const QString &folder, const QString &name)
{
    if (managedBySystem(folder))
        return false;
    const QString file = QDir(folder).filePath(name);
    return writable(folder) || (QFileInfo::exists(file) && writable(file));
}

} // namespace

UserEnvironment UserEnvironment::current()
{
    return {QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME"), qEnvironmentVariable("XDG_DATA_HOME"),
            qEnvironmentVariable("XDG_STATE_HOME")};
}

QString UserEnvironment::configFolder() const
{
    return absoluteOr(configHome, QDir(home).filePath(QStringLiteral(".config")));
}

QString UserEnvironment::dataFolder() const
{
    return absoluteOr(dataHome, QDir(home).filePath(QStringLiteral(".local/share")));
}

QString UserEnvironment::stateFolder() const
{
    return absoluteOr(stateHome, QDir(home).filePath(QStringLiteral(".local/state")));
}

QString ProgramFolders::dataFileToRead(const QString &name) const
{
    if (!userData.isEmpty()) {
        const QString own = QDir(userData).filePath(name);
        if (QFileInfo::exists(own))
            return own;
    }
    return QDir(program).filePath(name);
}

QString ProgramFolders::dataFileToWrite(const QString &name) const
{
    if (userData.isEmpty())
        return QDir(program).filePath(name);
    const QString own = QDir(userData).filePath(name);
    if (QFileInfo::exists(own) || !canWriteIn(program, name)) {
        QDir().mkpath(userData);
        return own;
    }
    return QDir(program).filePath(name);
}

ProgramFolders locateProgramFolders(const QString &programFolder, const QString &programName,
                                    const QString &settingsFileName, const UserEnvironment &environment)
{
    ProgramFolders folders;
    folders.program = programFolder;
    folders.userData = QDir(environment.dataFolder()).filePath(programName);
    folders.records = QDir(environment.stateFolder()).filePath(programName);
    if (canWriteIn(programFolder, settingsFileName)) {
        folders.settings = programFolder;
    } else {
        folders.settings = QDir(environment.configFolder()).filePath(programName);
        // A failure shows up at the first write, which names the file.
        QDir().mkpath(folders.settings);
    }
    return folders;
}

QString configurationDialogFolder(const QString &currentConfiguration, const UserEnvironment &environment)
{
    if (!currentConfiguration.isEmpty()) {
        // The example opened from the program's folder would be saved there.
        const QString folder = QFileInfo(currentConfiguration).absolutePath();
        if (QFileInfo(folder).isDir() && !managedBySystem(folder) && writable(folder))
            return folder;
    }
    const QString documents = QDir(environment.home).filePath(QStringLiteral("Documents"));
    if (QFileInfo(documents).isDir())
        return documents;
    return environment.home;
}

} // namespace common
