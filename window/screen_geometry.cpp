#include "window/screen_geometry.h"

namespace {

constexpr size_t kMostMonitors = 16;
struct MonitorList {
    MonitorArea areas[kMostMonitors];
    size_t count;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MonitorList& monitors = *reinterpret_cast<MonitorList*>(list);
    if (monitors.count < kMostMonitors) monitors.areas[monitors.count++] = MonitorAreaOf(monitor);
    return TRUE;
}

}  // namespace

ScreenRect WindowRectOf(HWND window) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    return ToScreenRect(bounds);
}

FrameInsets FrameAround(HWND window) {
    RECT frame = {};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    return {-frame.left, -frame.top, frame.right, frame.bottom};
}

MonitorArea MonitorAreaOf(HMONITOR monitor) {
    MONITORINFOEXA info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, reinterpret_cast<MONITORINFO*>(&info));
    return {DisplayNumber(info.szDevice), ToScreenRect(info.rcMonitor), ToScreenRect(info.rcWork)};
}

bool OnSomeMonitor(const ScreenRect& rect) {
    const RECT bounds = ToRect(rect);
    return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr;
}

bool FindNumberedMonitor(int number, MonitorArea* area) {
    MonitorList monitors = {};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    const MonitorArea* found = FindMonitor(monitors.areas, monitors.count, number);
    if (found != nullptr) *area = *found;
    return found != nullptr;
}

void MoveWindowTo(HWND window, const ScreenRect& outer) {
    SetWindowPos(window, nullptr, outer.left, outer.top, outer.Width(), outer.Height(),
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}
