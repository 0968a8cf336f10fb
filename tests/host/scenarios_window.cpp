// The window keys in the windowed mode (windowsize, windowpos, topmost,
// borderless) on both roads. On the deferred road the game starts up in its
// own order around the plug-in's choice, and the checks are what a player
// sees once the game has shown its window.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <utility>

#include <shobjidl.h>

#include "tests/host/rig.h"

namespace {

constexpr LONG kFrameStyles = WS_CAPTION | WS_THICKFRAME;

RECT ClientArea(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}

RECT MonitorRect(HMONITOR monitor, bool workArea) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    return workArea ? info.rcWork : info.rcMonitor;
}
RECT WorkArea(HMONITOR monitor) { return MonitorRect(monitor, true); }
RECT PrimaryMonitor(bool workArea) {
    return MonitorRect(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), workArea);
}

void CheckOuter(HWND window, int left, int top, int width, int height) {
    const RECT bounds = WindowBounds(window);
    CHECK_EQ(bounds.left, left);
    CHECK_EQ(bounds.top, top);
    CHECK_EQ(bounds.right - bounds.left, width);
    CHECK_EQ(bounds.bottom - bounds.top, height);
}

bool BoundsAre(HWND window, const RECT& expected) {
    const RECT bounds = WindowBounds(window);
    return EqualRect(&bounds, &expected) != FALSE;
}

// The host's record and first camera match the client area, so the game
// draws into the whole window.
void CheckHostKnowsClientSize(HWND window) {
    const RECT client = ClientArea(window);
    CHECK(RecordSizes() == (HostRecordSizes{client.right, client.bottom, client.right, client.bottom}));
}

struct DeferredRun {
    HMODULE plugin;
    HWND window;
    RECT before;  // the window's outer rectangle as the game made it
    LONG styleBefore;
    GameStart start;
};

// The game's first named mode, taken for the menu's unset one, gives way to the windowed mode.
const char kSettledWindowedLine[] = "[dispora.asi] the game took mode 1 (640x480x16): the windowed mode 0 is set instead\n";

// Loads the plug-in before the game window exists, then lets the game start.
// inFront: a window of another program in front while the game starts.
DeferredRun LoadThenStartGame(const StandInBuild& build, const char* settings, const char* plugin = kPlugin,
                              HWND inFront = nullptr) {
    InstallHost(&build);
    WriteSettingsFile(settings);
    DeferredRun run = {};
    run.plugin = LoadPlugin(plugin);
    CHECK(run.plugin != nullptr);
    run.window = CreateWindowAsGame();
    if (inFront != nullptr) SetForegroundWindow(inFront);
    run.before = WindowBounds(run.window);
    run.styleBefore = GetWindowLongA(run.window, GWL_STYLE);
    ClearCapturedOutput();
    run.start = StartGame();
    CHECK_EQ(run.start.selectResult, 1);
    CHECK(IsWindowVisible(run.window));
    return run;
}

// The engine's back buffer and the first camera have the window's client size.
void CheckGameDrawsWholeClient(const DeferredRun& run) {
    CheckHostKnowsClientSize(run.window);
    const RECT client = ClientArea(run.window);
    CHECK_EQ(run.start.backBuffer.cx, client.right);
    CHECK_EQ(run.start.backBuffer.cy, client.bottom);
    CHECK_EQ(run.start.camera.cx, client.right);
    CHECK_EQ(run.start.camera.cy, client.bottom);
}

void CheckFramed(HWND window) {
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
}

// A point in the middle of the title bar, in screen coordinates.
POINT TitleBarPoint(HWND window) {
    const RECT bounds = WindowBounds(window);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    return {(bounds.left + bounds.right) / 2, client.y - GetSystemMetrics(SM_CYCAPTION) / 2};
}

bool OnAMonitor(HWND window) {
    const RECT bounds = WindowBounds(window);
    return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr;
}

// A copy of the plug-in under another file name, for keys in the name.
struct RenamedPlugin {
    std::string name;
    explicit RenamedPlugin(const char* file) : name(file) {
        CHECK(CopyFileA((RigDirectory() + kPlugin).c_str(), (RigDirectory() + name).c_str(), FALSE));
    }
    ~RenamedPlugin() { DeleteFileA((RigDirectory() + name).c_str()); }
};

RECT ClipRect() {
    RECT clip = {};
    GetClipCursor(&clip);
    return clip;
}

bool ClipIs(const RECT& expected) {
    const RECT clip = ClipRect();
    return EqualRect(&clip, &expected) != FALSE;
}

bool CursorFree() {
    const RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                         GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return ClipIs(screen);
}

bool CursorConfinedTo(HWND window) {
    RECT client = ClientArea(window);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return ClipIs(client);
}

void HoldCtrlAlt(bool held) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_MENU] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}


}  // namespace

