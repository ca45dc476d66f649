#pragma once

#include "acquisition/configfile.h"

#include <QString>

namespace acquisition {

// What the main window and the configuration editor share about the current
// configuration: the file text last loaded, its path and the modified mark.
// Both windows hold a reference to the one instance the program owns.
struct ConfigurationSession {
    ConfigurationFile file;
    QString fichier_config;       // empty: no configuration file
    bool config_modifiee = false; // a value changed since the last load or save
};

} // namespace acquisition
