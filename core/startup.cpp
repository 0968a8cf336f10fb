// The library's entry procedure: everything the plug-in does at load time.
#include <windows.h>
#include <string.h>

#include "core/fault_report.h"
#include "core/guard.h"
#include "core/host_build.h"
#include "core/log.h"
#include "core/log_file.h"
#include "core/single_copy.h"
#include "display/deferred_mode.h"
#include "window/dpi_awareness.h"
#include "display/host_state.h"
#include "display/immediate_mode.h"
#include "display/mode_in_use.h"
#include "window/window_hook.h"
#include "settings/settings.h"

namespace {

// What the attach may have changed in the host, for a fault to put back.
HostChoiceState hostBeforeChoice;
bool hostStateSaved;

// Every setting, read once, and the log file they ask for.
void ReadSettingsAndStartLog(void* module) {
    ReadSettingsAtStart(module);
    char path[Config::kTextSize];
    const bool hasPath = SiblingFilePath(path, sizeof(path), settingsAtStart.modulePath, "dispora.log");
    StartLogFile(hasPath ? path : nullptr, settingsAtStart.logFile);
}

// Installed as ddraw.dll (any case), the plug-in is what the game loads for
// DirectDraw: refusing to load would stop the game from starting.
bool LoadedAsDirectDraw() {
    const char* path = settingsAtStart.modulePath;
    const char* slash = strrchr(path, '\\');
    return lstrcmpiA(slash != nullptr ? slash + 1 : path, "ddraw.dll") == 0;
}

int AttachSteps(void* module) {
    const HostBuildInfo* build = DetectHostBuild();
    if (build == nullptr) {
        // Said in dispora.log too. As ddraw.dll the plug-in stays and only
        // forwards DirectDraw: nothing in the game is patched or hooked.
        ReadSettingsAndStartLog(module);
        CloseLogFile();
        return LoadedAsDirectDraw() ? 1 : 0;
    }
    if (!ClaimProcess()) {
        LogMessage("another copy of dispora.asi is active in this process: this one leaves the video mode to it\n");
        return 1;
    }
    WireIntoHost(*build);
    ReadSettingsAndStartLog(module);
    ExplainSettingsAtStart();
    const bool windowExists = HostWindowRecord() != 0;
    ApplyDpiAwareness(windowExists);
    if (!windowExists) return DeferDisplayMode();
    hostBeforeChoice = SaveHostChoiceState();
    hostStateSaved = true;
    return ApplyDisplayModeNow();
}

// Before the loader unloads us while the game runs on: nothing in the host
// may point into our code afterwards, and another copy may take over.
void LetGoOfHost() {
    RestoreHostCallSite();
    UnhookGameWindow();
    ReleaseProcessClaim();
}

BOOL OnProcessAttach(HMODULE module) {
    MakeSettingsStore();
    // The host's own functions run from the first log line on: guard it all.
    const int result = RunGuarded(AttachSteps, module);
    if (result == 1) return TRUE;
    // A fault or a refused switch: the game goes on as it was, visible.
    if (hostStateSaved) RestoreHostChoiceState(hostBeforeChoice);
    if (result == kGuardFaulted) {
        ReportFault(true);
    } else if (hostStateSaved && hostBeforeChoice.visible) {
        ShowWindow(hostBeforeChoice.window, SW_SHOW);
    }
    LetGoOfHost();  // the loader will unload us
    CloseLogFile();
    return FALSE;
}

BOOL OnProcessDetach(bool processExiting) {
    ReportModeInUseAtDetach(processExiting);
    // At process exit the host runs no more code: nothing to undo.
    if (!processExiting) LetGoOfHost();
    CloseLogFile();
    return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: return OnProcessAttach(module);
        case DLL_PROCESS_DETACH: return OnProcessDetach(reserved != nullptr);
        default: return TRUE;
    }
}
