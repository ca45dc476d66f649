#pragma once

#include <QString>

namespace acquisition {

class CannotType;

// Enabled state of the main window's commands.
struct CommandState {
    bool read = true;         // "Lecture"
    bool stop = false;        // "Stop"
    bool repeat = false;      // "Reprise"
    bool fileCommands = true; // "&Nouveau", "&Ouvrir", "&Configuration"
    bool operator==(const CommandState &) const = default;
};

// What the acquisition cycle shows and drives in the main window.
class CycleView {
public:
    virtual ~CycleView() = default;
    virtual void setCommands(const CommandState &state) = 0;
    // The 50 ms timer whose tick starts a cycle.
    virtual void setTimerEnabled(bool enabled) = 0;
    // The hidden value holder: the reading line, then the value cut from it.
    virtual void setValueHolder(const QString &text) = 0;
    // The language's "no instrument set up" message, in a plain box.
    virtual void showNoInstrument() = 0;
    // An error box.
    virtual void showError(const QString &text) = 0;
    // Typing that stopped working during a run, in an error box; the window
    // says it in its current language.
    virtual void showTypingFailure(const CannotType &failure) = 0;
    // The language's message for a serial device that went away, in an error box.
    virtual void showDeviceLost() = 0;
};

} // namespace acquisition
