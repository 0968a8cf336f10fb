#include "display/deferred_mode.h"

#include "core/fault_report.h"
#include "core/guard.h"
#include "core/host_build.h"
#include "core/host_changes.h"
#include "core/host_contract.h"
#include "core/log.h"
#include "display/host_state.h"
#include "window/host_window.h"
#include "display/mode_choice.h"
#include "display/mode_in_use.h"
#include "settings/settings.h"

namespace {

bool modeChoicePending;

// The host changes from the arming on: a fault in the choice undoes them.
HostChangeMark changesBeforeArming;

struct DeferredChoice {
    HostChoiceState before;
    ModeChoice made;
};

// The choice and the window work, under a guard.
void ChooseAndArrange(DeferredChoice& choice) {
    SaveHostChoiceState(choice.before);
    choice.made = ChooseDisplayMode();
    if (choice.made == ModeChoice::PlayerLeft || choice.made == ModeChoice::Faulted) return;
    // Only a mode the plug-in chose: the game indexes its mode list with it.
    if (choice.made == ModeChoice::Made) ChangeHostInt(hostAddresses.savedModeIndex, HostInt(hostAddresses.GcurSelVM));
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

void DeferDisplayMode() {
    if (!settingsAtStart.dispora.given) return;
    if (!HostCallSiteRedirected()) return;  // said at recognition: nothing to arm
    modeChoicePending = true;
    changesBeforeArming = MarkHostChanges();
    if (hostAddresses.clearOnDefer != 0) ChangeHostInt(hostAddresses.clearOnDefer, 0);
}

int OnHostSetSubSystem(int subSystemIndex) {
    ReportModeInUse();  // a later device selection: the first one is over
    const int result = ForwardSubSystemCall(subSystemIndex);
    if (!modeChoicePending) return result;
    modeChoicePending = false;
    DeferredChoice choice = {};
    if (Guarded<ChooseAndArrange>(choice) == GuardOutcome::Faulted || choice.made == ModeChoice::Faulted) {
        // The game goes on with its own choice, as if we had never been asked.
        RestoreHostChoiceState(choice.before, changesBeforeArming);
        ReportFault(false);  // the game shows its window itself, later
        return result;
    }
    KeepHostIntegers();  // the game's from now on, whatever the player did
    if (choice.made == ModeChoice::PlayerLeft) return 0;  // the host sees its subsystem call fail
    NoteModeChosen();
    return result;
}
