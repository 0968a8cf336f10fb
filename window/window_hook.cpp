#include "window/window_hook.h"

#include "core/host_changes.h"
#include "core/host_contract.h"
#include "core/log.h"
#include "window/backdrop.h"
#include "window/cursor.h"
#include "window/full_screen_switch.h"
#include "window/mouse_clip.h"
#include "window/remembered_window.h"
#include "window/system_window.h"
#include "window/window_sizing.h"

namespace {

struct GameWindowHook {
    HWND window;
    WNDPROC hostProcedure;
    GameWindowOptions options;
    bool pinned;
    bool pauseAsked;  // the game had its pause request when the player left
    bool takenOut;    // said once: another mod took ours out of the chain
};
GameWindowHook hook;
ModeSettledHook reportModeSettled;
PlayerInputHook beforePlayerInput;

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

LRESULT CallHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(hook.hostProcedure, window, message, wParam, lParam);
}

// Said once, by the watch or at unload, whichever notices first.
void SayTakenOut() {
    if (hook.takenOut) return;
    hook.takenOut = true;
    LogMessage("another mod took our window procedure out of the game window: Alt+Enter, black bars, mouse clip and "
               "the other window features are off\n");
}

// Another mod may put the procedure it saved before ours (the game's own)
// back over ours: then none of the game's messages reach us, and nothing
// would follow the game any more (the bars left over the desktop, the mouse
// trapped after Alt+Tab). A timer on the game's window, run by the game's
// own message loop, looks four times a second.
constexpr UINT kWatchInterval = 250;
void CALLBACK WatchOurProcedure(HWND window, UINT, UINT_PTR, DWORD) {
    if (!ProcedureFromBeforeOurs(window)) return;
    SayTakenOut();
    if (HasBackdrop()) TakeBarsAway(window);  // on the game's thread: the taskbar may be told
    ReleaseMouseClip();
}
// The address of its procedure: no timer id of the game's.
UINT_PTR WatchId() { return reinterpret_cast<UINT_PTR>(&WatchOurProcedure); }

// Alt+Enter. The host reads the Enter key pressed with Alt as an ordinary
// Enter, so neither the key nor its character reaches it (Alt itself does).
// The key's code and its character's are the same: VK_RETURN is '\r'.
bool IsAltEnter(UINT message, WPARAM wParam) {
    return hook.options.altEnter && (message == WM_SYSKEYDOWN || message == WM_SYSCHAR) && wParam == VK_RETURN &&
           HostInWindowedMode();
}

// The messages our procedure answers before (or instead of) the game's;
// true when the game's procedure must not see this one.
bool AnswerFirst(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    if (IsAltEnter(message, wParam)) {
        // A minimised window is the system's to restore, on the character.
        if (IsIconic(window)) return message == WM_SYSKEYDOWN;
        const bool repeat = (lParam & (1L << 30)) != 0;
        if (message == WM_SYSKEYDOWN && !repeat) SwitchFullScreen(window, hook.options.aspect);
        return true;
    }
    switch (message) {
        case WM_SETCURSOR:
            // The host hides the cursor on every WM_SETCURSOR, frame included:
            // over the frame the player needs it to move, size or close the window.
            if (LOWORD(lParam) == HTCLIENT || !HasFrame(window)) return false;
            ShowCursorAtZero(true);
            *result = DefWindowProcA(window, message, wParam, lParam);
            return true;
        case WM_SIZING:  // the host resizes at once to what it is offered: shape it first
            if (HasFrame(window)) {
                KeepShapeWhileSizing(window, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam),
                                     hook.options.aspect);
            }
            return false;
        case WM_SETFOCUS:
            // The player is back: the game had its pause request when they left.
            if (!hook.pauseAsked) return false;
            hook.pauseAsked = false;
            return true;
        default:
            return false;
    }
}

