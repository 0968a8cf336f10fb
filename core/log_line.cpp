#include "core/log_line.h"

#include <stdio.h>
#include <string.h>

size_t BuildLogLine(char* line, size_t size, const char* message) {
    memset(line, 0, size);
    const size_t tagLength = sizeof(kLogTag) - 1;
    memcpy(line, kLogTag, tagLength);
    // Room for the message: everything but the tag, a newline and the NUL.
    const size_t room = size - tagLength - 2;
    size_t messageLength = strlen(message);
    if (messageLength > room) messageLength = room;
    memcpy(line + tagLength, message, messageLength);
    size_t length = tagLength + messageLength;
    if (line[length - 1] != '\n') line[length++] = '\n';
    line[length] = '\0';
    return length;
}

void FormatBoundedV(char* out, size_t size, const char* format, va_list args) {
    if (size == 0) return;
#ifdef _WIN32
    // msvcrt's formatter leaves the buffer unterminated when the text does not fit.
    _vsnprintf(out, size - 1, format, args);
    out[size - 1] = '\0';
#else
    vsnprintf(out, size, format, args);
#endif
}

void FormatBounded(char* out, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatBoundedV(out, size, format, args);
    va_end(args);
}
