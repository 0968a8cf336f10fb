#include "window/mouse_clip.h"

#include "window/system_window.h"

namespace {

bool confining;  // the cursor belongs inside the window now
RECT ourClip;     // the clip as the system took it when we last confined

// Clips to the client area as it is now; called again whenever the window
// moves, changes size or is shown, since a clip made while it was still
// hidden may not hold. Only while the game is in front: the system's
// foreground lock can leave it active in its own thread while another
// program is in front, and the mouse must not be trapped there.
void ConfineCursor(HWND window) {
    if (GetForegroundWindow() != window) return ReleaseMouseClip();
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ClipCursor(&client);
    GetClipCursor(&ourClip);  // trimmed to the screen, when the window reaches past it
    confining = true;
}

// A display change resets the clip to the whole screen, and another program
// may set one of its own: ours holds only while the system's is still it.
bool OurClipHolds() {
    RECT clip = {};
    return confining && GetClipCursor(&clip) && EqualRect(&clip, &ourClip);
}

bool ClickedOnClient(HWND window) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y)) == HTCLIENT;
}

// Ctrl+Alt frees the mouse for the frame and other programs without
// leaving the game.
bool CtrlAltHeld() { return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) < 0; }

}  // namespace

void ReleaseMouseClip() {
    if (!confining) return;
    ClipCursor(nullptr);
    confining = false;
}

void ClipOnActivation(HWND window, WPARAM activation) {
    if (LOWORD(activation) == WA_INACTIVE || HIWORD(activation) != 0 || CtrlAltHeld()) {
        ReleaseMouseClip();
    } else if (LOWORD(activation) == WA_ACTIVE || ClickedOnClient(window)) {
        // A click on the frame does what the frame does: the next click
        // into the game confines.
        ConfineCursor(window);
    }
}

void ClipAfterPositionChange(HWND window, const WINDOWPOS& position) {
    // The game's window can become active while still hidden; it then gets
    // no activation when the game shows it.
    const bool shownActive =
        (position.flags & SWP_SHOWWINDOW) != 0 && GetActiveWindow() == window && !CtrlAltHeld();
    if ((confining || shownActive) && !IsIconic(window)) ConfineCursor(window);
}

void ClipAfterDisplayChange(HWND window) {
    // The system has dropped the clip; the window may have moved too.
    if (confining && !IsIconic(window)) ConfineCursor(window);
}

void ReleaseClipOnCtrlAlt() {
    if (CtrlAltHeld()) ReleaseMouseClip();
}

void ClipOnClick(HWND window) {
    if (!OurClipHolds() && GetActiveWindow() == window && !CtrlAltHeld()) ConfineCursor(window);
}

void StartMouseClip(HWND window) {
    confining = false;
    if (GetActiveWindow() == window && IsWindowVisible(window)) ConfineCursor(window);
}
