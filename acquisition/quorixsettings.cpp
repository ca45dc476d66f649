#include "acquisition/quorixsettings.h"

#include "acquisition/quorixini.h"

namespace acquisition {

QuorixSettings readQuorixSettings(const common::SettingsFile &settings)
{
    const common::IniFile file = settings.load();
    QuorixSettings read;
    read.langue = file.readInteger(ini::general, ini::language, read.langue);
    read.fichierConfig = file.readString(ini::file, ini::configurationFile);
    return read;
}

} // namespace acquisition
