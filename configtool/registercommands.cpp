#include "configtool/registercommands.h"

namespace configtool {

QByteArray readRegisterCommand(int code)
{
    QByteArray command("@R");
    command.append(char(code));
    command.append("\r\n");
    return command;
}

QByteArray programRegisterCommand(int code, int value)
{
    QByteArray command("@P");
    command.append(char(code));
    command.append(char(value));
    if (value != 10)
        command.append("\r\n");
    return command;
}

} // namespace configtool
