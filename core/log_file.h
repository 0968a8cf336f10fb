// dispora.log beside the plug-in, for players to send when they ask for
// help: every log line of this start, in order, on disk as soon as it is
// logged. It is written at every start unless the settings turn it off.
#pragma once

#include <stddef.h>

// Every log line comes here. Until the settings are read the lines are kept
// (the build line and banner come before them); then they go to the file, or
// nowhere when it is off.
void RecordLogLine(const char* line, size_t length);
// Once the settings are read: when wanted, creates the file at path afresh
// (null: no path to use) and writes the kept lines; otherwise drops them.
void StartLogFile(const char* path, bool wanted);
// At detach, or once nothing more will be logged.
void CloseLogFile();
