// Test-only exports of the probe DLL: the plug-in's own objects, reached from
// the stand-in host. Compiled with the plug-in's flags, so the slot calls here
// are the optimised calls the plug-in makes.
#include "tests/host/probe.h"

#include "core/host_contract.h"
#include "core/log.h"
#include "core/patching.h"
#include "ddraw/system_ddraw.h"
#include "settings/config.h"

extern "C" {

__declspec(dllexport) void ProbeCallSlots(SlotProbeResults* results, ModeInfo* info) {
    results->modeList = host::_RwGetVideoModeList();
    host::_RwSetVideoMode(kProbeRawMode);
    host::_Log("probe line\n");
    results->currentMode = host::RwEngineGetCurrentVideoMode();
    results->modeCount = host::RwEngineGetNumVideoModes();
    results->modeInfo = host::RwEngineGetVideoModeInfo(info, kProbeInfoMode);
    results->setSubSystem = host::RwEngineSetSubSystem(kProbeSubSystem);
    results->setVideoMode = host::RwEngineSetVideoMode(kProbeVideoMode);
}

__declspec(dllexport) SystemDirectDraw* ProbeSystemDirectDraw() { return &systemDirectDraw; }

__declspec(dllexport) const char* ProbeFind(const char* key) { return currentConfig->Find(key); }

__declspec(dllexport) int ProbeWriteBranch(uint32_t site, uint32_t target) {
    return WriteBranch(kOpcodeCall, site, target);
}

__declspec(dllexport) int ProbeBindLogSlot(uint32_t hostAddress) {
    return BindSlot(reinterpret_cast<HostFunctionSlot>(&host::_Log), hostAddress);
}

__declspec(dllexport) void ProbeLog(const char* message) { LogMessage("%s", message); }
}
