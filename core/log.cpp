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
    FormatBoundedV(message, sizeof(message), format, args);

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
