#include "display/immediate_mode.h"

#include <signal.h>

#include "core/host_contract.h"
#include "core/log.h"
#include "display/display_menu.h"
#include "display/mode_choice.h"
#include "display/mode_in_use.h"
#include "window/host_window.h"

namespace {

// The host's name for the mode, or a stand-in where the list has none.
const char* HostModeName(int modeIndex) {
    if (modeIndex < 0 || modeIndex >= host::RwEngineGetNumVideoModes()) return "(no mode)";
    // The game's list names full-screen modes only.
    if (modeIndex == kWindowedMode) return "windowed";
    const char* name = MenuModeName(modeIndex);
    return name != nullptr ? name : "(unnamed mode)";
}

}  // namespace

ImmediateOutcome ApplyDisplayModeNow(const ModeSetting& dispora) {
    int32_t& GcurSel = HostInt(hostAddresses.GcurSel);
    int32_t& GcurSelVM = HostInt(hostAddresses.GcurSelVM);
    LogMessage("VM config: GcurSel = %d, GcurSelVM = %d", GcurSel, GcurSelVM);
    if (!dispora.given) return ImmediateOutcome::Applied;

    HWND window = HostWindow();
    ShowWindow(window, SW_HIDE);
    switch (ChooseDisplayMode(dispora.request)) {
        case ModeChoice::PlayerLeft:
            raise(SIGABRT);  // the player chose to leave the game
            return ImmediateOutcome::Refused;
        case ModeChoice::Faulted: return ImmediateOutcome::Faulted;
        case ModeChoice::Made:
        case ModeChoice::GameChooses: break;
    }
    LogMessage("Dispora selected: %s : %s\n", SubSystemName(GcurSel), HostModeName(GcurSelVM));
    if (host::RwEngineSetSubSystem(GcurSel) == 0) {
        LogMessage("failed to set SubSystem!\n");
        return ImmediateOutcome::Refused;
    }
    if (host::RwEngineSetVideoMode(GcurSelVM) == 0) LogMessage("failed to set VM!\n");
    host::_RwSetVideoMode(GcurSelVM);
    ShowWindow(window, SW_SHOW);
    if (GcurSelVM == kWindowedMode) {
        ArrangeShownWindow(window);
        WatchDisplayMenu(NamedFullScreenMode(HostInt(hostAddresses.savedModeIndex)));
    }
    NoteModeChosen();
    ReportModeInUse();  // applied by the plug-in itself: settled now
    ShowCursor(FALSE);
    SetCursor(nullptr);
    return ImmediateOutcome::Applied;
}
