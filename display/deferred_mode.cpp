#include "display/deferred_mode.h"

#include "core/fault_report.h"
#include "core/guard.h"
#include "core/host_build.h"
#include "core/host_changes.h"
#include "core/host_contract.h"
#include "core/log.h"
#include "display/display_menu.h"
#include "display/host_state.h"
#include "display/mode_choice.h"
#include "display/mode_in_use.h"
#include "window/host_window.h"

namespace {

bool modeChoicePending;
ModeRequest requested;  // the dispora setting, for the choice when it comes

// The host changes from the arming on: a fault in the choice undoes them.
HostChangeMark changesBeforeArming;

// The windowed mode on this road. With no name at the menu's mode
// psSelectDevice searches for 640 x 480 x 16 full screen: so the menu's mode
// stays a named full-screen one, the game takes it without a search, and its
// settle call is answered with the windowed mode.
struct WindowedRoad {
    NamedMenuMode named;
    bool settleRedirected;  // the settle call lands in OnHostSettleCall
    bool settlePending;     // from the choice to the end of this device selection
};
WindowedRoad windowedRoad;

// psSelectDevice's settle call: once, the windowed mode in place of the one
// the game took; later selections (a mode from the display menu) as the host's.
int __cdecl OnHostSettleCall(ModeInfo* info, int modeIndex) {
    if (!windowedRoad.settlePending) return host::RwEngineGetVideoModeInfo(info, modeIndex);
    windowedRoad.settlePending = false;
    if (modeIndex != kWindowedMode) {
        const char* taken = MenuModeName(modeIndex);
        LogMessage("the game took mode %d (%s): the windowed mode %d is set instead\n", modeIndex,
                   taken != nullptr ? taken : "no name", kWindowedMode);
        SetKeptHostInt(hostAddresses.GcurSelVM, kWindowedMode);
    }
    return host::RwEngineGetVideoModeInfo(info, kWindowedMode);
}

// Without the settle call the game's search decides. With the flag cleared
// it takes the windowed mode if the flag gates its whole test; as its source
// is written it still wants a full-screen mode of 480 lines and 16 bits, and
// ends the game where there is none. Where the flag is not known the search
// never takes the windowed mode. True where it cannot be left to the search.
bool SearchUnsafeForWindowed() {
    if (hostAddresses.clearOnDefer == 0) return true;
    const int modeCount = host::RwEngineGetNumVideoModes();
    for (int mode = 0; mode < modeCount; ++mode) {
        ModeInfo info = {};
        host::RwEngineGetVideoModeInfo(&info, mode);
        if (info.height == 480 && info.depth == 16 && (info.flags & kModeExclusive) != 0) return false;
    }
    return true;
}

// A windowed choice: a named mode at the menu's mode and the settle call
// answered; failing that the windowed mode there for the game's search,
// unless that search could end the game or never take it.
void PrepareWindowedSettle() {
    WindowedRoad& road = windowedRoad;
    road = {};
    road.named = NamedFullScreenMode(HostInt(hostAddresses.savedModeIndex));
    if (road.named.index < 0) {
        LogMessage("the game's mode list names no full-screen mode: the windowed mode is left to the game's own mode "
                   "search\n");
        ChangeHostInt(hostAddresses.savedModeIndex, kWindowedMode);
        return;
    }
    road.settleRedirected = RedirectSettleCall(OnHostSettleCall);
    if (road.settleRedirected || SearchUnsafeForWindowed()) {
        if (!road.settleRedirected) {
            LogMessage("the game's own mode search cannot be trusted with the windowed mode here: the game keeps "
                       "mode %d (%s)\n", road.named.index, road.named.name);
        }
        ChangeHostInt(hostAddresses.savedModeIndex, road.named.index);
        return;
    }
    LogMessage("the windowed mode is left to the game's own mode search\n");
    ChangeHostInt(hostAddresses.savedModeIndex, kWindowedMode);
}

struct DeferredChoice {
    HostChoiceState before;
    ModeChoice made;
};

// The choice and the window work, under a guard.
void ChooseAndArrange(DeferredChoice& choice) {
    SaveHostChoiceState(choice.before);
    choice.made = ChooseDisplayMode(requested);
    if (choice.made == ModeChoice::PlayerLeft || choice.made == ModeChoice::Faulted) return;
    // Only a mode the plug-in chose: the game indexes its mode list with it.
    if (choice.made == ModeChoice::Made) {
        if (HostInWindowedMode()) {
            PrepareWindowedSettle();
        } else {
            ChangeHostInt(hostAddresses.savedModeIndex, HostInt(hostAddresses.GcurSelVM));
        }
    }
    if (HWND window = HostWindow()) {
        if (HostInWindowedMode()) {
            ArrangeWindowBeforeShow(window);
        } else {
            AddFrameStyles(window);  // the window keys are for the windowed mode only
        }
    } else {
        LogMessage("no host window yet: frame styles not added\n");
    }
}

}  // namespace

void DeferDisplayMode(const ModeSetting& dispora) {
    if (!dispora.given) return;
    if (!HostCallSiteRedirected()) return;  // said at recognition: nothing to arm
    requested = dispora.request;
    modeChoicePending = true;
    changesBeforeArming = MarkHostChanges();
    if (hostAddresses.clearOnDefer != 0) ChangeHostInt(hostAddresses.clearOnDefer, 0);
}

int OnHostSetSubSystem(int subSystemIndex) {
    ReportModeInUse();  // a later device selection: the first one is over
    windowedRoad.settlePending = false;
    const int result = ForwardSubSystemCall(subSystemIndex);
    if (!modeChoicePending) return result;
    modeChoicePending = false;
    DeferredChoice choice = {};
    if (Guarded<ChooseAndArrange>(choice) == GuardOutcome::Faulted || choice.made == ModeChoice::Faulted) {
        // The game goes on with its own choice, as if we had never been asked.
        RestoreHostChoiceState(choice.before, changesBeforeArming);
        windowedRoad = {};
        ReportFault(false);  // the game shows its window itself, later
        return result;
    }
    KeepHostIntegers();  // the game's from now on, whatever the player did
    if (choice.made == ModeChoice::PlayerLeft) return 0;  // the host sees its subsystem call fail
    windowedRoad.settlePending = windowedRoad.settleRedirected;
    if (choice.made == ModeChoice::Made && HostInWindowedMode()) {
        WatchDisplayMenu(windowedRoad.named);
    }
    NoteModeChosen();
    return result;
}
