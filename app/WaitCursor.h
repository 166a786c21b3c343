// The wait cursor over the controls a running task stands for.
#pragma once

#include <QWidget>

#include <initializer_list>

namespace vrnnec {

// Shows the wait cursor over `widgets` while `busy`, and their own cursors again after.
inline void showWaitCursor(std::initializer_list<QWidget*> widgets, bool busy)
{
    for (QWidget* widget : widgets) {
        if (busy)
            widget->setCursor(Qt::WaitCursor);
        else
            widget->unsetCursor();
    }
}

} // namespace vrnnec
