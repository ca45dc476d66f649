#pragma once

#include <QString>

namespace common {

// The parts of the user's environment that decide where files go. Empty XDG
// texts mean the variables are unset.
struct UserEnvironment {
    QString home;
    QString configHome; // XDG_CONFIG_HOME
    QString dataHome;   // XDG_DATA_HOME
    QString stateHome {}; // XDG_STATE_HOME

    static UserEnvironment current();

    // The XDG folders, with their usual defaults under the home folder when a
    // variable is unset or not an absolute path.
    QString configFolder() const;
    QString dataFolder() const;
    QString stateFolder() const;
};

// Where one program finds and keeps its files.
struct ProgramFolders {
    QString program;  // the executable's folder: language files, help pages, shipped data
    QString settings; // holds the settings file
    QString userData; // the user's own copies of data files; empty: none
    QString records {}; // the user's records of settings rewritten in place; empty: none

    // The user's copy of a data file when there is one, else the shipped one.
    QString dataFileToRead(const QString &name) const;
    // Where a new version of a data file goes: the user's copy when there is
    // one or when the shipped file cannot be replaced, else the shipped file.
    // The user's folder is made when it is chosen.
    QString dataFileToWrite(const QString &name) const;
};

// The one rule both programs follow. programName names the program's folders
// under the XDG ones ("setrix", "quorix"). Settings stay beside the program
// when the settings file there is writable, or the folder is (a portable
// install); else they go to the XDG config folder, which is then made. A
// program folder under /usr (but not /usr/local) belongs to the package
// manager and is never written, not even by root.
ProgramFolders locateProgramFolders(const QString &programFolder, const QString &programName,
                                    const QString &settingsFileName,
                                    const UserEnvironment &environment = UserEnvironment::current());

// The folder where the .mux file dialogs open: that of the current
// configuration file when the user can write there, else ~/Documents when it
// exists, else the home folder.
QString configurationDialogFolder(const QString &currentConfiguration,
                                  const UserEnvironment &environment = UserEnvironment::current());

} // namespace common
