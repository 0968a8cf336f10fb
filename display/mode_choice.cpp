#include "display/mode_choice.h"

#include "core/host_contract.h"
#include "window/host_window.h"
#include "display/mode_dialog.h"
#include "display/mode_text.h"
#include "settings/config.h"

int ChooseDisplayMode() {
    const ModeRequest request = ParseModeRequest(currentConfig->GetString("dispora"));
    int32_t& GcurSelVM = HostInt(hostAddresses.GcurSelVM);
    if (request.windowed) {
        GcurSelVM = 0;
        return 1;
    }
    if (!RequestHasSize(request)) {
        // A dialog that cannot be created (-1) leaves the host's choice standing.
        const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kModeDialogTemplate),
                                               HostWindow(), ModeDialogProc, 0);
        // Out of the window manager's frames now: let our guard have the fault.
        if (TakeModeDialogFault()) RaiseException(kModeDialogFault, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        return result == 0 ? 0 : 1;
    }
    for (int i = 0; i < host::RwEngineGetNumVideoModes(); ++i) {
        ModeInfo info = {};
        host::RwEngineGetVideoModeInfo(&info, i);
        if (ModeMatches(info, request)) {
            GcurSelVM = i;
            return 1;
        }
    }
    return 1;  // no such mode: the host's own choice stands
}
