#include "tests/support/usererrors.h"

#include "common/usererror.h"

namespace testsupport {

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const common::UserError &error) {
        return error.text();
    }
    return QStringLiteral("<no error>");
}

} // namespace testsupport
