#include "window/window_shape.h"

#include <string.h>

#include "core/log_line.h"

namespace {

// Client extents held within kLargestExtent: times a ratio's part they fit an int.
int ClientExtent(int outer, int insets) { return Clamp(outer - insets, 0, kLargestExtent); }

int ScaleRounded(int value, int times, int by) { return (value * times + by / 2) / by; }

int Distance(int a, int b) { return a > b ? a - b : b - a; }

bool MovesLeft(SizingEdge edge) {
    return edge == SizingEdge::Left || edge == SizingEdge::TopLeft || edge == SizingEdge::BottomLeft;
}

bool MovesTop(SizingEdge edge) {
    return edge == SizingEdge::Top || edge == SizingEdge::TopLeft || edge == SizingEdge::TopRight;
}

}  // namespace

AspectRatio RatioOf(int width, int height) {
    if (width <= 0 || height <= 0) return {0, 0};
    int a = width;
    int b = height;
    while (b != 0) {
        const int rest = a % b;
        a = b;
        b = rest;
    }
    AspectRatio ratio{width / a, height / a};
    while (ratio.width > kLargestRatioPart || ratio.height > kLargestRatioPart) {
        ratio = {(ratio.width + 1) / 2, (ratio.height + 1) / 2};
    }
    return ratio;
}

ScreenRect SizeWhileDragging(SizingEdge edge, const ScreenRect& proposed, const ScreenRect& current,
                             const FrameInsets& insets, AspectRatio ratio) {
    int cw = ClientExtent(proposed.Width(), insets.Width());
    int ch = ClientExtent(proposed.Height(), insets.Height());
    if (ratio.Kept()) {
        const int rw = ratio.width;
        const int rh = ratio.height;
        bool widthDrives = edge == SizingEdge::Left || edge == SizingEdge::Right;
        if (!widthDrives && edge != SizingEdge::Top && edge != SizingEdge::Bottom) {
            // A corner: the border that moved further, in the ratio's terms.
            const int movedWidth = Distance(cw, ClientExtent(current.Width(), insets.Width()));
            const int movedHeight = Distance(ch, ClientExtent(current.Height(), insets.Height()));
            widthDrives = ScaleRounded(movedWidth, rh, rw) >= movedHeight;
        }
        if (widthDrives) {
            ch = ScaleRounded(cw, rh, rw);
        } else {
            cw = ScaleRounded(ch, rw, rh);
        }
        if (cw < kSmallestClientWidth || ch < kSmallestClientHeight) {
            // The smallest client area of the ratio.
            cw = ScaleRounded(kSmallestClientHeight, rw, rh);
            ch = kSmallestClientHeight;
            if (cw < kSmallestClientWidth) {
                cw = kSmallestClientWidth;
                ch = ScaleRounded(kSmallestClientWidth, rh, rw);
            }
        }
    }
    const int width = Clamp(cw, kSmallestClientWidth, kLargestExtent * 2) + insets.Width();
    const int height = Clamp(ch, kSmallestClientHeight, kLargestExtent * 2) + insets.Height();
    ScreenRect outer = proposed;
    if (MovesLeft(edge)) {
        outer.left = outer.right - width;
    } else {
        outer.right = outer.left + width;
    }
    if (MovesTop(edge)) {
        outer.top = outer.bottom - height;
    } else {
        outer.bottom = outer.top + height;
    }
    return outer;
}

ScreenRect MaximisedWithRatio(const ScreenRect& workArea, const FrameInsets& insets, AspectRatio ratio) {
    // The borders may hang over the work area, as any maximised frame's do;
    // the caption stays on it.
    const int clientTop = workArea.top + insets.top - insets.bottom;
    const int workWidth = Clamp(workArea.Width(), 0, kLargestExtent);
    const int workHeight = Clamp(workArea.bottom - clientTop, 0, kLargestExtent);
    int cw = workWidth;
    int ch = workHeight;
    if (ratio.Kept()) {
        if (workWidth * ratio.height >= workHeight * ratio.width) {
            cw = workHeight * ratio.width / ratio.height;
        } else {
            ch = workWidth * ratio.height / ratio.width;
        }
    }
    const int left = workArea.left + (workWidth - cw) / 2;
    const int top = clientTop + (workHeight - ch) / 2;
    return {left - insets.left, top - insets.top, left + cw + insets.right, top + ch + insets.bottom};
}

ScreenRect DefaultFramedWindow(const ScreenRect& monitor, const ScreenRect& workArea, const FrameInsets& insets) {
    const int width = Clamp(monitor.Width(), 0, kLargestExtent) * 3 / 4 + insets.Width();
    const int height = Clamp(monitor.Height(), 0, kLargestExtent) * 3 / 4 + insets.Height();
    const WindowPlacement at = CentreIn(workArea, width, height);
    return RectAt(at.x, at.y, width, height);
}

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
