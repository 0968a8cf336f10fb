#include "window/host_window.h"

#include "core/host_contract.h"
#include "core/log.h"
#include "window/full_screen_switch.h"
#include "window/remembered_window.h"
#include "window/system_window.h"
#include "window/window_hook.h"
#include "window/window_placement.h"

namespace {

// Where the plug-in puts a window it sizes on the immediate road when no
// windowpos says otherwise.
constexpr int kDefaultPosition = 100;

struct WindowSettings {
    WindowRequest request;
    ZOrder zOrder;
    bool given;  // at least one window key asks for something
    MonitorArea namedMonitor;  // when request.onNamedMonitor
    bool remembered;
    ScreenRect rememberedWindow;
    bool aspectFromStart;  // aspect=yes: the shape the client area starts with
    GameWindowOptions options;
};

WindowOptions windowOptions;

// Vice City's own pause does the work: GTA III has none to ask for.
void SettlePauseOnLeave(GameWindowOptions& options) {
    if (!options.pauseOnLeave) return;
    options.pauseOnLeave = HostPausesOnSetFocus();
    if (!options.pauseOnLeave) LogMessage("pauseonleave: GTA III does not pause on focus changes\n");
}

void ReadNamedMonitor(const MonitorSetting& monitor, WindowSettings& settings) {
    if (!monitor.given) return;
    bool& found = settings.request.onNamedMonitor;
    found = monitor.isNumber && FindNumberedMonitor(monitor.number, &settings.namedMonitor);
    if (!found) LogMessage("monitor \"%s\" is not there: ignored\n", monitor.shown);
}

// The window keys as read at start (what was not understood was said then),
// settled for the monitors, the remembered window and the build of now.
WindowSettings SettleWindowSettings() {
    const WindowOptions& options = windowOptions;
    WindowSettings settings = {};
    WindowRequest& request = settings.request;
    request = options.request;
    settings.zOrder = options.zOrder;
    settings.aspectFromStart = options.aspectFromStart;
    ReadNamedMonitor(options.monitor, settings);
    settings.options = options.procedure;
    SettlePauseOnLeave(settings.options);
    if (settings.options.remember) {
        settings.remembered = ReadRememberedWindow(options.pluginPath, &settings.rememberedWindow);
    }
    if (settings.remembered && !request.borderless) {
        // The place the player left the framed window wins over the keys.
        const ScreenRect& saved = settings.rememberedWindow;
        request.hasSize = true;
        request.sizeIsPicture = false;
        request.width = saved.Width();
        request.height = saved.Height();
        request.pos = {WindowPosKind::Point, saved.left, saved.top};
        request.onNamedMonitor = false;
    }
    const WindowPosKind posKind = request.pos.kind;
    settings.given = request.hasSize || request.borderless || settings.zOrder != ZOrder::Unchanged ||
                     posKind == WindowPosKind::Point || posKind == WindowPosKind::Centre || request.onNamedMonitor;
    return settings;
}

// A windowsize or picturesize the game cannot work with (a client area too
// small to play in, or a window larger than the system lets one be) is
// brought within bounds, in the terms it was given in.
void BoundRequestedSize(HWND window, WindowRequest& request) {
    if (!request.hasSize) return;
    const int askedWidth = request.width;
    const int askedHeight = request.height;
    const auto bound = request.sizeIsPicture ? BoundPictureSize : BoundWindowSize;
    if (bound(&request.width, &request.height, FrameAround(window), GetSystemMetrics(SM_CXMAXTRACK),
              GetSystemMetrics(SM_CYMAXTRACK))) {
        LogMessage("%s %d x %d cannot work: using %d x %d\n", request.sizeIsPicture ? "picturesize" : "windowsize",
                   askedWidth, askedHeight, request.width, request.height);
    }
}

// With aspect=W:H a given or remembered size starts in that shape, and
// borderless full screen is the largest picture of it.
WindowPlacement PlaceOnMonitor(HWND window, const WindowSettings& settings, const MonitorArea& monitor) {
    WindowRequest request = settings.request;
    BoundRequestedSize(window, request);
    return PlaceWindow(request, WindowRectOf(window), monitor.monitor, monitor.workArea, FrameAround(window),
                       settings.options.aspect);
}

// A window placed where the player cannot grab its title bar (a monitor
// unplugged since, a typing error, a place above the screen) goes to the
// middle of the nearest monitor.
void KeepOnAMonitor(WindowPlacement& placement) {
    const ScreenRect placedRect = RectAt(placement.x, placement.y, placement.width, placement.height);
    if (OnSomeMonitor(placedRect)) return;
    const RECT placed = ToRect(placedRect);
    const MonitorArea nearest = MonitorAreaOf(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST));
    const WindowPlacement centred = CentreIn(nearest.workArea, placement.width, placement.height);
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
    const MonitorArea monitor = settings.request.onNamedMonitor
                                    ? settings.namedMonitor
                                    : MonitorAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
    WindowPlacement placement = PlaceOnMonitor(window, settings, monitor);
    if (shown && !placement.move) placement.x = placement.y = kDefaultPosition;
    // Borderless full screen is on its monitor whatever the work area (a
    // taskbar at the top may cover its top edge).
    const bool fullScreen = settings.request.borderless && !settings.request.hasSize;
    if (!fullScreen) KeepOnAMonitor(placement);
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
    if (fullScreen) StartFullScreen(window, monitor.monitor, settings.options.aspect);
}

// Our procedure goes in front of the game's in every windowed case.
void HookArrangedWindow(HWND window, WindowSettings& settings) {
    if (settings.aspectFromStart) {
        RECT client = {};
        GetClientRect(window, &client);
        settings.options.aspect = RatioOf(client.right, client.bottom);
    }
    // A game that starts borderless goes back to the remembered framed window.
    if (settings.remembered && settings.request.borderless) KeepFramedRectangle(settings.rememberedWindow);
    StartRemembering(windowOptions.pluginPath, WindowRectOf(window));
    HookGameWindow(window, settings.options);
}

}  // namespace

void UseWindowOptions(const WindowOptions& options) { windowOptions = options; }

void AddFrameStyles(HWND window) {
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_OVERLAPPEDWINDOW);
}

void ArrangeShownWindow(HWND window) {
    WindowSettings settings = SettleWindowSettings();
    ArrangeWindow(window, settings, true);
    HookArrangedWindow(window, settings);
}

void ArrangeWindowBeforeShow(HWND window) {
    WindowSettings settings = SettleWindowSettings();
    if (settings.given) {
        ArrangeWindow(window, settings, false);
    } else {
        AddFrameStyles(window);
        FitFrameAroundHostSize(window);
    }
    HookArrangedWindow(window, settings);
}
