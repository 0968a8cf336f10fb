// The unbound bodies of the host-function slots. Binding overwrites the first
// five bytes of each with a jump into the host, so these bodies only run when
// the host was not recognised. Each carries its own name, so no two bodies
// are alike and none can be folded into another.
#include <windows.h>

#include "core/host_contract.h"

// Straight to the debugger output: the host's log may be the unbound slot.
// The words have been the plug-in's since its first version: players'
// guides and those who read its logs quote them as they stand, so they are
// never corrected.
#define WARN_UNBOUND_SLOT(name) OutputDebugStringA("[WARNING] callin' fuckin' dummy " name "\n")

namespace host {

const char** _RwGetVideoModeList() {
    WARN_UNBOUND_SLOT("_RwGetVideoModeList");
    return nullptr;
}
void _RwSetVideoMode(int) { WARN_UNBOUND_SLOT("_RwSetVideoMode"); }
void _Log(const char*) { WARN_UNBOUND_SLOT("_Log"); }
int RwEngineGetCurrentVideoMode() {
    WARN_UNBOUND_SLOT("RwEngineGetCurrentVideoMode");
    return 0;
}
int RwEngineGetNumVideoModes() {
    WARN_UNBOUND_SLOT("RwEngineGetNumVideoModes");
    return 0;
}
int RwEngineGetVideoModeInfo(ModeInfo*, int) {
    WARN_UNBOUND_SLOT("RwEngineGetVideoModeInfo");
    return 0;
}
int RwEngineSetSubSystem(int) {
    WARN_UNBOUND_SLOT("RwEngineSetSubSystem");
    return 0;
}
int RwEngineSetVideoMode(int) {
    WARN_UNBOUND_SLOT("RwEngineSetVideoMode");
    return 0;
}

}  // namespace host
