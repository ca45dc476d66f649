#pragma once

namespace configtool {

// Setrix's message lines of the caption table, named by what they say; the
// value is the language line. Texts ending in a space or starting with one
// are pieces of a longer message.
enum class SetrixMessage {
    noMultiplexer = 38,            // "No multiplexer found."
    checkCableAndConnect = 39,     // "Check the cable and click …"
    multiplexerFound = 40,
    multiplexerModelPrefix = 41,   // "Multiplexer ", before a digit model's letter
    instrumentPrefix = 42,         // "Instrument "
    instrumentSelectedSuffix = 43, // " selected"
    reading = 44,
    programming = 45,
    verifying = 46,
    configurableOnInput = 47,      // "Cables can be configured on input", then the inputs
    thisMultiplexer = 48,          // "This multiplexer ", then the model
    cannotConfigureCables = 49,
    cableSilent = 50,
    badEndOfFrame = 51,
    verificationFailed = 52,
    programmingDone = 53,
    cableListOutdated = 54,
    askUpdateList = 55,
    chosenListOlder = 56,
    askReplaceList = 57,
    notProgrammable = 62,          // then the cable's reply
    chooseInstrumentFirst = 63,
};

} // namespace configtool
