#include "display/mode_choice.h"

#include "core/host_changes.h"
#include "core/host_contract.h"
#include "core/log.h"
#include "display/mode_dialog.h"
#include "display/mode_text.h"

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

ModeChoice ChooseDisplayMode(const ModeRequest& request) {
    if (request.windowed) {
        ChangeHostInt(hostAddresses.GcurSelVM, kWindowedMode);
        return ModeChoice::Made;
    }
    if (!RequestHasSize(request)) {
        switch (RunModeDialog(HostWindow())) {
            case ModeDialogOutcome::Faulted: return ModeChoice::Faulted;
            case ModeDialogOutcome::Exited: return ModeChoice::PlayerLeft;
            case ModeDialogOutcome::Accepted:
            case ModeDialogOutcome::NotShown: break;
        }
        // Accepted with no row selected, or a dialog that could not be
        // created (the host's choice stands): the index may name no mode yet.
        const int32_t GcurSelVM = HostInt(hostAddresses.GcurSelVM);
        return GcurSelVM >= 0 && GcurSelVM < host::RwEngineGetNumVideoModes() ? ModeChoice::Made
                                                                               : ModeChoice::GameChooses;
    }
    const int modeCount = host::RwEngineGetNumVideoModes();
    int chosen = -1;
    ModeInfo best = {};
    for (int i = 0; i < modeCount; ++i) {
        ModeInfo info = {};
        host::RwEngineGetVideoModeInfo(&info, i);
        if (ModeServesBetter(info, chosen >= 0 ? &best : nullptr, request)) {
            chosen = i;
            best = info;
        }
    }
    if (chosen < 0) {
        LogSizeNotOffered(request, modeCount);
        return ModeChoice::GameChooses;
    }
    LogMessage("mode %d chosen: %d x %d x %d%s\n", chosen, best.width, best.height, best.depth,
               request.depth == 0 ? ", the deepest of that size" : "");
    ChangeHostInt(hostAddresses.GcurSelVM, chosen);
    return ModeChoice::Made;
}
