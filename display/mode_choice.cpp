#include "display/mode_choice.h"

#include "core/host_changes.h"
#include "core/host_contract.h"
#include "window/host_window.h"
#include "display/mode_dialog.h"
#include "display/mode_text.h"
#include "settings/config.h"

ModeChoice ChooseDisplayMode() {
    const ModeRequest request = ParseModeRequest(currentConfig->GetString("dispora"));
    if (request.windowed) {
        ChangeHostInt(hostAddresses.GcurSelVM, 0);
        return ModeChoice::Made;
    }
    if (!RequestHasSize(request)) {
        // A dialog that cannot be created leaves the host's choice standing.
        switch (RunModeDialog(HostWindow())) {
            case ModeDialogOutcome::Faulted: return ModeChoice::Faulted;
            case ModeDialogOutcome::Exited: return ModeChoice::PlayerLeft;
            default: return ModeChoice::Made;
        }
    }
    for (int i = 0; i < host::RwEngineGetNumVideoModes(); ++i) {
        ModeInfo info = {};
        host::RwEngineGetVideoModeInfo(&info, i);
        if (ModeMatches(info, request)) {
            ChangeHostInt(hostAddresses.GcurSelVM, i);
            return ModeChoice::Made;
        }
    }
    return ModeChoice::Made;  // no such mode: the host's own choice stands
}
