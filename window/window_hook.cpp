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
    bool watching;    // our timer runs on the window
};
GameWindowHook hook;
ModeSettledHook reportModeSettled;
MenuCheck menuCheck;

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool OursIsOnTop(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&GameWindowProc);
}

// Another procedure that calls ours, or our timer, must never be left
// calling into unloaded code: from now on the plug-in stays until the
// process ends.
void KeepPluginLoaded(const char* why) {
    if (hook.pinned) return;
    HMODULE self = nullptr;
    hook.pinned = GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                     reinterpret_cast<LPCSTR>(&GameWindowProc), &self) != 0;
    LogMessage("%s: the plug-in stays loaded\n", why);
}
constexpr char kProcedureInFront[] = "another window procedure runs before ours";

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

// Before the game sees a key or a mouse button go down, and on the watch's
// every look: a gamepad reaches the game with no message at all.
void RunMenuCheck() {
    if (menuCheck != nullptr) menuCheck();
}

// Another mod may put the procedure it saved before ours (the game's own)
// back over ours: then none of the game's messages reach us, and nothing
// would follow the game any more (the bars left over the desktop, the mouse
// trapped after Alt+Tab). A timer on the game's window, run by the game's
// own message loop, looks four times a second.
constexpr UINT kWatchInterval = 250;
void CALLBACK WatchOurProcedure(HWND window, UINT, UINT_PTR, DWORD) {
    if (window != hook.window) return;  // a timer that could not be stopped: we let go of the game
    RunMenuCheck();
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
bool IsAltEnter(WPARAM wParam) { return hook.options.altEnter && wParam == VK_RETURN && HostInWindowedMode(); }

// Before the game's procedure, on the key and on its character: true when
// the game must not see it. A minimised window is the system's to restore,
// on the character.
bool TakeAltEnter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsAltEnter(wParam)) return false;
    if (IsIconic(window)) return message == WM_SYSKEYDOWN;
    const bool repeat = (lParam & (1L << 30)) != 0;
    if (message == WM_SYSKEYDOWN && !repeat) SwitchFullScreen(window, hook.options.aspect);
    return true;
}

// After the game's procedure: the pillarboxed picture moved to another
// monitor (Win+Shift+Arrow), or its monitor's resolution changed. Not in an
// exclusive video mode: the picture is the engine's screen then.
void KeepPictureOnMonitor(HWND window) {
    if (HasBackdrop() && !IsIconic(window) && HostInWindowedMode()) KeepPictureOnItsMonitor(window, hook.options.aspect);
}

// After the game's procedure: Vice City asks for its pause menu when it gets
// the focus, that is when the player comes back: it gets that message now
// instead. Not while the game closes its window (hidden first) at its end.
void AskPauseOnLeave(HWND window, WPARAM wParam) {
    if (hook.options.pauseOnLeave && !hook.pauseAsked && HostInWindowedMode() && IsWindowVisible(window)) {
        hook.pauseAsked = true;
        CallHost(window, WM_SETFOCUS, wParam, 0);
    }
}

