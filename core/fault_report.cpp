#include "core/fault_report.h"

#include <signal.h>

#include "core/guard.h"

namespace {

FindGameWindow findGameWindow;

void ReadGameWindow(HWND& window) { window = findGameWindow != nullptr ? findGameWindow() : nullptr; }

// The fault may have come from the window pointer itself, so read it under a
// guard of its own and use it only if it names a window.
HWND GameWindowIfReadable() {
    HWND window = nullptr;
    if (Guarded<ReadGameWindow>(window) == GuardOutcome::Faulted) return nullptr;
    return IsWindow(window) ? window : nullptr;
}

}  // namespace

void SetFaultReportWindow(FindGameWindow find) { findGameWindow = find; }

void ReportFault(bool showWindowAfter) {
    HWND window = GameWindowIfReadable();
    if (window != nullptr) ShowWindow(window, SW_HIDE);
    // Words the plug-in has always shown: players' guides quote them as they
    // stand, so they are never corrected.
    const char text[] = "Damn! dispora.asi has failed!\n\nPress OK to continue.\nPress CANCEL to terminate program.";
    if (MessageBoxA(nullptr, text, nullptr, MB_OKCANCEL | MB_ICONHAND) != IDOK) raise(SIGABRT);
    if (window != nullptr && showWindowAfter) ShowWindow(window, SW_SHOW);
}
