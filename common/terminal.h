#pragma once

class QString;

namespace common {

// Writes a message, and a line end, on the terminal the program was started from (stderr).
void printToTerminal(const QString &text);

} // namespace common
