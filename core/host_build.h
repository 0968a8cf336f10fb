// Recognising the host executable and wiring the plug-in into it.
#pragma once

#include "core/host_contract.h"

// The plug-in's handler for psSelectDevice's call of RwEngineSetSubSystem:
// the host's calling convention and result.
using SubSystemCallHandler = int(__cdecl*)(int subSystemIndex);

// Recognises the host, binds the slots and fills hostAddresses. Returns the
// build, or null for any other executable (error line logged, nothing changed).
const HostBuildInfo* DetectHostBuild();
// Redirects the subsystem call in psSelectDevice to handler (when it is the
// call we expect and its bytes can be written) and logs the build line and
// banner. The redirect is a host change: undone with the others.
void WireIntoHost(const HostBuildInfo& build, SubSystemCallHandler handler);
// The plug-in's answer to psSelectDevice's settle call of RwEngineGetVideoModeInfo.
using SettleCallHandler = int(__cdecl*)(ModeInfo* info, int modeIndex);
// Finds the settle call in psSelectDevice (exactly the calls its source has,
// see kSettleModeInfoCalls) and redirects it to handler, a host change like
// the others. False, with the reason logged, when the code is not what we
// know or cannot be written: nothing changed then.
bool RedirectSettleCall(SettleCallHandler handler);
// Was the call redirected? Without it the choice cannot be deferred.
bool HostCallSiteRedirected();
// What the redirected call would have called: the host's RwEngineSetSubSystem,
// or the plug-in that redirected it before us.
int ForwardSubSystemCall(int subSystemIndex);
