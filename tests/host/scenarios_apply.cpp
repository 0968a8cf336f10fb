// Applying the mode: at once when the game window exists at load time, or
// inside the game's own psSelectDevice when it does not; the attach guard.
#include <stdio.h>
#include <string.h>

#include "tests/host/rig.h"

namespace {

// The front end starts (copying GcurSelVM into the menu's fields) and the
// player presses a key: the display menu must have a name to show, and
// gta3.set a full-screen mode to keep. A key before the start changes nothing.
void CheckMenuAfterFrontEnd(HWND window, const StandInBuild& build, int32_t named, const char* what) {
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    StartFrontEnd();
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    const char* name = DisplayMenuModeName();
    CHECK_FOR(what, name != nullptr);
    CHECK_EQ_FOR(what, HostVar(build.savedModeIndex), named);
    CHECK_EQ_FOR(what, HostVar(build.savedModeIndex - 4), named);
}

}  // namespace

// --- immediate road ------------------------------------------------------------
SCENARIO_EACH_BUILD("immediate: windowed, sized and on top") {
    ImmediateRun run = LoadWithWindow(build, "dispora=windowed\nwindowsize=1024x768\ntopmost=yes\n");
    CHECK(run.plugin != nullptr);
    CHECK(engine.setSubSystemCalls == std::vector<int>{0});
    CHECK(engine.setVideoModeCalls == std::vector<int>{0});
    CHECK(engine.rawSetVideoModeCalls == std::vector<int>{0});
    CHECK_EQ(HostVar(build.GcurSelVM), 0);
    const LONG style = GetWindowLongA(run.window, GWL_STYLE);
    CHECK_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    CHECK_EQ(style & run.styleBefore, run.styleBefore);  // nothing taken away
    const RECT bounds = WindowBounds(run.window);
    CHECK_EQ(bounds.left, 100);
    CHECK_EQ(bounds.top, 100);
    CHECK_EQ(bounds.right - bounds.left, 1024);
    CHECK_EQ(bounds.bottom - bounds.top, 768);
    CHECK(IsWindowVisible(run.window));
    CHECK(IsTopmost(run.window));  // HWND_TOP keeps the window's own z-order group
    CHECK_EQ(CursorDisplayCount(), run.cursorBefore - 1);
    CHECK(Logged("VM config: GcurSel = 0, GcurSelVM = -1\n"));
    CHECK(Logged("Dispora selected: Stand-in Display : windowed\n"));
    CHECK(Logged("changing window size to 1024 x 768\n"));
    CheckMenuAfterFrontEnd(run.window, build, 1, "the first mode the game's list names");
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);
}

// A gamepad reaches the game through DirectInput, with no window message.
SCENARIO("immediate: the display menu is named for a player with only a gamepad too") {
    ImmediateRun run = LoadWithWindow(kStandInBuilds[0], "dispora=windowed\n");
    StartFrontEnd();
    PumpMessages(300);
    CHECK(DisplayMenuModeName() != nullptr);
    CHECK_EQ(HostVar(kStandInBuilds[0].savedModeIndex), 1);
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);
}

SCENARIO("immediate: topmost false or absent takes away always-on-top") {
    for (const char* settings : {"dispora=windowed\nwindowsize=800x600\ntopmost=no\n",
                                 "dispora=windowed\nwindowsize=800x600\n"}) {
        ImmediateRun run = LoadWithWindow(kStandInBuilds[0], settings);
        CHECK(run.plugin != nullptr);
        CHECK(!IsTopmost(run.window));
        UnloadPlugin(run.plugin);
        RestoreCursor(run.cursorBefore);
    }
}

SCENARIO("immediate: a malformed windowsize gives 640 x 480") {
    for (const char* settings : {"dispora=windowed\nwindowsize=1024\n", "dispora=windowed\nwindowsize=large\n"}) {
        ImmediateRun run = LoadWithWindow(kStandInBuilds[2], settings);
        const RECT bounds = WindowBounds(run.window);
        CHECK_EQ(bounds.right - bounds.left, 640);
        CHECK_EQ(bounds.bottom - bounds.top, 480);
        CHECK(Logged("changing window size to 640 x 480\n"));
        UnloadPlugin(run.plugin);
        RestoreCursor(run.cursorBefore);
    }
}

