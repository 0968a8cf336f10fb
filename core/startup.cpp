// The library's entry procedure: everything the plug-in does at load time.
#include <windows.h>
#include <signal.h>
#include <stdio.h>

#include "core/guard.h"
#include "core/host_build.h"
#include "display/deferred_mode.h"
#include "display/dpi_awareness.h"
#include "display/host_window.h"
#include "display/immediate_mode.h"
#include "display/window_hook.h"
#include "settings/config.h"

namespace {

int AttachSteps(void* module) {
    currentConfig->Open(module, "dispora.ini");
    const bool windowExists = HostWindowRecord() != 0;
    ApplyDpiAwareness(windowExists);
    if (!windowExists) return DeferDisplayMode();
    return ApplyDisplayModeNow();
}

// Before the loader unloads us while the game runs on: nothing in the host
// may point into our code afterwards.
void LetGoOfHost() {
    RestoreHostCallSite();
    UnhookGameWindow();
}

int ReadHostWindow(void* window) {
    *static_cast<HWND*>(window) = HostWindow();
    return 1;
}

// The fault may have come from the window pointer itself, so read it under a
// guard of its own and use it only if it names a window.
HWND HostWindowIfReadable() {
    HWND window = nullptr;
    if (RunGuarded(ReadHostWindow, &window) != 1) return nullptr;
    return IsWindow(window) ? window : nullptr;
}

void ReportAttachFault() {
    HWND window = HostWindowIfReadable();
    if (window != nullptr) ShowWindow(window, SW_HIDE);
    char text[1024];
    snprintf(text, sizeof(text), "%s%s", "Damn! dispora.asi has failed!\n",
             "\nPress OK to continue.\nPress CANCEL to terminate program.");
    if (MessageBoxA(nullptr, text, nullptr, MB_OKCANCEL | MB_ICONHAND) != IDOK) raise(SIGABRT);
    if (window != nullptr) ShowWindow(window, SW_SHOW);
}

BOOL OnProcessAttach(HMODULE module) {
    MakeSettingsStore();
    if (!DetectHostBuild()) return FALSE;
    const int result = RunGuarded(AttachSteps, module);
    if (result == kGuardFaulted) ReportAttachFault();
    if (result != 1) {
        LetGoOfHost();  // the loader will unload us
        return FALSE;
    }
    return TRUE;
}

BOOL OnProcessDetach(bool processExiting) {
    currentConfig->Close();
    // At process exit the host runs no more code: nothing to undo.
    if (!processExiting) LetGoOfHost();
    return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: return OnProcessAttach(module);
        case DLL_PROCESS_DETACH: return OnProcessDetach(reserved != nullptr);
        default: return TRUE;
    }
}
