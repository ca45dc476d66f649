#include "tools/muxsim/cable.h"

#include "tools/muxsim/device.h"
#include "tools/muxsim/programmablecable.h"
#include "tools/muxsim/registercable.h"

namespace muxsim {

Cable::Cable(const CableOptions &options, const Device &device, ReplySink &sink)
    : m_options(options), m_device(device), m_sink(sink) {}

bool Cable::handle(const Command &command)
{
    if (!owns(command))
        return false;
    const int addressed = m_device.addressedInput();
    if (!m_options.silent && (addressed == 0 || addressed == m_options.input))
        apply(command);
    return true;
}

std::unique_ptr<Cable> makeCable(const CableOptions &options, const Device &device, ReplySink &sink)
{
    switch (options.kind) {
    case CableKind::Register: return std::make_unique<RegisterCable>(options, device, sink);
    case CableKind::Programmable: return std::make_unique<ProgrammableCable>(options, device, sink);
    case CableKind::None: break;
    }
    return nullptr;
}

} // namespace muxsim
