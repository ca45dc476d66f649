#pragma once

#include <QString>

namespace configtool {

class AnalogPageView;
class CableList;
class CableLink;
class Rs232PageView;
struct CableMessages;

inline constexpr int RegisterProgressRest = 65;
inline constexpr int HeaderProgressMaximum = 82;
inline constexpr int GridProgressMaximum = 171;

// The operations of the register cable window's two pages. Each disables the
// page's two buttons while it runs and, however it ends (a thrown
// common::UserError included), enables them again with the progress bar at 65.
// The cable list names the cable from the reference read back; it throws
// when the file is missing. Programming sends nothing while the page has no
// reference or, on the RS232 page, while the parity names none.
void readRs232Cable(CableLink &link, Rs232PageView &view, const CableList &cableList,
                    const CableMessages &messages);
void programRs232Cable(CableLink &link, Rs232PageView &view, const CableMessages &messages);
void readAnalogCable(CableLink &link, AnalogPageView &view, const CableList &cableList,
                     const CableMessages &messages);
// An analog value that is not a number throws before anything is sent.
void programAnalogCable(CableLink &link, AnalogPageView &view, const CableMessages &messages);

// Shown when a register read gets no reply from a multiplexer still there.
QString readFailureText();

} // namespace configtool
