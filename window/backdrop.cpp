#include "window/backdrop.h"

#include "window/system_window.h"
#include "window/taskbar.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this module, from the linker

namespace {

const char kClassName[] = "dispora backdrop";
HWND backdrop;
bool restacking;  // our own SetWindowPos calls come back as messages
bool taskbarTold;  // since the backdrop last showed

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcA(window, message, wParam, lParam);
}

// GDI's stock black brush, looked up at run time: every windowed game has
// gdi32 loaded, and the plug-in imports nothing beyond its few libraries.
HBRUSH BlackBrush() {
    using StockObject = HGDIOBJ(WINAPI*)(int);
    if (const auto stockObject = SystemFunction<StockObject>("gdi32.dll", "GetStockObject")) {
        return static_cast<HBRUSH>(stockObject(BLACK_BRUSH));
    }
    return reinterpret_cast<HBRUSH>(COLOR_WINDOWTEXT + 1);
}

bool MakeBackdrop() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BackdropProc;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = BlackBrush();
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);  // may be registered already: the window says
    backdrop = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, ThisModule(), nullptr);
    return backdrop != nullptr;
}

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void PutBehind(HWND game) {
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    // Placed after a window, it takes that window's band (topmost or not) only when asked.
    if (IsTopmost(backdrop) != IsTopmost(game)) {
        SetWindowPos(backdrop, IsTopmost(game) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    }
    SetWindowPos(backdrop, game, 0, 0, 0, 0, flags);
}

}  // namespace

void ShowBackdrop(HWND game, const ScreenRect& monitor) {
    if (backdrop == nullptr && !MakeBackdrop()) return;
    SetWindowPos(backdrop, nullptr, monitor.left, monitor.top, monitor.Width(), monitor.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    KeepBackdropBehind(game);
}

void KeepBackdropBehind(HWND game) {
    if (backdrop == nullptr || restacking) return;
    if (!IsWindowVisible(game) || IsIconic(game)) {
        ShowWindow(backdrop, SW_HIDE);
        return;
    }
    restacking = true;
    if (!IsWindowVisible(backdrop)) {
        ShowWindow(backdrop, SW_SHOWNOACTIVATE);
        taskbarTold = false;
        // A window the X server maps after another stays above it until it
        // is restacked: the game's window is raised once the backdrop shows.
        SetWindowPos(game, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    PutBehind(game);
    restacking = false;
}

void RemoveBackdrop() {
    if (backdrop != nullptr) DestroyWindow(backdrop);
    backdrop = nullptr;
    // Also when the class was registered but no window made: it must not
    // outlive the procedure it names.
    UnregisterClassA(kClassName, ThisModule());
}

bool HasBackdrop() { return backdrop != nullptr; }

void TakeBarsAway(HWND game) {
    if (backdrop != nullptr && taskbarTold) DeclareFullScreenToTaskbar(game, false);
    RemoveBackdrop();
}

void TellTaskbarOfBars(HWND game) {
    if (taskbarTold || backdrop == nullptr || !IsWindowVisible(backdrop)) return;
    taskbarTold = true;
    DeclareFullScreenToTaskbar(game, true);
}
