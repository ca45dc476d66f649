#include "common/settingsfile.h"

#include <QCoreApplication>
#include <QDir>

namespace common {

SettingsFile::SettingsFile(QString fileName, QString directory)
    : m_fileName(std::move(fileName)), m_directory(std::move(directory)) {}

QString SettingsFile::path() const
{
    const QString directory =
        m_directory.isEmpty() ? QCoreApplication::applicationDirPath() : m_directory;
    return QDir(directory).absoluteFilePath(m_fileName);
}

void SettingsFile::Ecrire_fichier_ini(const QString &section, const QString &key, int value)
{
    writeIniInteger(path(), section, key, value);
}

void SettingsFile::Ecrire_chaine_ini(const QString &section, const QString &key,
                                     const QString &value)
{
    writeIniString(path(), section, key, value);
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
