#pragma once

#include "configtool/ui/principal.h"
#include "configtool/ui/windowcontext.h"
#include "link/clock.h"
#include "link/eventpump.h"
#include "link/wsc.h"

#include <memory>

namespace configtool {

// What the cable windows and the update window use of the program's link,
// texts, files and start-up settings.
CableWindowContext cableWindowContext(SetrixServices &services);
UpdateWindowContext updateWindowContext(SetrixServices &services);

// Setrix's windows, created once in their fixed order (main window, about box,
// then TForm2, TForm3, TForm4, TForm6, TForm7) and living for the whole run, with
// the serial ports of MUX_PORTS (read when the program object is created).
class SetrixProgram {
public:
    explicit SetrixProgram(const SetrixFolders &folders = {});
    ~SetrixProgram();

    TForm1 &mainWindow() { return *m_form1; }
    const SetrixDialogs &dialogs() const { return m_dialogs; }
    SetrixServices &services() { return m_services; }

private:
    muxlink::Wsc m_ports;
    muxlink::QtEventPump m_pump;
    muxlink::SteadyClock m_clock;
    SetrixServices m_services;
    std::unique_ptr<TForm1> m_form1;
    SetrixDialogs m_dialogs;
};

} // namespace configtool
