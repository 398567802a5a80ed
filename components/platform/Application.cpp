#include "platform/Application.h"

#include <QCoreApplication>

namespace platform {

namespace {
std::exception_ptr deferred;
} // namespace

void ProcessMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    RaiseDeferredException();
}

void DeferException(std::exception_ptr error)
{
    if (!deferred)
        deferred = std::move(error);
}

void RaiseDeferredException()
{
    if (!deferred)
        return;
    std::exception_ptr error = std::move(deferred);
    deferred = nullptr;
    std::rethrow_exception(error);
}

} // namespace platform
