#include "window/window_placement.h"

#include <stdio.h>

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWord(char c) { return c == '\0' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool ValueIsWord(const char* value, const char* word) {
    if (value == nullptr) return false;
    for (; *word != '\0'; ++value, ++word) {
        if (Lower(*value) != *word) return false;
    }
    return EndsWord(*value);
}

void CopySettingWord(char* out, size_t size, const char* value) {
    size_t length = 0;
    while (length + 1 < size && !EndsWord(value[length])) {
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
    } else if (sscanf(value, "%d,%d", &pos.x, &pos.y) == 2) {
        pos.kind = WindowPosKind::Point;
    } else {
        pos = {WindowPosKind::NotUnderstood, 0, 0};
    }
    return pos;
}

ZOrder ParseTopmost(const char* value, bool isTrue) {
    if (value == nullptr) return ZOrder::Unchanged;
    if (ValueIsWord(value, "always")) return ZOrder::AlwaysOnTop;
    return isTrue ? ZOrder::Front : ZOrder::NotTopmost;
}

WindowPlacement PlaceWindow(const WindowRequest& request, const ScreenRect& window, const ScreenRect& monitor,
                            const ScreenRect& workArea) {
    if (request.borderless && !request.hasSize) {
        return {true, monitor.left, monitor.top, true, monitor.Width(), monitor.Height()};
    }
    WindowPlacement placement{false, window.left, window.top, request.hasSize, window.Width(), window.Height()};
    if (request.hasSize) {
        placement.width = request.width;
        placement.height = request.height;
    }
    switch (request.pos.kind) {
        case WindowPosKind::Point:
            placement.move = true;
            placement.x = request.pos.x;
            placement.y = request.pos.y;
            break;
        case WindowPosKind::Centre:
            placement.move = true;
            if (placement.width > workArea.Width() || placement.height > workArea.Height()) {
                placement.x = workArea.left;
                placement.y = workArea.top;
            } else {
                placement.x = workArea.left + (workArea.Width() - placement.width) / 2;
                placement.y = workArea.top + (workArea.Height() - placement.height) / 2;
            }
            break;
        case WindowPosKind::Absent:
        case WindowPosKind::NotUnderstood:
            break;
    }
    return placement;
}