// Each message with its steps before the game's procedure (some answer it
// instead) and after it.
LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hook.pinned && !OursIsOnTop(window)) KeepPluginLoaded(kProcedureInFront);
    // The first message after the device selection: its mode has settled.
    if (reportModeSettled != nullptr) reportModeSettled();
    const bool clip = hook.options.clipCursor;
    LRESULT result = 0;
    switch (message) {
        case WM_SYSKEYDOWN:
            RunMenuCheck();
            if (TakeAltEnter(window, message, wParam, lParam)) return 0;
            result = CallHost(window, message, wParam, lParam);
            if (clip) ReleaseClipOnCtrlAlt();
            break;
        case WM_SYSCHAR:
            if (TakeAltEnter(window, message, wParam, lParam)) return 0;
            result = CallHost(window, message, wParam, lParam);
            break;
        case WM_KEYDOWN:
            RunMenuCheck();
            result = CallHost(window, message, wParam, lParam);
            if (clip) ReleaseClipOnCtrlAlt();
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            RunMenuCheck();
            result = CallHost(window, message, wParam, lParam);
            if (clip) ClipOnClick(window);
            break;
        case WM_SETCURSOR:
            // The host hides the cursor on every WM_SETCURSOR, frame included:
            // over the frame the player needs it to move, size or close the window.
            if (LOWORD(lParam) != HTCLIENT && HasFrame(window)) {
                ShowCursorAtZero(true);
                return DefWindowProcA(window, message, wParam, lParam);
            }
            result = CallHost(window, message, wParam, lParam);
            KeepHiddenCursorNearZero();
            break;
        case WM_SIZING:
            // The host resizes at once to what it is offered: shaped first.
            if (HasFrame(window)) {
                KeepShapeWhileSizing(window, static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam),
                                     hook.options.aspect);
            }
            result = CallHost(window, message, wParam, lParam);
            break;
        case WM_GETMINMAXINFO:
            result = CallHost(window, message, wParam, lParam);
            if (HasFrame(window)) LimitTracking(window, reinterpret_cast<MINMAXINFO*>(lParam), hook.options.aspect);
            break;
        case WM_ENTERSIZEMOVE:
            result = CallHost(window, message, wParam, lParam);
            StartSizing(window);
            break;
        case WM_EXITSIZEMOVE:
            result = CallHost(window, message, wParam, lParam);
            EndSizing();
            if (hook.options.remember && IsFramedAndRestored(window)) RememberWindow(WindowRectOf(window));
            break;
        case WM_SETFOCUS:
            // The player is back: the game had its pause request when they left.
            if (hook.pauseAsked) {
                hook.pauseAsked = false;
                return 0;
            }
            result = CallHost(window, message, wParam, lParam);
            break;
        case WM_KILLFOCUS:
            result = CallHost(window, message, wParam, lParam);
            AskPauseOnLeave(window, wParam);
            break;
        case WM_ACTIVATE:
            result = CallHost(window, message, wParam, lParam);
            if (LOWORD(wParam) != WA_INACTIVE) KeepBackdropBehind(window);
            if (clip) ClipOnActivation(window, wParam);
            break;
        case WM_ACTIVATEAPP:
            result = CallHost(window, message, wParam, lParam);
            if (clip && wParam == FALSE) ReleaseMouseClip();
            break;
        case WM_SIZE:  // shown, hidden, minimised or restored
            result = CallHost(window, message, wParam, lParam);
            KeepBackdropBehind(window);
            if (clip && wParam == SIZE_MINIMIZED) ReleaseMouseClip();
            break;
        case WM_WINDOWPOSCHANGED: {
            result = CallHost(window, message, wParam, lParam);
            const WINDOWPOS& position = *reinterpret_cast<const WINDOWPOS*>(lParam);
            if ((position.flags & SWP_NOMOVE) == 0) KeepPictureOnMonitor(window);
            // Moved in the z-order, shown or hidden.
            if ((position.flags & SWP_NOZORDER) == 0 || (position.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0) {
                KeepBackdropBehind(window);
            }
            if (clip) ClipAfterPositionChange(window, position);
            break;
        }
        case WM_DISPLAYCHANGE:
            result = CallHost(window, message, wParam, lParam);
            KeepPictureOnMonitor(window);
            if (clip) ClipAfterDisplayChange(window);
            break;
        case WM_DESTROY:
            result = CallHost(window, message, wParam, lParam);
            if (HasBackdrop()) RemoveBackdrop();
            if (clip) ReleaseMouseClip();
            break;
        case WM_NCDESTROY:
            result = CallHost(window, message, wParam, lParam);
            // The window is going: its own procedure back, and nothing left to put back later.
            UndoHostWindowProcedure(window);
            hook.window = nullptr;
            return result;
        default:
            result = CallHost(window, message, wParam, lParam);
            break;
    }
    // After any message the game handled: the taskbar hears of the bars once they show.
    TellTaskbarOfBars(window);
    return result;
}

}  // namespace

void SetModeSettledHook(ModeSettledHook report) { reportModeSettled = report; }

void SetMenuCheck(MenuCheck check) { menuCheck = check; }

void HookGameWindow(HWND window, const GameWindowOptions& options) {
    if (hook.window != nullptr) return;
    hook.options = options;
    hook.pauseAsked = false;
    hook.takenOut = false;
    hook.hostProcedure = ChangeHostWindowProcedure(window, &GameWindowProc);
    hook.window = window;
    hook.watching = SetTimer(window, WatchId(), kWatchInterval, &WatchOurProcedure) != 0;  // goes with the window
    if (!hook.watching) {
        LogMessage("no watch on the game window (error %lu): a mod that takes our window procedure out goes "
                   "unnoticed\n", GetLastError());
    }
    if (options.clipCursor) StartMouseClip(window);
}

void UnhookGameWindow() {
    RemoveBackdrop();  // its procedure is ours
    if (hook.window == nullptr) return;
    ReleaseMouseClip();
    if (ProcedureFromBeforeOurs(hook.window)) SayTakenOut();
    if (!UndoHostWindowProcedure(hook.window)) return KeepPluginLoaded(kProcedureInFront);
    // The timer runs our code: one that cannot be stopped keeps us loaded.
    if (hook.watching && KillTimer(hook.window, WatchId()) == 0) {
        KeepPluginLoaded("the watch on the game window cannot be stopped");
    }
    hook.window = nullptr;
}
