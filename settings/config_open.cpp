#include <windows.h>

#include <errno.h>

#include <new>

#include "settings/config.h"

int Config::Open(void* module, const char* fileName) {
    char path[kTextSize];
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), path, sizeof(path));
    // A path that filled the whole buffer was cut short: use none of it.
    if (length == 0 || length >= sizeof(path)) path[0] = '\0';
    return OpenFrom(GetCommandLineA(), path, fileName);
}

// Read only: asking for write access would fail in a protected folder (or
// get a private virtualised copy there). Every sharing is granted, so the
// player's editor can open, save, rename or delete the file at any time,
// and the file is closed as soon as it is read.
int ReadSettingsFile(const char* path, char* buffer, size_t size, size_t* length) {
    *length = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES;
    }
    DWORD read = 0;
    const BOOL whole = ReadFile(file, buffer, static_cast<DWORD>(size), &read, nullptr);
    CloseHandle(file);
    *length = whole ? read : 0;
    return 0;
}

// The one settings store. The plug-in runs without the C runtime's start-up
// code (it needs none of it), so nothing constructs static objects: the
// store is made in place when the loader first calls us.
void MakeSettingsStore() {
    alignas(Config) static unsigned char storage[sizeof(Config)];
    new (storage) Config();
}
