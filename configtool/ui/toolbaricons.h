#pragma once

#include <QIcon>

namespace configtool {

enum class ToolBarIcon { Connect, SelectInstrument, ReadInstrument, SerialNumber, CableConfiguration, RetroCommand };

// The 32 x 32 images of the main window's tool bar, drawn rather than shipped
// so they stay sharp and need no image plug-in.
QIcon toolBarIcon(ToolBarIcon which);

} // namespace configtool
