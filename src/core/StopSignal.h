#pragma once
// A request to end the program (SIGTERM, SIGINT, SIGHUP) as one process-wide state: the
// signal handler notes it, long loops and the script interpreter stop as their Cancel stops
// them, and the program ends only once the running command has stopped.

namespace quoxa {

// Notes the request; async-signal-safe. The first signal stays the one reported.
void NoteStopSignal(int signal) noexcept;

// The signal that asked the program to end, 0 when none did.
int StopSignal();

// True while the running command must stop: a signal was noted and the program's own
// closing (which may save the document) has not begun.
bool StopCancelsCommands();

// The close that the signal asked for begins: what it runs, the save the user confirms
// above all, is not cancelled any more.
void BeginStopping();

// The user chose to keep working (the save question was cancelled): nothing is pending.
void ClearStopSignal();

// "SIGTERM", "SIGINT", "SIGHUP", or "a signal".
const char* StopSignalName(int signal);

}  // namespace quoxa
