#pragma once

#include "common/settingsfile.h"

#include <QString>

namespace acquisition {

// Quorix's settings as its main window reads them at start-up.
struct QuorixSettings {
    int langue = 1;
    QString fichierConfig;
    bool langueStored = false; // false on a first start: the locale decides
};

// Reads the file once; missing file or keys give the defaults above.
QuorixSettings readQuorixSettings(const common::SettingsFile &settings);

} // namespace acquisition