// --- deferred road ----------------------------------------------------------------
SCENARIO("window: deferred, windowsize alone sizes the window in place") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[0], "dispora=windowed\nwindowsize=1280x960\n");
    CheckOuter(run.window, run.before.left, run.before.top, 1280, 960);
    CheckFramed(run.window);
    CHECK(!run.start.shownInSelect);
    CHECK(!IsTopmost(run.window));
    CheckGameDrawsWholeClient(run);
    CHECK(engine.logLines == (std::vector<std::string>{"[dispora.asi] changing window size to 1280 x 960\n",
                                                       kSettledWindowedLine,
                                                       "[dispora.asi] video mode in use: 0 (chosen: 0)\n"}));
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, windowsize with windowpos") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[1], "dispora=windowed\nwindowsize=1280x960\nwindowpos=40,30\n");
    CheckOuter(run.window, 40, 30, 1280, 960);
    CheckGameDrawsWholeClient(run);
    CHECK(Logged("changing window size to 1280 x 960\n"));
    CHECK(Logged("changing window position to 40, 30\n"));
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, centred in the work area") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[2], "dispora=windowed\nwindowsize=1280x960\nwindowpos=Centre\n");
    const RECT work = PrimaryMonitor(true);
    CheckOuter(run.window, work.left + (work.right - work.left - 1280) / 2,
               work.top + (work.bottom - work.top - 960) / 2, 1280, 960);
    CheckGameDrawsWholeClient(run);
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, borderless full screen covers the monitor") {
    // windowpos is ignored for a borderless window without a size.
    DeferredRun run = LoadThenStartGame(kStandInBuilds[3], "dispora=windowed\nborderless=yes\nwindowpos=40,30\n");
    const RECT monitor = PrimaryMonitor(false);
    CheckOuter(run.window, monitor.left, monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top);
    CHECK_EQ(GetWindowLongA(run.window, GWL_STYLE) & (kFrameStyles | WS_SYSMENU), 0);
    CHECK_EQ(GetWindowLongA(run.window, GWL_STYLE) & WS_POPUP, WS_POPUP);
    CHECK(RecordSizes() == (HostRecordSizes{monitor.right - monitor.left, monitor.bottom - monitor.top,
                                            monitor.right - monitor.left, monitor.bottom - monitor.top}));
    CheckGameDrawsWholeClient(run);
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, borderless with a size: outer size is client size") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[0], "dispora=windowed\nborderless=1\nwindowsize=1024x768\n");
    CheckOuter(run.window, run.before.left, run.before.top, 1024, 768);
    const RECT client = ClientArea(run.window);
    CHECK_EQ(client.right, 1024);
    CHECK_EQ(client.bottom, 768);
    CheckGameDrawsWholeClient(run);
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, topmost=always stays on top once shown, in place") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[1], "dispora=windowed\ntopmost=ALWAYS\n");
    CHECK(IsTopmost(run.window));
    CHECK(!run.start.shownInSelect);
    CheckFramed(run.window);
    // Only the frame changed: same outer rectangle, a smaller client area.
    CheckOuter(run.window, run.before.left, run.before.top, run.before.right - run.before.left,
               run.before.bottom - run.before.top);
    CheckGameDrawsWholeClient(run);
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, no window key gives a real frame around the host's 640 x 448") {
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 900, 700, 60, 40, nullptr,
                                 nullptr, nullptr, nullptr);
    DeferredRun run = LoadThenStartGame(kStandInBuilds[3], "dispora=windowed\n", kPlugin, other);
    DestroyWindow(other);
    CHECK_EQ(GetWindowLongA(run.window, GWL_STYLE), run.styleBefore | WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    CHECK(!run.start.shownInSelect && !run.start.activeInSelect);
    CHECK_EQ(WindowBounds(run.window).left, run.before.left);
    CHECK_EQ(WindowBounds(run.window).top, run.before.top);
    const POINT title = TitleBarPoint(run.window);
    CHECK_EQ(SendMessageA(run.window, WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTCAPTION);
    CHECK_EQ(ClientArea(run.window).right, 640);
    CHECK_EQ(ClientArea(run.window).bottom, 448);
    CheckGameDrawsWholeClient(run);
    CHECK(engine.logLines ==
          (std::vector<std::string>{kSettledWindowedLine, "[dispora.asi] video mode in use: 0 (chosen: 0)\n"}));
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, word values in the plug-in's file name end before \".asi\"") {
    RenamedPlugin topmost("dispora--dispora=windowed--topmost=always.asi");
    DeferredRun run = LoadThenStartGame(kStandInBuilds[0], "", topmost.name.c_str());
    CHECK(IsTopmost(run.window));
    UnloadPlugin(run.plugin);
    RenamedPlugin centred("dispora--dispora=windowed--windowsize=800x600--windowpos=centre.asi");
    run = LoadThenStartGame(kStandInBuilds[0], "", centred.name.c_str());
    const RECT work = PrimaryMonitor(true);
    CheckOuter(run.window, work.left + (work.right - work.left - 800) / 2, work.top + (work.bottom - work.top - 600) / 2,
               800, 600);
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, a windowpos on no monitor centres the window and the clip follows") {
    DeferredRun run =
        LoadThenStartGame(kStandInBuilds[1], "dispora=windowed\nwindowsize=800x600\nwindowpos=-5000,100\nclipcursor=1\n");
    const RECT asked = {-5000, 100, -4200, 700};
    const RECT work = WorkArea(MonitorFromRect(&asked, MONITOR_DEFAULTTONEAREST));
    const int left = work.left + (work.right - work.left - 800) / 2, top = work.top + (work.bottom - work.top - 600) / 2;
    CheckOuter(run.window, left, top, 800, 600);
    char line[96];
    snprintf(line, sizeof(line), "window at -5000, 100 would be on no monitor: centred at %d, %d instead\n", left, top);
    CHECK(Logged(line));
    CHECK(CursorConfinedTo(run.window));
    UnloadPlugin(run.plugin);
}

SCENARIO("window: deferred, a full-screen pick leaves the window keys unread") {
    DeferredRun run = LoadThenStartGame(
        kStandInBuilds[2], "dispora=1024x768x32\nwindowsize=1280x960\nwindowpos=40,30\nborderless=yes\ntopmost=always\n");
    CHECK_EQ(GetWindowLongA(run.window, GWL_STYLE), run.styleBefore | WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    CHECK_EQ(WindowBounds(run.window).left, run.before.left);
    CHECK_EQ(WindowBounds(run.window).right, run.before.right);
    CHECK(!IsTopmost(run.window));
    CHECK_EQ(run.start.frameRecalcs, 0);
    CHECK(RecordSizes() == (HostRecordSizes{1024, 768, 1024, 768}));  // the host's own copy of the mode
    UnloadPlugin(run.plugin);
}

// --- immediate road ----------------------------------------------------------------
SCENARIO("window: immediate, windowpos given, centred or not understood") {
    const RECT work = PrimaryMonitor(true);
    const bool monitorOnTheLeft = MonitorFromPoint(POINT{-1, 0}, MONITOR_DEFAULTTONULL) != nullptr;
    const struct {
        const char* pos;
        int left, top;
    } cases[] = {{"-50,20", -50, 20},
                 {"center", work.left + (work.right - work.left - 1024) / 2, work.top + (work.bottom - work.top - 768) / 2},
                 {"100,-99999", work.left + (work.right - work.left - 1024) / 2, work.top + (work.bottom - work.top - 768) / 2},
                 {"100,-10", work.left + (work.right - work.left - 1024) / 2, work.top + (work.bottom - work.top - 768) / 2},
                 {"-950,20", monitorOnTheLeft ? -950 : work.left + (work.right - work.left - 1024) / 2,
                  monitorOnTheLeft ? 20 : work.top + (work.bottom - work.top - 768) / 2},
                 {"-900,20", -900, 20},
                 {"somewhere", 100, 100}};
    for (const auto& c : cases) {
        const std::string settings = std::string("dispora=windowed\nwindowsize=1024x768\nwindowpos=") + c.pos + "\r\n";
        ImmediateRun run = LoadWithWindow(kStandInBuilds[3], settings.c_str());
        CHECK(run.plugin != nullptr);
        CheckOuter(run.window, c.left, c.top, 1024, 768);
        CheckHostKnowsClientSize(run.window);
        if (strcmp(c.pos, "100,-10") == 0) {  // the title bar would be above the screen
            CHECK(Logged("window at 100, -10 would be on no monitor: centred at " + std::to_string(c.left) + ", " +
                         std::to_string(c.top) + " instead\n"));
        }
        UnloadPlugin(run.plugin);
        RestoreCursor(run.cursorBefore);
    }
    CHECK(Logged("windowpos \"somewhere\" not understood: ignored\n"));
}

SCENARIO("window: immediate, window sizes that cannot work are brought within bounds") {
    const int largestWidth = GetSystemMetrics(SM_CXMAXTRACK), largestHeight = GetSystemMetrics(SM_CYMAXTRACK);
    const struct {
        const char* settings;
        const char* line;  // the start of the line that says so
    } cases[] = {{"windowsize=0x0", "windowsize \"0x0\" not understood: 640 x 480"},
                 {"windowsize=-800x-600", "windowsize \"-800x-600\" not understood: 640 x 480"},
                 {"windowsize=2147483648x600", "windowsize \"2147483648x600\" not understood: 640 x 480"},
                 {"windowsize=-2147483648x600", "windowsize \"-2147483648x600\" not understood: 640 x 480"},
                 {"windowsize=800x1", "windowsize 800 x 1 cannot work: using 800 x "},
                 {"windowsize=1x1", "windowsize 1 x 1 cannot work: using "},
                 {"windowsize=99999x99999\nwindowpos=center", "windowsize 99999 x 99999 cannot work: using "},
                 {"windowsize=99999x99999\nborderless=yes", "windowsize 99999 x 99999 cannot work: using "}};
    for (const auto& c : cases) {
        ImmediateRun run = LoadWithWindow(kStandInBuilds[2], (std::string("dispora=windowed\n") + c.settings + "\n").c_str());
        const RECT client = ClientArea(run.window), bounds = WindowBounds(run.window);
        CHECK(client.right >= 320 && client.bottom >= 240);
        CHECK(bounds.right - bounds.left <= largestWidth && bounds.bottom - bounds.top <= largestHeight);
        CHECK(OnAMonitor(run.window));
        CheckHostKnowsClientSize(run.window);
        int said = 0;
        for (const std::string& line : engine.logLines) said += line.rfind(std::string("[dispora.asi] ") + c.line, 0) == 0;
        CHECK_EQ(said, 1);
        UnloadPlugin(run.plugin);
        RestoreCursor(run.cursorBefore);
    }
}

SCENARIO("window: immediate, topmost=always and borderless with and without a size") {
    const RECT monitor = PrimaryMonitor(false);
    const struct {
        const char* settings;
        int left, top, width, height;
        bool topmost;
    } cases[] = {
        {"windowsize=800x600\ntopmost=always\n", 100, 100, 800, 600, true},
        {"borderless=yes\n", monitor.left, monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top, false},
        {"borderless=yes\nwindowsize=1024x768\nwindowpos=10,20\n", 10, 20, 1024, 768, false},
    };
    for (const auto& c : cases) {
        ImmediateRun run = LoadWithWindow(kStandInBuilds[0], (std::string("dispora=windowed\n") + c.settings).c_str());
        CHECK(run.plugin != nullptr);
        CheckOuter(run.window, c.left, c.top, c.width, c.height);
        CHECK_EQ(IsTopmost(run.window), c.topmost);
        const bool borderless = strstr(c.settings, "borderless") != nullptr;
        CHECK_EQ((GetWindowLongA(run.window, GWL_STYLE) & kFrameStyles) == 0, borderless);
        CheckHostKnowsClientSize(run.window);
        UnloadPlugin(run.plugin);
        RestoreCursor(run.cursorBefore);
    }
}

// --- the window procedure: cursor over the frame, unloading ---------------------------
namespace {

// The system's WM_SETCURSOR for the mouse at a spot of the given hit-test
// code; returns the display count afterwards.
int MoveOver(HWND window, int hitTest) {
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hitTest, WM_MOUSEMOVE));
    return CursorDisplayCount();
}

WNDPROC foreignPrevious = nullptr;
int foreignCalls = 0;
LRESULT CALLBACK ForeignProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHostPrivateMessage) ++foreignCalls;
    return CallWindowProcA(foreignPrevious, window, message, wParam, lParam);
}

}  // namespace

