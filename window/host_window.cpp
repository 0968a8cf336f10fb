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
        if (!ParseWindowSize(size, &settings.request.width, &settings.request.height)) {
            char shown[32];
            CopySettingWord(shown, sizeof(shown), size);
            LogMessage("windowsize \"%s\" not understood: 640 x 480\n", shown);
        }
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

ScreenRect WorkAreaOf(HMONITOR monitor, ScreenRect* whole) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    if (whole != nullptr) *whole = ToScreenRect(info.rcMonitor);
    return ToScreenRect(info.rcWork);
}

// What the frame adds around the client area, for the window's style now.
FrameInsets FrameAround(HWND window) {
    RECT frame = {};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    return {-frame.left, -frame.top, frame.right, frame.bottom};
}

// A windowsize the game cannot work with (a client area too small to play
// in, or larger than the system lets a window be) is brought within bounds.
void BoundRequestedSize(HWND window, WindowRequest& request) {
    if (!request.hasSize) return;
    const int askedWidth = request.width;
    const int askedHeight = request.height;
    if (BoundWindowSize(&request.width, &request.height, FrameAround(window), GetSystemMetrics(SM_CXMAXTRACK),
                        GetSystemMetrics(SM_CYMAXTRACK))) {
        LogMessage("windowsize %d x %d cannot work: using %d x %d\n", askedWidth, askedHeight, request.width,
                   request.height);
    }
}

WindowPlacement PlaceOnItsMonitor(HWND window, WindowRequest request) {
    BoundRequestedSize(window, request);
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    ScreenRect monitor = {};
    const ScreenRect workArea = WorkAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return PlaceWindow(request, ToScreenRect(bounds), monitor, workArea);
}

// A window placed where no monitor is (a monitor unplugged since, or a
// typing error) would be invisible: it goes to the middle of the nearest one.
void KeepOnAMonitor(WindowPlacement& placement) {
    const ScreenRect placed = RectAt(placement.x, placement.y, placement.width, placement.height);
    const RECT rect = {placed.left, placed.top, placed.right, placed.bottom};
    if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr) return;
    const WindowPlacement centred =
        CentreIn(WorkAreaOf(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), nullptr), placement.width,
                 placement.height);
    LogMessage("window at %d, %d would be on no monitor: centred at %d, %d instead\n", placement.x, placement.y,
               centred.x, centred.y);
    placement.move = true;
    placement.x = centred.x;
    placement.y = centred.y;
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

// The host recalculates no frame before it shows its window: the frame the
// plug-in added goes around the client size the host means to draw (its
// record's maximum size), and the record stays as it is.
void FitFrameAroundHostSize(HWND window) {
    const FrameInsets frame = FrameAround(window);
    const PlatformGlobals& host = HostPlatform();
    SetWindowPos(window, nullptr, 0, 0, host.maximumWidth + frame.Width(), host.maximumHeight + frame.Height(),
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// One SetWindowPos that recalculates the frame. Shown already (the
// immediate road): sized and placed at 100, 100 unless windowpos says
// otherwise, and shown. Not shown yet: only what the keys ask for changes,
// and the window is neither shown nor activated (the host shows it itself,
// after its engine has started).
void ArrangeWindow(HWND window, const WindowSettings& settings, bool shown) {
    SetFrame(window, settings.request.borderless);
    WindowPlacement placement = PlaceOnItsMonitor(window, settings.request);
    if (shown && !placement.move) placement.x = placement.y = kDefaultPosition;
    KeepOnAMonitor(placement);
    LogPlacement(placement);
    UINT flags = SWP_FRAMECHANGED;
    if (shown) {
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
        FitFrameAroundHostSize(window);
    }
    HookGameWindow(window, !settings.request.borderless, settings.clipCursor);
}
