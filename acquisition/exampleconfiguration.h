#pragma once

#include <QString>

namespace acquisition {

// The example configuration shipped beside the program. Its folder may be
// read-only (a package), so the user works on a copy of their own.
QString shippedExamplePath(const QString &programFolder);

// Copies the example into the folder and returns the copy's path. A copy
// already there is the user's (perhaps changed since) and is kept as it is.
// Throws common::UserError: cannotOpen for the example, cannotCreate for the
// copy.
QString copyExampleConfiguration(const QString &programFolder, const QString &targetFolder);

} // namespace acquisition
