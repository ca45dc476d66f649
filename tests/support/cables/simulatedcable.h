#pragma once

#include "configtool/cablelink.h"
#include "configtool/cableview.h"
#include "tests/support/fakes.h"
#include "tools/muxsim/cable.h"
#include "tools/muxsim/commandframer.h"
#include "tools/muxsim/device.h"

#include <memory>

// The simulator's box and cable behind a fake port: what the program writes
// is framed and answered as the simulator does, each reply byte arriving one
// millisecond after the one before, starting one millisecond after the command.
class SimulatedCable {
public:
    SimulatedCable(testsupport::FakeSerialPorts &ports, int port, muxsim::CableOptions options);
    SimulatedCable(const SimulatedCable &) = delete;
    SimulatedCable &operator=(const SimulatedCable &) = delete;

    muxsim::Cable &cable() { return *m_cable; }

private:
    class Sink : public muxsim::ReplySink {
    public:
        void send(std::string bytes, std::chrono::milliseconds) override { pending += bytes; }
        std::string pending;
    };

    muxsim::Options m_options;
    Sink m_sink;
    muxsim::Device m_device;
    std::unique_ptr<muxsim::Cable> m_cable;
    muxsim::CommandFramer m_framer = muxsim::CommandFramer::standard();
};

// A fake port with a simulated cable of the given kind behind it, and the
// cable link the operations use.
struct CableRig {
    CableRig(muxsim::CableKind kind, muxsim::CableOptions options)
        : cable(ports, 0, (options.kind = kind, std::move(options))) {}
    QByteArray written() { return ports.device(0).written; }

    testsupport::FakeClock clock;
    testsupport::FakeSerialPorts ports{clock};
    testsupport::FakeEventPump pump{clock, &ports};
    SimulatedCable cable;
    configtool::CableLink link{ports, pump, clock, 0};
};

// Stand-ins for language lines 50 to 53 and the added messages.
inline const configtool::CableMessages testMessages{"L50", "L51", "L52 ", "L53", "gone", "parity %1", "no cable"};
