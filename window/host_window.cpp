#include "window/host_window.h"

#include "core/host_contract.h"
#include "core/log.h"
#include "display/mode_text.h"
#include "window/window_hook.h"
#include "window/window_placement.h"
#include "settings/config.h"

namespace {

// Where the plug-in puts a window it sizes on the immediate road when no
// windowpos says otherwise.
constexpr int kDefaultPosition = 100;

struct WindowSettings {
    WindowRequest request;
    ZOrder zOrder;
    bool given;  // at least one window key asks for something
    bool clipCursor;
};

WindowSettings ReadWindowSettings() {
    Config& config = *currentConfig;
    WindowSettings settings = {};
    if (const char* size = config.GetString("windowsize")) {
        settings.request.hasSize = true;
        ParseWindowSize(size, &settings.request.width, &settings.request.height);
    }
    const char* pos = config.GetString("windowpos");
    settings.request.pos = ParseWindowPos(pos);
    if (settings.request.pos.kind == WindowPosKind::NotUnderstood) {
        char shown[32];
        CopySettingWord(shown, sizeof(shown), pos);
        LogMessage("windowpos \"%s\" not understood: ignored\n", shown);
    }
    settings.request.borderless = config.GetBool("borderless") != 0;
    // A file value lasts only until the next lookup: take the truth value first.
    const bool topmostTrue = config.GetBool("topmost") != 0;
    settings.zOrder = ParseTopmost(config.GetString("topmost"), topmostTrue);
    settings.clipCursor = config.GetBool("clipcursor") != 0;
    const WindowPosKind posKind = settings.request.pos.kind;
    settings.given = settings.request.hasSize || settings.request.borderless || settings.zOrder != ZOrder::Unchanged ||
                     posKind == WindowPosKind::Point || posKind == WindowPosKind::Centre;
    return settings;
}

ScreenRect ToScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

WindowPlacement PlaceOnItsMonitor(HWND window, const WindowRequest& request) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return PlaceWindow(request, ToScreenRect(bounds), ToScreenRect(monitor.rcMonitor), ToScreenRect(monitor.rcWork));
}

// A borderless window keeps only the plain pop-up style: the caption and
// border styles go, every other bit stays.
void SetFrame(HWND window, bool borderless) {
    if (!borderless) return AddFrameStyles(window);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
}

HWND InsertAfter(ZOrder zOrder) {
    switch (zOrder) {
        case ZOrder::Front: return HWND_TOP;
        case ZOrder::AlwaysOnTop: return HWND_TOPMOST;
        default: return HWND_NOTOPMOST;
    }
}

void LogPlacement(const WindowPlacement& placement) {
    LogMessage("changing window size to %d x %d\n", placement.width, placement.height);
    if (placement.move) LogMessage("changing window position to %d, %d\n", placement.x, placement.y);
}

// The host sizes its camera from these (and copies only full-screen modes
// into them itself): without this the game draws 640 x 448 into the corner
// of a larger window.
void TellHostClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    PlatformGlobals& host = HostPlatform();
    host.width = host.maximumWidth = client.right - client.left;
    host.height = host.maximumHeight = client.bottom - client.top;
}

// One SetWindowPos that recalculates the frame. Shown already (the
// immediate road): sized and placed at 100, 100 unless windowpos says
// otherwise, and shown. Not shown yet: only what the keys ask for changes,
// and the window is neither shown nor activated (the host shows it itself,
// after its engine has started).
void ArrangeWindow(HWND window, const WindowSettings& settings, bool shown) {
    SetFrame(window, settings.request.borderless);
    WindowPlacement placement = PlaceOnItsMonitor(window, settings.request);
    LogPlacement(placement);
    UINT flags = SWP_FRAMECHANGED;
    if (shown) {
        if (!placement.move) placement.x = placement.y = kDefaultPosition;
        flags |= SWP_SHOWWINDOW;
    } else {
        flags |= SWP_NOACTIVATE;
        if (!placement.move) flags |= SWP_NOMOVE;
        if (!placement.resize) flags |= SWP_NOSIZE;
        if (settings.zOrder == ZOrder::Unchanged) flags |= SWP_NOZORDER;
    }
    SetWindowPos(window, InsertAfter(settings.zOrder), placement.x, placement.y, placement.width, placement.height,
                 flags);
    TellHostClientSize(window);
}

}  // namespace

HWND HostWindow() {
    const uint32_t record = HostWindowRecord();
    if (record == 0) return nullptr;
    return *reinterpret_cast<HWND*>(record);
}

void AddFrameStyles(HWND window) {
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_OVERLAPPEDWINDOW);
}

void ArrangeShownWindow(HWND window) {
    const WindowSettings settings = ReadWindowSettings();
    ArrangeWindow(window, settings, true);
    HookGameWindow(window, !settings.request.borderless, settings.clipCursor);
}

void ArrangeWindowBeforeShow(HWND window) {
    const WindowSettings settings = ReadWindowSettings();
    if (settings.given) {
        ArrangeWindow(window, settings, false);
    } else {
        AddFrameStyles(window);
    }
    HookGameWindow(window, !settings.request.borderless, settings.clipCursor);
}
