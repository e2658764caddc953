#pragma once
// Requests from outside to end the program (SIGTERM at logout or from kill, SIGINT from the
// terminal, SIGHUP when the terminal goes) delivered to the event loop as calls with the signal
// number, so the program closes through its own code instead of being left running.

#include <functional>

namespace platform {

// Installs the handlers of the three signals. The embedded database engine puts its own in
// place at its first attachment; ReassertTerminationHandlers puts these back afterwards.
void InstallTerminationHandlers();
// Re-installs the handlers when InstallTerminationHandlers has run; nothing otherwise, so
// tools and tests that never asked keep the default behaviour.
void ReassertTerminationHandlers();

// The function the event loop calls for each signal received; an empty one holds signals
// until a function is set again. Needs the application object (QCoreApplication).
void SetTerminationHandler(std::function<void(int iSignal)> handler);

} // namespace platform