SCENARIO("immediate: no windowsize keeps the window's size") {
    ImmediateRun run = LoadWithWindow(kStandInBuilds[1], "dispora=windowed\n");
    const RECT bounds = WindowBounds(run.window);
    CHECK_EQ(bounds.left, 100);
    CHECK_EQ(bounds.top, 100);
    CHECK_EQ(bounds.right - bounds.left, 800);
    CHECK_EQ(bounds.bottom - bounds.top, 600);
    CHECK(Logged("changing window size to 800 x 600\n"));
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);
}

SCENARIO("immediate: a full-screen pick leaves style and size alone") {
    ImmediateRun run = LoadWithWindow(kStandInBuilds[3], "dispora=1024x768x32\nwindowsize=640x480\n");
    CHECK(run.plugin != nullptr);
    CHECK_EQ(HostVar(kStandInBuilds[3].GcurSelVM), 5);
    CHECK(engine.setVideoModeCalls == std::vector<int>{5});
    CHECK(engine.rawSetVideoModeCalls == std::vector<int>{5});
    CHECK_EQ(GetWindowLongA(run.window, GWL_STYLE), run.styleBefore | WS_VISIBLE);
    const RECT bounds = WindowBounds(run.window);
    CHECK_EQ(bounds.left, 0);
    CHECK_EQ(bounds.right - bounds.left, 800);
    CHECK(IsWindowVisible(run.window));
    CHECK_EQ(CursorDisplayCount(), run.cursorBefore - 1);
    CHECK(Logged("Dispora selected: Stand-in Display : 1024x768x32\n"));
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);
}

SCENARIO("immediate: a size no mode has keeps the host's choice") {
    ImmediateRun run = LoadWithWindow(kStandInBuilds[0], "dispora=1600x1200\n");
    CHECK(run.plugin != nullptr);
    CHECK_EQ(HostVar(kStandInBuilds[0].GcurSelVM), -1);
    CHECK(engine.setVideoModeCalls == std::vector<int>{-1});  // the engine gets the host's value as it stands
    CHECK(Logged("Dispora selected: Stand-in Display : (no mode)\n"));
    CHECK(Logged("no 1600 x 1200 mode among the 8 the engine offers: the game's own choice stands\n"));
    CHECK_EQ(HostVar(kStandInBuilds[0].savedModeIndex), -1);
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);
}

SCENARIO("immediate: a mode the host has no name for") {
    InstallHost(&kStandInBuilds[1]);
    engine.subSystems[0].modeNames[5] = "";  // a null entry in the host's list
    WriteSettingsFile("dispora=1024x768x32\n");
    CreateHostWindow();
    const int cursorBefore = CursorDisplayCount();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CHECK(Logged("Dispora selected: Stand-in Display : (unnamed mode)\n"));
    CHECK(engine.setVideoModeCalls == std::vector<int>{5});
    UnloadPlugin(plugin);
    RestoreCursor(cursorBefore);
}

SCENARIO("immediate: no dispora key changes nothing but the log") {
    ImmediateRun run = LoadWithWindow(kStandInBuilds[0], "windowsize=1024x768\n");
    CHECK(run.plugin != nullptr);
    CHECK(engine.setSubSystemCalls.empty());
    CHECK(engine.setVideoModeCalls.empty());
    CHECK_EQ(GetWindowLongA(run.window, GWL_STYLE), run.styleBefore);
    CHECK_EQ(WindowBounds(run.window).left, 0);
    CHECK_EQ(CursorDisplayCount(), run.cursorBefore);
    CHECK_EQ(engine.logLines.size(), 8);  // build line, banner, no dispora, VM config
    CHECK(Logged("no dispora setting on the command line, in the file name or in " + SettingsFilePath() +
                 ": video mode and window left to the game\n"));
    CHECK(Logged("VM config: GcurSel = 0, GcurSelVM = -1\n"));
    UnloadPlugin(run.plugin);
}

