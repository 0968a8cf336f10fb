// The unbound bodies of the host-function slots. Binding overwrites the first
// five bytes of each with a jump into the host, so these bodies only run when
// the host was not recognised. Each carries its own name, so no two bodies
// are alike and none can be folded into another.
#include <windows.h>

#include "core/host_contract.h"
#include "core/log_line.h"

namespace {

// Straight to the debugger output: the host's log may be the unbound slot.
// The eight bodies share the line's fixed text.
void WarnUnboundSlot(const char* name) {
    char line[80];
    FormatBounded(line, sizeof(line), "[WARNING] callin' fuckin' dummy %s\n", name);
    OutputDebugStringA(line);
}

}  // namespace

namespace host {

const char** _RwGetVideoModeList() {
    WarnUnboundSlot("_RwGetVideoModeList");
    return nullptr;
}
void _RwSetVideoMode(int) { WarnUnboundSlot("_RwSetVideoMode"); }
void _Log(const char*) { WarnUnboundSlot("_Log"); }
int RwEngineGetCurrentVideoMode() {
    WarnUnboundSlot("RwEngineGetCurrentVideoMode");
    return 0;
}
int RwEngineGetNumVideoModes() {
    WarnUnboundSlot("RwEngineGetNumVideoModes");
    return 0;
}
int RwEngineGetVideoModeInfo(ModeInfo*, int) {
    WarnUnboundSlot("RwEngineGetVideoModeInfo");
    return 0;
}
int RwEngineSetSubSystem(int) {
    WarnUnboundSlot("RwEngineSetSubSystem");
    return 0;
}
int RwEngineSetVideoMode(int) {
    WarnUnboundSlot("RwEngineSetVideoMode");
    return 0;
}

}  // namespace host
