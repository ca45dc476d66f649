#include "tools/muxsim/options.h"
#include "tools/muxsim/pseudoterminal.h"
#include "tools/muxsim/receivelog.h"
#include "tools/muxsim/signalchannel.h"
#include "tools/muxsim/simulator.h"

#include <csignal>
#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    using namespace muxsim;
    auto parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (auto *error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "muxsim: %s\n%s", error->c_str(), usage());
        return 2;
    }
    const Options &options = std::get<Options>(parsed);
    if (options.request == Request::Help) {
        std::fputs(usage(), stdout);
        return 0;
    }
    if (options.request == Request::Version) {
        std::fputs(versionLine().c_str(), stdout);
        return 0;
    }
    try {
        // Signals first, so that a stop request during start-up is not lost.
        SignalChannel signals({SIGTERM, SIGINT, SIGUSR1});
        ReceiveLog log(options.logPath);
        PseudoTerminal pty(options.linkPath);
        std::printf("muxsim: ready %s -> %s\n", pty.linkPath().c_str(), pty.slavePath().c_str());
        std::fflush(stdout);
        Simulator simulator(options, pty, log, signals);
        return simulator.run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "muxsim: %s\n", e.what());
        return 1;
    }
}