SCENARIO("immediate: a refused subsystem fails attach and leaves the game window as it was") {
    const StandInBuild& build = kStandInBuilds[2];
    InstallHost(&build);
    engine.refuseSubSystem = true;
    WriteSettingsFile("dispora=windowed\nwindowsize=1024x768\nborderless=yes\n");
    HWND window = GameWindowBeforeLoad();
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const RECT bounds = WindowBounds(window);
    const HostRecordSizes record = RecordSizes();
    const int32_t selection[] = {HostVar(build.GcurSel), HostVar(build.GcurSelVM), HostVar(build.savedModeIndex)};
    const uint32_t site = build.selectDevice + 0x75;
    HMODULE plugin = LoadPlugin();
    CHECK(plugin == nullptr);
    CHECK(IsWindowVisible(window));
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE), style);
    const RECT after = WindowBounds(window);
    CHECK(EqualRect(&bounds, &after));
    CHECK(RecordSizes() == record);
    CHECK_EQ(HostVar(build.GcurSel), selection[0]);
    CHECK_EQ(HostVar(build.GcurSelVM), selection[1]);
    CHECK_EQ(HostVar(build.savedModeIndex), selection[2]);
    CHECK(ProcedureIsHosts(window));
    CHECK(Logged("failed to set SubSystem!\n"));
    CHECK_EQ(CallTarget(site), build.RwEngineSetSubSystem);  // the game's own call is back
    CHECK(OthersCanOpen(SettingsFilePath()));        // and the file let go
    engine.refuseSubSystem = false;
    HostVar(build.savedModeIndex) = 1;  // named on both displays: the game needs no search
    CHECK_EQ(CallSelectDevice(1), 1);
}

SCENARIO("immediate: a refused video mode is logged and the rest goes on") {
    InstallHost(&kStandInBuilds[0]);
    engine.refuseVideoMode = true;
    WriteSettingsFile("dispora=windowed\nwindowsize=700x500\n");
    HWND window = GameWindowBeforeLoad();
    const int cursorBefore = CursorDisplayCount();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CHECK(Logged("failed to set VM!\n"));
    CHECK(engine.rawSetVideoModeCalls == std::vector<int>{0});
    CHECK(IsWindowVisible(window));
    CHECK_EQ(WindowBounds(window).right - WindowBounds(window).left, 700);
    UnloadPlugin(plugin);
    RestoreCursor(cursorBefore);
}

SCENARIO("child:immediate: the dialog's exit button ends the game") {
    InstallHost(&kStandInBuilds[1]);
    WriteSettingsFile("dispora=pick\n");
    CreateHostWindow();
    DriveModalWindow([](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, 1002), BM_CLICK, 0, 0);
        return true;
    });
    LoadPlugin();
    CHECK(!"the process should have ended");
}

SCENARIO("immediate: the dialog's exit button ends the game with code 3") {
    CHECK_EQ(RunChild("child:immediate: the dialog's exit button ends the game", ""), 3);
}

// --- deferred road ----------------------------------------------------------------
SCENARIO_EACH_BUILD("deferred: armed at attach, chosen at the first device selection") {
    InstallHost(&build);
    WriteSettingsFile("dispora=windowed\n");
    const uint32_t gta3V10ClearOnDefer = kStandInBuilds[0].clearOnDefer;
    if (build.clearOnDefer == 0) HostVar(gta3V10ClearOnDefer) = 0x7E57;  // where another build has one
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    if (build.clearOnDefer != 0) {
        CHECK_EQ(HostVar(build.clearOnDefer), 0);
    } else {
        CHECK_EQ(HostVar(gta3V10ClearOnDefer), 0x7E57);  // GTA3 1.1 has no such variable: nothing written
    }
    CHECK(engine.setSubSystemCalls.empty());
    HWND window = CreateHostWindow();
    const LONG styleBefore = GetWindowLongA(window, GWL_STYLE);
    engine.setSubSystemResult = 0x77;
    CHECK_EQ(CallSelectDevice(1), 0x77);
    CHECK(engine.setSubSystemCalls == std::vector<int>{1});
    CHECK_EQ(HostVar(build.GcurSelVM), 0);
    CHECK_EQ(HostVar(build.savedModeIndex), 1);  // the display's first named mode: no search
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE), styleBefore | WS_OVERLAPPEDWINDOW);
    CHECK(engine.setVideoModeCalls == std::vector<int>{0});  // set by the game itself
    CHECK_EQ(WindowBounds(window).left, 0);

    // A mode from the display menu: the subsystem and settle calls pass through.
    CHECK_EQ(ChangeModeFromMenu(3), 0x77);
    CHECK(engine.setSubSystemCalls == (std::vector<int>{1, 0}));  // the game's GcurSel
    CHECK(engine.setVideoModeCalls == (std::vector<int>{0, 3}));
    CHECK(RecordSizes() == (HostRecordSizes{800, 600, 800, 600}));
    CHECK_EQ(HostVar(build.savedModeIndex), 1);
    UnloadPlugin(plugin);
}

