// The window keys in the windowed mode (windowsize, windowpos, topmost,
// borderless) on both roads. On the deferred road the game starts up in its
// own order around the plug-in's choice, and the checks are what a player
// sees once the game has shown its window.
#include <stdio.h>
#include <string.h>

#include "tests/host/rig.h"

namespace {

constexpr LONG kFrameStyles = WS_CAPTION | WS_THICKFRAME;

RECT ClientArea(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}

RECT PrimaryMonitor(bool workArea) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return workArea ? info.rcWork : info.rcMonitor;
}

void CheckOuter(HWND window, int left, int top, int width, int height) {
    const RECT bounds = WindowBounds(window);
    CHECK_EQ(bounds.left, left);
    CHECK_EQ(bounds.top, top);
    CHECK_EQ(bounds.right - bounds.left, width);
    CHECK_EQ(bounds.bottom - bounds.top, height);
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
    CHECK(engine.logLines == std::vector<std::string>{"[dispora.asi] video mode in use: 0 (chosen: 0)\n"});
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
    const RECT work = PrimaryMonitor(true);
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
    const struct {
        const char* pos;
        int left, top;
    } cases[] = {{"-50,20", -50, 20},
                 {"center", work.left + (work.right - work.left - 1024) / 2, work.top + (work.bottom - work.top - 768) / 2},
                 {"100,-99999", work.left + (work.right - work.left - 1024) / 2, work.top + (work.bottom - work.top - 768) / 2},
                 {"somewhere", 100, 100}};
    for (const auto& c : cases) {
        const std::string settings = std::string("dispora=windowed\nwindowsize=1024x768\nwindowpos=") + c.pos + "\r\n";
        ImmediateRun run = LoadWithWindow(kStandInBuilds[3], settings.c_str());
        CHECK(run.plugin != nullptr);
        CheckOuter(run.window, c.left, c.top, 1024, 768);
        CheckHostKnowsClientSize(run.window);
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

SCENARIO("window: the game's procedure is left alone without a frame or clipcursor") {
    for (const char* settings : {"dispora=1024x768x32\nclipcursor=yes\n", "dispora=windowed\nborderless=yes\n"}) {
        DeferredRun run = LoadThenStartGame(kStandInBuilds[0], settings);
        CHECK(ProcedureIsHosts(run.window));
        UnloadPlugin(run.plugin);
    }
    ImmediateRun run = LoadWithWindow(kStandInBuilds[1], "dispora=windowed\nborderless=yes\n");
    CHECK(ProcedureIsHosts(run.window));
    UnloadPlugin(run.plugin);
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
    HoldCtrlAlt(false);
    SendMessageA(run.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    CHECK(CursorConfinedTo(run.window));

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

// Lets the system's input queue deliver what it holds, as the game's loop would.
void PumpMessages(int milliseconds) {
    for (const DWORD until = GetTickCount() + milliseconds; GetTickCount() < until; Sleep(10)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

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
