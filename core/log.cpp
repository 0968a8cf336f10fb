#include "core/log.h"

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>

#include "core/host_contract.h"
#include "core/log_file.h"
#include "core/log_line.h"

namespace {

void WriteLogLine(bool toHost, const char* format, va_list args) {
    char message[kLogBufferSize];
    // msvcrt's formatter leaves the buffer unterminated when the text does not fit.
    _vsnprintf(message, sizeof(message) - 1, format, args);
    message[sizeof(message) - 1] = '\0';

    char line[kLogBufferSize];
    const size_t length = BuildLogLine(line, sizeof(line), message);
    OutputDebugStringA(line);
    RecordLogLine(line, length);
    if (toHost) host::_Log(line);
}

}  // namespace

void LogMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteLogLine(true, format, args);
    va_end(args);
}

void LogMessageAtExit(const char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteLogLine(false, format, args);
    va_end(args);
}
