#include "window/full_screen_switch.h"

#include "core/log.h"
#include "window/screen_geometry.h"

namespace {

// The framed window as the player left it for full screen: its style and its
// placement (maximised or not, and where it restores to), put back whole.
// Or, for a game that started borderless, a remembered rectangle.
struct FramedWindow {
    bool placementKept;
    bool rectangleKept;
    LONG style;
    WINDOWPLACEMENT placement;
    ScreenRect outer;
};
FramedWindow framed;

constexpr LONG kFrameStyles = WS_OVERLAPPEDWINDOW;

}  // namespace

void KeepFramedRectangle(const ScreenRect& outer) {
    framed.rectangleKept = true;
    framed.outer = outer;
}

void SwitchFullScreen(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const MonitorArea area = MonitorOfWindow(window);
    ScreenRect outer = area.monitor;
    const bool toFullScreen = HasFrame(window);
    if (toFullScreen) {
        framed.placementKept = true;
        framed.style = style;
        framed.placement.length = sizeof(framed.placement);
        GetWindowPlacement(window, &framed.placement);
        SetWindowLongA(window, GWL_STYLE, (style & ~kFrameStyles) | WS_POPUP);
    } else if (framed.placementKept) {
        SetWindowLongA(window, GWL_STYLE, (framed.style & ~WS_VISIBLE) | (style & WS_VISIBLE));
        SetWindowPlacement(window, &framed.placement);
        outer = WindowRectOf(window);
    } else {
        SetWindowLongA(window, GWL_STYLE, style | kFrameStyles);
        outer = framed.rectangleKept ? framed.outer
                                     : DefaultFramedWindow(area.monitor, area.workArea, FrameAround(window));
    }
    LogMessage("Alt+Enter: %s, %d x %d at %d, %d\n", toFullScreen ? "borderless full screen" : "framed window",
               outer.Width(), outer.Height(), outer.left, outer.top);
    MoveWindowTo(window, outer);
}
