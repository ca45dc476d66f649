#pragma once

#include <QByteArray>

namespace configtool {

// "@R", code, CR, LF: the cable answers with the register's value.
QByteArray readRegisterCommand(int code);

// "@P", code, value, CR, LF. A value of 10 (LF) already ends the command for the
// cable, so nothing follows it.
QByteArray programRegisterCommand(int code, int value);

} // namespace configtool
