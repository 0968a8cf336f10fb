#include "core/log.h"

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>

#include "core/host_contract.h"
#include "core/log_line.h"

void LogMessage(const char* format, ...) {
    char message[kLogBufferSize];
    va_list args;
    va_start(args, format);
    // msvcrt's formatter leaves the buffer unterminated when the text does not fit.
    _vsnprintf(message, sizeof(message) - 1, format, args);
    va_end(args);
    message[sizeof(message) - 1] = '\0';

    char line[kLogBufferSize];
    BuildLogLine(line, sizeof(line), message);
    OutputDebugStringA(line);
    host::_Log(line);
}
