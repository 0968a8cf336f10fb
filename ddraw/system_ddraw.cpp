#include "ddraw/system_ddraw.h"

#include <shlobj.h>
#include <string.h>

namespace {

// The shell library is only needed here, on the first DirectDraw call: taking
// it at run time keeps it out of every game that never calls us as ddraw.dll,
// and out of the plug-in's load time.
bool GetSystemFolder(char (&path)[MAX_PATH]) {
    HMODULE shell = LoadLibraryA("shell32.dll");
    if (shell == nullptr) return false;
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    auto getFolderPath =
        reinterpret_cast<GetFolderPath>(reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFolderPathA")));
    const bool found = getFolderPath != nullptr &&
                       getFolderPath(nullptr, CSIDL_SYSTEM, nullptr, 0, path) == S_OK && path[0] != '\0';
    FreeLibrary(shell);
    return found;
}

}  // namespace

extern "C" {

SystemDirectDraw systemDirectDraw;

void LoadSystemDirectDraw() {
    char path[MAX_PATH];
    if (!GetSystemFolder(path)) return;
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
