// What the plug-in may change in the host while it makes and applies its
// choice, kept so that a fault leaves none of it half-written. The host
// integers are put back from the list of host changes; the engine's
// subsystem, the record's sizes and the window's style and rectangle here.
#pragma once

#include <windows.h>

#include "core/host_changes.h"
#include "core/host_contract.h"

struct HostChoiceState {
    bool saved;       // false until SaveHostChoiceState ran
    int32_t GcurSel;  // the engine's subsystem before the dialog switched it
    int32_t width;    // the sizes in the host's record
    int32_t height;
    int32_t maximumWidth;
    int32_t maximumHeight;
    HWND window;  // null while the game has none
    LONG style;
    RECT bounds;
    bool visible;
};

void SaveHostChoiceState(HostChoiceState& state);
// Takes our procedure and the mouse clip off the window, switches the engine
// back if the dialog had changed its subsystem, undoes the host changes made
// since the mark, and puts the record's sizes and the window's style and
// rectangle back. Of a state never saved, only the host changes.
void RestoreHostChoiceState(const HostChoiceState& state, HostChangeMark changesBefore);
