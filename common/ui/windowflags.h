#pragma once

#include <Qt>

namespace common {

// Title bar of a window whose size is fixed: system menu and close box, a
// minimise box where asked, and never a maximise box, which window managers
// would otherwise offer from the window type alone.
inline Qt::WindowFlags fixedSizeWindowFlags(Qt::WindowType type, bool minimiseBox)
{
    Qt::WindowFlags flags = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint;
    if (minimiseBox)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

} // namespace common
