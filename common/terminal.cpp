#include "common/terminal.h"

#include <QString>

#include <cstdio>

namespace common {

void printToTerminal(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace common
