// The Windows compatibility layers in force for the game, as the system
// passes them to the process in __COMPAT_LAYER: which of them fight the
// settings in force, and how the player turns them off. No Win32 here.
#pragma once

#include "settings/settings.h"

// value: the variable's text (null or empty: none set), space-separated
// layer names in any case; a "~" before them, and a name prefixed with "!"
// (turned off), are not layers in force. Says nothing when none is in
// force; otherwise one line naming them, and for each known layer that
// fights a setting in record, what it breaks and how to turn it off.
void ExplainCompatLayers(const char* value, const SettingsRecord& record, ExplanationSink say);
