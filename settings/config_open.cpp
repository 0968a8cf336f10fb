#include <windows.h>

#include <errno.h>

#include <new>

#include "core/system_files.h"
#include "settings/config.h"

int Config::Open(void* module, const char* fileName) {
    char path[kPathSize];
    GetModulePath(static_cast<HMODULE>(module), path, sizeof(path));
    return OpenFrom(GetCommandLineA(), path, fileName);
}

// Read only: asking for write access would fail in a protected folder (or
// get a private virtualised copy there). Every sharing is granted, so the
// player's editor can open, save, rename or delete the file at any time,
// and the file is closed as soon as it is read.
int ReadSettingsFile(const char* path, char* buffer, size_t size, size_t* length, char* reason, size_t reasonSize) {
    *length = 0;
    HANDLE file =
        OpenFileAtPath(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ENOENT;
        DescribeFileError(reason, reasonSize, error);
        return EACCES;
    }
    DWORD read = 0;
    const bool whole = ReadFile(file, buffer, static_cast<DWORD>(size), &read, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!whole) {
        DescribeFileError(reason, reasonSize, error);
        return EIO;
    }
    *length = read;
    return 0;
}

// The one settings store. The plug-in runs without the C runtime's start-up
// code (it needs none of it), so nothing constructs static objects: the
// store is made in place when the loader first calls us.
void MakeSettingsStore() {
    alignas(Config) static unsigned char storage[sizeof(Config)];
    new (storage) Config();
}
