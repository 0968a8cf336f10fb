// The real DirectDraw library, loaded from the Windows system folder on the
// first call of one of our two exported entries and never unloaded.
#pragma once

#include <windows.h>

struct SystemDirectDraw {
    HMODULE module;
    FARPROC directDrawCreate;
    FARPROC directDrawCreateEx;
};

extern "C" SystemDirectDraw systemDirectDraw;

// Fills systemDirectDraw. Loads nothing unless the system folder is known and
// the full path fits; never loads the plug-in itself.
extern "C" void LoadSystemDirectDraw();
