#include <windows.h>

#include "settings/config.h"

int Config::Open(void* module, const char* fileName) {
    char path[kTextSize];
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), path, sizeof(path));
    // A path that filled the whole buffer was cut short: use none of it.
    if (length == 0 || length >= sizeof(path)) path[0] = '\0';
    return OpenFrom(GetCommandLineA(), path, fileName);
}

// The one settings store, made before the loader first calls the plug-in.
static Config settings;
