// The library's entry procedure, attach and detach: where the parts are
// wired together. The settings are read once here and handed to the video
// mode and the window parts; core/ reaches into none of them.
#include <windows.h>
#include <string.h>

#include "core/fault_report.h"
#include "core/guard.h"
#include "core/host_build.h"
#include "core/host_changes.h"
#include "core/log.h"
#include "core/log_file.h"
#include "core/single_copy.h"
#include "display/deferred_mode.h"
#include "display/display_menu.h"
#include "display/host_state.h"
#include "display/immediate_mode.h"
#include "display/mode_in_use.h"
#include "settings/settings.h"
#include "window/dpi_awareness.h"
#include "window/host_window.h"
#include "window/window_hook.h"

namespace {

enum class AttachOutcome { Leaves, Stays, Faulted };

// The settings as read at this start. Its plug-in path stays in use for the
// files beside the plug-in.
SettingsRecord settings;

// Every setting, read once, and the log file they ask for.
void ReadSettingsAndStartLog(void* module) {
    ReadSettingsAtStart(module, &settings);
    char path[kPathSize];
    const bool hasPath = SiblingFilePath(path, sizeof(path), settings.modulePath, "dispora.log");
    StartLogFile(hasPath ? path : nullptr, settings.logFile);
}

// What the window part takes from the settings.
WindowOptions WindowOptionsFrom(const SettingsRecord& record) {
    WindowOptions options = {};
    WindowRequest& request = options.request;
    // The picture size wins over the outer one (the log said so at start).
    const WindowSizeSetting& size = record.pictureSize.given ? record.pictureSize : record.windowSize;
    request.hasSize = size.given;
    request.sizeIsPicture = record.pictureSize.given;
    request.width = size.width;
    request.height = size.height;
    request.pos = record.windowPos;
    request.borderless = record.borderless;
    options.zOrder = record.topmost;
    options.monitor = record.monitor;
    options.aspectFromStart = record.aspect.kind == AspectKind::StartShape;
    GameWindowOptions& procedure = options.procedure;
    procedure.clipCursor = record.clipCursor;
    procedure.altEnter = record.altEnter;
    procedure.pauseOnLeave = record.pauseOnLeave;
    procedure.remember = record.remember;
    procedure.aspect = record.aspect.ratio;
    options.pluginPath = record.modulePath;
    return options;
}

// Installed as ddraw.dll (any case), the plug-in is what the game loads for
// DirectDraw: refusing to load would stop the game from starting.
bool LoadedAsDirectDraw() {
    const char* path = settings.modulePath;
    const char* slash = strrchr(path, '\\');
    return lstrcmpiA(slash != nullptr ? slash + 1 : path, "ddraw.dll") == 0;
}

struct Attach {
    HMODULE module;
    AttachOutcome outcome;
    // What the attach may have changed in the host, for a fault to put back.
    HostChoiceState hostBeforeChoice;
};

void AttachSteps(Attach& attach) {
    const HostBuildInfo* build = DetectHostBuild();
    if (build == nullptr) {
        // Said in dispora.log too. As ddraw.dll the plug-in stays and only
        // forwards DirectDraw: nothing in the game is patched or hooked.
        ReadSettingsAndStartLog(attach.module);
        CloseLogFile();
        if (LoadedAsDirectDraw()) attach.outcome = AttachOutcome::Stays;
        return;
    }
    attach.outcome = AttachOutcome::Stays;
    if (!ClaimProcess()) {
        LogMessage("another copy of dispora.asi is active in this process: this one leaves the video mode to it\n");
        return;
    }
    WireIntoHost(*build, OnHostSetSubSystem);
    ReadSettingsAndStartLog(attach.module);
    ExplainSettingsAtStart(settings);
    UseWindowOptions(WindowOptionsFrom(settings));
    const bool windowExists = HostWindowRecord() != 0;
    ApplyDpiAwareness(settings.dpiAware, windowExists);
    if (!windowExists) return DeferDisplayMode(settings.dispora);
    SaveHostChoiceState(attach.hostBeforeChoice);
    const ImmediateOutcome applied = ApplyDisplayModeNow(settings.dispora);
    if (applied == ImmediateOutcome::Applied) return KeepHostIntegers();  // the game's own choice now
    attach.outcome = applied == ImmediateOutcome::Faulted ? AttachOutcome::Faulted : AttachOutcome::Leaves;
}

// Before the loader unloads us while the game runs on: nothing in the host
// may point into our code afterwards, and another copy may take over.
void LetGoOfHost() {
    UnhookGameWindow();
    UndoHostChanges();
    ReleaseProcessClaim();
}

BOOL OnProcessAttach(HMODULE module) {
    MakeSettingsStore();
    SetFaultReportWindow(HostWindow);
    SetModeSettledHook(ReportModeInUse);
    SetMenuCheck(NameDisplayMenuMode);
    // The host's own functions run from the first log line on: guard it all.
    Attach attach = {};
    attach.module = module;
    if (Guarded<AttachSteps>(attach) == GuardOutcome::Faulted) attach.outcome = AttachOutcome::Faulted;
    if (attach.outcome == AttachOutcome::Stays) return TRUE;
    // A fault or a refused switch: the game goes on as it was, visible.
    RestoreHostChoiceState(attach.hostBeforeChoice, kNoHostChanges);
    if (attach.outcome == AttachOutcome::Faulted) {
        ReportFault(true);
    } else if (attach.hostBeforeChoice.visible) {
        ShowWindow(attach.hostBeforeChoice.window, SW_SHOW);
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