SCENARIO("window: the cursor shows over the frame and hides over the game") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[2], "dispora=windowed\n");
    const int cursorBefore = CursorDisplayCount();
    for (int i = 0; i < 5; ++i) CHECK_EQ(MoveOver(run.window, HTCLIENT), -1);
    CHECK_EQ(MoveOver(run.window, HTCAPTION), 0);
    CHECK(GetCursor() == LoadCursorA(nullptr, IDC_ARROW));
    for (int i = 0; i < 5; ++i) CHECK_EQ(MoveOver(run.window, HTLEFT), 0);
    CHECK(GetCursor() == LoadCursorA(nullptr, IDC_SIZEWE));
    CHECK_EQ(MoveOver(run.window, HTCLIENT), -1);
    CHECK_EQ(MoveOver(run.window, HTCLOSE), 0);
    CHECK_EQ(MoveOver(run.window, HTBOTTOMRIGHT), 0);
    CHECK_EQ(MoveOver(run.window, HTCLIENT), -1);

    // Everything else reaches the game's procedure as sent, and its answer comes back.
    hostWindowMessages.clear();
    CHECK_EQ(SendMessageA(run.window, kHostPrivateMessage, 0x1234, 0x5678), kHostPrivateResult);
    SendMessageA(run.window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    CHECK(hostWindowMessages == (std::vector<HostWindowMessage>{{kHostPrivateMessage, 0x1234, 0x5678},
                                                                {WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200)}}));
    UnloadPlugin(run.plugin);
    CHECK(ProcedureIsHosts(run.window));
    CHECK_EQ(SendMessageA(run.window, kHostPrivateMessage, 0, 0), kHostPrivateResult);
    RestoreCursor(cursorBefore);
}

SCENARIO("window: ours in front when borderless too, the game's own cursor there; a full-screen pick left alone") {
    DeferredRun fullScreen = LoadThenStartGame(kStandInBuilds[0], "dispora=1024x768x32\nclipcursor=yes\n");
    CHECK(ProcedureIsHosts(fullScreen.window));
    UnloadPlugin(fullScreen.plugin);
    DeferredRun deferred = LoadThenStartGame(kStandInBuilds[0], "dispora=windowed\nborderless=yes\n");
    CHECK(!ProcedureIsHosts(deferred.window));
    const int cursorBefore = CursorDisplayCount();
    CHECK(MoveOver(deferred.window, HTCLIENT) < 0);  // hidden, as the game wants
    UnloadPlugin(deferred.plugin);
    RestoreCursor(cursorBefore);
    ImmediateRun run = LoadWithWindow(kStandInBuilds[1], "dispora=windowed\nborderless=yes\n");
    CHECK(!ProcedureIsHosts(run.window));
    UnloadPlugin(run.plugin);
    CHECK(ProcedureIsHosts(run.window));
    RestoreCursor(run.cursorBefore);
}

SCENARIO("window: unloaded under another procedure, the plug-in stays loaded") {
    // A copy of its own: once kept loaded it stays for the rest of this process.
    const char* copy = "dispora-kept.asi";
    CHECK(CopyFileA((RigDirectory() + kPlugin).c_str(), (RigDirectory() + copy).c_str(), FALSE));
    ImmediateRun run = LoadWithWindow(kStandInBuilds[3], nullptr);
    UnloadPlugin(run.plugin);
    WriteSettingsFile("dispora=windowed\n");
    ClearCapturedOutput();
    HMODULE plugin = LoadPlugin(copy);
    CHECK(plugin != nullptr);
    CHECK(!ProcedureIsHosts(run.window));
    foreignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(run.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    UnloadPlugin(plugin);
    CHECK(GetModuleHandleA(copy) == plugin);
    CHECK(Logged("another window procedure runs before ours: the plug-in stays loaded\n"));
    hostWindowMessages.clear();
    foreignCalls = 0;
    CHECK_EQ(SendMessageA(run.window, kHostPrivateMessage, 7, 8), kHostPrivateResult);
    CHECK_EQ(foreignCalls, 1);
    CHECK(hostWindowMessages == (std::vector<HostWindowMessage>{{kHostPrivateMessage, 7, 8}}));
    DestroyHostWindow();
    RestoreCursor(run.cursorBefore);
}

// --- clipcursor ------------------------------------------------------------------------

SCENARIO("window: clipcursor keeps the mouse in the game while it has the focus") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[1], "dispora=windowed\nclipcursor=yes\n");
    CHECK(GetActiveWindow() == run.window);  // the game's ShowWindow activated it
    CHECK(CursorConfinedTo(run.window));
    SetWindowPos(run.window, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CHECK(CursorConfinedTo(run.window));
    SetWindowPos(run.window, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    CHECK(CursorConfinedTo(run.window));

    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    CHECK(CursorFree());
    SetForegroundWindow(run.window);
    CHECK(CursorConfinedTo(run.window));
    DestroyWindow(other);

    HoldCtrlAlt(true);
    SendMessageA(run.window, WM_SYSKEYDOWN, VK_CONTROL, 1 | (1 << 29));
    CHECK(CursorFree());
    SendMessageA(run.window, WM_DISPLAYCHANGE, 32, 0);
    CHECK(CursorFree());
    HoldCtrlAlt(false);
    SendMessageA(run.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    CHECK(CursorConfinedTo(run.window));
    // Dropped (the whole screen, as ChangeDisplaySettings leaves it) or set by another program:
    // caught again by a click into the picture, or by the display change while the game is in front.
    const RECT elsewhere = {0, 0, 100, 100};
    const std::pair<const RECT*, UINT> drops[] = {
        {nullptr, WM_LBUTTONDOWN}, {&elsewhere, WM_RBUTTONDOWN}, {nullptr, WM_DISPLAYCHANGE}};
    for (const auto& [clip, message] : drops) {
        ClipCursor(clip);
        SendMessageA(run.window, message, 0, 0);
        CHECK(CursorConfinedTo(run.window));
    }

    ShowWindow(run.window, SW_MINIMIZE);
    CHECK(CursorFree());
    ShowWindow(run.window, SW_RESTORE);
    SetForegroundWindow(run.window);
    CHECK(CursorConfinedTo(run.window));
    DestroyHostWindow();
    CHECK(CursorFree());
    UnloadPlugin(run.plugin);
}

namespace {

// A real left click (or drag by dx, dy) through the system's input queue.
void ClickAt(POINT at, int dx = 0, int dy = 0) {
    SetCursorPos(at.x, at.y);
    INPUT input[3] = {};
    for (INPUT& one : input) one.type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
    input[1].mi = {(at.x + dx) * 65535 / width, (at.y + dy) * 65535 / height, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                   0, 0};
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    // All at once: the frame's own loops (move, close button) wait for the release.
    SendInput(3, input, sizeof(INPUT));
    PumpMessages(300);
}

}  // namespace

SCENARIO("window: clipcursor: a click on the frame of the inactive game does what the frame does") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[0], "dispora=windowed\nwindowsize=800x600\nwindowpos=40,40\nclipcursor=yes\n");
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 900, 700, 60, 40, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ClickAt(TitleBarPoint(run.window), 30, 0);  // activates and drags the game by its title bar
    CHECK(GetForegroundWindow() == run.window);
    CHECK(CursorFree());
    CheckOuter(run.window, 70, 40, 800, 600);

    SetForegroundWindow(other);
    RECT client = ClientArea(run.window);
    MapWindowPoints(run.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ClickAt({(client.left + client.right) / 2, (client.top + client.bottom) / 2});
    CHECK(CursorConfinedTo(run.window));

    SetForegroundWindow(other);  // Alt+Tab back confines
    CHECK(CursorFree());
    SetForegroundWindow(run.window);
    CHECK(CursorConfinedTo(run.window));

    SetForegroundWindow(other);
    const RECT bounds = WindowBounds(run.window);
    ClickAt({bounds.right - GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXSIZE) / 2, TitleBarPoint(run.window).y});
    CHECK(!IsWindow(run.window));  // the close button closed the game
    CHECK(CursorFree());
    DestroyWindow(other);
    UnloadPlugin(run.plugin);
}

SCENARIO("window: clipcursor on the immediate road, borderless; without it the cursor stays free") {
    ImmediateRun run = LoadWithWindow(kStandInBuilds[2], "dispora=windowed\nborderless=yes\nwindowsize=800x600\nclipcursor=yes\n");
    CHECK(!ProcedureIsHosts(run.window));
    CHECK(CursorConfinedTo(run.window));
    UnloadPlugin(run.plugin);
    CHECK(CursorFree());
    CHECK(ProcedureIsHosts(run.window));
    RestoreCursor(run.cursorBefore);

    DeferredRun framed = LoadThenStartGame(kStandInBuilds[2], "dispora=windowed\nclipcursor=no\n");
    CHECK(GetActiveWindow() == framed.window);
    CHECK(CursorFree());
    UnloadPlugin(framed.plugin);
}

