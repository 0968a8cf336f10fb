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

void FollowWithMouseClip(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0 || CtrlAltHeld()) {
                ReleaseMouseClip();
            } else if (LOWORD(wParam) == WA_ACTIVE || ClickedOnClient(window)) {
                // A click on the frame does what the frame does: the next
                // click into the game confines.
                ConfineCursor(window);
            }
            break;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) ReleaseMouseClip();
            break;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) ReleaseMouseClip();
            break;
        case WM_WINDOWPOSCHANGED: {
            // The game's window can become active while still hidden; it
            // then gets no activation when the game shows it.
            const bool shownActive = (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0 &&
                                     GetActiveWindow() == window && !CtrlAltHeld();
            if ((confining || shownActive) && !IsIconic(window)) ConfineCursor(window);
            break;
        }
        case WM_DISPLAYCHANGE:
            // The system has dropped the clip; the window may have moved too.
            if (confining && !IsIconic(window)) ConfineCursor(window);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (CtrlAltHeld()) ReleaseMouseClip();
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            if (!OurClipHolds() && GetActiveWindow() == window && !CtrlAltHeld()) ConfineCursor(window);
            break;
        case WM_DESTROY:
            ReleaseMouseClip();
            break;
        default:
            break;
    }
}

void StartMouseClip(HWND window) {
    confining = false;
    if (GetActiveWindow() == window && IsWindowVisible(window)) ConfineCursor(window);
}
