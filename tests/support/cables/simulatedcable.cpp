#include "simulatedcable.h"

#include "tools/muxsim/cableframing.h"

SimulatedCable::SimulatedCable(testsupport::FakeSerialPorts &ports, int port, muxsim::CableOptions options)
    : m_device(m_options, m_sink)
{
    m_options.cable = std::move(options);
    m_cable = muxsim::makeCable(m_options.cable, m_device, m_sink);
    for (muxsim::FrameRule &rule : muxsim::cableFrameRules(m_options.cable.kind))
        m_framer.addRule(std::move(rule));
    ports.plug(port);
    ports.SioReset(port, 2048, 512);
    ports.onWrite = [this, port](testsupport::FakeSerialPorts &fake, int written, const QByteArray &bytes) {
        if (written != port)
            return;
        const char last = bytes.back();
        for (const muxsim::Command &command : m_framer.feed(std::string_view(&last, 1))) {
            if (!m_device.handle(command))
                m_cable->handle(command);
        }
        if (!m_sink.pending.empty())
            fake.arrive(port, QByteArray::fromStdString(std::exchange(m_sink.pending, {})), 1, 1);
    };
}