SCENARIO("deferred: a full-screen pick also frames the window") {
    const StandInBuild& build = kStandInBuilds[2];
    InstallHost(&build);
    WriteSettingsFile("dispora=640x480x32\n");
    HMODULE plugin = LoadPlugin();
    HWND window = CreateHostWindow();
    CHECK_EQ(CallSelectDevice(0), 1);
    CHECK_EQ(HostVar(build.savedModeIndex), 2);
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    UnloadPlugin(plugin);
}

// Modes: 0 800x600x32 windowed, 1 640x480x16, 2 640x480x32, 3 800x600x16,
// 4 800x600x32, 5 1024x768x32, 6 1280x1024x32, 7 1920x1080x32.
constexpr int32_t kGamesSavedMode = 6;

SCENARIO("deferred: a size picks its deepest full-screen mode, a depth its first; one not offered leaves the game's saved mode") {
    const struct {
        const char* value;
        int32_t mode;
        const char* line;  // the line that names the mode chosen and its depth, or the size not offered
    } cases[] = {{"800x600", 4, "mode 4 chosen: 800 x 600 x 32, the deepest of that size\n"},
                 {"800x600x16", 3, "mode 3 chosen: 800 x 600 x 16\n"},
                 {"800x600x0", 4, "mode 4 chosen: 800 x 600 x 32, the deepest of that size\n"},
                 {"800x600x32", 4, "mode 4 chosen: 800 x 600 x 32\n"},
                 {"640x480", 2, "mode 2 chosen: 640 x 480 x 32, the deepest of that size\n"},
                 {"1024x768x32", 5, "mode 5 chosen: 1024 x 768 x 32\n"},
                 {"1024x768x16", -1, "no 1024 x 768 x 16 mode among the 8 the engine offers: the game's own choice stands\n"},
                 {"1366x768", -1, "no 1366 x 768 mode among the 8 the engine offers: the game's own choice stands\n"}};
    const StandInBuild& build = kStandInBuilds[3];
    for (const auto& c : cases) {
        InstallHost(&build);
        HostVar(build.savedModeIndex) = kGamesSavedMode;
        WriteSettingsFile(std::string("dispora=") + c.value + "\r\n");
        HMODULE plugin = LoadPlugin();
        CreateHostWindow();
        ClearCapturedOutput();
        CHECK_EQ(CallSelectDevice(0), 1);
        // Not offered: the game's own choice, its saved mode.
        CHECK_EQ_FOR(c.value, HostVar(build.GcurSelVM), c.mode < 0 ? kGamesSavedMode : c.mode);
        CHECK_EQ_FOR(c.value, HostVar(build.savedModeIndex), c.mode < 0 ? kGamesSavedMode : c.mode);
        CHECK_FOR(c.line, Logged(c.line));
        UnloadPlugin(plugin);
        DestroyHostWindow();
    }
}

SCENARIO_EACH_BUILD("deferred: no dispora key is a pure forward") {
    InstallHost(&build);
    RemoveSettingsFile();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    if (build.clearOnDefer != 0) CHECK_EQ(HostVar(build.clearOnDefer), kClearOnDeferSentinel);
    HWND window = CreateHostWindow();
    const LONG styleBefore = GetWindowLongA(window, GWL_STYLE);
    engine.setSubSystemResult = 0x55;
    CHECK_EQ(CallSelectDevice(0), 0x55);
    CHECK_EQ(HostVar(build.savedModeIndex), -1);
    CHECK_EQ(HostVar(build.GcurSelVM), 1);  // the game's own search: 640 x 480 x 16
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE), styleBefore);
    UnloadPlugin(plugin);
}

SCENARIO("deferred: no game window yet at device selection") {
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    WriteSettingsFile("dispora=windowed\n");
    HMODULE plugin = LoadPlugin();
    ClearCapturedOutput();
    CHECK_EQ(CallSelectDevice(0), 1);
    CHECK_EQ(HostVar(build.savedModeIndex), 1);
    CHECK_EQ(HostVar(build.GcurSelVM), 0);
    CHECK(Logged("no host window yet: frame styles not added\n"));
    UnloadPlugin(plugin);
}

