#include "common/settingsfile.h"

#include <QCoreApplication>
#include <QDir>

namespace common {

SettingsFile::SettingsFile(QString fileName, QString directory, QString recordFolder)
    : m_fileName(std::move(fileName)), m_directory(std::move(directory)), m_recordFolder(std::move(recordFolder))
{
}

QString SettingsFile::path() const
{
    const QString directory =
        m_directory.isEmpty() ? QCoreApplication::applicationDirPath() : m_directory;
    return QDir(directory).absoluteFilePath(m_fileName);
}

void SettingsFile::Ecrire_fichier_ini(const QString &section, const QString &key, int value)
{
    writeIniInteger(path(), section, key, value, m_recordFolder);
}

void SettingsFile::Ecrire_chaine_ini(const QString &section, const QString &key,
                                     const QString &value)
{
    writeIniString(path(), section, key, value, m_recordFolder);
}

QString SettingsFile::Lire_chaine_ini(const QString &section, const QString &key) const
{
    return load().readString(section, key);
}

int SettingsFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    return load().readInteger(section, key, defaultValue);
}

IniFile SettingsFile::load() const
{
    return IniFile::load(path());
}

} // namespace common
