#include "core/host_build.h"

#include <windows.h>
#include <string.h>

#include "core/host_changes.h"
#include "core/log.h"
#include "core/patching.h"

HostAddresses hostAddresses;
const HostBuildInfo* hostBuildInfo;

namespace {

// The call we redirected: set only once its bytes are in place.
struct RedirectedCall {
    uint32_t site;
    uint32_t foreignTarget;  // another plug-in's handler we forward to, or 0 for the host's function
};
RedirectedCall redirectedCall;

const uint8_t* HostModule() { return reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr)); }
const uint8_t* HostPeHeader() { return HostModule() + *reinterpret_cast<const uint32_t*>(HostModule() + 0x3C); }

// Each slot and the host function it is bound to.
struct SlotBinding {
    HostFunctionSlot slot;
    uint32_t HostFunctions::*hostFunction;
    const char* name;
};
#define SLOT_BINDING(slot, hostFunction) \
    {reinterpret_cast<HostFunctionSlot>(&host::slot), &HostFunctions::hostFunction, #hostFunction}
const SlotBinding kSlotBindings[] = {
    SLOT_BINDING(_Log, Log),
    SLOT_BINDING(_RwGetVideoModeList, RwGetVideoModeList),
    SLOT_BINDING(_RwSetVideoMode, RwSetVideoMode),
    SLOT_BINDING(RwEngineGetVideoModeInfo, RwEngineGetVideoModeInfo),
    SLOT_BINDING(RwEngineGetNumVideoModes, RwEngineGetNumVideoModes),
    SLOT_BINDING(RwEngineGetCurrentVideoMode, RwEngineGetCurrentVideoMode),
    SLOT_BINDING(RwEngineSetVideoMode, RwEngineSetVideoMode),
    SLOT_BINDING(RwEngineSetSubSystem, RwEngineSetSubSystem),
};
#undef SLOT_BINDING

void LogNotRedirected(const char* before, uint32_t callSite, const char* after) {
    LogMessage("%s psSelectDevice+0x75 (0x%x)%s: not redirected, so the mode can only be chosen when the plug-in is "
               "loaded after the game window exists\n", before, callSite, after);
}

// Redirects the call only when it is the host's own call of
// RwEngineSetSubSystem, or a call that another plug-in already redirected
// out of the executable (we then forward to it, so both keep working).
void RedirectHostCallSite(uint32_t callSite, uint32_t hostFunction, SubSystemCallHandler handler) {
    uint8_t bytes[kBranchSize];
    memcpy(bytes, reinterpret_cast<const void*>(callSite), kBranchSize);
    const uint32_t imageStart = reinterpret_cast<uint32_t>(HostModule());
    const uint32_t imageEnd = imageStart + *reinterpret_cast<const uint32_t*>(HostPeHeader() + 0x50);  // SizeOfImage
    uint32_t target = 0;
    const CallSiteKind kind = ClassifyCallSite(bytes, callSite, hostFunction, imageStart, imageEnd, &target);
    if (kind == CallSiteKind::Unexpected) {
        LogNotRedirected("unexpected code at", callSite, "");
        return;
    }
    uint8_t redirect[kBranchSize];
    EncodeBranch(kOpcodeCall, callSite, reinterpret_cast<uint32_t>(handler), redirect);
    if (!ChangeHostCode(callSite, redirect)) {
        LogNotRedirected("the code at", callSite, " cannot be written");
        return;
    }
    redirectedCall.site = callSite;
    redirectedCall.foreignTarget = kind == CallSiteKind::ForeignCall ? target : 0;
}

void LogBanner() {
    LogMessage("$ \n");
    LogMessage("$ dispora.asi " DISPORA_BANNER_VERSION " for GTAIII and Vice City build " __DATE__ " " __TIME__ " \n");
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

// A slot that cannot be written keeps its unbound body, which does nothing:
// the log names it.
void BindHostFunctions(const HostBuildInfo& build) {
    for (const SlotBinding& binding : kSlotBindings) {
        const uint32_t hostFunction = build.functions.*binding.hostFunction;
        if (!BindSlot(binding.slot, hostFunction)) {
            LogMessage("the slot for %s (0x%x) cannot be written: its calls do nothing\n", binding.name, hostFunction);
        }
    }
}

}  // namespace

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
    hostAddresses = build->addresses;
    hostBuildInfo = build;
    return build;
}

void WireIntoHost(const HostBuildInfo& build, SubSystemCallHandler handler) {
    RedirectHostCallSite(build.selectDevice + kSelectDeviceCallOffset, build.functions.RwEngineSetSubSystem, handler);
    const uint8_t* peHeader = HostPeHeader();
    LogMessage("%s loaded (timestamp 0x%x, entrypoint 0x%x)\n", build.buildLineStart,
               *reinterpret_cast<const uint32_t*>(peHeader + 8), *reinterpret_cast<const uint32_t*>(peHeader + 0x28));
    LogBanner();
}

bool RedirectSettleCall(SettleCallHandler handler) {
    const HostBuildInfo& build = *hostBuildInfo;
    const uint32_t start = build.selectDevice + kSettleScanStart;
    const SettleCallScan scan = ScanSettleCalls(reinterpret_cast<const uint8_t*>(start), kSettleScanLength, start,
                                                build.functions.RwEngineGetVideoModeInfo,
                                                build.functions.RwEngineSetVideoMode);
    if (!SettleCallFound(scan)) {
        LogMessage("psSelectDevice+0x%x..+0x%x calls RwEngineGetVideoModeInfo %u and RwEngineSetVideoMode %u times, "
                   "not %u and 1: its settle call is not redirected\n", kSettleScanStart, kSettleScanStart + kSettleScanLength,
                   scan.modeInfoCalls, scan.setModeCalls, kSettleModeInfoCalls);
        return false;
    }
    uint8_t redirect[kBranchSize];
    EncodeBranch(kOpcodeCall, scan.settleCall, reinterpret_cast<uint32_t>(handler), redirect);
    if (!ChangeHostCode(scan.settleCall, redirect)) {
        LogMessage("the settle call at psSelectDevice+0x%x (0x%x) cannot be written: not redirected\n",
                   scan.settleCall - build.selectDevice, scan.settleCall);
        return false;
    }
    return true;
}

bool HostCallSiteRedirected() { return redirectedCall.site != 0; }

int ForwardSubSystemCall(int subSystemIndex) {
    if (redirectedCall.foreignTarget == 0) return host::RwEngineSetSubSystem(subSystemIndex);
    return reinterpret_cast<SubSystemCallHandler>(redirectedCall.foreignTarget)(subSystemIndex);
}