// --- the windowed choice and the game's own mode search ------------------------------
namespace {

// A machine whose only 16-bit mode of 480 lines is not there: mode 1 is 1024 x 600 x 16.
void WithoutVga16() {
    engine.subSystems[0].modes[1] = ModeInfo{1024, 600, 16, kModeExclusive, {0, 0}};
    engine.subSystems[0].modeNames[1] = "1024x600x16";
}

// The game's menu and gta3.set's mode before the start.
void SetGamesMenuMode(const StandInBuild& build, int32_t mode) {
    HostVar(build.savedModeIndex) = HostVar(build.savedModeIndex - 4) = mode;
}

void PickWindowedRowInDialog() {
    DriveModalWindow([](HWND dialog) {
        HWND modes = GetDlgItem(dialog, 1001);
        if (modes == nullptr) return false;
        const LRESULT rows = SendMessageA(modes, CB_GETCOUNT, 0, 0);
        for (LRESULT row = 0; row < rows; ++row) {
            if (SendMessageA(modes, CB_GETITEMDATA, row, 0) == 0) SendMessageA(modes, CB_SETCURSEL, row, 0);
        }
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1001, CBN_SELCHANGE), reinterpret_cast<LPARAM>(modes));
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        return true;
    });
}

}  // namespace

SCENARIO_EACH_BUILD("deferred: the windowed choice holds whatever the game's mode search does") {
    const struct {
        const char* what;
        ModeSearchReading reading;
        int32_t gamesMenuMode;  // from gta3.set
        bool withoutVga16;
        bool byDialog;
        int32_t tookMode;  // the named mode the game took, then set aside
        const char* tookName;
    } cases[] = {
        {"gated, the game's named mode", ModeSearchReading::FlagGatesAll, 6, false, false, 6, "1280x1024x32"},
        {"as written, the game's named mode", ModeSearchReading::AsWritten, 6, false, false, 6, "1280x1024x32"},
        {"as written, the windowed mode saved", ModeSearchReading::AsWritten, 0, false, false, 1, "640x480x16"},
        {"gated, a mode outside the list", ModeSearchReading::FlagGatesAll, 9, false, false, 1, "640x480x16"},
        {"as written, no 640 x 480 x 16", ModeSearchReading::AsWritten, 0, true, false, 1, "1024x600x16"},
        {"as written, the dialog's windowed row", ModeSearchReading::AsWritten, 5, false, true, 5, "1024x768x32"},
    };
    for (const auto& c : cases) {
        InstallHost(&build);
        WriteSelectDevice(c.reading);
        if (c.withoutVga16) WithoutVga16();
        SetGamesMenuMode(build, c.gamesMenuMode);
        WriteSettingsFile(c.byDialog ? "dispora=choose\n" : "dispora=windowed\nwindowsize=1024x768\n");
        if (c.byDialog) PickWindowedRowInDialog();
        HMODULE plugin = LoadPlugin();
        HWND window = CreateWindowAsGame();
        ClearCapturedOutput();
        const GameStart start = StartGame();
        StopDrivingModalWindow();
        const uint32_t settleSite = build.selectDevice + SelectDeviceCallOffsets().settleModeInfo;
        CHECK_EQ_FOR(c.what, start.selectResult, 1);  // the search found a mode: no "Cannot find" box
        CHECK_FOR(c.what, engine.setVideoModeCalls == std::vector<int>{0});  // no other mode first
        CHECK_EQ_FOR(c.what, HostVar(build.GcurSelVM), 0);
        RECT client = {};
        GetClientRect(window, &client);
        CHECK_FOR(c.what, start.backBuffer.cx == client.right && start.backBuffer.cy == client.bottom &&
                              start.camera.cx == client.right && start.camera.cy == client.bottom);
        CHECK_FOR(c.what, RecordSizes() == (HostRecordSizes{client.right, client.bottom, client.right, client.bottom}));
        const std::string took = "the game took mode " + std::to_string(c.tookMode) + " (" + c.tookName +
                                 "): the windowed mode 0 is set instead\n";
        CHECK_FOR(took.c_str(), Logged(took));
        CHECK_FOR(c.what, AddressInModule(CallTarget(settleSite), plugin));
        CHECK_EQ_FOR(c.what, CallTarget(build.selectDevice + SelectDeviceCallOffsets().searchModeInfo),
                     build.RwEngineGetVideoModeInfo);
        CheckMenuAfterFrontEnd(window, build, c.tookMode, c.what);
        const std::string put = "the display menu's mode was the windowed mode 0, which the game's list does not "
                                "name: mode " + std::to_string(c.tookMode) + " (" + c.tookName + ") put in its place\n";
        // Only where the plug-in cannot clear defaultFullscreenRes does the front end copy the windowed mode.
        CHECK_EQ_FOR(put.c_str(), Logged(put), build.clearOnDefer == 0);
        // A full-screen mode from the display menu: the settle call is the game's again.
        CHECK_EQ_FOR(c.what, ChangeModeFromMenu(5), 1);
        CHECK_FOR(c.what, RecordSizes() == (HostRecordSizes{1024, 768, 1024, 768}));
        UnloadPlugin(plugin);
        CHECK_EQ_FOR(c.what, CallTarget(settleSite), build.RwEngineGetVideoModeInfo);
        DestroyHostWindow();
    }
}

