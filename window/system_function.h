// A function of a system DLL the process has loaded, looked up at run time:
// older systems lack some, and the plug-in imports no more libraries.
#pragma once

#include <windows.h>

// Null when the module is not loaded or lacks the function.
template <typename Function>
Function SystemFunction(const char* module, const char* name) {
    const HMODULE loaded = GetModuleHandleA(module);
    if (loaded == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}
