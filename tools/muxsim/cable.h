#pragma once

#include "tools/muxsim/cableoptions.h"
#include "tools/muxsim/commandhandler.h"

#include <memory>

namespace muxsim {

class Device;
class ReplySink;

// An interface cable behind one input of the box. It hears its commands unless
// another input is addressed; a silent cable hears them and answers nothing.
class Cable : public CommandHandler {
public:
    Cable(const CableOptions &options, const Device &device, ReplySink &sink);

    bool handle(const Command &command) final;

protected:
    virtual bool owns(const Command &command) const = 0;
    virtual void apply(const Command &command) = 0;

    const CableOptions &options() const { return m_options; }
    ReplySink &sink() { return m_sink; }

private:
    const CableOptions &m_options;
    const Device &m_device;
    ReplySink &m_sink;
};

// The cable the options ask for; null for none.
std::unique_ptr<Cable> makeCable(const CableOptions &options, const Device &device, ReplySink &sink);

} // namespace muxsim
