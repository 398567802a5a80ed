#include "platform/Application.h"

#include <QCoreApplication>

namespace platform {

void ProcessMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace platform
