#include "common/startupsettings.h"

namespace common {

SetrixSettings readSetrixSettings(const SettingsFile &settings)
{
    const IniFile ini = settings.load();
    SetrixSettings read;
    read.langue = ini.readInteger(QStringLiteral("GENERAL"), QStringLiteral("Langue"), read.langue);
    read.proxy = ini.readString(QStringLiteral("INTERNET"), QStringLiteral("proxy"));
    read.proxyPort = ini.readInteger(QStringLiteral("INTERNET"), QStringLiteral("port"), read.proxyPort);
    read.enableProxy =
        ini.readInteger(QStringLiteral("INTERNET"), QStringLiteral("enable_proxy"), read.enableProxy);
    for (int i = 0; i < read.retroCaptions.size(); ++i)
        read.retroCaptions[i] = ini.readString(QStringLiteral("RETRO"), QStringLiteral("rcmde%1").arg(i));
    return read;
}

QuorixSettings readQuorixSettings(const SettingsFile &settings)
{
    const IniFile ini = settings.load();
    QuorixSettings read;
    read.langue = ini.readInteger(QStringLiteral("GENERAL"), QStringLiteral("Langue"), read.langue);
    read.fichierConfig = ini.readString(QStringLiteral("FICHIER"), QStringLiteral("Quorix"));
    return read;
}

} // namespace common
