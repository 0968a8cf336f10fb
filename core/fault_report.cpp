#include "core/fault_report.h"

#include <windows.h>
#include <signal.h>

#include "core/guard.h"
#include "window/host_window.h"

namespace {

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

}  // namespace

void ReportFault(bool showWindowAfter) {
    HWND window = HostWindowIfReadable();
    if (window != nullptr) ShowWindow(window, SW_HIDE);
    const char text[] = "Damn! dispora.asi has failed!\n\nPress OK to continue.\nPress CANCEL to terminate program.";
    if (MessageBoxA(nullptr, text, nullptr, MB_OKCANCEL | MB_ICONHAND) != IDOK) raise(SIGABRT);
    if (window != nullptr && showWindowAfter) ShowWindow(window, SW_SHOW);
}
