// Paths as the plug-in keeps them, in UTF-8, and as the system's wide file
// calls take them, in UTF-16: a game folder may be named in any script, not
// only in the characters of the player's ANSI code page. No Win32 here.
#pragma once

#include <stddef.h>

// A path in UTF-8, its NUL included: any path of up to 341 characters, or
// of up to 1023 in plain ASCII.
constexpr size_t kPathSize = 1024;
// Its UTF-16 form for the system, with room for the long-path prefix.
constexpr size_t kWidePathSize = kPathSize + 8;

// UTF-16 (as the system's wide calls give it) to UTF-8 in out[0..size),
// ended with a NUL. A lone surrogate (Windows allows one in a file name) is
// written like any other unit, so that the way back gives the same name.
// False, with out empty, when it does not fit.
bool Utf8FromUtf16(char* out, size_t size, const char16_t* text);
// The way back, also for lines to the debugger output. False, with out
// empty, for bytes that are not UTF-8 (8-bit ANSI text, a cut sequence) or
// when it does not fit.
bool Utf16FromUtf8(char16_t* out, size_t size, const char* text);
// The path for the system's wide file calls. One longer than they take as
// it is (259 characters) gets the long-path prefix: "\\?\" before a drive,
// "\\?\UNC\" for a network path ("\\server\share\..."). False, with out
// empty, when it is no UTF-8 or does not fit.
bool SystemWidePath(char16_t* out, size_t size, const char* path);
// Nothing above 127: the line means the same in every code page.
bool IsAscii(const char* text);
// How many of the first `length` bytes of text (length <= its length) to
// keep so as not to end inside a UTF-8 character: a value quoted in part
// stays UTF-8 (an 8-bit ANSI text may lose up to three more bytes there).
size_t WholeCharacters(const char* text, size_t length);
