#pragma once

#include "configtool/ui/principal.h"
#include "configtool/ui/setrixprogram.h"
#include "configtool/ui/update.h"
#include "tests/support/fakes.h"

#include <memory>

namespace testsupport {

// Setrix's main window and update window over fake ports, built as the program
// builds them, the main window through its first display.
struct SetrixWindows {
    FakeClock clock;
    FakeSerialPorts ports{clock};
    FakeEventPump pump{clock, &ports};
    std::unique_ptr<configtool::SetrixServices> services;
    std::unique_ptr<configtool::TForm1> main;
    configtool::TForm3 *update = nullptr;

    void build(configtool::SetrixFolders folders)
    {
        services = std::make_unique<configtool::SetrixServices>(ports, pump, clock, std::move(folders));
        main = std::make_unique<configtool::TForm1>(*services);
        update = new configtool::TForm3(configtool::updateWindowContext(*services), main.get());
        update->registerCaptions(services->language.registry());
        main->FormShow();
    }
};

} // namespace testsupport
