#include "display/deferred_mode.h"

#include "core/host_contract.h"
#include "core/log.h"
#include "display/host_window.h"
#include "display/mode_choice.h"
#include "settings/config.h"

int32_t modeChoicePending;

int DeferDisplayMode() {
    if (!currentConfig->Has("dispora")) return 1;
    modeChoicePending = 1;
    if (hostAddresses.clearOnDefer != 0) HostInt(hostAddresses.clearOnDefer) = 0;
    return 1;
}

int OnHostSetSubSystem(int subSystemIndex) {
    const int result = host::RwEngineSetSubSystem(subSystemIndex);
    if (modeChoicePending == 0) return result;
    modeChoicePending = 0;
    if (ChooseDisplayMode() == 0) return 0;  // the host sees its subsystem call fail
    HostInt(hostAddresses.savedModeIndex) = HostInt(hostAddresses.GcurSelVM);
    if (HWND window = HostWindow()) {
        if (HostInt(hostAddresses.GcurSelVM) == 0) {
            ArrangeWindowBeforeShow(window);
        } else {
            AddFrameStyles(window);  // the window keys are for the windowed mode only
        }
    } else {
        LogMessage("no host window yet: frame styles not added\n");
    }
    return result;
}
