// Faults survived: an access violation or a thrown C++ exception inside each
// host function the plug-in calls, at attach, inside the video mode dialog
// and inside the deferred choice; and what already stands at the call site
// the plug-in redirects.
#include <stdio.h>
#include <string.h>

#include "tests/host/rig.h"

namespace {

struct Cell {
    const char* where;
    HostFunction function;
    int skip;  // calls of the function that go through before the one that faults
    const char* settings = "dispora=choose\nwindowsize=800x600\nclipcursor=yes\n";
};

// The immediate road with the dialog: build line and banner (6 _Log calls),
// the "VM config" line, then the dialog logs each mode.
const Cell kImmediateCells[] = {
    {"_Log at recognition", HostFunction::Log, 0},
    {"_RwGetVideoModeList in the dialog", HostFunction::GetVideoModeList, 0},
    {"RwEngineGetNumVideoModes in the dialog", HostFunction::GetNumVideoModes, 0},
    {"RwEngineGetVideoModeInfo in the dialog", HostFunction::GetVideoModeInfo, 0},
    {"RwEngineGetCurrentVideoMode in the dialog", HostFunction::GetCurrentVideoMode, 0},
    {"_Log in the dialog", HostFunction::Log, 7},
    {"RwEngineSetSubSystem", HostFunction::SetSubSystem, 0},
    {"RwEngineSetVideoMode", HostFunction::SetVideoMode, 0},
    {"_RwSetVideoMode", HostFunction::RawSetVideoMode, 0},
};

// The deferred road: 6 _Log calls at recognition, then the dialog's 8 mode
// lines; or, for the windowed mode, the window line.
const Cell kDeferredCells[] = {
    {"_Log at recognition", HostFunction::Log, 0},
    {"_RwGetVideoModeList in the dialog", HostFunction::GetVideoModeList, 0},
    {"RwEngineGetNumVideoModes in the dialog", HostFunction::GetNumVideoModes, 0},
    {"RwEngineGetVideoModeInfo in the dialog", HostFunction::GetVideoModeInfo, 0},
    {"RwEngineGetCurrentVideoMode in the dialog", HostFunction::GetCurrentVideoMode, 0},
    {"_Log in the dialog", HostFunction::Log, 6},
    {"_Log in the window work", HostFunction::Log, 6, "dispora=windowed\nwindowsize=800x600\nclipcursor=yes\n"},
};

const char* KindName(FaultKind kind) { return kind == FaultKind::AccessViolation ? "access violation" : "C++ throw"; }

// Clicks OK in the video mode dialog and in the failure box, counting boxes.
void AnswerOk(int* boxes) {
    DriveModalWindow([boxes](HWND modal) {
        if (GetDlgItem(modal, 1001) != nullptr) {
            SendMessageA(GetDlgItem(modal, IDOK), BM_CLICK, 0, 0);
            return false;
        }
        ++*boxes;
        SendMessageA(modal, WM_COMMAND, IDOK, 0);
        return true;
    });
}

// A fault at attach: one box, attach fails, nothing of the plug-in is left
// in the game, which goes on with its own choice.
bool ImmediateCellSurvived(const Cell& cell, FaultKind kind) {
    const int failuresBefore = RigFailures();
    const StandInBuild& build = kStandInBuilds[cell.skip % 4];
    InstallHost(&build);
    WriteSettingsFile(cell.settings);
    HWND window = GameWindowBeforeLoad();
    int boxes = 0;
    AnswerOk(&boxes);
    engine.fault = {cell.function, cell.skip, kind};
    HMODULE plugin = LoadPlugin();
    CHECK(engine.fault.function == HostFunction::None);  // the fault did happen
    CHECK_EQ(boxes, 1);
    CHECK(plugin == nullptr);
    CHECK(IsWindowVisible(window));
    CHECK(ProcedureIsHosts(window));
    CHECK_EQ(CallTarget(build.selectDevice + 0x75), build.RwEngineSetSubSystem);
    CHECK_EQ(HostVar(build.GcurSel), 0);
    CHECK_EQ(HostVar(build.GcurSelVM), -1);
    CHECK(OthersCanOpen(SettingsFilePath()));
    engine.setSubSystemResult = 0x31;
    CHECK_EQ(CallSelectDevice(0), 0x31);
    StopDrivingModalWindow();
    return RigFailures() == failuresBefore;
}

// A fault in the deferred choice: one box, the game's device selection
// goes on with its own result and choice, its window as it made it.
bool DeferredCellSurvived(const Cell& cell, FaultKind kind) {
    const int failuresBefore = RigFailures();
    const StandInBuild& build = kStandInBuilds[cell.skip % 4];
    InstallHost(&build);
    WriteSettingsFile(cell.settings);
    int boxes = 0;
    AnswerOk(&boxes);
    engine.fault = {cell.function, cell.skip, kind};
    HMODULE plugin = LoadPlugin();
    const bool atAttach = cell.skip == 0 && cell.function == HostFunction::Log;
    CHECK_EQ(plugin == nullptr, atAttach);
    HWND window = CreateWindowAsGame();
    const RECT before = WindowBounds(window);
    const LONG styleBefore = GetWindowLongA(window, GWL_STYLE);
    engine.setSubSystemResult = 0x44;
    const GameStart start = StartGame();
    CHECK(engine.fault.function == HostFunction::None);
    CHECK_EQ(boxes, 1);
    CHECK_EQ(start.selectResult, 0x44);
    CHECK_EQ(HostVar(build.savedModeIndex), -1);
    CHECK_EQ(HostVar(build.GcurSelVM), 1);  // the game's own search: 640 x 480 x 16
    CHECK_EQ(CallTarget(build.selectDevice + SelectDeviceCallOffsets().settleModeInfo), build.RwEngineGetVideoModeInfo);
    if (build.clearOnDefer != 0) CHECK_EQ(HostVar(build.clearOnDefer), kClearOnDeferSentinel);  // the game's own
    CHECK(!start.shownInSelect);
    CHECK_EQ(GetWindowLongA(window, GWL_STYLE), styleBefore | WS_VISIBLE);
    const RECT after = WindowBounds(window);
    CHECK(EqualRect(&before, &after));
    CHECK(RecordSizes() == (HostRecordSizes{640, 480, 640, 480}));  // that full-screen mode's
    CHECK(ProcedureIsHosts(window));
    if (!atAttach) CHECK_EQ(CallSelectDevice(0), 0x44);  // later selections: a pure forward
    UnloadPlugin(plugin);
    if (atAttach) CHECK_EQ(CallTarget(build.selectDevice + 0x75), build.RwEngineSetSubSystem);
    StopDrivingModalWindow();
    return RigFailures() == failuresBefore;
}

}  // namespace

