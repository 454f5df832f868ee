#include "qt_event_loop.h"

#include <QCoreApplication>

namespace tessaly {

bool QtEventLoop::yield() {
    if (closing_) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !closing_;
}

}  // namespace tessaly
