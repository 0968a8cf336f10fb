// Building one diagnostic line: the tag, the message, and a newline unless the
// message already ends with one.
#pragma once

#include <stdarg.h>
#include <stddef.h>

constexpr size_t kLogBufferSize = 2048;
constexpr char kLogTag[] = "[dispora.asi] ";

// Writes the finished line into line[0..size) and returns its length. A
// message too long for the buffer is cut so that the line still ends with
// "\n" and a NUL inside the buffer. size must be at least sizeof(kLogTag) + 1.
size_t BuildLogLine(char* line, size_t size, const char* message);

// printf into out[0..size), cut to fit and always ended with a NUL. On
// Windows it uses msvcrt's own formatter, which keeps the plug-in small.
#ifdef _WIN32
#define DISPORA_PRINTF ms_printf
#else
#define DISPORA_PRINTF printf
#endif
void FormatBounded(char* out, size_t size, const char* format, ...) __attribute__((format(DISPORA_PRINTF, 3, 4)));
void FormatBoundedV(char* out, size_t size, const char* format, va_list args);
