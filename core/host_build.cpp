#include "core/host_build.h"

#include <windows.h>
#include <string.h>

#include "core/log.h"
#include "core/patching.h"
#include "display/deferred_mode.h"

HostAddresses hostAddresses;
HostBuild hostBuild;

namespace {

struct SavedCallSite {
    uint32_t address;
    uint8_t bytes[kBranchSize];
    uint32_t foreignTarget;  // another plug-in's handler we forward to, or 0 for the host's function
};
SavedCallSite savedCallSite;

const uint8_t* HostModule() { return reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr)); }
const uint8_t* HostPeHeader() { return HostModule() + *reinterpret_cast<const uint32_t*>(HostModule() + 0x3C); }

// Redirects the call only when it is the host's own call of
// RwEngineSetSubSystem, or a call that another plug-in already redirected
// out of the executable (we then forward to it, so both keep working).
void RedirectHostCallSite(uint32_t callSite, uint32_t hostFunction) {
    uint8_t bytes[kBranchSize];
    memcpy(bytes, reinterpret_cast<const void*>(callSite), kBranchSize);
    const uint32_t imageStart = reinterpret_cast<uint32_t>(HostModule());
    const uint32_t imageEnd = imageStart + *reinterpret_cast<const uint32_t*>(HostPeHeader() + 0x50);  // SizeOfImage
    uint32_t target = 0;
    const CallSiteKind kind = ClassifyCallSite(bytes, callSite, hostFunction, imageStart, imageEnd, &target);
    if (kind == CallSiteKind::Unexpected) {
        LogMessage("unexpected code at psSelectDevice+0x75 (0x%x): not redirected, so the mode can only be chosen "
                   "when the plug-in is loaded after the game window exists\n", callSite);
        return;
    }
    memcpy(savedCallSite.bytes, bytes, kBranchSize);
    savedCallSite.foreignTarget = kind == CallSiteKind::ForeignCall ? target : 0;
    savedCallSite.address = callSite;
    WriteBranch(kOpcodeCall, callSite, reinterpret_cast<uint32_t>(&OnHostSetSubSystem));
}

void LogBanner() {
    LogMessage("$ \n");
    LogMessage("$ dispora.asi " DISPORA_VERSION " for GTAIII and Vice City build %s %s %s\n", __DATE__, __TIME__, "");
    LogMessage("$ by the dispora.asi developers\n");
    LogMessage("$ project page: https://dispora.invalid/\n");  // placeholder until the project has an address
    LogMessage("$ \n");
}

// What the player has, where we can tell.
void LogUnknownExecutable(uint32_t entryPoint) {
    const char* steamGame = entryPoint == kGta3SteamEntryPoint        ? "GTA III"
                            : entryPoint == kViceCitySteamEntryPoint ? "Vice City"
                                                                     : nullptr;
    if (steamGame != nullptr) {
        LogMessage("this is %s's Steam executable: the plug-in knows GTA III 1.0 and 1.1 and Vice City 1.0 and 1.1, "
                   "and does nothing here\n", steamGame);
    } else {
        LogMessage("entry point 0x%X is none of GTA III 1.0 or 1.1 or Vice City 1.0 or 1.1: the plug-in does "
                   "nothing here\n", entryPoint);
    }
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
    hostBuild = build.build;
    return 1;
}

const HostBuildInfo* DetectHostBuild() {
    const uint8_t* peHeader = HostPeHeader();
    const uint32_t entryPoint = *reinterpret_cast<const uint32_t*>(peHeader + 0x28);
    const HostBuildInfo* build = FindHostBuild(entryPoint);
    if (build == nullptr) {
        LogMessage("ERROR: Unsupported exe (timestamp = %d)\n", *reinterpret_cast<const int32_t*>(peHeader + 8));
        LogUnknownExecutable(entryPoint);
        return nullptr;
    }
    BindHostFunctions(*build);
    SetHostAddresses(*build);
    return build;
}

void WireIntoHost(const HostBuildInfo& build) {
    RedirectHostCallSite(build.selectDevice + kSelectDeviceCallOffset, build.functions.RwEngineSetSubSystem);
    const uint8_t* peHeader = HostPeHeader();
    LogMessage(build.buildLineFormat, *reinterpret_cast<const uint32_t*>(peHeader + 8),
               *reinterpret_cast<const uint32_t*>(peHeader + 0x28));
    LogBanner();
}

bool HostCallSiteRedirected() { return savedCallSite.address != 0; }

int ForwardSubSystemCall(int subSystemIndex) {
    if (savedCallSite.foreignTarget == 0) return host::RwEngineSetSubSystem(subSystemIndex);
    using SetSubSystem = int(__cdecl*)(int);
    return reinterpret_cast<SetSubSystem>(savedCallSite.foreignTarget)(subSystemIndex);
}

void RestoreHostCallSite() {
    if (savedCallSite.address == 0) return;
    PatchCode(savedCallSite.address, savedCallSite.bytes, kBranchSize);
    savedCallSite = {};
}
