#pragma once

#include <QString>

namespace muxlink {
class ConfigToolLink;
}

namespace configtool {

// What the cable on one input says about itself before the programmable cable
// window opens.
struct CableIdentity {
    bool gone = false;         // the multiplexer's device went away meanwhile
    QString reply;             // the line received; empty when none came in time
    bool programmable = false; // a cable that can be programmed setting by setting
};

// Selects the input, sends "@*AT" and reads the cable's one-line reply.
CableIdentity askCableIdentity(muxlink::ConfigToolLink &link, int instrument);

} // namespace configtool
