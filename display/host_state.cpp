#include "display/host_state.h"

#include "window/window_hook.h"

void SaveHostChoiceState(HostChoiceState& state) {
    state = {};
    state.saved = true;
    state.GcurSel = HostInt(hostAddresses.GcurSel);
    const PlatformGlobals& platform = HostPlatform();
    state.width = platform.width;
    state.height = platform.height;
    state.maximumWidth = platform.maximumWidth;
    state.maximumHeight = platform.maximumHeight;
    state.window = HostWindow();
    if (state.window != nullptr) {
        state.style = GetWindowLongA(state.window, GWL_STYLE);
        GetWindowRect(state.window, &state.bounds);
        state.visible = IsWindowVisible(state.window) != FALSE;
    }
}

void RestoreHostChoiceState(const HostChoiceState& state, HostChangeMark changesBefore) {
    UnhookGameWindow();
    if (state.saved && HostInt(hostAddresses.GcurSel) != state.GcurSel) host::RwEngineSetSubSystem(state.GcurSel);
    UndoHostChanges(changesBefore);
    if (!state.saved) return;
    PlatformGlobals& platform = HostPlatform();
    platform.width = state.width;
    platform.height = state.height;
    platform.maximumWidth = state.maximumWidth;
    platform.maximumHeight = state.maximumHeight;
    if (state.window == nullptr || !IsWindow(state.window)) return;
    // Visibility is the caller's to decide, never a style bit's.
    const LONG visible = GetWindowLongA(state.window, GWL_STYLE) & WS_VISIBLE;
    SetWindowLongA(state.window, GWL_STYLE, (state.style & ~WS_VISIBLE) | visible);
    const RECT& b = state.bounds;
    SetWindowPos(state.window, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
