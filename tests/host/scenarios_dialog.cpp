// The game's video mode dialog with the plug-in's procedure, driven the way a
// player drives it: rows picked in the lists, buttons clicked, keys pressed.
// It opens inside psSelectDevice (the deferred road), where the game shows it.
#include <stdio.h>

#include "tests/host/rig.h"

namespace {

struct Row {
    std::string text;
    LRESULT item;
    bool operator==(const Row& other) const { return text == other.text && item == other.item; }
};

std::vector<Row> Rows(HWND dialog, int list) {
    HWND combo = GetDlgItem(dialog, list);
    std::vector<Row> rows;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[128] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back({text, SendMessageA(combo, CB_GETITEMDATA, i, 0)});
    }
    return rows;
}

LRESULT SelectedRow(HWND dialog, int list) { return SendMessageA(GetDlgItem(dialog, list), CB_GETCURSEL, 0, 0); }

// What the combo box does when the player picks a row.
void PickRow(HWND dialog, int list, int row) {
    HWND combo = GetDlgItem(dialog, list);
    SendMessageA(combo, CB_SETCURSEL, row, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Click(HWND dialog, int button) { SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

bool IsModeDialog(HWND window) { return GetDlgItem(window, 1001) != nullptr; }

ModeInfo Mode(int32_t w, int32_t h, int32_t d, int32_t flags) { return ModeInfo{w, h, d, flags, {0, 0}}; }

// Modes 0 to 4, of which 1 (320 x 240) and 4 (640 x 400) are too small for a row.
void UseDialogEngine() {
    FakeSubSystem& display = engine.subSystems[0];
    display.modes = {Mode(800, 600, 32, 0), Mode(320, 240, 16, 1), Mode(640, 480, 32, 1), Mode(1024, 768, 32, 1),
                     Mode(640, 400, 32, 1)};
    display.modeNames = {"", "320x240", "640x480", "1024x768", "640x400"};
    display.currentMode = 3;
}

// Loads the plug-in before the game window exists with a dispora value that
// opens the dialog, then lets the game select its device; step drives the
// dialog. Returns psSelectDevice's result.
int RunDialogInSelectDevice(std::function<bool(HWND)> step,
                            std::function<void()> beforeSelect = nullptr) {
    WriteSettingsFile("dispora=dialog\n");
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CreateHostWindow();
    if (beforeSelect) beforeSelect();
    bool seen = false;
    DriveModalWindow([&](HWND window) {
        if (!IsModeDialog(window)) return false;
        seen = true;
        return step(window);
    });
    const int result = CallSelectDevice(0);
    CHECK(seen);
    CHECK(!ModalDriverTimedOut());
    UnloadPlugin(plugin);
    return result;
}

}  // namespace

SCENARIO_EACH_BUILD("dialog: lists filled in order, small modes logged but not listed") {
    InstallHost(&build);
    UseDialogEngine();
    ClearCapturedOutput();
    std::vector<Row> subSystems, modes;
    LRESULT selectedSubSystem = -2;
    HWND focus = nullptr, subSystemList = nullptr;
    const int result = RunDialogInSelectDevice([&](HWND dialog) {
        subSystems = Rows(dialog, 1000);
        modes = Rows(dialog, 1001);
        selectedSubSystem = SelectedRow(dialog, 1000);
        focus = GetFocus();
        subSystemList = GetDlgItem(dialog, 1000);
        Click(dialog, IDOK);
        return true;
    });
    CHECK(subSystems == (std::vector<Row>{{"Stand-in Display", 0}, {"Second Display", 1}}));
    CHECK(modes == (std::vector<Row>{{"800 x 600 x 32 (WINDOWED)", 0},
                                     {"640 x 480 x 32 (FULLSCREEN)", 2},
                                     {"1024 x 768 x 32 (FULLSCREEN)", 3}}));
    CHECK_EQ(selectedSubSystem, 0);
    CHECK(focus == subSystemList);
    for (const char* line : {"Dispora  0: 800 x 600 x 32\n", "Dispora  1: 320 x 240 x 16\n", "Dispora  2: 640 x 480 x 32\n",
                             "Dispora  3: 1024 x 768 x 32\n", "Dispora  4: 640 x 400 x 32\n"}) {
        CHECK_TEXT(Logged(line) ? line : "<missing>", line);
    }
    CHECK_EQ(result, 1);
    if (build.build == HostBuild::Gta3V10) {
        printf("    rows of list 1001 as listed:\n");
        for (const Row& row : modes) printf("      %-32s item %ld\n", row.text.c_str(), static_cast<long>(row.item));
    }
}

SCENARIO("dialog: a saved mode is found by item value, not by row") {
    InstallHost(&kStandInBuilds[2]);
    UseDialogEngine();
    HostVar(kStandInBuilds[2].savedModeIndex) = 2;
    LRESULT row = -2;
    int32_t duringDialog = 0;
    RunDialogInSelectDevice([&](HWND dialog) {
        row = SelectedRow(dialog, 1001);
        duringDialog = HostVar(kStandInBuilds[2].GcurSelVM);
        Click(dialog, IDOK);
        return true;
    });
    CHECK_EQ(row, 1);
    CHECK_EQ(duringDialog, 2);
    CHECK_EQ(HostVar(kStandInBuilds[2].savedModeIndex), 2);
}

SCENARIO("dialog: a saved mode that has no row leaves no mode chosen") {
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    UseDialogEngine();
    HostVar(build.savedModeIndex) = 1;  // 320 x 240: logged, not listed
    LRESULT row = -2;
    int32_t duringDialog = 0;
    RunDialogInSelectDevice([&](HWND dialog) {
        row = SelectedRow(dialog, 1001);
        duringDialog = HostVar(build.GcurSelVM);
        Click(dialog, IDOK);
        return true;
    });
    CHECK_EQ(row, CB_ERR);
    CHECK_EQ(duringDialog, -1);
    CHECK_EQ(HostVar(build.savedModeIndex), 1);  // accepted with no mode: the game's saved mode stands
}

SCENARIO("dialog: with no saved mode the engine's current mode is selected") {
    const StandInBuild& build = kStandInBuilds[1];
    InstallHost(&build);
    UseDialogEngine();
    HostVar(build.savedModeIndex) = -5;
    LRESULT row = -2;
    RunDialogInSelectDevice([&](HWND dialog) {
        row = SelectedRow(dialog, 1001);
        Click(dialog, IDOK);
        return true;
    });
    CHECK_EQ(row, 2);  // mode 3 is the third row
    CHECK_EQ(HostVar(build.GcurSelVM), 3);
    CHECK_EQ(HostVar(build.savedModeIndex), 3);
}

SCENARIO("dialog: changing the subsystem switches the engine and refills the modes") {
    const StandInBuild& build = kStandInBuilds[3];
    InstallHost(&build);
    std::vector<Row> modes;
    LRESULT row = -2;
    RunDialogInSelectDevice([&](HWND dialog) {
        PickRow(dialog, 1000, 1);
        modes = Rows(dialog, 1001);
        row = SelectedRow(dialog, 1001);
        Click(dialog, IDOK);
        return true;
    });
    CHECK(engine.setSubSystemCalls == (std::vector<int>{0, 1}));  // the game's own call, then the switch
    CHECK_EQ(HostVar(build.GcurSel), 1);
    CHECK(modes == (std::vector<Row>{{"1024 x 768 x 32 (WINDOWED)", 0},
                                     {"1366 x 768 x 32", 1},
                                     {"1280 x 800 x 32 (WIDESCREEN)", 2}}));
    CHECK_EQ(row, 2);
    CHECK_EQ(HostVar(build.GcurSelVM), 2);
}

SCENARIO("dialog: OK keeps the player's pick") {
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    engine.setSubSystemResult = 0x77;
    const int result = RunDialogInSelectDevice([&](HWND dialog) {
        PickRow(dialog, 1001, 5);  // the sixth row: mode 5, 1024 x 768
        Click(dialog, IDOK);
        return true;
    });
    CHECK_EQ(result, 0x77);
    CHECK_EQ(HostVar(build.GcurSelVM), 5);
    CHECK_EQ(HostVar(build.savedModeIndex), 5);
}

SCENARIO("dialog: the exit button fails the game's device selection") {
    const StandInBuild& build = kStandInBuilds[2];
    InstallHost(&build);
    const int result = RunDialogInSelectDevice([&](HWND dialog) {
        Click(dialog, 1002);
        return true;
    });
    CHECK_EQ(result, 0);
    CHECK_EQ(HostVar(build.savedModeIndex), -1);
}

SCENARIO("dialog: Escape and closing leave it open") {
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    int stage = 0;
    bool openAfterEscape = false;
    const int result = RunDialogInSelectDevice([&](HWND dialog) {
        switch (stage++) {
            case 0:
                PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
                PostMessageA(GetFocus(), WM_KEYUP, VK_ESCAPE, 0);
                return false;
            case 1:
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                return false;
            default:
                openAfterEscape = IsWindow(dialog) && IsWindowVisible(dialog);
                Click(dialog, IDOK);
                return true;
        }
    });
    CHECK(openAfterEscape);
    CHECK_EQ(result, 1);
}

SCENARIO("dialog: mouse moves show the cursor without piling up its count") {
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    int countBefore = 0, countInside = 0;
    RunDialogInSelectDevice(
        [&](HWND dialog) {
            for (int i = 0; i < 5; ++i) {
                SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            }
            countInside = CursorDisplayCount();
            Click(dialog, IDOK);
            return true;
        },
        [&] {
            // The game has hidden its cursor.
            RestoreCursor(-1);
            countBefore = CursorDisplayCount();
        });
    CHECK_EQ(countBefore, -1);
    CHECK_EQ(countInside, 0);          // visible, and no higher
    CHECK_EQ(CursorDisplayCount(), 0);
    CHECK_EQ(ShowCursor(FALSE), -1);   // the game's one call hides it again
    ShowCursor(TRUE);
}

SCENARIO("child:dialog: a host without template 104") {
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    WriteSettingsFile("dispora=dialog\n");
    HMODULE plugin = LoadPlugin();
    CreateHostWindow();
    HostVar(build.GcurSelVM) = 4;
    CHECK_EQ(CallSelectDevice(0), 1);
    CHECK_EQ(HostVar(build.GcurSelVM), 4);
    CHECK_EQ(HostVar(build.savedModeIndex), 4);
    UnloadPlugin(plugin);
    DestroyHostWindow();

    // No mode chosen yet: the game's saved mode is left as it was.
    InstallHost(&build);
    HostVar(build.savedModeIndex) = 2;
    plugin = LoadPlugin();
    CreateHostWindow();
    CHECK_EQ(CallSelectDevice(0), 1);
    CHECK_EQ(HostVar(build.GcurSelVM), 2);  // the game took its saved mode
    CHECK_EQ(HostVar(build.savedModeIndex), 2);
    UnloadPlugin(plugin);
}

SCENARIO("dialog: a host without template 104 keeps its own mode") {
    CHECK_EQ(RunChild("child:dialog: a host without template 104", "", "standin_host_bare.exe"), 0);
}
