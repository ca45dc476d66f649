#pragma once

#include "configtool/cableview.h"

namespace configtool {

// Disables the window's two operation buttons for an operation and, however it
// ends (a thrown error included), puts the bar at its resting position and
// enables them again.
class OperationScope {
public:
    OperationScope(CableOperationView &view, int restingProgress) : m_view(view), m_resting(restingProgress)
    {
        m_view.setButtonsEnabled(false);
    }
    ~OperationScope()
    {
        m_view.setProgress(m_resting);
        m_view.setButtonsEnabled(true);
    }
    OperationScope(const OperationScope &) = delete;
    OperationScope &operator=(const OperationScope &) = delete;

private:
    CableOperationView &m_view;
    int m_resting;
};

} // namespace configtool
