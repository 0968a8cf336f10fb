#include "display/mode_choice.h"

#include "core/host_contract.h"
#include "core/log.h"
#include "window/host_window.h"
#include "display/mode_dialog.h"
#include "display/mode_text.h"
#include "settings/settings.h"

namespace {

void LogSizeNotOffered(const ModeRequest& request, int modeCount) {
    if (request.depth != 0) {
        LogMessage("no %d x %d x %d mode among the %d the engine offers: the game's own choice stands\n",
                   request.width, request.height, request.depth, modeCount);
    } else {
        LogMessage("no %d x %d mode among the %d the engine offers: the game's own choice stands\n", request.width,
                   request.height, modeCount);
    }
}

}  // namespace

ModeChoice ChooseDisplayMode() {
    const ModeRequest& request = settingsAtStart.dispora.request;
    int32_t& GcurSelVM = HostInt(hostAddresses.GcurSelVM);
    if (request.windowed) {
        GcurSelVM = 0;
        return ModeChoice::Made;
    }
    if (!RequestHasSize(request)) {
        const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kModeDialogTemplate),
                                               HostWindow(), ModeDialogProc, 0);
        // Out of the window manager's frames now: let our guard have the fault.
        if (TakeModeDialogFault()) RaiseException(kModeDialogFault, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        if (result == 0) return ModeChoice::Leave;
        // A dialog that cannot be created (-1) leaves the host's choice
        // standing, which may name no mode yet.
        const bool namesMode = GcurSelVM >= 0 && GcurSelVM < host::RwEngineGetNumVideoModes();
        return result != -1 || namesMode ? ModeChoice::Made : ModeChoice::GameChooses;
    }
    const int modeCount = host::RwEngineGetNumVideoModes();
    for (int i = 0; i < modeCount; ++i) {
        ModeInfo info = {};
        host::RwEngineGetVideoModeInfo(&info, i);
        if (ModeMatches(info, request)) {
            GcurSelVM = i;
            return ModeChoice::Made;
        }
    }
    LogSizeNotOffered(request, modeCount);
    return ModeChoice::GameChooses;
}
