#pragma once

// One tagged line to the debugger output and to the host's own log.
void LogMessage(const char* format, ...) __attribute__((format(ms_printf, 1, 2)));
