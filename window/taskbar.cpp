#include "window/taskbar.h"

#include <shobjidl.h>

namespace {

const CLSID kTaskbarListClass = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
const IID kTaskbarList2 = {0x602D4995, 0xB13A, 0x429B, {0xA6, 0x6E, 0x19, 0x35, 0xE4, 0x4F, 0x43, 0x17}};

template <typename Function>
Function Ole32Function(HMODULE ole32, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(ole32, name)));
}

}  // namespace

void DeclareFullScreenToTaskbar(HWND window, bool fullScreen) {
    // Taken at run time and kept: the plug-in imports no more libraries, and
    // COM may still use it after we are done.
    const HMODULE ole32 = LoadLibraryA("ole32.dll");
    if (ole32 == nullptr) return;
    using Initialize = HRESULT(WINAPI*)(void*, DWORD);
    using Create = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
    using Uninitialize = void(WINAPI*)();
    const auto initialize = Ole32Function<Initialize>(ole32, "CoInitializeEx");
    const auto create = Ole32Function<Create>(ole32, "CoCreateInstance");
    const auto uninitialize = Ole32Function<Uninitialize>(ole32, "CoUninitialize");
    if (initialize == nullptr || create == nullptr || uninitialize == nullptr) return;
    // The game's thread may have COM already, in either model: then it stays as it is.
    const HRESULT initialized = initialize(nullptr, COINIT_APARTMENTTHREADED);
    ITaskbarList2* taskbar = nullptr;
    if (SUCCEEDED(create(kTaskbarListClass, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList2,
                         reinterpret_cast<void**>(&taskbar))) &&
        taskbar != nullptr) {
        if (SUCCEEDED(taskbar->HrInit())) taskbar->MarkFullscreenWindow(window, fullScreen ? TRUE : FALSE);
        taskbar->Release();
    }
    if (SUCCEEDED(initialized)) uninitialize();
}
