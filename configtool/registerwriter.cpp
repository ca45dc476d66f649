#include "configtool/registerwriter.h"

#include "configtool/cablelink.h"
#include "configtool/cableview.h"
#include "configtool/registercommands.h"
#include "configtool/registers.h"

namespace configtool {

WriteOutcome writeRegister(CableLink &link, CableOperationView &view, const CableMessages &messages,
                           int code, int value, int progress, ZeroByte zero)
{
    for (int attempt = 0; attempt < RegisterWriteAttempts; ++attempt) {
        view.setProgress(progress);
        link.send(programRegisterCommand(code, value));
        link.delay(RegisterSettleMs);
        const std::optional<int> reply = link.readRegister(code, zero);
        if (!reply) {
            view.showMessage(MessageKind::Error, link.deviceGone() ? messages.disconnected : messages.noReply);
            return WriteOutcome::NoReply;
        }
        if (*reply == value)
            return WriteOutcome::Verified;
    }
    view.showMessage(MessageKind::Plain, messages.verifyFailed + QString::number(registerFailureNumber(code)));
    return WriteOutcome::Mismatch;
}

} // namespace configtool
