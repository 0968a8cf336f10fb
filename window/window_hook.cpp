#include "window/window_hook.h"

#include "core/log.h"
#include "window/cursor.h"
#include "display/mode_in_use.h"

namespace {

struct GameWindowHook {
    HWND window;
    WNDPROC hostProcedure;
    bool framed;
    bool clipCursor;
    bool confining;  // the cursor belongs inside the window now
    bool pinned;
};
GameWindowHook hook;

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool OursIsOnTop(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&GameWindowProc);
}

// Another procedure that calls ours must never be left calling into
// unloaded code: from now on the plug-in stays until the process ends.
void KeepPluginLoaded() {
    if (hook.pinned) return;
    HMODULE self = nullptr;
    hook.pinned = GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                     reinterpret_cast<LPCSTR>(&GameWindowProc), &self) != 0;
    LogMessage("another window procedure runs before ours: the plug-in stays loaded\n");
}

void ReleaseCursor() {
    if (!hook.confining) return;
    ClipCursor(nullptr);
    hook.confining = false;
}

// Clips to the client area as it is now; called again whenever the window
// moves, changes size or is shown, since a clip made while it was still
// hidden may not hold. Only while the game is in front: the system's
// foreground lock can leave it active in its own thread while another
// program is in front, and the mouse must not be trapped there.
void ConfineCursor(HWND window) {
    if (GetForegroundWindow() != window) return ReleaseCursor();
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ClipCursor(&client);
    hook.confining = true;
}

bool ClickedOnClient(HWND window) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y)) == HTCLIENT;
}

// Ctrl+Alt frees the mouse for the frame and other programs without
// leaving the game.
bool CtrlAltHeld() { return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) < 0; }

// After the game's own handling: confine while active, follow moves and
// size changes, let go whenever the player needs the mouse elsewhere.
void KeepCursorInside(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0 || CtrlAltHeld()) {
                ReleaseCursor();
            } else if (LOWORD(wParam) == WA_ACTIVE || ClickedOnClient(window)) {
                // A click on the frame does what the frame does: the next
                // click into the game confines.
                ConfineCursor(window);
            }
            break;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) ReleaseCursor();
            break;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) ReleaseCursor();
            break;
        case WM_WINDOWPOSCHANGED: {
            // The game's window can become active while still hidden; it
            // then gets no activation when the game shows it.
            const bool shownActive = (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0 &&
                                     GetActiveWindow() == window && !CtrlAltHeld();
            if ((hook.confining || shownActive) && !IsIconic(window)) ConfineCursor(window);
            break;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (CtrlAltHeld()) ReleaseCursor();
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            if (!hook.confining && GetActiveWindow() == window && !CtrlAltHeld()) ConfineCursor(window);
            break;
        case WM_DESTROY:
            ReleaseCursor();
            break;
        default:
            break;
    }
}

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hook.pinned && !OursIsOnTop(window)) KeepPluginLoaded();
    ReportModeInUse();  // the first message after the device selection: its mode has settled
    // The host hides the cursor on every WM_SETCURSOR, frame included: over
    // the frame the player needs it to move, size or close the window.
    if (message == WM_SETCURSOR && hook.framed && LOWORD(lParam) != HTCLIENT) {
        ShowCursorAtZero(true);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const WNDPROC hostProcedure = hook.hostProcedure;
    const LRESULT result = CallWindowProcA(hostProcedure, window, message, wParam, lParam);
    if (message == WM_SETCURSOR && hook.framed) KeepHiddenCursorNearZero();
    if (hook.clipCursor) KeepCursorInside(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: nothing left to put back.
        if (OursIsOnTop(window)) SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProcedure));
        hook.window = nullptr;
    }
    return result;
}

}  // namespace

void HookGameWindow(HWND window, bool framed, bool clipCursor) {
    if ((!framed && !clipCursor) || hook.window != nullptr) return;
    hook.framed = framed;
    hook.clipCursor = clipCursor;
    hook.confining = false;
    hook.hostProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GameWindowProc)));
    hook.window = window;
    if (clipCursor && GetActiveWindow() == window && IsWindowVisible(window)) ConfineCursor(window);
}

void UnhookGameWindow() {
    if (hook.window == nullptr) return;
    ReleaseCursor();
    if (OursIsOnTop(hook.window)) {
        SetWindowLongPtrA(hook.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.hostProcedure));
        hook.window = nullptr;
    } else {
        KeepPluginLoaded();
    }
}
