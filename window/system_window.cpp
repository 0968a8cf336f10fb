#include "window/system_window.h"

#include "window/dpi_awareness.h"

ScreenRect WindowRectOf(HWND window) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    return ToScreenRect(bounds);
}

FrameInsets FrameAround(HWND window) {
    RECT frame = {};
    AdjustFrameForWindowDpi(window, &frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                            static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    return {-frame.left, -frame.top, frame.right, frame.bottom};
}

void MoveWindowTo(HWND window, const ScreenRect& outer) {
    SetWindowPos(window, nullptr, outer.left, outer.top, outer.Width(), outer.Height(),
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

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

void ListMonitors(MonitorList* monitors) {
    monitors->count = 0;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(monitors));
}

}  // namespace

MonitorArea MonitorAreaOf(HMONITOR monitor) {
    MONITORINFOEXA info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, reinterpret_cast<MONITORINFO*>(&info));
    return {DisplayNumber(info.szDevice), ToScreenRect(info.rcMonitor), ToScreenRect(info.rcWork)};
}

bool OnSomeMonitor(const ScreenRect& rect) {
    MonitorList monitors;
    ListMonitors(&monitors);
    return OnAMonitor(rect, monitors.areas, monitors.count);
}

bool FindNumberedMonitor(int number, MonitorArea* area) {
    MonitorList monitors;
    ListMonitors(&monitors);
    const MonitorArea* found = FindMonitor(monitors.areas, monitors.count, number);
    if (found != nullptr) *area = *found;
    return found != nullptr;
}
