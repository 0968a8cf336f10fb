// Recognising the host executable and wiring the plug-in into it.
#pragma once

#include "core/host_contract.h"

// Recognises the host, binds the slots and fills hostAddresses. Returns the
// build, or null for any other executable (error line logged, nothing changed).
const HostBuildInfo* DetectHostBuild();
int BindHostFunctions(const HostBuildInfo& build);
int SetHostAddresses(const HostBuildInfo& build);
// Redirects the subsystem call in psSelectDevice (when it is the call we
// expect) and logs the build line and banner.
void WireIntoHost(const HostBuildInfo& build);
// Was the call redirected? Without it the choice cannot be deferred.
bool HostCallSiteRedirected();
// What the redirected call would have called: the host's RwEngineSetSubSystem,
// or the plug-in that redirected it before us.
int ForwardSubSystemCall(int subSystemIndex);
// Puts back the host bytes the redirect replaced, so that nothing in the host
// points into the plug-in once it is unloaded.
void RestoreHostCallSite();
