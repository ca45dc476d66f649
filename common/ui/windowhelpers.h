#pragma once

#include "common/ui/messages.h"

#include <functional>

class QWidget;

namespace common {

// Moves the window, frame included, to the middle of its screen's free area.
void centreOnScreen(QWidget *window);

// Gives a window guarded(): runs a handler and shows the common::UserError or
// other exception it throws in an error box over the window, which stays open.
template <class Window>
class GuardedHandlers {
protected:
    void guarded(const std::function<void()> &handler) { runGuarded(static_cast<Window *>(this), handler); }
};

} // namespace common
