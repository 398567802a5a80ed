#pragma once
// Process-wide state that the main window and the import dialog share.

#include <QString>

namespace Unit3 {

// Set by every editing command, cleared once after the start-up load, read
// only by the quit flow.
extern bool Modified;

// The import dialog's hand-over to the main window.
extern QString ImportGenre;
extern QString ImportFileName;
extern bool ImportConfirmed;

} // namespace Unit3
