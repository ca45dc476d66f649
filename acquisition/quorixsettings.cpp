#include "acquisition/quorixsettings.h"

#include "acquisition/quorixini.h"

namespace acquisition {

QuorixSettings readQuorixSettings(const common::SettingsFile &settings)
{
    const common::IniFile file = settings.load();
    return {file.readInteger(ini::general, ini::language, QuorixSettings().langue),
            file.readString(ini::file, ini::configurationFile),
            !file.readString(ini::general, ini::language).trimmed().isEmpty()};
}

} // namespace acquisition
