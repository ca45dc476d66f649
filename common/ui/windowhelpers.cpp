#include "common/ui/windowhelpers.h"

#include <QScreen>
#include <QWidget>

namespace common {

void centreOnScreen(QWidget *window)
{
    const QScreen *shown = window->screen();
    if (!shown)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(shown->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace common
