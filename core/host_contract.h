// What dispora.asi relies on from the host game: the four supported
// executables, the engine records it reads, the host variables it touches and
// the host functions it calls through patchable slots.
#pragma once

#include <stdint.h>

// The engine's description of one video mode. Six fields; we read four.
struct ModeInfo {
    int32_t width;
    int32_t height;
    int32_t depth;  // bits per pixel
    int32_t flags;  // bit 0 set: exclusive (full-screen); clear: windowed
    int32_t reserved[2];
};
constexpr int32_t kModeExclusive = 1;

// The host keeps an array of these; each starts with the subsystem's name.
constexpr uint32_t kSubSystemInfoSize = 80;

// The host's global application record, at platformGlobals. The host
// resizes its first camera to maximumWidth x maximumHeight (640 x 448 at
// start-up) and copies a mode's size into all four sizes only for full-screen
// modes, so a plug-in that sizes the window writes its client size there.
struct PlatformGlobals {
    uint32_t applicationName;
    int32_t width;  // current camera size
    int32_t height;
    int32_t maximumWidth;
    int32_t maximumHeight;
    int32_t maximumFrameRate;
    int32_t quit;
    uint32_t windowRecord;  // its first field is the main HWND; null until the window exists
};
static_assert(sizeof(PlatformGlobals) == 32, "the host record is 32 bytes");

// Addresses of the host variables, fixed per build. All are 32-bit integers
// except platformGlobals (a record) and subSystemInfo (an array of entries).
struct HostAddresses {
    uint32_t platformGlobals;
    uint32_t GcurSelVM;        // current video mode index, -1 while none chosen
    uint32_t subSystemCount;
    uint32_t GcurSel;          // current subsystem index
    uint32_t subSystemInfo;
    // The menu's displayed mode, read by the dialog, written by the deferred
    // road; the word before it is the mode the game saves to gta3.set.
    uint32_t savedModeIndex;
    uint32_t clearOnDefer;     // set to 0 on the deferred road; 0 where the build has none
};

// Host function addresses, in the order the slots are bound.
struct HostFunctions {
    uint32_t Log;
    uint32_t RwGetVideoModeList;
    uint32_t RwSetVideoMode;
    uint32_t RwEngineGetVideoModeInfo;
    uint32_t RwEngineGetNumVideoModes;
    uint32_t RwEngineGetCurrentVideoMode;
    uint32_t RwEngineSetVideoMode;
    uint32_t RwEngineSetSubSystem;
};

// psSelectDevice calls RwEngineSetSubSystem with a five-byte relative call at
// this offset; we redirect that call to our own handler.
constexpr uint32_t kSelectDeviceCallOffset = 0x75;
// After that call psSelectDevice takes the menu's mode when the game's list
// names it (else it searches for one), then settles: RwEngineGetVideoModeInfo
// of GcurSelVM, RwEngineSetVideoMode(GcurSelVM), and for a full-screen mode
// the record takes its size. We look for those calls in this stretch.
constexpr uint32_t kSettleScanStart = kSelectDeviceCallOffset + 5;
constexpr uint32_t kSettleScanLength = 0x200;

// One of the four executables we know (GTA III 1.0 and 1.1, Vice City 1.0
// and 1.1), recognised by the entry point in its header.
struct HostBuildInfo {
    uint32_t entryPoint;  // AddressOfEntryPoint, relative, as the header stores it
    // The build line's first words, e.g. "GTA3 v1.0 offsets"; " loaded" and
    // the executable's time stamp and entry point follow.
    const char* buildLineStart;
    HostFunctions functions;
    HostAddresses addresses;
    uint32_t selectDevice;  // start of psSelectDevice
    // Vice City's window procedure asks for its pause menu on WM_SETFOCUS
    // (when a game is loaded and the menu is not open): the windowed game
    // pauses when the player comes back, not when they leave. GTA III's
    // ignores the message.
    bool pausesOnSetFocus;
};

// The Steam executables, which the plug-in does not support: told apart by
// their entry points only to say so.
constexpr uint32_t kGta3SteamEntryPoint = 0x1C6FD0;
constexpr uint32_t kViceCitySteamEntryPoint = 0x266BA0;

// The build whose header carries this entry point, or null for any other executable.
const HostBuildInfo* FindHostBuild(uint32_t entryPoint);

#ifdef _WIN32
#include <windows.h>

// Slots: our own functions, each rebound at recognition with a jump to the
// host function of the same name (cdecl, like the host's). Never inlined or
// analysed across calls, so every call really lands on the patched entry.
// They live in a code section of their own: binding them changes the
// protection of their page only, never of a page whose code is running.
#define HOST_SLOT __attribute__((noinline, noipa, used, section(".slots")))
namespace host {
HOST_SLOT const char** _RwGetVideoModeList();
HOST_SLOT void _RwSetVideoMode(int modeIndex);
HOST_SLOT void _Log(const char* line);
HOST_SLOT int RwEngineGetCurrentVideoMode();
HOST_SLOT int RwEngineGetNumVideoModes();
HOST_SLOT int RwEngineGetVideoModeInfo(ModeInfo* info, int modeIndex);
HOST_SLOT int RwEngineSetSubSystem(int subSystemIndex);
HOST_SLOT int RwEngineSetVideoMode(int modeIndex);
}  // namespace host

// The host variables of the recognised build, and its row (null until then).
extern HostAddresses hostAddresses;
extern const HostBuildInfo* hostBuildInfo;

inline bool HostPausesOnSetFocus() { return hostBuildInfo != nullptr && hostBuildInfo->pausesOnSetFocus; }

inline int32_t& HostInt(uint32_t address) { return *reinterpret_cast<int32_t*>(address); }
inline const char* SubSystemName(int index) {
    return reinterpret_cast<const char*>(hostAddresses.subSystemInfo + kSubSystemInfoSize * index);
}
// The engine's mode 0 is its windowed mode; the in-game display menu may
// later switch a windowed game to a full-screen mode.
constexpr int32_t kWindowedMode = 0;
inline bool HostInWindowedMode() { return HostInt(hostAddresses.GcurSelVM) == kWindowedMode; }
// The mode the game saves to gta3.set: the word before the menu's mode.
inline uint32_t HostPrefsModeAddress() { return hostAddresses.savedModeIndex - 4; }
inline PlatformGlobals& HostPlatform() { return *reinterpret_cast<PlatformGlobals*>(hostAddresses.platformGlobals); }
// The pointer 28 bytes into platformGlobals; null until the host made its window.
inline uint32_t HostWindowRecord() { return HostPlatform().windowRecord; }
// The host's main window, the record's first field, or null while it does not exist yet.
inline HWND HostWindow() {
    const uint32_t record = HostWindowRecord();
    return record != 0 ? *reinterpret_cast<HWND*>(record) : nullptr;
}
#endif
