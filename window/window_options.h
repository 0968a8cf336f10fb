// What the window part takes from the settings, built once at start and
// handed in: the window keys as read (what they mean on this screen, this
// monitor and this build is settled when the window is arranged) and the
// options of our procedure.
#pragma once

#include "settings/settings.h"
#include "window/window_hook.h"
#include "window/window_placement.h"

struct WindowOptions {
    // onNamedMonitor is settled when the window is placed.
    WindowRequest request;
    ZOrder zOrder;
    MonitorSetting monitor;
    bool aspectFromStart;  // aspect=yes: the shape the client area starts with
    // pauseOnLeave as asked: settled for the build when the window is hooked.
    GameWindowOptions procedure;
    // The plug-in's own path, for dispora-window.ini beside it.
    const char* pluginPath;
};
