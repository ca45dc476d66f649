#include "configtool/instrumentboxes.h"

namespace configtool {

std::optional<int> instrumentBoxCount(const QString &model)
{
    if (model == QLatin1String("2") || model == QLatin1String("4") || model == QLatin1String("8"))
        return model.toInt();
    return std::nullopt;
}

quint8 instrumentMask(const std::array<bool, 8> &ticked)
{
    quint8 mask = 0;
    for (int n = 0; n < 8; ++n)
        if (ticked[std::size_t(n)])
            mask |= quint8(1u << n);
    return mask;
}

} // namespace configtool
