// Recognising the host executable and wiring the plug-in into it.
#pragma once

#include "core/host_contract.h"

// Recognises the host, binds the slots, fills hostAddresses, redirects the
// subsystem call in psSelectDevice and logs the build line and banner.
// Returns 1 when recognised, 0 for any other executable (nothing changed).
int DetectHostBuild();
int BindHostFunctions(const HostBuildInfo& build);
int SetHostAddresses(const HostBuildInfo& build);
// Puts back the host bytes the redirect replaced, so that nothing in the host
// points into the plug-in once it is unloaded.
void RestoreHostCallSite();
