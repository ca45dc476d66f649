#pragma once

#include <QString>

namespace muxlink {

enum class CableConfiguration {
    None,              // the button stays disabled
    ProgrammableCable, // "@*AT" check, then the programmable-cable window
    CableTypeChooser,  // the cable type chooser
    Nothing,           // button enabled, but no window opens
};

// What a model letter means to the configuration tool.
struct ModelInfo {
    bool changesStatus = false; // unknown letters leave status and inputs as they are
    QString statusText;
    int inputs = 0;             // inputs offered; 0 when unchanged
    CableConfiguration cable = CableConfiguration::Nothing;
};

// digitPrefix is the language's text that starts a digit model's status.
ModelInfo modelInfo(const QString &model, int port, const QString &digitPrefix);

// Letters compared as one-character texts, by character code.
bool isDigitModel(const QString &model);

} // namespace muxlink
