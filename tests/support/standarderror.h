#pragma once

#include <QByteArray>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace testsupport {

// What `run` writes on the standard error.
template <typename Run>
QByteArray capturingStandardError(Run run)
{
    QTemporaryFile file;
    if (!file.open())
        return "cannot capture the standard error";
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(file.handle(), STDERR_FILENO);
    run();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    file.seek(0);
    return file.readAll();
}

} // namespace testsupport
