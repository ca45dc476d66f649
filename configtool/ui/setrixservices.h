#pragma once

#include "common/filelocations.h"
#include "common/languageswitch.h"
#include "common/settingsfile.h"
#include "configtool/cablelist/cablelistupdate.h"
#include "common/addedtexttranslator.h"
#include "configtool/setrixtexts.h"
#include "link/configtoollink.h"

#include <QDate>
#include <QString>

#include <functional>

namespace configtool {

// Where Setrix finds its files. Tests point these at temporary folders so that
// nothing is written beside the test programs. The {} lets callers leave out the
// last members without a warning.
struct SetrixFolders {
    QString settingsDirectory;     // holds kelt.ini; empty: the executable's folder
    QString startDirectory;        // language files, shipped cable.txt; empty: the executable's folder
    std::function<QDate()> today;  // empty: the system's date
    QString userDataDirectory {};  // the user's cable.txt; empty: none, the shipped one is updated
    QString recordDirectory {};    // records of kelt.ini rewritten in place; empty: none
};

// What Setrix's windows share, owned by the program and handed to each window:
// the multiplexer's link, kelt.ini, the folders, the language and its texts, and
// the start-up settings the main window reads at its first display.
struct SetrixServices {
    SetrixServices(muxlink::SerialPorts &ports, muxlink::EventPump &pump, muxlink::Clock &clock,
                   const SetrixFolders &folders = {});
    SetrixServices(const SetrixServices &) = delete;
    SetrixServices &operator=(const SetrixServices &) = delete;

    // The cable list in use, and where an update writes the new one.
    QString cableListPath() const;
    QString cableListUpdatePath() const;

    muxlink::ConfigToolLink link;
    common::ProgramFolders files;
    common::SettingsFile settings;
    std::function<QDate()> today;
    common::LanguageSwitch language;
    SetrixTexts texts;
    // The texts common code shows (box titles, buttons, file errors) in the language.
    common::AddedTextTranslator translator {texts.addedTexts(), added::all};
    ProxySettings proxy;
    QDate cableListDate; // invalid: none read, older than any list
};

} // namespace configtool
