// The stand-in host: the game's functions and variables at the addresses of
// each supported executable, with a fake engine behind them.
#pragma once

#include <windows.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "core/host_contract.h"
#include "tests/host_build_names.h"

// The host contract, written out here independently of the plug-in's table,
// with the same field names, so that a wrong address on either side shows.
struct StandInBuild {
    const char* name;
    HostBuild build;
    uint32_t entryPoint;
    // The host functions.
    uint32_t Log, RwGetVideoModeList, RwSetVideoMode, RwEngineGetVideoModeInfo, RwEngineGetNumVideoModes,
        RwEngineGetCurrentVideoMode, RwEngineSetVideoMode, RwEngineSetSubSystem;
    // The host variables.
    uint32_t platformGlobals, GcurSelVM, subSystemCount, GcurSel, subSystemInfo, savedModeIndex, clearOnDefer;
    // The game's defaultFullscreenRes, which its mode search reads: the
    // plug-in's clearOnDefer, and on Gta3V11 an address the plug-in does not know.
    uint32_t modeSearchFlag;
    uint32_t selectDevice;
    bool pausesOnSetFocus;  // the window procedure asks for the pause menu on WM_SETFOCUS
};
extern const StandInBuild kStandInBuilds[4];
constexpr uint32_t kUnknownEntryPoint = 0x123450;

struct FakeSubSystem {
    std::string name;
    std::vector<ModeInfo> modes;
    std::vector<std::string> modeNames;  // "" gives a null entry in the host's list
    int currentMode = 0;
};

// The host functions the plug-in calls, for a planned fault.
enum class HostFunction {
    None, Log, GetVideoModeList, RawSetVideoMode, GetVideoModeInfo, GetNumVideoModes, GetCurrentVideoMode,
    SetVideoMode, SetSubSystem
};
enum class FaultKind { AccessViolation, CppException };
// The function faults on its call number skip + 1, once.
struct PlannedFault {
    HostFunction function = HostFunction::None;
    int skip = 0;
    FaultKind kind = FaultKind::AccessViolation;
};

// Everything the fake engine knows and records.
struct FakeEngine {
    std::vector<FakeSubSystem> subSystems;
    int currentSubSystem = 0;
    int setSubSystemResult = 1;  // what RwEngineSetSubSystem answers on success
    bool refuseSubSystem = false;
    bool refuseVideoMode = false;
    int videoModeInfoResult = 1;
    int setVideoModeResult = 1;  // what RwEngineSetVideoMode answers on success
    PlannedFault fault;
    const char** returnedModeList = nullptr;  // overrides the list _RwGetVideoModeList returns

    std::vector<std::string> logLines;  // _Log
    std::vector<int> setSubSystemCalls;
    std::vector<int> setVideoModeCalls;
    std::vector<int> rawSetVideoModeCalls;  // _RwSetVideoMode
    std::vector<int> getVideoModeInfoCalls;
    int getVideoModeListCalls = 0;
    std::vector<std::string> messageBoxes;  // what psSelectDevice told the player before it failed

    std::vector<const char*> nameList;  // built from the current subsystem's modeNames
};
extern FakeEngine engine;

// The host's main window record: platformGlobals + 28 points here.
struct HostWindowRecordLayout {
    HWND window;
};

// Lays the given build out (or an unknown executable, with unknownEntryPoint,
// when build is null): host memory cleared, jumps to the fake functions,
// psSelectDevice, the header's entry point and time stamp, default variables
// and engine.
void InstallHost(const StandInBuild* build, uint32_t timeStamp = 0x3C0A8B5E,
                 uint32_t unknownEntryPoint = kUnknownEntryPoint);
const StandInBuild& CurrentBuild();
FakeEngine DefaultEngine();

// Host variables of the installed build.
int32_t& HostVar(uint32_t address);
void SetSubSystemNames(const std::vector<std::string>& names);

// The host's window: created on demand, shown, at 0,0 of 800 x 600.
HWND CreateHostWindow();

// The host's window procedure: paints a test card of the camera's size
// stretched onto the client area (a grid of squares, a circle, the 4:3 area
// outlined, the camera size in the middle), hides the cursor on every
// WM_SETCURSOR, swallows key presses, resizes the window at once on
// WM_SIZING, and records
// key messages, WM_SIZE and a private message, which it answers with
// kHostPrivateResult.
// From its main loop on, WM_SIZE with a size resizes the camera and the
// record's width and height; Vice City's asks for its pause menu on
// WM_SETFOCUS.
WNDPROC HostWindowProcedure();
constexpr UINT kHostPrivateMessage = WM_APP + 0x17;
constexpr LRESULT kHostPrivateResult = 0x5A17;
struct HostWindowMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const HostWindowMessage& other) const {
        return message == other.message && wParam == other.wParam && lParam == other.lParam;
    }
};
extern std::vector<HostWindowMessage> hostWindowMessages;
extern int hostPauseRequests;
SIZE HostCamera();  // the camera's size now

