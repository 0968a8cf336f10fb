#include "window/monitors.h"

#include <string.h>

#include "settings/setting_values.h"

namespace {

int Smaller(int a, int b) { return a < b ? a : b; }
int Larger(int a, int b) { return a > b ? a : b; }

bool BandInWorkArea(const ScreenRect& window, const ScreenRect& workArea) {
    const int bandHeight = Clamp(window.Height(), 0, kGrabbableHeight);
    const int neededWidth = Clamp(window.Width(), 0, kGrabbableWidth);
    const int overlap = Smaller(window.right, workArea.right) - Larger(window.left, workArea.left);
    return window.top >= workArea.top && window.top + bandHeight <= workArea.bottom && overlap >= neededWidth;
}

}  // namespace

int DisplayNumber(const char* deviceName) {
    if (deviceName == nullptr || strncmp(deviceName, "\\\\.\\", 4) != 0 || !ValueIsWord(deviceName + 4, "display")) {
        return 0;
    }
    const char* digits = deviceName + 4 + 7;  // past "\\.\DISPLAY"
    int number = 0;
    const char* end = *digits >= '0' && *digits <= '9' ? ParseWholeNumber(digits, &number) : nullptr;
    return end != nullptr && *end == '\0' && number >= 1 ? number : 0;
}

const MonitorArea* FindMonitor(const MonitorArea* monitors, size_t count, int number) {
    for (size_t i = 0; i < count && number >= 1; ++i) {
        if (monitors[i].number == number) return &monitors[i];
    }
    return nullptr;
}

bool OnAMonitor(const ScreenRect& window, const MonitorArea* monitors, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (BandInWorkArea(window, monitors[i].workArea)) return true;
    }
    return false;
}
