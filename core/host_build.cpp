#include "core/host_build.h"

#include <windows.h>
#include <string.h>

#include "core/log.h"
#include "core/patching.h"
#include "display/deferred_mode.h"

HostAddresses hostAddresses;

namespace {

struct SavedCallSite {
    uint32_t address;
    uint8_t bytes[kBranchSize];
};
SavedCallSite savedCallSite;

void RedirectHostCallSite(uint32_t callSite) {
    memcpy(savedCallSite.bytes, reinterpret_cast<const void*>(callSite), kBranchSize);
    savedCallSite.address = callSite;
    WriteBranch(kOpcodeCall, callSite, reinterpret_cast<uint32_t>(&OnHostSetSubSystem));
}

void LogBanner() {
    LogMessage("$ \n");
    LogMessage("$ dispora.asi 1.01 for GTAIII and Vice City build %s %s %s\n", __DATE__, __TIME__, "");
    LogMessage("$ by the dispora.asi developers\n");
    LogMessage("$ project page: https://dispora.invalid/\n");  // placeholder until the project has an address
    LogMessage("$ \n");
}

}  // namespace

int BindHostFunctions(const HostBuildInfo& build) {
    const HostFunctions& f = build.functions;
    int ok = 1;
    ok &= BindSlot(reinterpret_cast<HostFunctionSlot>(&host::_Log), f.Log);
    ok &= BindSlot(reinterpret_cast<HostFunctionSlot>(&host::_RwGetVideoModeList), f.RwGetVideoModeList);
    ok &= BindSlot(reinterpret_cast<HostFunctionSlot>(&host::_RwSetVideoMode), f.RwSetVideoMode);
    ok &= BindSlot(reinterpret_cast<HostFunctionSlot>(&host::RwEngineGetVideoModeInfo), f.RwEngineGetVideoModeInfo);
    ok &= BindSlot(reinterpret_cast<HostFunctionSlot>(&host::RwEngineGetNumVideoModes), f.RwEngineGetNumVideoModes);
    ok &= BindSlot(reinterpret_cast<HostFunctionSlot>(&host::RwEngineGetCurrentVideoMode), f.RwEngineGetCurrentVideoMode);
    ok &= BindSlot(reinterpret_cast<HostFunctionSlot>(&host::RwEngineSetVideoMode), f.RwEngineSetVideoMode);
    ok &= BindSlot(reinterpret_cast<HostFunctionSlot>(&host::RwEngineSetSubSystem), f.RwEngineSetSubSystem);
    return ok;
}

int SetHostAddresses(const HostBuildInfo& build) {
    hostAddresses = build.addresses;
    return 1;
}

int DetectHostBuild() {
    const uint8_t* module = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    const uint8_t* peHeader = module + *reinterpret_cast<const uint32_t*>(module + 0x3C);
    const uint32_t timeStamp = *reinterpret_cast<const uint32_t*>(peHeader + 8);
    const uint32_t entryPoint = *reinterpret_cast<const uint32_t*>(peHeader + 0x28);

    const HostBuildInfo* build = FindHostBuild(entryPoint);
    if (build == nullptr) {
        LogMessage("ERROR: Unsupported exe (timestamp = %d)\n", static_cast<int>(timeStamp));
        return 0;
    }
    BindHostFunctions(*build);
    SetHostAddresses(*build);
    RedirectHostCallSite(build->selectDevice + kSelectDeviceCallOffset);
    LogMessage(build->buildLineFormat, timeStamp, entryPoint);
    LogBanner();
    return 1;
}

void RestoreHostCallSite() {
    if (savedCallSite.address == 0) return;
    PatchCode(savedCallSite.address, savedCallSite.bytes, kBranchSize);
    savedCallSite.address = 0;
}
