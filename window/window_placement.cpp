#include "window/window_placement.h"

#include "settings/config.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLetter(char c) { return Lower(c) >= 'a' && Lower(c) <= 'z'; }

bool EndsCopiedWord(char c) { return c == '\0' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool ValueIsWord(const char* value, const char* word) {
    if (value == nullptr) return false;
    for (; *word != '\0'; ++value, ++word) {
        if (Lower(*value) != *word) return false;
    }
    return !IsLetter(*value);
}

void CopySettingWord(char* out, size_t size, const char* value) {
    size_t length = 0;
    while (length + 1 < size && !EndsCopiedWord(value[length])) {
        out[length] = value[length];
        ++length;
    }
    out[length] = '\0';
}

WindowPos ParseWindowPos(const char* value) {
    WindowPos pos{WindowPosKind::Absent, 0, 0};
    if (value == nullptr) return pos;
    if (ValueIsWord(value, "center") || ValueIsWord(value, "centre")) {
        pos.kind = WindowPosKind::Centre;
        return pos;
    }
    const char* comma = ParseWholeNumber(value, &pos.x);
    if (comma != nullptr && *comma == ',' && ParseWholeNumber(comma + 1, &pos.y) != nullptr) {
        pos = {WindowPosKind::Point, Clamp(pos.x, -kFarthest, kFarthest), Clamp(pos.y, -kFarthest, kFarthest)};
    } else {
        pos = {WindowPosKind::NotUnderstood, 0, 0};
    }
    return pos;
}

bool ParseWindowSize(const char* value, int* width, int* height) {
    int w = 0;
    int h = 0;
    const char* x = ParseWholeNumber(value, &w);
    if (x != nullptr && (*x == 'x' || *x == 'X') && ParseWholeNumber(x + 1, &h) != nullptr && w > 0 && h > 0) {
        *width = w;
        *height = h;
        return true;
    }
    *width = 640;
    *height = 480;
    return false;
}

bool BoundWindowSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight) {
    const int w = Clamp(*width, kSmallestClientWidth + insets.Width(), largestWidth);
    const int h = Clamp(*height, kSmallestClientHeight + insets.Height(), largestHeight);
    const bool changed = w != *width || h != *height;
    *width = w;
    *height = h;
    return changed;
}

AspectKind ParseAspect(const char* value, bool isTrue, AspectRatio* ratio) {
    *ratio = {0, 0};
    if (value == nullptr) return AspectKind::Absent;
    int width = 0;
    int height = 0;
    const char* colon = ParseWholeNumber(value, &width);
    if (colon != nullptr && *colon == ':' && ParseWholeNumber(colon + 1, &height) != nullptr &&
        width == Clamp(width, 1, kLargestRatioPart) && height == Clamp(height, 1, kLargestRatioPart)) {
        *ratio = {width, height};
        return AspectKind::Ratio;
    }
    return isTrue ? AspectKind::StartShape : AspectKind::NotUnderstood;
}

ZOrder ParseTopmost(const char* value, bool isTrue) {
    if (value == nullptr) return ZOrder::Unchanged;
    if (ValueIsWord(value, "always")) return ZOrder::AlwaysOnTop;
    return isTrue ? ZOrder::Front : ZOrder::NotTopmost;
}

WindowPlacement CentreIn(const ScreenRect& workArea, int width, int height) {
    WindowPlacement placement{true, workArea.left, workArea.top, true, width, height};
    if (width <= workArea.Width() && height <= workArea.Height()) {
        placement.x += (workArea.Width() - width) / 2;
        placement.y += (workArea.Height() - height) / 2;
    }
    return placement;
}

WindowPlacement PlaceWindow(const WindowRequest& request, const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea, const FrameInsets& insets, AspectRatio ratio) {
    if (request.borderless && !request.hasSize) {
        const ScreenRect picture = FullScreenWithRatio(monitor, ratio);
        return {true, picture.left, picture.top, true, picture.Width(), picture.Height()};
    }
    WindowPlacement placement{false, window.left, window.top, request.hasSize, window.Width(), window.Height()};
    if (request.hasSize) {
        placement.width = request.width;
        placement.height = request.height;
        FitSizeToRatio(&placement.width, &placement.height, insets, ratio);
    }
    WindowPosKind kind = request.pos.kind;
    if (request.onNamedMonitor && kind != WindowPosKind::Point) kind = WindowPosKind::Centre;
    switch (kind) {
        case WindowPosKind::Point:
            placement.move = true;
            placement.x = request.pos.x;
            placement.y = request.pos.y;
            if (request.onNamedMonitor) {
                placement.x += monitor.left;
                placement.y += monitor.top;
            }
            break;
        case WindowPosKind::Centre: {
            const WindowPlacement centred = CentreIn(workArea, placement.width, placement.height);
            placement.move = true;
            placement.x = centred.x;
            placement.y = centred.y;
            break;
        }
        case WindowPosKind::Absent:
        case WindowPosKind::NotUnderstood:
            break;
    }
    return placement;
}

ScreenRect DefaultFramedWindow(const ScreenRect& monitor, const ScreenRect& workArea, const FrameInsets& insets) {
    const int width = Clamp(monitor.Width(), 0, kLargestExtent) * 3 / 4 + insets.Width();
    const int height = Clamp(monitor.Height(), 0, kLargestExtent) * 3 / 4 + insets.Height();
    const WindowPlacement at = CentreIn(workArea, width, height);
    return RectAt(at.x, at.y, width, height);
}
