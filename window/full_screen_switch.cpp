#include "window/full_screen_switch.h"

#include "core/log.h"
#include "window/backdrop.h"
#include "window/system_window.h"
#include "window/window_placement.h"

namespace {

// The framed window as the player left it for full screen: its style and its
// placement (maximised or not, and where it restores to), put back whole,
// and its rectangle, which a window snapped to half the screen does not
// restore to. Or, for a game that started borderless, a remembered rectangle.
struct FramedWindow {
    bool placementKept;
    bool rectangleKept;
    LONG style;
    WINDOWPLACEMENT placement;
    ScreenRect outer;
};
FramedWindow framed;

constexpr LONG kFrameStyles = WS_OVERLAPPEDWINDOW;
// The window's state of the moment: the placement sets it again.
constexpr LONG kShownState = WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE;

}  // namespace

void KeepFramedRectangle(const ScreenRect& outer) {
    framed.rectangleKept = true;
    framed.outer = outer;
}

void StartFullScreen(HWND window, const ScreenRect& monitor, AspectRatio aspect) {
    const ScreenRect picture = FullScreenWithRatio(monitor, aspect);
    if (picture.Width() < monitor.Width() || picture.Height() < monitor.Height()) ShowBackdrop(window, monitor);
}

void KeepPictureOnItsMonitor(HWND window, AspectRatio aspect) {
    const ScreenRect monitor = MonitorOfWindow(window).monitor;
    const ScreenRect picture = FullScreenWithRatio(monitor, aspect);
    if (!SameRect(WindowRectOf(window), picture)) MoveWindowTo(window, picture);
    ShowBackdrop(window, monitor);
}

void SwitchFullScreen(HWND window, AspectRatio aspect) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const MonitorArea area = MonitorOfWindow(window);
    ScreenRect outer = FullScreenWithRatio(area.monitor, aspect);
    const bool toFullScreen = HasFrame(window);
    if (toFullScreen) {
        framed.placementKept = true;
        framed.style = style;
        framed.placement.length = sizeof(framed.placement);
        GetWindowPlacement(window, &framed.placement);
        framed.outer = WindowRectOf(window);
        // Not maximised: the system's restore would make a small window of it.
        SetWindowLongA(window, GWL_STYLE, (style & ~(kFrameStyles | WS_MAXIMIZE)) | WS_POPUP);
    } else {
        TakeBarsAway(window);
        if (framed.placementKept) {
            // Restored first: a window that is maximised already only moves.
            SetWindowLongA(window, GWL_STYLE, (framed.style & ~kShownState) | (style & WS_VISIBLE));
            SetWindowPlacement(window, &framed.placement);
            // The system's rectangle when maximised, or when the kept one
            // is no longer on a monitor (one unplugged, a lower resolution).
            if (framed.placement.showCmd == SW_SHOWMAXIMIZED || !OnSomeMonitor(framed.outer)) {
                framed.outer = WindowRectOf(window);
            }
            outer = framed.outer;
        } else {
            SetWindowLongA(window, GWL_STYLE, style | kFrameStyles);
            outer = framed.rectangleKept ? framed.outer
                                         : DefaultFramedWindow(area.monitor, area.workArea, FrameAround(window));
        }
    }
    LogMessage("Alt+Enter: %s, %d x %d at %d, %d\n", toFullScreen ? "borderless full screen" : "framed window",
               outer.Width(), outer.Height(), outer.left, outer.top);
    MoveWindowTo(window, outer);
    if (toFullScreen) StartFullScreen(window, area.monitor, aspect);
}
