#include "window/dpi_awareness.h"

#include <windows.h>

#include "core/log.h"
#include "window/system_window.h"

namespace {

// Looked up at run time: older systems have none of these functions.
template <typename Function>
Function User32Function(const char* name) {
    return SystemFunction<Function>("user32.dll", name);
}

const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(-4);  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2

}  // namespace

void ApplyDpiAwareness(bool asked, bool windowExists) {
    if (!asked) return;
    if (windowExists) {
        LogMessage("dpiaware ignored: the game window already exists\n");
        return;
    }
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (auto setContext = User32Function<SetContext>("SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorAwareV2)) {
            LogMessage("dpiaware: per-monitor (v2) DPI awareness set\n");
            return;
        }
        if (GetLastError() == ERROR_ACCESS_DENIED) {
            // A manifest or the system fixed it before us: it cannot change now.
            LogMessage("dpiaware: the process's DPI awareness was already set\n");
            return;
        }
    }
    using SetAware = BOOL(WINAPI*)();
    if (auto setAware = User32Function<SetAware>("SetProcessDPIAware")) {
        if (setAware()) {
            LogMessage("dpiaware: system DPI awareness set\n");
            return;
        }
    }
    LogMessage("dpiaware: DPI awareness could not be set\n");
}

void AdjustFrameForWindowDpi(HWND window, RECT* rect, DWORD style, DWORD exStyle) {
    using DpiOf = UINT(WINAPI*)(HWND);
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto dpiOf = User32Function<DpiOf>("GetDpiForWindow");
    const auto adjustForDpi = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    const UINT dpi = dpiOf != nullptr ? dpiOf(window) : 0;
    if (adjustForDpi == nullptr || dpi == 0 || !adjustForDpi(rect, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(rect, style, FALSE, exStyle);
    }
}
