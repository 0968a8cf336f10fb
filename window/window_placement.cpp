#include "window/window_placement.h"

namespace {

// Both sides within their bounds; true when either changed.
bool ClampSize(int* width, int* height, int leastWidth, int leastHeight, int mostWidth, int mostHeight) {
    const int w = Clamp(*width, leastWidth, mostWidth);
    const int h = Clamp(*height, leastHeight, mostHeight);
    const bool changed = w != *width || h != *height;
    *width = w;
    *height = h;
    return changed;
}

}  // namespace

bool BoundWindowSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight) {
    return ClampSize(width, height, kSmallestClientWidth + insets.Width(), kSmallestClientHeight + insets.Height(),
                     largestWidth, largestHeight);
}

bool BoundPictureSize(int* width, int* height, const FrameInsets& insets, int largestWidth, int largestHeight) {
    return ClampSize(width, height, kSmallestClientWidth, kSmallestClientHeight, largestWidth - insets.Width(),
                     largestHeight - insets.Height());
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
        if (request.sizeIsPicture) {
            placement.width = Clamp(request.width, 0, kLargestExtent) + insets.Width();
            placement.height = Clamp(request.height, 0, kLargestExtent) + insets.Height();
        }
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