// Settle code the plug-in does not know: where the game's search can take the
// windowed mode (its flag known and cleared, read as gating the whole test)
// it is left to it; where it would end the game or never take it, the game
// keeps its named mode. The menu is named in every case.
SCENARIO_EACH_BUILD("deferred: settle code not known leaves the choice to the game's search, never to its end") {
    const bool flagKnown = build.clearOnDefer != 0;
    const struct {
        const char* what;
        ModeSearchReading reading;
        bool withoutVga16;
        int32_t modeSet;
    } cases[] = {
        {"gated", ModeSearchReading::FlagGatesAll, false, flagKnown ? 0 : 6},
        {"as written", ModeSearchReading::AsWritten, false, flagKnown ? 1 : 6},
        {"as written, no 640 x 480 x 16", ModeSearchReading::AsWritten, true, 6},
    };
    for (const auto& c : cases) {
        InstallHost(&build);
        WriteSelectDevice(c.reading, SettleCallCode::ThroughPointer);
        if (c.withoutVga16) WithoutVga16();
        SetGamesMenuMode(build, 6);
        WriteSettingsFile("dispora=windowed\n");
        HMODULE plugin = LoadPlugin();
        HWND window = CreateWindowAsGame();
        ClearCapturedOutput();
        const GameStart start = StartGame();
        CHECK_EQ_FOR(c.what, start.selectResult, 1);  // the search found a mode: no "Cannot find" box
        CHECK_FOR(c.what, engine.setVideoModeCalls == std::vector<int>{c.modeSet});
        CHECK_FOR(c.what, Logged("psSelectDevice+0x7a..+0x27a calls RwEngineGetVideoModeInfo 1 and "
                                 "RwEngineSetVideoMode 1 times, not 2 and 1: its settle call is not redirected\n"));
        const bool leftToSearch = flagKnown && !c.withoutVga16;
        CHECK_FOR(c.what, Logged(leftToSearch ? "the windowed mode is left to the game's own mode search\n"
                                              : "the game's own mode search cannot be trusted with the windowed mode "
                                                "here: the game keeps mode 6 (1280x1024x32)\n"));
        SendMessageA(window, WM_NULL, 0, 0);  // the game's first message: its selection is over
        const std::string inUse = "video mode in use: " + std::to_string(c.modeSet) + " (chosen: 0)\n";
        CHECK_FOR(inUse.c_str(), Logged(inUse));
        CheckMenuAfterFrontEnd(window, build, 6, c.what);  // the game's own, which gta3.set keeps
        UnloadPlugin(plugin);
        DestroyHostWindow();
    }
}

