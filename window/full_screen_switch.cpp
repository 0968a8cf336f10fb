#include "window/full_screen_switch.h"

#include "core/log.h"
#include "window/screen_geometry.h"

namespace {

// The framed window as the player left it for full screen.
struct FramedWindow {
    bool kept;
    bool styleKept;
    ScreenRect outer;
    LONG style;
};
FramedWindow framed;

constexpr LONG kFrameStyles = WS_OVERLAPPEDWINDOW;

}  // namespace

void KeepFramedRectangle(const ScreenRect& outer) {
    framed.kept = true;
    framed.styleKept = false;
    framed.outer = outer;
}

void SwitchFullScreen(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const MonitorArea area = MonitorOfWindow(window);
    ScreenRect outer = area.monitor;
    const bool toFullScreen = HasFrame(window);
    if (toFullScreen) {
        framed = {true, true, WindowRectOf(window), style & ~(WS_MAXIMIZE | WS_MINIMIZE)};
        SetWindowLongA(window, GWL_STYLE, (style & ~(kFrameStyles | WS_MAXIMIZE)) | WS_POPUP);
    } else {
        const LONG visible = style & WS_VISIBLE;
        SetWindowLongA(window, GWL_STYLE, framed.styleKept ? (framed.style & ~WS_VISIBLE) | visible : style | kFrameStyles);
        outer = framed.kept ? framed.outer : DefaultFramedWindow(area.monitor, area.workArea, FrameAround(window));
    }
    LogMessage("Alt+Enter: %s, %d x %d at %d, %d\n", toFullScreen ? "borderless full screen" : "framed window",
               outer.Width(), outer.Height(), outer.left, outer.top);
    MoveWindowTo(window, outer);
}
