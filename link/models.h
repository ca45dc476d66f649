#pragma once

#include <QString>

#include <optional>

namespace muxlink {

enum class CableConfiguration {
    None,              // the button stays disabled
    ProgrammableCable, // "@*AT" check, then the programmable-cable window
    CableTypeChooser,  // the cable type chooser
    Nothing,           // button enabled, but no window opens
};

// Which versions of a digit model can configure their cables: none below
// `oldest`; version `limited` reaches only `limitedInputs` of its inputs;
// later ones configure the instrument chosen first.
struct CableVersionLimits {
    char oldest = 0; // 0: every version can
    char limited = 0;
    int limitedInputs = 0;
};

// What the project knows about one multiplexer model.
struct ModelDescription {
    char letter = 0;
    const char *name = nullptr; // nullptr: a digit model, named by the language's prefix and its letter
    int inputs = 0;
    CableConfiguration cable = CableConfiguration::Nothing;
    std::optional<CableVersionLimits> cableVersions;

    bool isDigit() const { return name == nullptr; }
};

// The model whose letter is `model`; nullptr for a letter the table does not list.
const ModelDescription *findModel(const QString &model);

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

// The inputs of the reading-mode window's boxes: those of models "2", "4"
// and "8"; empty for any other letter, which leaves them as they are.
std::optional<int> instrumentBoxCount(const QString &model);

} // namespace muxlink
