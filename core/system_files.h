// The system's file calls for paths kept in UTF-8 (core/path_text.h): every
// file the plug-in opens goes through the wide calls, so a folder named in
// any script, or longer than the ANSI calls take, works.
#pragma once

#include <windows.h>

#include <stddef.h>

// The module's own path in UTF-8; false, with path empty, when there is
// none to use (one cut short would name the wrong place).
bool GetModulePath(HMODULE module, char* path, size_t size);
// CreateFileW on path; INVALID_HANDLE_VALUE with ERROR_FILENAME_EXCED_RANGE
// when the path has no wide form.
HANDLE OpenFileAtPath(const char* path, DWORD access, DWORD share, DWORD disposition);
// Renames from over to, on disk before it returns.
bool MoveFileOver(const char* from, const char* to);
void DeleteFileAtPath(const char* path);
// Why a file call failed, for the log: "error 32: another program has it open".
void DescribeFileError(char* out, size_t size, DWORD error);
