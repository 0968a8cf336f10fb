#include "core/log.h"

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "core/host_contract.h"
#include "core/log_file.h"
#include "core/log_line.h"
#include "core/path_text.h"

namespace {

// A line is plain ASCII or UTF-8 (a path, a value quoted from dispora.ini),
// and dispora.log holds it as it is. The second kind goes wide to the
// debugger output, and to the game's own 8-bit log in the player's ANSI code
// page, as every other program's text there.
bool WideForm(const char* line, char16_t (&wide)[kLogBufferSize]) {
    return !IsAscii(line) && Utf16FromUtf8(wide, kLogBufferSize, line);
}

// Not inlined: the wide and ANSI lines need no room beside the line being built.
__attribute__((noinline)) void SendToHost(const char* line) {
    char16_t wide[kLogBufferSize];
    char ansi[kLogBufferSize];
    const bool converted = WideForm(line, wide) && WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(wide),
                                                                       -1, ansi, sizeof(ansi), nullptr, nullptr) != 0;
    host::_Log(converted ? ansi : line);
}

// A value quoted from an ANSI dispora.ini is 8-bit text in the player's
// code page: in UTF-8 like the paths, dispora.log stays one encoding.
// Not inlined, for the same reason.
__attribute__((noinline)) void MakeUtf8(char (&line)[kLogBufferSize], size_t* length) {
    char16_t wide[kLogBufferSize];
    if (IsAscii(line) || Utf16FromUtf8(wide, kLogBufferSize, line)) return;
    if (MultiByteToWideChar(CP_ACP, 0, line, -1, reinterpret_cast<wchar_t*>(wide), kLogBufferSize) == 0) return;
    char utf8[kLogBufferSize];
    if (!Utf8FromUtf16(utf8, sizeof(utf8), wide)) return;  // longer than a line may be: kept as it was
    *length = strlen(utf8);
    memcpy(line, utf8, *length + 1);
}

void WriteLogLine(bool toHost, const char* format, va_list args) {
    char message[kLogBufferSize];
    FormatBoundedV(message, sizeof(message), format, args);

    char line[kLogBufferSize];
    size_t length = BuildLogLine(line, sizeof(line), message);
    MakeUtf8(line, &length);
    SendToDebugger(line);
    RecordLogLine(line, length);
    if (toHost) SendToHost(line);
}

}  // namespace

__attribute__((noinline)) void SendToDebugger(const char* line) {
    char16_t wide[kLogBufferSize];
    if (WideForm(line, wide)) {
        OutputDebugStringW(reinterpret_cast<const wchar_t*>(wide));
    } else {
        OutputDebugStringA(line);
    }
}

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
