#include "display/deferred_mode.h"

#include "core/fault_report.h"
#include "core/guard.h"
#include "core/host_build.h"
#include "core/host_contract.h"
#include "core/log.h"
#include "display/host_state.h"
#include "window/host_window.h"
#include "display/mode_choice.h"
#include "display/mode_in_use.h"
#include "settings/settings.h"

int32_t modeChoicePending;

namespace {

struct DeferredChoice {
    HostChoiceState before;
    bool saved;
};

// The choice and the window work, under a guard: 1 when made, 0 when the
// player left the dialog with its exit button.
int ChooseAndArrange(void* context) {
    DeferredChoice& choice = *static_cast<DeferredChoice*>(context);
    choice.before = SaveHostChoiceState();
    choice.saved = true;
    const ModeChoice made = ChooseDisplayMode();
    if (made == ModeChoice::Leave) return 0;
    // Only a mode the plug-in chose: the game indexes its mode list with it.
    if (made == ModeChoice::Made) HostInt(hostAddresses.savedModeIndex) = HostInt(hostAddresses.GcurSelVM);
    if (HWND window = HostWindow()) {
        if (HostInWindowedMode()) {
            ArrangeWindowBeforeShow(window);
        } else {
            AddFrameStyles(window);  // the window keys are for the windowed mode only
        }
    } else {
        LogMessage("no host window yet: frame styles not added\n");
    }
    return 1;
}

}  // namespace

int DeferDisplayMode() {
    if (!settingsAtStart.dispora.given) return 1;
    if (!HostCallSiteRedirected()) return 1;  // said at recognition: nothing to arm
    modeChoicePending = 1;
    if (hostAddresses.clearOnDefer != 0) HostInt(hostAddresses.clearOnDefer) = 0;
    return 1;
}

int OnHostSetSubSystem(int subSystemIndex) {
    ReportModeInUse();  // a later device selection: the first one is over
    const int result = ForwardSubSystemCall(subSystemIndex);
    if (modeChoicePending == 0) return result;
    modeChoicePending = 0;
    DeferredChoice choice = {};
    const int chosen = RunGuarded(ChooseAndArrange, &choice);
    if (chosen == kGuardFaulted) {
        // The game goes on with its own choice, as if we had never been asked.
        if (choice.saved) RestoreHostChoiceState(choice.before);
        ReportFault(false);  // the game shows its window itself, later
        return result;
    }
    if (chosen == 0) return 0;  // the exit button: the host sees its subsystem call fail
    NoteModeChosen();
    return result;
}