SCENARIO("faults: the matrix, both roads, both kinds of fault") {
    int tried = 0, survived = 0;
    for (FaultKind kind : {FaultKind::AccessViolation, FaultKind::CppException}) {
        for (const Cell& cell : kImmediateCells) {
            const bool ok = ImmediateCellSurvived(cell, kind);
            ++tried;
            survived += ok;
            printf("    immediate | %-42s | %-16s | %s\n", cell.where, KindName(kind), ok ? "survived" : "NOT SURVIVED");
        }
        for (const Cell& cell : kDeferredCells) {
            const bool ok = DeferredCellSurvived(cell, kind);
            ++tried;
            survived += ok;
            printf("    deferred  | %-42s | %-16s | %s\n", cell.where, KindName(kind), ok ? "survived" : "NOT SURVIVED");
        }
    }
    printf("    %d cells tried, %d survived\n", tried, survived);
}

SCENARIO("child:faults: Cancel after a fault in the deferred choice ends the game") {
    InstallHost(&kStandInBuilds[1]);
    WriteSettingsFile("dispora=choose\n");
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    engine.fault = {HostFunction::GetVideoModeInfo, 0, FaultKind::CppException};
    DriveModalWindow([](HWND box) {
        SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    CreateWindowAsGame();
    StartGame();
    CHECK(!"the process should have ended");
}

SCENARIO("faults: Cancel after a fault in the deferred choice ends the game with code 3") {
    CHECK_EQ(RunChild("child:faults: Cancel after a fault in the deferred choice ends the game", ""), 3);
}

// --- what stands at the call site ------------------------------------------------------
namespace {

std::vector<int32_t> savedModeSeenByForeign;

// Another plug-in's handler, in code outside the executable.
extern "C" int ForeignSetSubSystem(int subSystemIndex) {
    savedModeSeenByForeign.push_back(HostVar(CurrentBuild().savedModeIndex));
    using SetSubSystem = int(__cdecl*)(int);
    return reinterpret_cast<SetSubSystem>(CurrentBuild().RwEngineSetSubSystem)(subSystemIndex);
}

// mov eax, ForeignSetSubSystem; jmp eax, in memory of its own.
uint32_t ForeignThunk() {
    static uint8_t* thunk = nullptr;
    if (thunk == nullptr) {
        thunk = static_cast<uint8_t*>(VirtualAlloc(nullptr, 16, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
        const uint32_t target = reinterpret_cast<uint32_t>(&ForeignSetSubSystem);
        thunk[0] = 0xB8;
        memcpy(thunk + 1, &target, 4);
        thunk[5] = 0xFF;
        thunk[6] = 0xE0;
    }
    return reinterpret_cast<uint32_t>(thunk);
}

}  // namespace

SCENARIO("faults: another plug-in's redirect at the call site: both run, in order") {
    const StandInBuild& build = kStandInBuilds[2];
    const uint32_t site = build.selectDevice + 0x75;
    InstallHost(&build);
    WriteHostBranch(0xE8, site, ForeignThunk());
    WriteSettingsFile("dispora=windowed\n");
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CHECK(AddressInModule(CallTarget(site), plugin));
    savedModeSeenByForeign.clear();
    CreateWindowAsGame();
    engine.setSubSystemResult = 0x66;
    CHECK_EQ(StartGame().selectResult, 0x66);
    CHECK(savedModeSeenByForeign == std::vector<int32_t>{-1});  // the other plug-in first, then our choice
    CHECK(engine.setSubSystemCalls == std::vector<int>{0});
    CHECK_EQ(HostVar(build.savedModeIndex), 1);
    CHECK_EQ(HostVar(build.GcurSelVM), 0);
    UnloadPlugin(plugin);
    CHECK_EQ(CallTarget(site), ForeignThunk());
}

namespace {

// The line that says why psSelectDevice's call was not redirected.
bool LoggedNotRedirected(const char* what, uint32_t site, const char* why) {
    char line[200];
    snprintf(line, sizeof(line),
             "%s psSelectDevice+0x75 (0x%x)%s: not redirected, so the mode can only be chosen when the plug-in is "
             "loaded after the game window exists\n",
             what, site, why);
    return Logged(line);
}

}  // namespace

SCENARIO("faults: unexpected code at the call site is left alone") {
    const StandInBuild& build = kStandInBuilds[0];
    const uint32_t site = build.selectDevice + 0x75;
    InstallHost(&build);
    WriteHostBranch(0xE8, site, build.RwEngineSetVideoMode);  // a call, but not to RwEngineSetSubSystem
    uint8_t before[5];
    memcpy(before, reinterpret_cast<const void*>(site), 5);
    WriteSettingsFile("dispora=windowed\n");
    ClearCapturedOutput();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CHECK(memcmp(before, reinterpret_cast<const void*>(site), 5) == 0);
    CHECK(LoggedNotRedirected("unexpected code at", site, ""));
    CHECK_EQ(HostVar(build.clearOnDefer), kClearOnDeferSentinel);  // nothing armed
    UnloadPlugin(plugin);
}

SCENARIO("faults: a call site that cannot be written leaves the deferred road off") {
    const StandInBuild& build = kStandInBuilds[2];
    const uint32_t site = build.selectDevice + 0x75;
    InstallHost(&build);
    WriteSettingsFile("dispora=windowed\n");
    ClearCapturedOutput();
    RefuseProtectionChanges(site);
    HMODULE plugin = LoadPlugin();
    AllowProtectionChanges();
    CHECK(plugin != nullptr);
    CHECK_EQ(CallTarget(site), build.RwEngineSetSubSystem);
    CHECK(LoggedNotRedirected("the code at", site, " cannot be written"));
    int siteLines = 0;
    for (const std::string& logged : engine.logLines) siteLines += logged.find("psSelectDevice") != std::string::npos;
    CHECK_EQ(siteLines, 1);
    CHECK_EQ(HostVar(build.clearOnDefer), kClearOnDeferSentinel);  // nothing armed
    // The game's device selection is its own.
    HWND window = CreateWindowAsGame();
    engine.setSubSystemResult = 0x66;
    CHECK_EQ(StartGame().selectResult, 0x66);
    CHECK(engine.setSubSystemCalls == std::vector<int>{0});
    CHECK_EQ(HostVar(build.savedModeIndex), -1);
    CHECK_EQ(HostVar(build.GcurSelVM), 1);  // the game's own search: 640 x 480 x 16
    CHECK_EQ(CallTarget(build.selectDevice + SelectDeviceCallOffsets().settleModeInfo), build.RwEngineGetVideoModeInfo);
    CHECK(ProcedureIsHosts(window));
    UnloadPlugin(plugin);
    CHECK_EQ(CallTarget(site), build.RwEngineSetSubSystem);
    DestroyHostWindow();
}
