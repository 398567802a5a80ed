#pragma once
// The message pump, for code that blocks its caller but must keep the
// application's windows and timers alive while it waits.

namespace platform {

// Handles every pending event once and returns; does nothing when no
// application object exists.
void ProcessMessages();

} // namespace platform
