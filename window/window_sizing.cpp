#include "window/window_sizing.h"

#include "window/system_window.h"

namespace {

bool sizing;
ScreenRect dragStart;

}  // namespace

void StartSizing(HWND window) {
    sizing = true;
    dragStart = WindowRectOf(window);
}

void EndSizing() { sizing = false; }

void KeepShapeWhileSizing(HWND window, int edge, RECT* proposed, AspectRatio aspect) {
    if (edge < static_cast<int>(SizingEdge::Left) || edge > static_cast<int>(SizingEdge::BottomRight)) return;
    // A step outside a drag (sent on its own) starts from the window as it is.
    const ScreenRect start = sizing ? dragStart : WindowRectOf(window);
    *proposed = ToRect(SizeWhileDragging(static_cast<SizingEdge>(edge), ToScreenRect(*proposed), start,
                                         FrameAround(window), aspect));
}

void LimitTracking(HWND window, MINMAXINFO* limits, AspectRatio aspect) {
    const FrameInsets frame = FrameAround(window);
    limits->ptMinTrackSize = {kSmallestClientWidth + frame.Width(), kSmallestClientHeight + frame.Height()};
    if (!aspect.Kept()) return;
    // The maximised position counts from the monitor's top-left corner.
    const MonitorArea area = MonitorOfWindow(window);
    const ScreenRect maximised = MaximisedWithRatio(area.workArea, frame, aspect);
    limits->ptMaxPosition = {maximised.left - area.monitor.left, maximised.top - area.monitor.top};
    limits->ptMaxSize = {maximised.Width(), maximised.Height()};
    // On a monitor larger than the main one the system would grow the
    // maximised size by the difference; the tracking size holds it, but only
    // while maximised: a framed window may be larger than that.
    if (IsZoomed(window)) limits->ptMaxTrackSize = limits->ptMaxSize;
}
