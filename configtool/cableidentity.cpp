#include "configtool/cableidentity.h"

#include "configtool/cableconfigrules.h"
#include "link/commands.h"
#include "link/configtoollink.h"

namespace configtool {

CableIdentity askCableIdentity(muxlink::ConfigToolLink &link, int instrument)
{
    link.send(muxlink::selectCommand(instrument));
    const muxlink::LineResult line = link.ask(muxlink::cableIdentityCommand());
    CableIdentity identity;
    if (line.gone) {
        identity.gone = true;
        return identity;
    }
    identity.reply = QString::fromLatin1(line.line);
    identity.programmable = isProgrammableCableReply(identity.reply);
    return identity;
}

} // namespace configtool
