#include "core/log.h"
#include "settings/settings.h"

namespace {

void LogExplanation(const char* line) { LogMessage("%s\n", line); }

}  // namespace

void ReadSettingsAtStart(void* module) {
    currentConfig->Open(module, "dispora.ini");
    ReadSettings(*currentConfig, &settingsAtStart);
}

void ExplainSettingsAtStart() { ExplainSettings(*currentConfig, settingsAtStart, LogExplanation); }
