#include "configtool/setrixsettings.h"

#include "configtool/setrixini.h"

namespace configtool {

SetrixSettings readSetrixSettings(const common::SettingsFile &settings)
{
    const common::IniFile file = settings.load();
    SetrixSettings read;
    read.langue = file.readInteger(ini::general, ini::language, read.langue);
    read.langueStored = !file.readString(ini::general, ini::language).trimmed().isEmpty();
    read.proxy = file.readString(ini::internet, ini::proxy);
    read.proxyPort = file.readInteger(ini::internet, ini::proxyPort, read.proxyPort);
    read.enableProxy = file.readInteger(ini::internet, ini::enableProxy, read.enableProxy);
    for (int i = 0; i < read.retroCaptions.size(); ++i)
        read.retroCaptions[i] = file.readString(ini::retro, ini::retroCaption(i));
    return read;
}

} // namespace configtool
