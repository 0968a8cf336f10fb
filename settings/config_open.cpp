#include <windows.h>

#include <stdlib.h>

#include <new>

#include "settings/config.h"

int Config::Open(void* module, const char* fileName) {
    char path[kTextSize];
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), path, sizeof(path));
    // A path that filled the whole buffer was cut short: use none of it.
    if (length == 0 || length >= sizeof(path)) path[0] = '\0';
    return OpenFrom(GetCommandLineA(), path, fileName);
}

// The one settings store. The plug-in runs without the C runtime's start-up
// code (it needs none of it), so nothing constructs static objects: the
// store is made in place when the loader first calls us.
void MakeSettingsStore() {
    alignas(Config) static unsigned char storage[sizeof(Config)];
    new (storage) Config();
}

// The store is never deleted, but its virtual destructor's deleting form
// names operator delete: these keep libstdc++'s (and its unwind tables) out
// of the plug-in.
void operator delete(void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
