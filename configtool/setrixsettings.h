#pragma once

#include "common/settingsfile.h"

#include <QString>
#include <QStringList>

namespace configtool {

// Setrix's settings as its main window reads them at first display.
struct SetrixSettings {
    int langue = 1;
    bool langueStored = false; // false on a first start: the locale decides
    QString proxy;
    int proxyPort = 80;
    int enableProxy = 0;
    QStringList retroCaptions = QStringList(10); // rcmde0 .. rcmde9
};

// Reads the file once; missing file or keys give the defaults above.
SetrixSettings readSetrixSettings(const common::SettingsFile &settings);

} // namespace configtool