// The sizes in the host's record at platformGlobals (+4, +8, +12, +16).
struct HostRecordSizes {
    int32_t width, height, maximumWidth, maximumHeight;
    bool operator==(const HostRecordSizes& other) const {
        return width == other.width && height == other.height && maximumWidth == other.maximumWidth &&
               maximumHeight == other.maximumHeight;
    }
};
HostRecordSizes RecordSizes();

// The game's own start-up, in its order. First: the record's defaults
// (640 x 448), the window made hidden with WS_OVERLAPPEDWINDOW at
// CW_USEDEFAULT around a 640 x 448 client area, then turned into a pop-up
// with a frame recalculation.
HWND CreateWindowAsGame();
// Then: psSelectDevice (see WriteSelectDevice), the engine started on the
// client area as it is then, the camera sized to maximumWidth x
// maximumHeight, and the window shown.
struct GameStart {
    int selectResult;    // psSelectDevice's
    SIZE backBuffer;     // the client area when the engine started
    SIZE camera;         // the first camera size
    int frameRecalcs;    // WM_NCCALCSIZE the window got inside psSelectDevice
    bool shownInSelect;  // visible already when psSelectDevice returned
    bool activeInSelect;  // active already when psSelectDevice returned
};
GameStart StartGame(int subSystemIndex = 0);
void DestroyHostWindow();
void SetHostWindowRecord(const void* record);  // what platformGlobals + 28 holds

// Writes a five-byte call (0xE8) or jump (0xE9) into host code.
void WriteHostBranch(uint8_t opcode, uint32_t site, uint32_t target);
// Where the five-byte call or jump at site goes.
uint32_t CallTarget(uint32_t site);

// Makes the system refuse to change the protection of the page that holds
// address, as for host code that cannot be made writable, until allowed again.
void RefuseProtectionChanges(uint32_t address);
void AllowProtectionChanges();

// Calls the host's psSelectDevice as the game would.
int CallSelectDevice(int subSystemIndex);

// psSelectDevice is x86 code at the build's address: the subsystem call at
// +0x75; the menu's mode (savedModeIndex) when not 0 and named in the game's
// list, else the search from GcurSelVM on for 640 x 480 x 16 full screen
// ("Cannot find 640x480 video mode" and false where none is); then the settle
// pair RwEngineGetVideoModeInfo(&vm, GcurSelVM), RwEngineSetVideoMode(GcurSelVM)
// as five-byte calls, and an exclusive vm's size into the record. The game's
// flag (modeSearchFlag) is read one of two ways: set, both pass over all but
// 640 x 480 x 16 full screen; clear, one takes GcurSelVM as it stands, the
// other (as the source is written: InstallHost's) still wants 480 lines, 16
// bits and full screen. InstallHost writes the settle call direct.
enum class ModeSearchReading { FlagGatesAll, AsWritten };
// The settle call direct (0xE8), or through a pointer: code the plug-in's scan does not know.
enum class SettleCallCode { Direct, ThroughPointer };
// Rewrites psSelectDevice: before the plug-in is loaded, which redirects a call in it.
void WriteSelectDevice(ModeSearchReading reading, SettleCallCode settleCode = SettleCallCode::Direct);
// Where psSelectDevice, as last written, calls RwEngineGetVideoModeInfo in
// its search and to settle, and RwEngineSetVideoMode: offsets from its start.
struct SelectDeviceCalls {
    uint32_t searchModeInfo, settleModeInfo, setMode;
};
const SelectDeviceCalls& SelectDeviceCallOffsets();
// A mode chosen in the display menu: psSelectDevice again, its menu and
// search steps skipped, for GcurSelVM = mode.
int ChangeModeFromMenu(int mode);
// The front end's first start, while defaultFullscreenRes is still set,
// clears it and copies GcurSelVM into the menu's mode and the word before it
// (the mode saved to gta3.set); otherwise it changes nothing.
void StartFrontEnd();
// The name the display menu shows for savedModeIndex; null where the game
// would crash (an entry without a name).
const char* DisplayMenuModeName();

// A copy of all host memory, to prove a scenario changed nothing.
std::vector<uint8_t> SnapshotHostMemory();
bool HostMemoryEquals(const std::vector<uint8_t>& snapshot);

// Is address inside the module that contains moduleAddress?
bool AddressInModule(uint32_t address, HMODULE module);
