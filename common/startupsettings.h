#pragma once

#include "common/settingsfile.h"

#include <QString>
#include <QStringList>

namespace common {

// Setrix's settings as its main window reads them at first display.
struct SetrixSettings {
    int langue = 1;
    QString proxy;
    int proxyPort = 80;
    int enableProxy = 0;
    QStringList retroCaptions = QStringList(10); // rcmde0 .. rcmde9
};

// Quorix's settings as its main window reads them at start-up.
struct QuorixSettings {
    int langue = 1;
    QString fichierConfig;
};

// Each reads the file once; missing file or keys give the defaults above.
SetrixSettings readSetrixSettings(const SettingsFile &settings);
QuorixSettings readQuorixSettings(const SettingsFile &settings);

} // namespace common
