#pragma once

#include <QString>

#include <array>
#include <optional>

namespace configtool {

// How many instrument boxes the reading-mode window shows for a model letter:
// "2", "4" or "8"; empty for any other letter, which leaves them as they are.
std::optional<int> instrumentBoxCount(const QString &model);

// The instrument mask of multiple mode: bit n - 1 for ticked instrument n.
quint8 instrumentMask(const std::array<bool, 8> &ticked);

} // namespace configtool
