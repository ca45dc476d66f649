#pragma once

#include "configtool/cablelist/cablelistupdate.h"

#include <QDate>
#include <QString>

#include <functional>

namespace muxlink {
class ConfigToolLink;
}

namespace configtool {

class SetrixTexts;

// What a cable window uses of the program: the multiplexer's link, the texts of
// the language applied, and the cable list in use (which an update may move to
// the user's folder, hence asked at each use).
struct CableWindowContext {
    muxlink::ConfigToolLink &link;
    const SetrixTexts &texts;
    std::function<QString()> cableListPath;
};

// What the update window uses of the program. The proxy and the date of the list
// in use are read at the main window's first display, after this window exists,
// so they too are asked at each use.
struct UpdateWindowContext {
    const SetrixTexts &texts;
    std::function<ProxySettings()> proxySettings;
    std::function<QDate()> cableListDate;
    std::function<QString()> cableListUpdatePath; // where the new list is written
};

} // namespace configtool
