// The player zip's dispora.ini, as shipped, beside the zip's dispora.asi
// (unpacked into package\ by scripts/check-package.sh).
#include "tests/host/rig.h"

SCENARIO("package: the sample dispora.ini gives a framed 1024 x 768 window") {
    const std::string folder = RigDirectory() + "package\\";
    const StandInBuild& build = kStandInBuilds[2];
    InstallHost(&build);
    HWND window = CreateHostWindow();
    const int cursor = CursorDisplayCount();
    ClearCapturedOutput();
    HMODULE plugin = LoadLibraryA((folder + "dispora.asi").c_str());
    CHECK(plugin != nullptr);
    for (const std::string& line : DebugLines()) {  // every line of it understood
        CHECK(line.find("names no setting") == std::string::npos && line.find("not understood") == std::string::npos);
    }
    CHECK_EQ(HostVar(build.GcurSelVM), 0);
    CHECK(engine.setVideoModeCalls == std::vector<int>{0});
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    CHECK_EQ(bounds.left, 100);
    CHECK_EQ(bounds.right - bounds.left, 1024);
    CHECK_EQ(bounds.bottom - bounds.top, 768);
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
    UnloadPlugin(plugin);
    while (CursorDisplayCount() < cursor) ShowCursor(TRUE);
}

SCENARIO("package: the sample dispora.ini, loaded before the window, gives the same window") {
    const std::string folder = RigDirectory() + "package\\";
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    HMODULE plugin = LoadLibraryA((folder + "dispora.asi").c_str());
    CHECK(plugin != nullptr);
    CHECK_EQ(HostVar(build.clearOnDefer), 0);
    HWND window = CreateWindowAsGame();
    CHECK_EQ(StartGame().selectResult, 1);
    CHECK_EQ(HostVar(build.GcurSelVM), 0);
    CHECK_EQ(HostVar(build.savedModeIndex), 1);  // a named mode stays for the game's menu
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    const RECT bounds = WindowBounds(window);
    CHECK_EQ(bounds.right - bounds.left, 1024);
    CHECK_EQ(bounds.bottom - bounds.top, 768);
    UnloadPlugin(plugin);
}
