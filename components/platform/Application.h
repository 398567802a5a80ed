#pragma once
// The message pump, for code that blocks its caller but must keep the
// application's windows and timers alive while it waits.

#include <exception>

namespace platform {

// Handles every pending event once and returns; does nothing when no
// application object exists. An exception that a socket handler raised
// while the events were handled is raised here, once they are done.
void ProcessMessages();

// For socket handlers that run from the event loop: an exception must not
// pass through Qt's event dispatch, so the handler's caller parks it here and
// the next ProcessMessages raises it. When several are parked before that,
// the first one is kept.
void DeferException(std::exception_ptr error);

// Raises a parked exception, if there is one, and forgets it.
void RaiseDeferredException();

} // namespace platform
