#pragma once

// One tagged line to the debugger output and to the host's own log.
void LogMessage(const char* format, ...) __attribute__((format(ms_printf, 1, 2)));
// The same line while the game shuts down: the host's own log function is
// not called then, only the debugger output and dispora.log.
void LogMessageAtExit(const char* format, ...) __attribute__((format(ms_printf, 1, 2)));
// A finished line straight to the debugger output, for what is said before
// or without the log file.
void SendToDebugger(const char* line);
