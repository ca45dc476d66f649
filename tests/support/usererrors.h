#pragma once

#include <QString>

#include <functional>

namespace testsupport {

// The text of the UserError that action throws; "<no error>" when it throws none.
QString errorOf(const std::function<void()> &action);

} // namespace testsupport