// --- dpiaware ---------------------------------------------------------------------------
namespace {

// 0 unaware, 1 system-aware, 2 per-monitor aware; -1 where the system cannot say.
int DpiAwareness() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto context = reinterpret_cast<HANDLE(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto awareness = reinterpret_cast<int(WINAPI*)(HANDLE)>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    return context != nullptr && awareness != nullptr ? awareness(context()) : -1;
}

}  // namespace

SCENARIO("child:window: dpiaware on the command line, loaded early") {
    InstallHost(&kStandInBuilds[3]);
    const int before = DpiAwareness();
    ClearCapturedOutput();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    printf("    DPI awareness before and after the plug-in: %d, %d (2: per-monitor)\n", before, DpiAwareness());
    CHECK(DpiAwareness() > 0);
    // One line says which awareness was set (Wine takes only the system-wide call).
    int awarenessLines = 0;
    for (const std::string& line : engine.logLines) awarenessLines += line.rfind("[dispora.asi] dpiaware: ", 0) == 0;
    CHECK_EQ(awarenessLines, 1);
    CHECK(!Logged("dpiaware: DPI awareness could not be set\n"));
    UnloadPlugin(plugin);
}

SCENARIO("window: dpiaware applies only when loaded before the game window") {
    CHECK_EQ(RunChild("child:window: dpiaware on the command line, loaded early", "--dpiaware=yes"), 0);
    const int before = DpiAwareness();
    ImmediateRun run = LoadWithWindow(kStandInBuilds[0], "dispora=windowed\ndpiaware=yes\n");
    CHECK(Logged("dpiaware ignored: the game window already exists\n"));
    CHECK_EQ(DpiAwareness(), before);
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);
}

// --- Alt+Enter, aspect, monitor, remember, pauseonleave ------------------------------
namespace {

constexpr LPARAM kAltHeld = 1 | (1 << 29);
constexpr LPARAM kRepeat = 1 << 30;

int HostSaw(UINT message, WPARAM wParam) {
    int seen = 0;
    for (const HostWindowMessage& m : hostWindowMessages) seen += m.message == message && m.wParam == wParam;
    return seen;
}

// The game draws into the whole client area: the record and camera follow it.
void CheckGameFollowsClient(HWND window) {
    const RECT client = ClientArea(window);
    CHECK_EQ(RecordSizes().width, client.right);
    CHECK_EQ(RecordSizes().height, client.bottom);
    CHECK_EQ(HostCamera().cx, client.right);
    CHECK_EQ(HostCamera().cy, client.bottom);
}

void CheckCoversMonitor(HWND window, const RECT& monitor = PrimaryMonitor(false)) {
    CheckOuter(window, monitor.left, monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top);
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE) & (kFrameStyles | WS_SYSMENU), 0);
    CheckGameFollowsClient(window);
}

void AltEnter(HWND window, LPARAM extra = 0) {
    SendMessageA(window, WM_SYSKEYDOWN, VK_RETURN, kAltHeld | extra);
    SendMessageA(window, WM_SYSCHAR, '\r', kAltHeld | extra);
}

}  // namespace

SCENARIO("window: Alt+Enter switches a framed window to borderless full screen and back") {
    DeferredRun run = LoadThenStartGame(
        kStandInBuilds[2], "dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\ntopmost=always\nclipcursor=yes\n");
    const LONG framedStyle = GetWindowLongA(run.window, GWL_STYLE);
    hostWindowMessages.clear();
    ClearCapturedOutput();
    AltEnter(run.window);
    CheckCoversMonitor(run.window);
    CHECK(IsTopmost(run.window));
    CHECK(CursorConfinedTo(run.window));
    CHECK(FindWindowA("dispora backdrop", nullptr) == nullptr);  // no bars without aspect
    AltEnter(run.window, kRepeat);  // the key held down: nothing more
    CheckCoversMonitor(run.window);
    SendMessageA(run.window, WM_SYSKEYDOWN, VK_MENU, kAltHeld);
    AltEnter(run.window);
    CheckOuter(run.window, 40, 30, 800, 600);
    CHECK_EQ(GetWindowLongA(run.window, GWL_STYLE), framedStyle);
    CheckGameFollowsClient(run.window);
    CHECK(CursorConfinedTo(run.window));
    CHECK(IsTopmost(run.window));
    CHECK_EQ(HostSaw(WM_SYSKEYDOWN, VK_RETURN) + HostSaw(WM_SYSCHAR, '\r'), 0);
    CHECK_EQ(HostSaw(WM_SYSKEYDOWN, VK_MENU), 1);
    const RECT monitor = PrimaryMonitor(false);
    char line[96];
    snprintf(line, sizeof(line), "Alt+Enter: borderless full screen, %ld x %ld at %ld, %ld\n",
             monitor.right - monitor.left, monitor.bottom - monitor.top, monitor.left, monitor.top);
    CHECK(engine.logLines == (std::vector<std::string>{std::string("[dispora.asi] ") + line,
                                                       "[dispora.asi] Alt+Enter: framed window, 800 x 600 at 40, 30\n"}));
    ShowWindow(run.window, SW_MINIMIZE);  // minimised, Alt+Enter is the system's: it restores the window
    AltEnter(run.window);
    PumpMessages(100);
    CHECK(!IsIconic(run.window));
    CheckOuter(run.window, 40, 30, 800, 600);
    UnloadPlugin(run.plugin);
}

SCENARIO("window: Alt+Enter from a borderless start, switched off, and never for a full-screen pick") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[0], "dispora=windowed\nborderless=yes\n");
    AltEnter(run.window);
    const RECT monitor = PrimaryMonitor(false), work = PrimaryMonitor(true);
    const RECT client = ClientArea(run.window);
    CHECK_EQ(client.right, (monitor.right - monitor.left) * 3 / 4);
    CHECK_EQ(client.bottom, (monitor.bottom - monitor.top) * 3 / 4);
    const RECT bounds = WindowBounds(run.window);
    CHECK_EQ(bounds.left - work.left, work.right - bounds.right);  // centred in the work area
    CheckFramed(run.window);
    CheckGameFollowsClient(run.window);
    AltEnter(run.window);
    CheckCoversMonitor(run.window);
    UnloadPlugin(run.plugin);
    // Switched off; a full-screen pick; a windowed game the in-game menu then switched to full screen.
    for (const char* settings : {"dispora=windowed\naltenter=no\n", "dispora=1024x768x32\n", "dispora=windowed\n"}) {
        run = LoadThenStartGame(kStandInBuilds[0], settings);
        if (HostVar(kStandInBuilds[0].GcurSelVM) == 0 && !strstr(settings, "altenter")) HostVar(kStandInBuilds[0].GcurSelVM) = 5;
        const RECT before = WindowBounds(run.window);
        hostWindowMessages.clear();
        AltEnter(run.window);
        CHECK_EQ(HostSaw(WM_SYSKEYDOWN, VK_RETURN), 1);
        const RECT after = WindowBounds(run.window);
        CHECK(EqualRect(&before, &after));
        UnloadPlugin(run.plugin);
    }
}

namespace {

// The system's WM_SIZING for a drag of one edge to the proposed outer
// rectangle; returns the client area the window then has.
RECT Drag(HWND window, int edge, RECT proposed) {
    SendMessageA(window, WM_SIZING, edge, reinterpret_cast<LPARAM>(&proposed));
    return ClientArea(window);
}

RECT Grown(RECT rect, int left, int top, int right, int bottom) {
    return {rect.left + left, rect.top + top, rect.right + right, rect.bottom + bottom};
}

}  // namespace

