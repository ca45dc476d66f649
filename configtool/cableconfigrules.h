#pragma once

#include <QString>

namespace configtool {

class SetrixTexts;

// What the cable configuration button does for a multiplexer, before any
// window opens.
struct CableConfigStep {
    enum class Box { None, Information, Error };
    enum class Next {
        Stop,                // nothing opens
        CheckCableIdentity,  // "@*AT" on the chosen input, then the programmable-cable window
        OpenCableTypeChooser,
    };

    Box box = Box::None;
    QString boxText;
    bool hideMoreButton = false; // the ">>" button of the cable configuration window
    Next next = Next::Stop;
};

// Model letter and version character are one-character texts compared by
// character code; instrument 0 means none chosen yet.
CableConfigStep cableConfigStep(const QString &model, const QString &version, int instrument,
                                const SetrixTexts &texts);

// True when the cable named in the reply to "@*AT" is one that can be programmed
// setting by setting.
bool isProgrammableCableReply(const QString &reply);

} // namespace configtool
