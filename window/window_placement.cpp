#include "window/window_placement.h"


ScreenRect RectAt(int x, int y, int width, int height) {
    x = Clamp(x, -kFarthest, kFarthest);
    y = Clamp(y, -kFarthest, kFarthest);
    return {x, y, x + Clamp(width, 0, kFarthest), y + Clamp(height, 0, kFarthest)};
}

bool BoundWindowSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight) {
    const int w = Clamp(*width, kSmallestClientWidth + insets.Width(), largestWidth);
    const int h = Clamp(*height, kSmallestClientHeight + insets.Height(), largestHeight);
    const bool changed = w != *width || h != *height;
    *width = w;
    *height = h;
    return changed;
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
                            const ScreenRect& workArea) {
    if (request.borderless && !request.hasSize) {
        return {true, monitor.left, monitor.top, true, monitor.Width(), monitor.Height()};
    }
    WindowPlacement placement{false, window.left, window.top, request.hasSize, window.Width(), window.Height()};
    if (request.hasSize) {
        placement.width = request.width;
        placement.height = request.height;
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
