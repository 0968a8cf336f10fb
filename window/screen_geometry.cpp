#include "window/screen_geometry.h"

#include "window/dpi_awareness.h"

ScreenRect WindowRectOf(HWND window) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    return ToScreenRect(bounds);
}

FrameInsets FrameAround(HWND window) {
    RECT frame = {};
    AdjustFrameForWindowDpi(window, &frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                            static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    return {-frame.left, -frame.top, frame.right, frame.bottom};
}

void MoveWindowTo(HWND window, const ScreenRect& outer) {
    SetWindowPos(window, nullptr, outer.left, outer.top, outer.Width(), outer.Height(),
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}