// The settle call left as the game wrote it, its bytes not writable or no
// named mode to take the windowed one's place: the game's own search decides.
SCENARIO("deferred: a settle call that cannot be written, or a list that names no full-screen mode, leaves the choice to the game's search") {
    for (const bool unwritable : {true, false}) {
        const StandInBuild& build = kStandInBuilds[unwritable ? 0 : 2];
        InstallHost(&build);
        const uint32_t settleSite = build.selectDevice + SelectDeviceCallOffsets().settleModeInfo;
        char line[160] = "the game's mode list names no full-screen mode: the windowed mode is left to the game's own "
                         "mode search\n";
        if (unwritable) {
            SetGamesMenuMode(build, 6);
            snprintf(line, sizeof(line), "the settle call at psSelectDevice+0x%x (0x%x) cannot be written: not redirected\n",
                     SelectDeviceCallOffsets().settleModeInfo, settleSite);
        } else {
            WriteSelectDevice(ModeSearchReading::FlagGatesAll);
            for (std::string& name : engine.subSystems[0].modeNames) name.clear();
        }
        WriteSettingsFile("dispora=windowed\n");
        HMODULE plugin = LoadPlugin();
        CreateWindowAsGame();
        ClearCapturedOutput();
        if (unwritable) RefuseProtectionChanges(settleSite);
        CHECK_EQ_FOR(line, StartGame().selectResult, 1);
        AllowProtectionChanges();
        CHECK_FOR(line, Logged(line));
        CHECK_FOR(line, !unwritable || Logged("the windowed mode is left to the game's own mode search\n"));
        // As written the search takes 640 x 480 x 16; gated by the cleared flag, the windowed mode.
        CHECK_FOR(line, engine.setVideoModeCalls == std::vector<int>{unwritable ? 1 : 0});
        CHECK_EQ_FOR(line, CallTarget(settleSite), build.RwEngineGetVideoModeInfo);
        UnloadPlugin(plugin);
        DestroyHostWindow();
    }
}

// --- the attach guard --------------------------------------------------------------
SCENARIO("guard: a fault in attach brings up the failure box; OK fails attach cleanly") {
    const StandInBuild& build = kStandInBuilds[3];
    InstallHost(&build);
    engine.fault = {HostFunction::SetVideoMode};
    WriteSettingsFile("dispora=windowed\n");
    HWND window = GameWindowBeforeLoad();
    std::string text, caption;
    bool hiddenDuringBox = false;
    DriveModalWindow([&](HWND box) {
        text = WindowText(GetDlgItem(box, 0xFFFF));
        caption = WindowText(box);
        hiddenDuringBox = !IsWindowVisible(window);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    HMODULE plugin = LoadPlugin();
    CHECK(plugin == nullptr);
    CHECK(!ModalDriverTimedOut());
    CHECK_TEXT(text, "Damn! dispora.asi has failed!\n\nPress OK to continue.\nPress CANCEL to terminate program.");
    CHECK_TEXT(caption, "Error");
    CHECK(hiddenDuringBox);
    CHECK(IsWindowVisible(window));
    CHECK_EQ(CallTarget(build.selectDevice + 0x75), build.RwEngineSetSubSystem);
    CHECK(OthersCanOpen(SettingsFilePath()));
    engine.setSubSystemResult = 0x31;
    CHECK_EQ(CallSelectDevice(0), 0x31);  // the game goes on without the plug-in
}

SCENARIO("guard: a fault from the window pointer itself") {
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    WriteSettingsFile("dispora=windowed\n");
    SetHostWindowRecord(reinterpret_cast<const void*>(0x10));  // not null, not readable
    bool boxShown = false;
    DriveModalWindow([&](HWND box) {
        boxShown = true;
        SendMessageA(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    HMODULE plugin = LoadPlugin();
    CHECK(plugin == nullptr);
    CHECK(boxShown);
    CHECK_EQ(CallTarget(build.selectDevice + 0x75), build.RwEngineSetSubSystem);
}

SCENARIO("child:guard: Cancel ends the game") {
    InstallHost(&kStandInBuilds[0]);
    engine.fault = {HostFunction::SetVideoMode};
    WriteSettingsFile("dispora=windowed\n");
    GameWindowBeforeLoad();
    DriveModalWindow([](HWND box) {
        SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    LoadPlugin();
    CHECK(!"the process should have ended");
}

SCENARIO("guard: Cancel in the failure box ends the game with code 3") {
    CHECK_EQ(RunChild("child:guard: Cancel ends the game", ""), 3);
}

// --- detach ----------------------------------------------------------------------------
SCENARIO("detach: harmless without a settings file") {
    InstallHost(&kStandInBuilds[0]);
    RemoveSettingsFile();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    UnloadPlugin(plugin);
    plugin = LoadPlugin();  // and a second load starts afresh
    CHECK(plugin != nullptr);
    UnloadPlugin(plugin);
}
