#pragma once

#include "configtool/replywait.h"

namespace configtool {

class CableLink;
class CableOperationView;
struct CableMessages;

inline constexpr int RegisterWriteAttempts = 5;
inline constexpr int RegisterSettleMs = 100;

enum class WriteOutcome {
    Verified,
    Mismatch, // five read-backs differed; the message with the register number was shown
    NoReply,  // the no-reply error was shown; the whole operation ends
};

// Programs one register and reads it back, up to five times, with the page's
// progress bar at `progress` meanwhile.
WriteOutcome writeRegister(CableLink &link, CableOperationView &view, const CableMessages &messages,
                           int code, int value, int progress, ZeroByte zero);

} // namespace configtool
