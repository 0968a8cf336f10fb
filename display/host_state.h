// What the plug-in may change in the host while it makes and applies its
// choice, kept so that a fault leaves none of it half-written.
#pragma once

#include <windows.h>

#include "core/host_contract.h"

struct HostChoiceState {
    int32_t GcurSel;
    int32_t GcurSelVM;
    int32_t savedModeIndex;
    int32_t width;  // the sizes in the host's record
    int32_t height;
    int32_t maximumWidth;
    int32_t maximumHeight;
    HWND window;  // null while the game has none
    LONG style;
    RECT bounds;
    bool visible;
};

HostChoiceState SaveHostChoiceState();
// Puts the variables, the window's style and rectangle and its procedure
// back; switches the engine back if the dialog had changed its subsystem.
void RestoreHostChoiceState(const HostChoiceState& state);
