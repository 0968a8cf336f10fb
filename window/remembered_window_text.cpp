#include <string.h>

#include "core/log_line.h"
#include "settings/setting_values.h"
#include "window/remembered_window.h"

size_t FormatRememberedWindow(char* out, size_t size, const ScreenRect& outer) {
    char text[96];
    FormatBounded(text, sizeof(text), "windowpos=%d,%d\r\nwindowsize=%dx%d\r\n", outer.left, outer.top,
                  outer.Width(), outer.Height());
    const size_t length = strlen(text);
    if (length >= size) return 0;
    memcpy(out, text, length + 1);
    return length;
}

bool ParseRememberedWindow(const char* text, ScreenRect* outer) {
    if (text == nullptr) return false;
    // The plug-in writes this file itself: the first of each key counts.
    const char* pos = strstr(text, "windowpos=");
    const char* size = strstr(text, "windowsize=");
    if (pos == nullptr || size == nullptr) return false;
    const WindowPos point = ParseWindowPos(pos + 10);
    int width = 0;
    int height = 0;
    if (point.kind != WindowPosKind::Point || !ParseWindowSize(size + 11, &width, &height)) return false;
    *outer = RectAt(point.x, point.y, width, height);
    return true;
}
