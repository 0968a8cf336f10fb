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

#define SLOT_WARNING(name) WarnUnboundSlot(name)

namespace host {

const char** _RwGetVideoModeList() {
    SLOT_WARNING("_RwGetVideoModeList");
    return nullptr;
}
void _RwSetVideoMode(int) { SLOT_WARNING("_RwSetVideoMode"); }
void _Log(const char*) { SLOT_WARNING("_Log"); }
int RwEngineGetCurrentVideoMode() {
    SLOT_WARNING("RwEngineGetCurrentVideoMode");
    return 0;
}
int RwEngineGetNumVideoModes() {
    SLOT_WARNING("RwEngineGetNumVideoModes");
    return 0;
}
int RwEngineGetVideoModeInfo(ModeInfo*, int) {
    SLOT_WARNING("RwEngineGetVideoModeInfo");
    return 0;
}
int RwEngineSetSubSystem(int) {
    SLOT_WARNING("RwEngineSetSubSystem");
    return 0;
}
int RwEngineSetVideoMode(int) {
    SLOT_WARNING("RwEngineSetVideoMode");
    return 0;
}

}  // namespace host