// The game's window came to the front, was shown, hidden, minimised or
// restored, or moved in the z-order: the backdrop follows it.
bool BackdropFollows(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE: return LOWORD(wParam) != WA_INACTIVE;
        case WM_SIZE: return true;
        case WM_WINDOWPOSCHANGED: {
            const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
            return (flags & SWP_NOZORDER) == 0 || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0;
        }
        default: return false;
    }
}

void FollowWithBackdrop(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!HasBackdrop()) return;
    if (message == WM_DESTROY) return RemoveBackdrop();
    // Not in an exclusive video mode: the picture is the engine's screen then.
    const bool moved =
        message == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOMOVE) == 0;
    if ((moved || message == WM_DISPLAYCHANGE) && !IsIconic(window) && HostInWindowedMode()) {
        KeepPictureOnItsMonitor(window, hook.options.aspect);
    }
    if (BackdropFollows(message, wParam, lParam)) KeepBackdropBehind(window);
    TellTaskbarOfBars(window);
}

// After the game's own handling.
void FollowHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            KeepHiddenCursorNearZero();
            break;
        case WM_GETMINMAXINFO:
            if (HasFrame(window)) LimitTracking(window, reinterpret_cast<MINMAXINFO*>(lParam), hook.options.aspect);
            break;
        case WM_ENTERSIZEMOVE:
            StartSizing(window);
            break;
        case WM_EXITSIZEMOVE:
            EndSizing();
            if (hook.options.remember && IsFramedAndRestored(window)) RememberWindow(WindowRectOf(window));
            break;
        case WM_KILLFOCUS:
            // Vice City asks for its pause menu when it gets the focus, that
            // is when the player comes back: it gets that message now instead.
            // Not while the game closes its window (hidden first) at its end.
            if (hook.options.pauseOnLeave && !hook.pauseAsked && HostInWindowedMode() && IsWindowVisible(window)) {
                hook.pauseAsked = true;
                CallHost(window, WM_SETFOCUS, wParam, 0);
            }
            break;
        default:
            break;
    }
    FollowWithBackdrop(window, message, wParam, lParam);
    if (hook.options.clipCursor) FollowWithMouseClip(window, message, wParam, lParam);
}

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hook.pinned && !OursIsOnTop(window)) KeepPluginLoaded();
    // The first message after the device selection: its mode has settled.
    if (reportModeSettled != nullptr) reportModeSettled();
    const bool input = message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_LBUTTONDOWN;
    if (input && beforePlayerInput != nullptr) beforePlayerInput();
    LRESULT result = 0;
    if (AnswerFirst(window, message, wParam, lParam, &result)) return result;
    result = CallHost(window, message, wParam, lParam);
    FollowHost(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is going: its own procedure back, and nothing left to put back later.
        UndoHostWindowProcedure(window);
        hook.window = nullptr;
    }
    return result;
}

}  // namespace

void SetModeSettledHook(ModeSettledHook report) { reportModeSettled = report; }

void SetPlayerInputHook(PlayerInputHook beforeInput) { beforePlayerInput = beforeInput; }

void HookGameWindow(HWND window, const GameWindowOptions& options) {
    if (hook.window != nullptr) return;
    hook.options = options;
    hook.pauseAsked = false;
    hook.takenOut = false;
    hook.hostProcedure = ChangeHostWindowProcedure(window, &GameWindowProc);
    hook.window = window;
    SetTimer(window, WatchId(), kWatchInterval, &WatchOurProcedure);  // goes with the window
    if (options.clipCursor) StartMouseClip(window);
}

void UnhookGameWindow() {
    RemoveBackdrop();  // its procedure is ours
    if (hook.window == nullptr) return;
    ReleaseMouseClip();
    if (ProcedureFromBeforeOurs(hook.window)) SayTakenOut();
    if (UndoHostWindowProcedure(hook.window)) {
        KillTimer(hook.window, WatchId());
        hook.window = nullptr;
    } else {
        KeepPluginLoaded();
    }
}
