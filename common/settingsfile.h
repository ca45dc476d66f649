#pragma once

#include "common/inifile.h"

#include <QString>

namespace common {

// A program's settings file beside its executable. The path is worked out at
// each call and the file is never held open: every write is on disk when the
// call returns.
class SettingsFile {
public:
    // An empty directory stands for the executable's own folder. recordFolder
    // keeps the records of rewrites in place (see replaceFile); empty: none.
    explicit SettingsFile(QString fileName, QString directory = {}, QString recordFolder = {});

    QString path() const;

    // Throw UserError::cannotWrite(path()) when the write is refused.
    void Ecrire_fichier_ini(const QString &section, const QString &key, int value);
    void Ecrire_chaine_ini(const QString &section, const QString &key, const QString &value);

    QString Lire_chaine_ini(const QString &section, const QString &key) const;
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // One reading of the whole file, for reading many keys at once.
    IniFile load() const;

private:
    QString m_fileName;
    QString m_directory;
    QString m_recordFolder;
};

} // namespace common