SCENARIO("window: aspect keeps the shape while dragging and maximising; the smallest size") {
    DeferredRun run = LoadThenStartGame(kStandInBuilds[1], "dispora=windowed\nwindowsize=900x700\naspect=4:3\n");
    const struct {
        int edge;
        int left, top, right, bottom;
        int width, height;  // 0: follows the other by 4:3
    } drags[] = {{WMSZ_RIGHT, 0, 0, 100, 0, 0, 0},         {WMSZ_LEFT, -60, 0, 0, 0, 0, 0},
                 {WMSZ_BOTTOM, 0, 0, 0, 90, 0, 0},         {WMSZ_TOP, 0, -30, 0, 0, 0, 0},
                 {WMSZ_BOTTOMRIGHT, 0, 0, 200, 20, 0, 0},  {WMSZ_TOPLEFT, 5000, 5000, 0, 0, 320, 240}};
    for (const auto& d : drags) {
        const RECT bounds = WindowBounds(run.window);
        const RECT client = Drag(run.window, d.edge, Grown(bounds, d.left, d.top, d.right, d.bottom));
        CHECK(abs(client.right * 3 - client.bottom * 4) <= 4);
        if (d.width != 0) CHECK_EQ(client.right, d.width);
        if (d.width != 0) CHECK_EQ(client.bottom, d.height);
        CheckGameFollowsClient(run.window);
    }
    ShowWindow(run.window, SW_MAXIMIZE);
    const RECT work = PrimaryMonitor(true);
    RECT client = ClientArea(run.window);
    CHECK(abs(client.right * 3 - client.bottom * 4) <= 4);
    MapWindowPoints(run.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const POINT title = TitleBarPoint(run.window);
    CHECK(title.y >= work.top);  // the caption stays on the screen
    CHECK(client.bottom == work.bottom || (client.left == work.left && client.right == work.right));
    CHECK(abs((client.left - work.left) - (work.right - client.right)) <= 1);  // centred
    AltEnter(run.window);
    AltEnter(run.window);
    CHECK(IsZoomed(run.window));  // back to the maximised window the player left
    // Larger than the maximised window: Alt+Enter twice gives it back whole.
    ShowWindow(run.window, SW_RESTORE);
    SetWindowPos(run.window, nullptr, 0, 0, 1800, 1150, SWP_NOZORDER);
    AltEnter(run.window);
    AltEnter(run.window);
    CheckOuter(run.window, 0, 0, 1800, 1150);
    // A corner dragged steadily outward, the system proposing it at the pointer each step.
    SetWindowPos(run.window, nullptr, 40, 30, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    Drag(run.window, WMSZ_RIGHT, Grown(WindowBounds(run.window), 0, 0, -1000, 0));
    SendMessageA(run.window, WM_ENTERSIZEMOVE, 0, 0);
    const RECT start = WindowBounds(run.window);
    LONG lastWidth = start.right - start.left;
    for (int step = 1; step <= 30; ++step) {
        const RECT dragged = Drag(run.window, WMSZ_BOTTOMRIGHT, Grown(start, 0, 0, step * 7, step * 3));
        CHECK(abs(dragged.right * 3 - dragged.bottom * 4) <= 4);
        const RECT bounds = WindowBounds(run.window);
        CHECK(bounds.right - bounds.left >= lastWidth);
        lastWidth = bounds.right - bounds.left;
    }
    CHECK_EQ(lastWidth, start.right - start.left + 30 * 7);  // the right border at the pointer
    SendMessageA(run.window, WM_EXITSIZEMOVE, 0, 0);
    UnloadPlugin(run.plugin);

    run = LoadThenStartGame(kStandInBuilds[1], "dispora=windowed\naspect=wide\n");
    // Said at attach, before the game made its window.
    CHECK(ReadWholeFile(LogFilePath()).find("aspect \"wide\" not understood: ignored\n") != std::string::npos);
    const RECT free = Drag(run.window, WMSZ_RIGHT, Grown(WindowBounds(run.window), 0, 0, 200, 0));
    CHECK_EQ(free.right, 840);
    CHECK_EQ(free.bottom, 448);
    const RECT smallest = Drag(run.window, WMSZ_BOTTOMLEFT, Grown(WindowBounds(run.window), 800, 0, 0, -440));
    CHECK_EQ(smallest.right, 320);
    CHECK_EQ(smallest.bottom, 240);
    UnloadPlugin(run.plugin);
}

SCENARIO("window: monitor=1 is the stand-in's monitor, on both roads; a monitor that is not there") {
    const RECT monitor = PrimaryMonitor(false), work = PrimaryMonitor(true);
    DeferredRun run = LoadThenStartGame(kStandInBuilds[3], "dispora=windowed\nmonitor=1\nwindowpos=40,30\n");
    CHECK_EQ(WindowBounds(run.window).left, monitor.left + 40);
    CHECK_EQ(WindowBounds(run.window).top, monitor.top + 30);
    UnloadPlugin(run.plugin);
    ImmediateRun immediate = LoadWithWindow(kStandInBuilds[3], "dispora=windowed\nmonitor=1\n");
    CheckOuter(immediate.window, work.left + (work.right - work.left - 800) / 2,
               work.top + (work.bottom - work.top - 600) / 2, 800, 600);
    UnloadPlugin(immediate.plugin);
    RestoreCursor(immediate.cursorBefore);
    run = LoadThenStartGame(kStandInBuilds[3], "dispora=windowed\nmonitor=3\n");
    CHECK(Logged("monitor \"3\" is not there: ignored\n"));
    CHECK_EQ(WindowBounds(run.window).left, run.before.left);
    UnloadPlugin(run.plugin);
}

namespace {

std::string RememberedPath() { return RigDirectory() + "dispora-window.ini"; }
void WriteRemembered(const char* text) {
    FILE* file = fopen(RememberedPath().c_str(), "wb");
    fputs(text, file);
    fclose(file);
}

std::string FileText(const std::string& path) {
    std::string text;
    if (FILE* file = fopen(path.c_str(), "rb")) {
        char buffer[512];
        text.assign(buffer, fread(buffer, 1, sizeof(buffer), file));
        fclose(file);
    }
    return text;
}

void EndMove(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace

SCENARIO("window: remember keeps the framed window's place for the next start, on both roads") {
    DeleteFileA(RememberedPath().c_str());
    const char* settings = "dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\nremember=yes\n";
    DeferredRun run = LoadThenStartGame(kStandInBuilds[0], settings);
    CheckOuter(run.window, 40, 30, 800, 600);
    CHECK_TEXT(FileText(RememberedPath()), "");
    EndMove(run.window, 100, 120);
    const std::string saved = "windowpos=100,120\r\nwindowsize=800x600\r\n";
    CHECK_TEXT(FileText(RememberedPath()), saved);
    ShowWindow(run.window, SW_MAXIMIZE);
    SendMessageA(run.window, WM_EXITSIZEMOVE, 0, 0);
    ShowWindow(run.window, SW_RESTORE);
    AltEnter(run.window);
    SendMessageA(run.window, WM_EXITSIZEMOVE, 0, 0);
    CHECK_TEXT(FileText(RememberedPath()), saved);  // nothing while maximised or borderless
    UnloadPlugin(run.plugin);
    CHECK_TEXT(FileText(SettingsFilePath()), settings);  // dispora.ini is never written

    run = LoadThenStartGame(kStandInBuilds[0], settings);
    CheckOuter(run.window, 100, 120, 800, 600);
    CHECK(Logged("remembered window 800 x 600 at 100, 120: used\n"));
    UnloadPlugin(run.plugin);
    ImmediateRun immediate = LoadWithWindow(kStandInBuilds[0], settings);
    CheckOuter(immediate.window, 100, 120, 800, 600);
    UnloadPlugin(immediate.plugin);
    RestoreCursor(immediate.cursorBefore);

    WriteRemembered("windowpos=-9000,100\r\nwindowsize=800x600\r\n");
    run = LoadThenStartGame(kStandInBuilds[0], settings);
    CHECK(Logged("remembered window 800 x 600 at -9000, 100: on no monitor, ignored\n"));
    CheckOuter(run.window, 40, 30, 800, 600);
    UnloadPlugin(run.plugin);
    WriteRemembered("windowpos=100,-20\r\nwindowsize=800x600\r\n");  // the title bar above the screen
    run = LoadThenStartGame(kStandInBuilds[0], settings);
    CHECK(Logged("remembered window 800 x 600 at 100, -20: on no monitor, ignored\n"));
    CheckOuter(run.window, 40, 30, 800, 600);
    UnloadPlugin(run.plugin);
    DeleteFileA(RememberedPath().c_str());
}

SCENARIO("window: remember in a folder that cannot be written, or with a file that cannot be read, says why and plays on") {
    const std::string blocker = RigDirectory() + "dispora-window.ini.new";
    CreateDirectoryA(blocker.c_str(), nullptr);  // the file beside it cannot be made
    DeferredRun run = LoadThenStartGame(kStandInBuilds[2], "dispora=windowed\nremember=yes\n");
    EndMove(run.window, 60, 70);
    EndMove(run.window, 80, 90);
    int said = 0;
    for (const std::string& line : engine.logLines) said += line.find("dispora-window.ini") != std::string::npos;
    CHECK_EQ(said, 1);
    CHECK(Logged("remember: cannot write dispora-window.ini beside the plug-in (error 5: access denied)\n"));
    CHECK_EQ(GetFileAttributesA(RememberedPath().c_str()), INVALID_FILE_ATTRIBUTES);
    UnloadPlugin(run.plugin);
    RemoveDirectoryA(blocker.c_str());

    // A remembered window another program holds alone is not taken for none.
    WriteRemembered("windowpos=100,120\r\nwindowsize=800x600\r\n");
    HANDLE held = CreateFileA(RememberedPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    run = LoadThenStartGame(kStandInBuilds[2], "dispora=windowed\nwindowsize=640x480\nwindowpos=40,30\nremember=yes\n");
    CHECK(Logged("remember: " + RememberedPath() +
                 " cannot be read (error 32: another program has it open): the window starts as the settings say\n"));
    CheckOuter(run.window, 40, 30, 640, 480);
    UnloadPlugin(run.plugin);
    CloseHandle(held);
    DeleteFileA(RememberedPath().c_str());
}

// Folders players really have, on a Western Windows: names outside its ANSI
// code page, and one whose files' paths pass the 259 characters the ANSI
// calls take (dispora-window.ini.new at 269).
SCENARIO("window: the game in a folder named in any script, or 246 characters long, works as anywhere") {
    CHECK_EQ(GetACP(), 1252);  // what the test script gives Wine: none of these names is ANSI there
    for (const std::string& name : {std::string(u8"ゲーム\\GTA Vice City"),
                                    std::string(u8"Παιχνίδια\\GTA3"),
                                    std::string(u8"Юрий\\Desktop\\GTA"), FolderNameForLength(246)}) {
        const GameFolder folder(name);
        folder.Write("dispora.ini", "dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\nremember=yes\n");
        InstallHost(&kStandInBuilds[2]);
        HMODULE plugin = folder.Load();
        HWND window = CreateWindowAsGame();
        StartGame();
        CheckOuter(window, 40, 30, 800, 600);
        EndMove(window, 100, 120);
        CHECK_TEXT(folder.Read("dispora-window.ini"), "windowpos=100,120\r\nwindowsize=800x600\r\n");
        UnloadPlugin(plugin);
        CHECK(folder.Read("dispora.log").find("video mode in use: 0 (chosen: 0)\n") != std::string::npos);

        // The path in the log: UTF-8 in dispora.log, the ANSI form for the debugger output and the game's log.
        folder.Write("dispora.ini", "windowsize=800x600\n");
        InstallHost(&kStandInBuilds[2]);
        ClearCapturedOutput();
        UnloadPlugin(folder.Load());
        const std::string said = "no dispora setting on the command line, in the file name or in " + folder.path +
                                 "dispora.ini: video mode and window left to the game\n";
        CHECK(folder.Read("dispora.log").find("[dispora.asi] " + said) != std::string::npos);
        CHECK(Logged(AnsiForm(said)));
        CHECK(std::find(DebugLines().begin(), DebugLines().end(), "[dispora.asi] " + AnsiForm(said)) !=
              DebugLines().end());
    }
}

SCENARIO("window: pauseonleave gives Vice City its pause request when the player leaves") {
    const struct {
        const StandInBuild& build;
        const char* settings;
        int onLeaving, onReturning;
    } cases[] = {{kStandInBuilds[2], "dispora=windowed\npauseonleave=yes\n", 1, 0},
                 {kStandInBuilds[3], "dispora=windowed\n", 0, 1},
                 {kStandInBuilds[3], "dispora=1024x768x32\npauseonleave=yes\n", 0, 1},
                 {kStandInBuilds[0], "dispora=windowed\npauseonleave=yes\n", 0, 0}};
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 900, 700, 60, 40, nullptr,
                                 nullptr, nullptr, nullptr);
    for (const auto& c : cases) {
        DeferredRun run = LoadThenStartGame(c.build, c.settings);
        SetForegroundWindow(run.window);
        for (int absence = 0; absence < 2; ++absence) {
            hostPauseRequests = 0;
            SetForegroundWindow(other);
            CHECK_EQ(hostPauseRequests, c.onLeaving);
            SetForegroundWindow(run.window);
            CHECK_EQ(hostPauseRequests, c.onLeaving + c.onReturning);
        }
        CHECK_EQ(Logged("pauseonleave: GTA III does not pause on focus changes\n"), &c.build == &kStandInBuilds[0]);
        UnloadPlugin(run.plugin);
    }
    DestroyWindow(other);
}

SCENARIO("window: Alt+Enter from a maximised window and back gives it maximised, then restored, with and without aspect") {
    const struct {
        const char* settings;
        bool borderlessStart, minimiseBetween;
    } cases[] = {{"dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\n", false, false},
                 {"dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\naspect=4:3\n", false, true},
                 {"dispora=windowed\nborderless=yes\naspect=4:3\n", true, false}};
    for (const auto& c : cases) {
        DeferredRun run = LoadThenStartGame(kStandInBuilds[1], c.settings);
        if (c.borderlessStart) AltEnter(run.window);  // the framed window first
        const RECT framed = WindowBounds(run.window);
        ShowWindow(run.window, SW_MAXIMIZE);
        const RECT maximised = WindowBounds(run.window);
        AltEnter(run.window);
        CHECK(!IsZoomed(run.window));
        const RECT fullScreen = WindowBounds(run.window);
        SendMessageA(run.window, WM_SYSCOMMAND, SC_RESTORE, 0);  // Win+Down: full screen stays
        if (c.minimiseBetween) {
            ShowWindow(run.window, SW_MINIMIZE);
            ShowWindow(run.window, SW_RESTORE);
        }
        CHECK(BoundsAre(run.window, fullScreen));
        AltEnter(run.window);
        CHECK(IsZoomed(run.window) && BoundsAre(run.window, maximised));
        CheckFramed(run.window);
        ShowWindow(run.window, SW_RESTORE);
        CHECK(!IsZoomed(run.window) && BoundsAre(run.window, framed));
        CheckGameFollowsClient(run.window);
        UnloadPlugin(run.plugin);
    }
}

SCENARIO("window: aspect starts the window in its shape, on both roads") {
    const RECT work = PrimaryMonitor(true);
    const struct {
        const char* settings;
        bool immediate;
        int left, top, height;  // left -1: centred in the work area
    } cases[] = {{"windowsize=1280x960\nwindowpos=40,30\n", false, 40, 30, 960},
                 {"windowsize=1280x960\nwindowpos=center\n", true, -1, 0, 960},
                 {"windowsize=1280x900\nwindowpos=10,20\nborderless=yes\n", false, 10, 20, 900}};
    for (const auto& c : cases) {
        const std::string settings = std::string("dispora=windowed\naspect=4:3\n") + c.settings;
        const int cursorBefore = CursorDisplayCount();
        const HWND window = c.immediate ? LoadWithWindow(kStandInBuilds[2], settings.c_str()).window
                                        : LoadThenStartGame(kStandInBuilds[2], settings.c_str()).window;
        const RECT client = ClientArea(window), bounds = WindowBounds(window);
        CHECK_EQ(client.right, client.bottom * 4 / 3);  // the largest 4:3 picture in the height
        const int width = bounds.right - bounds.left;
        CheckOuter(window, c.left >= 0 ? c.left : work.left + (work.right - work.left - width) / 2,
                   c.left >= 0 ? c.top : work.top + (work.bottom - work.top - c.height) / 2, width, c.height);
        CheckHostKnowsClientSize(window);
        UnloadPlugin(GetModuleHandleA(kPlugin));
        RestoreCursor(cursorBefore);
    }
}

namespace {

HWND StartOnEitherRoad(bool immediate, const std::string& settings) {
    return immediate ? LoadWithWindow(kStandInBuilds[3], settings.c_str()).window
                     : LoadThenStartGame(kStandInBuilds[2], settings.c_str()).window;
}

void UnloadAndRestoreCursor(int cursorBefore) {
    UnloadPlugin(GetModuleHandleA(kPlugin));
    RestoreCursor(cursorBefore);
}

}  // namespace

SCENARIO("window: picturesize is the picture, the frame around it, on both roads") {
    const struct {
        const char* settings;
        bool immediate;
        int width, height;  // the picture
        int left, top;      // the window's corner
        const char* line;   // a line the log must have, or null
    } cases[] = {
        {"picturesize=1280x720\nwindowpos=40,30\n", false, 1280, 720, 40, 30, nullptr},
        {"picturesize=1024x600\nwindowsize=800x600\n", true, 1024, 600, 100, 100,
         "picturesize \"1024x600\" wins over windowsize \"800x600\"\n"},
        {"picturesize=1600x900\naspect=4:3\nwindowpos=60,50\n", false, 1200, 900, 60, 50, nullptr},
        {"picturesize=1024x768\nborderless=yes\nwindowpos=10,20\n", true, 1024, 768, 10, 20, nullptr},
        {"picturesize=100x100\n", true, 320, 240, 100, 100, "picturesize 100 x 100 cannot work: using 320 x 240\n"},
        {"picturesize=wide\n", true, 640, 480, 100, 100, "picturesize \"wide\" not understood: 640 x 480\n"},
    };
    for (const auto& c : cases) {
        const int cursorBefore = CursorDisplayCount();
        const HWND window = StartOnEitherRoad(c.immediate, std::string("dispora=windowed\n") + c.settings);
        // The frame Windows gives the window's style, around the picture.
        RECT frame = {0, 0, 0, 0};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
        const RECT client = ClientArea(window);
        CHECK_EQ_FOR(c.settings, client.right, c.width);
        CHECK_EQ_FOR(c.settings, client.bottom, c.height);
        CheckOuter(window, c.left, c.top, c.width + frame.right - frame.left, c.height + frame.bottom - frame.top);
        if (c.line != nullptr) CHECK_FOR(c.line, Logged(c.line));
        CheckHostKnowsClientSize(window);
        UnloadAndRestoreCursor(cursorBefore);
    }
    // A remembered window still wins over the picture asked for.
    WriteRemembered("windowpos=100,120\r\nwindowsize=800x600\r\n");
    const DeferredRun run = LoadThenStartGame(kStandInBuilds[0], "dispora=windowed\npicturesize=1280x720\nremember=yes\n");
    CheckOuter(run.window, 100, 120, 800, 600);
    UnloadPlugin(run.plugin);
    DeleteFileA(RememberedPath().c_str());
}

// --- the backdrop of borderless full screen with aspect ---------------------------------
namespace {

HWND Backdrop() { return FindWindowA("dispora backdrop", nullptr); }

bool BackdropClassRegistered(HMODULE plugin) {
    WNDCLASSA windowClass = {};
    return GetClassInfoA(plugin, "dispora backdrop", &windowClass) != FALSE;
}

POINT Middle(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// The shell's taskbar object, stood in for on this thread: the last
// full-screen declaration the plug-in made for the game's window.
struct StandInTaskbar : ITaskbarList2, IClassFactory {
    int declared = -1;  // none yet; then 1 (full screen) or 0
    // One object serves as both the factory and the taskbar list.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** object) override {
        const IID classFactory = {0x00000001, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
        *object = IsEqualIID(wanted, classFactory) ? static_cast<void*>(static_cast<IClassFactory*>(this))
                                                      : static_cast<void*>(static_cast<ITaskbarList2*>(this));
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE HrInit() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, BOOL fullScreen) override {
        declared = fullScreen ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** object) override {
        *object = static_cast<ITaskbarList2*>(this);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

StandInTaskbar& Taskbar() {
    static StandInTaskbar taskbar;
    static bool registered = false;
    if (!registered) {
        const CLSID taskbarList = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        DWORD cookie = 0;
        registered = SUCCEEDED(CoRegisterClassObject(taskbarList, static_cast<IClassFactory*>(&taskbar),
                                                     CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
        CHECK(registered);
    }
    return taskbar;
}

// The game's window is the largest 4:3 picture centred on the monitor; the
// backdrop covers the monitor directly behind it, in the same band.
void CheckBlackBars(HWND game, const RECT& monitor = PrimaryMonitor(false)) {
    const int width = monitor.right - monitor.left, height = monitor.bottom - monitor.top;
    const int pictureWidth = std::min(width, height * 4 / 3), pictureHeight = pictureWidth * 3 / 4;
    CheckOuter(game, monitor.left + (width - pictureWidth) / 2, monitor.top + (height - pictureHeight) / 2,
               pictureWidth, pictureHeight);
    CHECK_EQ(GetWindowLongA(game, GWL_STYLE) & (kFrameStyles | WS_SYSMENU | WS_MAXIMIZE), 0);
    CheckGameFollowsClient(game);
    HWND backdrop = Backdrop();
    CHECK(backdrop != nullptr && IsWindowVisible(backdrop));
    CHECK_EQ(GetClassLongPtrA(backdrop, GCLP_HBRBACKGROUND), reinterpret_cast<LONG_PTR>(GetStockObject(BLACK_BRUSH)));
    CheckOuter(backdrop, monitor.left, monitor.top, width, height);
    CHECK(GetWindow(game, GW_HWNDNEXT) == backdrop);
    CHECK_EQ(IsTopmost(backdrop), IsTopmost(game));
    // Never in the taskbar nor in Alt+Tab.
    CHECK_EQ(GetWindowLongA(backdrop, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_APPWINDOW),
             WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    const POINT onABar = pictureWidth < width ? POINT{monitor.left + 2, Middle(monitor).y}
                                              : POINT{Middle(monitor).x, monitor.top + 2};
    CHECK(WindowFromPoint(onABar) == backdrop);
    CHECK(WindowFromPoint(Middle(monitor)) == game);
}

}  // namespace

SCENARIO("window: aspect in borderless full screen: black bars behind the game, never active, gone when framed") {
    StandInTaskbar& taskbar = Taskbar();
    taskbar.declared = -1;
    DeferredRun run = LoadThenStartGame(kStandInBuilds[2], "dispora=windowed\nborderless=yes\naspect=4:3\npauseonleave=yes\n");
    CheckBlackBars(run.window);
    CHECK(GetActiveWindow() == run.window);
    CHECK_EQ(taskbar.declared, 1);  // full screen to the taskbar, though its client area is narrower
    hostPauseRequests = 0;
    const RECT monitor = PrimaryMonitor(false);
    ClickAt({monitor.left + 5, Middle(monitor).y});  // a click on a bar
    CHECK(GetForegroundWindow() == run.window && GetActiveWindow() == run.window);
    CHECK_EQ(hostPauseRequests, 0);  // not a leave

    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 900, 700, 60, 40, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    SetForegroundWindow(run.window);
    CheckBlackBars(run.window);  // back directly behind the game
    DestroyWindow(other);

    ShowWindow(run.window, SW_MINIMIZE);
    CHECK(!IsWindowVisible(Backdrop()));
    ShowWindow(run.window, SW_RESTORE);
    CheckBlackBars(run.window);
    ShowWindow(run.window, SW_HIDE);  // as the game does before it closes its window
    CHECK(!IsWindowVisible(Backdrop()));
    ShowWindow(run.window, SW_SHOW);
    CheckBlackBars(run.window);
    // Moved, as Win+Shift+Arrow moves it to another monitor: centred on its monitor again.
    SetWindowPos(run.window, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CheckBlackBars(run.window);
    // In a full-screen video mode from the game's menu the engine sizes the window: it is left so.
    HostVar(kStandInBuilds[2].GcurSelVM) = 1;
    SetWindowPos(run.window, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    CheckOuter(run.window, 0, 0, 800, 600);
    HostVar(kStandInBuilds[2].GcurSelVM) = 0;
    SetWindowPos(run.window, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CheckBlackBars(run.window);

    AltEnter(run.window);  // framed: the bars go
    CheckFramed(run.window);
    CHECK(Backdrop() == nullptr);
    CHECK_EQ(taskbar.declared, 0);
    CHECK(!BackdropClassRegistered(run.plugin));
    AltEnter(run.window);
    CheckBlackBars(run.window);
    SendMessageA(run.window, WM_KEYUP, VK_RETURN, 0);  // the player lets go of Enter
    CHECK_EQ(taskbar.declared, 1);
    UnloadPlugin(run.plugin);
    CHECK(Backdrop() == nullptr);
    CHECK(!BackdropClassRegistered(run.plugin));
}

SCENARIO("window: another mod puts the game's own procedure back over ours: bars, clip and taskbar let go") {
    StandInTaskbar& taskbar = Taskbar();
    taskbar.declared = -1;
    RenamedPlugin copy("dispora-taken-out.asi");  // kept loaded by mistake, it would stay for the rest of this process
    // Ours over the game's, or over a mod's that was there before; the
    // game's loop runs on, or the plug-in unloads at once.
    for (const bool overMod : {false, true}) {
        InstallHost(&kStandInBuilds[1]);
        WriteSettingsFile("dispora=windowed\nborderless=yes\naspect=4:3\nclipcursor=yes\n");
        HMODULE plugin = LoadPlugin(copy.name.c_str());
        HWND window = CreateWindowAsGame();
        if (overMod) {
            foreignPrevious = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
        }
        ClearCapturedOutput();
        StartGame();
        CHECK(CursorConfinedTo(window) && Backdrop() != nullptr);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostWindowProcedure()));
        if (!overMod) {
            PumpMessages(400);
            CHECK(Backdrop() == nullptr && CursorFree());
            CHECK_EQ(taskbar.declared, 0);
        }
        UnloadPlugin(plugin);
        CHECK(GetModuleHandleA(copy.name.c_str()) == nullptr);
        CHECK(Logged("another mod took our window procedure out of the game window: Alt+Enter, black bars, mouse clip "
                     "and the other window features are off\n"));
        CHECK(CursorFree() && ProcedureIsHosts(window));
    }
    DestroyHostWindow();
}

SCENARIO("window: aspect in borderless full screen on the immediate road: topmost bars, the mouse kept in the picture") {
    StandInTaskbar& taskbar = Taskbar();
    taskbar.declared = -1;
    ImmediateRun run = LoadWithWindow(
        kStandInBuilds[3], "dispora=windowed\nborderless=yes\naspect=4:3\ntopmost=always\nclipcursor=yes\n");
    CHECK_EQ(taskbar.declared, -1);  // not while the loader runs us
    SendMessageA(run.window, WM_NULL, 0, 0);  // the game's next message
    CHECK_EQ(taskbar.declared, 1);
    CheckBlackBars(run.window);
    CHECK(IsTopmost(Backdrop()));
    CHECK(CursorConfinedTo(run.window));
    DestroyHostWindow();  // the game closes its window: the bars go with it
    CHECK(Backdrop() == nullptr);
    CHECK(!BackdropClassRegistered(run.plugin));
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);

    run = LoadWithWindow(kStandInBuilds[3], "dispora=windowed\nborderless=yes\naspect=8:5\n");  // the monitor's shape
    CheckCoversMonitor(run.window);
    CHECK(Backdrop() == nullptr);
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);
}

// --- a second monitor, to the left of the main one; a scaled display ---------------------
// scripts/wine-tests.sh --two-monitors runs "monitors:", then "monitor gone:" on one monitor.
namespace {

// \\.\DISPLAY2, the monitor the two-monitor display has left of the main one.
RECT SecondMonitor(bool workArea) {
    const HMONITOR second = MonitorFromPoint(POINT{-1, 0}, MONITOR_DEFAULTTONULL);
    MONITORINFOEXA info = {};
    info.cbSize = sizeof(info);
    CHECK(second != nullptr && GetMonitorInfoA(second, &info));
    CHECK_TEXT(info.szDevice, "\\\\.\\DISPLAY2");
    return workArea ? info.rcWork : info.rcMonitor;
}

RECT CentredIn(const RECT& area, int width, int height) {
    const int left = area.left + (area.right - area.left - width) / 2, top = area.top + (area.bottom - area.top - height) / 2;
    return {left, top, left + width, top + height};
}

// Alt+Enter to borderless full screen on that monitor and back to the same
// framed window, the mouse kept in the picture.
void AltEnterThereAndBack(HWND window, const RECT& monitor) {
    const RECT framed = WindowBounds(window);
    AltEnter(window);
    CheckCoversMonitor(window, monitor);
    CHECK(CursorConfinedTo(window));
    AltEnter(window);
    CHECK(BoundsAre(window, framed));
    CheckFramed(window);
    CheckGameFollowsClient(window);
    CHECK(CursorConfinedTo(window));
}

const char* const kRememberedOnSecondMonitor = "dispora-window-second-monitor.ini";

}  // namespace

SCENARIO("monitors: monitor=2 and a windowpos left of the main monitor, on both roads") {
    const RECT second = SecondMonitor(false), secondWork = SecondMonitor(true);
    const struct {
        const char* settings;
        bool immediate;
        RECT expected;
    } cases[] = {{"monitor=2\nwindowsize=800x600\n", false, CentredIn(secondWork, 800, 600)},
                 {"monitor=2\n", true, CentredIn(secondWork, 800, 600)},
                 {"monitor=2\nwindowsize=800x600\nwindowpos=40,30\n", true,
                  {second.left + 40, second.top + 30, second.left + 840, second.top + 630}},
                 {"windowsize=800x600\nwindowpos=-1200,100\n", false, {-1200, 100, -400, 700}}};
    for (const auto& c : cases) {
        const int cursorBefore = CursorDisplayCount();
        const HWND window = StartOnEitherRoad(c.immediate, std::string("dispora=windowed\n") + c.settings);
        CHECK(BoundsAre(window, c.expected));
        CheckHostKnowsClientSize(window);
        UnloadAndRestoreCursor(cursorBefore);
    }
}

SCENARIO("monitors: borderless full screen on the second monitor, on both roads, black bars there too") {
    const RECT second = SecondMonitor(false);
    for (const bool immediate : {false, true}) {
        const int cursorBefore = CursorDisplayCount();
        HWND window = StartOnEitherRoad(immediate, "dispora=windowed\nmonitor=2\nborderless=yes\n");
        CheckCoversMonitor(window, second);
        UnloadAndRestoreCursor(cursorBefore);
        // 5:4: the 4:3 picture has its bars above and below.
        window = StartOnEitherRoad(immediate, "dispora=windowed\nmonitor=2\nborderless=yes\naspect=4:3\nclipcursor=yes\n");
        CheckBlackBars(window, second);
        AltEnter(window);  // a framed window of three quarters of that monitor, centred there
        const RECT client = ClientArea(window);
        CHECK_EQ(client.right, (second.right - second.left) * 3 / 4);
        CHECK_EQ(client.bottom, (second.bottom - second.top) * 3 / 4);
        const RECT framed = WindowBounds(window);
        CHECK(BoundsAre(window, CentredIn(SecondMonitor(true), framed.right - framed.left, framed.bottom - framed.top)));
        AltEnter(window);  // and back to the bars there, the mouse in the picture
        CheckBlackBars(window, second);
        CHECK(CursorConfinedTo(window));
        UnloadAndRestoreCursor(cursorBefore);
    }
}

SCENARIO("monitors: the clip follows the window across; Alt+Enter on the second monitor and back") {
    DeferredRun run =
        LoadThenStartGame(kStandInBuilds[1], "dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\nclipcursor=yes\n");
    CHECK(CursorConfinedTo(run.window));
    SetWindowPos(run.window, nullptr, -1100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // Win+Shift+Left
    CHECK(CursorConfinedTo(run.window));
    AltEnterThereAndBack(run.window, SecondMonitor(false));
    SetWindowPos(run.window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CHECK(CursorConfinedTo(run.window));
    UnloadPlugin(run.plugin);
}

SCENARIO("monitors: a window remembered on the second monitor comes back there") {
    DeleteFileA(RememberedPath().c_str());
    const char* settings = "dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\nremember=yes\n";
    DeferredRun run = LoadThenStartGame(kStandInBuilds[0], settings);
    EndMove(run.window, -1100, 100);
    UnloadPlugin(run.plugin);
    run = LoadThenStartGame(kStandInBuilds[0], settings);
    CheckOuter(run.window, -1100, 100, 800, 600);
    CHECK(Logged("remembered window 800 x 600 at -1100, 100: used\n"));
    UnloadPlugin(run.plugin);
    // Kept for the start without that monitor that follows.
    CHECK(MoveFileExA(RememberedPath().c_str(), (RigDirectory() + kRememberedOnSecondMonitor).c_str(),
                      MOVEFILE_REPLACE_EXISTING));
}

SCENARIO("monitor gone: a window remembered on a monitor unplugged since is ignored") {
    CHECK_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    CHECK(MoveFileExA((RigDirectory() + kRememberedOnSecondMonitor).c_str(), RememberedPath().c_str(),
                      MOVEFILE_REPLACE_EXISTING));
    DeferredRun run = LoadThenStartGame(kStandInBuilds[0], "dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\nremember=yes\n");
    CHECK(Logged("remembered window 800 x 600 at -1100, 100: on no monitor, ignored\n"));
    CheckOuter(run.window, 40, 30, 800, 600);
    UnloadPlugin(run.plugin);
    DeleteFileA(RememberedPath().c_str());
}

// The frame, the picture, Alt+Enter and the clip with the process DPI-aware
// (in a process of its own: the awareness cannot be taken back).
SCENARIO("child:window: DPI-aware, a sized window, its picture, clip and Alt+Enter") {
    DeferredRun run = LoadThenStartGame(
        kStandInBuilds[2], "dispora=windowed\nwindowsize=800x600\nwindowpos=40,30\nclipcursor=yes\ndpiaware=yes\n");
    CHECK(ReadWholeFile(LogFilePath()).find(" DPI awareness set\n") != std::string::npos);  // system or per-monitor
    CheckOuter(run.window, 40, 30, 800, 600);
    CheckGameDrawsWholeClient(run);
    CHECK(CursorConfinedTo(run.window));
    AltEnterThereAndBack(run.window, PrimaryMonitor(false));  // back at 40, 30, 800 x 600
    UnloadPlugin(run.plugin);
}

SCENARIO("window: DPI-aware, a sized window keeps its outer size, picture and clip through Alt+Enter") {
    CHECK_EQ(RunChild("child:window: DPI-aware, a sized window, its picture, clip and Alt+Enter", ""), 0);
}
