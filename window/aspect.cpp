#include "window/aspect.h"

namespace {

struct ClientSize {
    int width;
    int height;
};

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

// The largest client area of the ratio (rounded down) within width x height,
// both within kLargestExtent.
ClientSize LargestOfRatio(int width, int height, AspectRatio ratio) {
    if (width * ratio.height >= height * ratio.width) return {height * ratio.width / ratio.height, height};
    return {width, width * ratio.height / ratio.width};
}

// The smallest client area of the ratio that is at least the smallest client area.
ClientSize SmallestOfRatio(AspectRatio ratio) {
    const int width = ScaleRounded(kSmallestClientHeight, ratio.width, ratio.height);
    if (width >= kSmallestClientWidth) return {width, kSmallestClientHeight};
    return {kSmallestClientWidth, ScaleRounded(kSmallestClientWidth, ratio.height, ratio.width)};
}

ClientSize AtLeastSmallest(ClientSize client, AspectRatio ratio) {
    return client.width < kSmallestClientWidth || client.height < kSmallestClientHeight ? SmallestOfRatio(ratio)
                                                                                        : client;
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

ScreenRect SizeWhileDragging(SizingEdge edge, const ScreenRect& proposed, const ScreenRect& dragStart,
                             const FrameInsets& insets, AspectRatio ratio) {
    ClientSize client{ClientExtent(proposed.Width(), insets.Width()), ClientExtent(proposed.Height(), insets.Height())};
    if (ratio.Kept()) {
        const int rw = ratio.width;
        const int rh = ratio.height;
        bool widthDrives = edge == SizingEdge::Left || edge == SizingEdge::Right;
        if (!widthDrives && edge != SizingEdge::Top && edge != SizingEdge::Bottom) {
            // A corner: the border the pointer has moved further since the
            // drag began. Never the window's rectangle of the last step: that
            // one has been shaped already, and the choice would swing.
            const int movedWidth = Distance(client.width, ClientExtent(dragStart.Width(), insets.Width()));
            const int movedHeight = Distance(client.height, ClientExtent(dragStart.Height(), insets.Height()));
            widthDrives = ScaleRounded(movedWidth, rh, rw) >= movedHeight;
        }
        if (widthDrives) {
            client.height = ScaleRounded(client.width, rh, rw);
        } else {
            client.width = ScaleRounded(client.height, rw, rh);
        }
        client = AtLeastSmallest(client, ratio);
    }
    const int width = Clamp(client.width, kSmallestClientWidth, kLargestExtent * 2) + insets.Width();
    const int height = Clamp(client.height, kSmallestClientHeight, kLargestExtent * 2) + insets.Height();
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
    const ClientSize client = ratio.Kept() ? LargestOfRatio(workWidth, workHeight, ratio) : ClientSize{workWidth, workHeight};
    const int left = workArea.left + (workWidth - client.width) / 2;
    const int top = clientTop + (workHeight - client.height) / 2;
    return {left - insets.left, top - insets.top, left + client.width + insets.right, top + client.height + insets.bottom};
}

void FitSizeToRatio(int* width, int* height, const FrameInsets& insets, AspectRatio ratio) {
    if (!ratio.Kept()) return;
    const ClientSize client = AtLeastSmallest(
        LargestOfRatio(ClientExtent(*width, insets.Width()), ClientExtent(*height, insets.Height()), ratio), ratio);
    *width = client.width + insets.Width();
    *height = client.height + insets.Height();
}

ScreenRect FullScreenWithRatio(const ScreenRect& monitor, AspectRatio ratio) {
    if (!ratio.Kept()) return monitor;
    const int width = Clamp(monitor.Width(), 0, kLargestExtent);
    const int height = Clamp(monitor.Height(), 0, kLargestExtent);
    const ClientSize picture = LargestOfRatio(width, height, ratio);
    return RectAt(monitor.left + (width - picture.width) / 2, monitor.top + (height - picture.height) / 2,
                  picture.width, picture.height);
}
