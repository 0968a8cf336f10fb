#include "display/immediate_mode.h"

#include <signal.h>

#include "core/host_contract.h"
#include "core/log.h"
#include "display/mode_choice.h"
#include "display/mode_text.h"
#include "settings/config.h"

namespace {

// The host's name for the mode, or a stand-in where the list has none.
const char* HostModeName(int modeIndex) {
    if (modeIndex < 0 || modeIndex >= host::RwEngineGetNumVideoModes()) return "(no mode)";
    const char** names = host::_RwGetVideoModeList();
    if (names == nullptr || names[modeIndex] == nullptr) return "(unnamed mode)";
    return names[modeIndex];
}

// Frames the window and gives it the windowsize size at 100, 100. Without a
// windowsize it keeps its present size.
void SizeHostWindow(HWND window) {
    AddFrameStyles(window);
    int width = 0;
    int height = 0;
    if (const char* size = currentConfig->GetString("windowsize")) {
        ParseWindowSize(size, &width, &height);
    } else {
        RECT bounds = {};
        GetWindowRect(window, &bounds);
        width = bounds.right - bounds.left;
        height = bounds.bottom - bounds.top;
    }
    LogMessage("changing window size to %d x %d\n", width, height);
    HWND insertAfter = currentConfig->GetBool("topmost") ? HWND_TOP : HWND_NOTOPMOST;
    SetWindowPos(window, insertAfter, 100, 100, width, height, SWP_SHOWWINDOW);
}

}  // namespace

int ApplyDisplayModeNow() {
    int32_t& GcurSel = HostInt(hostAddresses.GcurSel);
    int32_t& GcurSelVM = HostInt(hostAddresses.GcurSelVM);
    LogMessage("VM config: GcurSel = %d, GcurSelVM = %d", GcurSel, GcurSelVM);
    if (!currentConfig->Has("dispora")) return 1;

    HWND window = HostWindow();
    ShowWindow(window, SW_HIDE);
    if (ChooseDisplayMode() == 0) {
        raise(SIGABRT);  // the player chose to leave the game
        return 0;
    }
    LogMessage("Dispora selected: %s : %s\n", SubSystemName(GcurSel), HostModeName(GcurSelVM));
    if (host::RwEngineSetSubSystem(GcurSel) == 0) {
        LogMessage("failed to set SubSystem!\n");
        return 0;
    }
    if (host::RwEngineSetVideoMode(GcurSelVM) == 0) LogMessage("failed to set VM!\n");
    host::_RwSetVideoMode(GcurSelVM);
    ShowWindow(window, SW_SHOW);
    if (GcurSelVM == 0) SizeHostWindow(window);
    ShowCursor(FALSE);
    SetCursor(nullptr);
    return 1;
}
