#include <windows.h>

#include "core/log.h"
#include "settings/compat_layers.h"
#include "settings/settings.h"

namespace {

void LogExplanation(const char* line) { LogMessage("%s\n", line); }

// The compatibility layers Windows applies to the game reach it in this
// variable; a value too long for the buffer is left unread.
void ExplainCompatLayersAtStart(const SettingsRecord& record) {
    char layers[1024];
    const DWORD length = GetEnvironmentVariableA("__COMPAT_LAYER", layers, sizeof(layers));
    if (length == 0) return;
    if (length >= sizeof(layers)) {
        LogMessage("__COMPAT_LAYER is too long to read: compatibility layers not checked\n");
        return;
    }
    ExplainCompatLayers(layers, record, LogExplanation);
}

}  // namespace

void ReadSettingsAtStart(void* module, SettingsRecord* record) {
    currentConfig->Open(module, "dispora.ini");
    ReadSettings(*currentConfig, record);
}

void ExplainSettingsAtStart(const SettingsRecord& record) {
    ExplainSettings(*currentConfig, record, LogExplanation);
    ExplainCompatLayersAtStart(record);
}
