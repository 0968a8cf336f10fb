#include "ddraw/system_ddraw.h"

#include <shlobj.h>
#include <string.h>

extern "C" {

SystemDirectDraw systemDirectDraw;

void LoadSystemDirectDraw() {
    char path[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_SYSTEM, nullptr, 0, path) != S_OK || path[0] == '\0') return;
    static const char kName[] = "\\ddraw.dll";
    const size_t folderLength = strlen(path);
    if (folderLength + sizeof(kName) > sizeof(path)) return;
    memcpy(path + folderLength, kName, sizeof(kName));

    HMODULE module = LoadLibraryA(path);
    if (module == nullptr) return;
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LoadSystemDirectDraw), &self);
    if (module == self) {  // we are what the system folder holds: forwarding would loop
        FreeLibrary(module);
        return;
    }
    systemDirectDraw.directDrawCreate = GetProcAddress(module, "DirectDrawCreate");
    systemDirectDraw.directDrawCreateEx = GetProcAddress(module, "DirectDrawCreateEx");
    systemDirectDraw.module = module;
}

}
