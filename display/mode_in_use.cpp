#include "display/mode_in_use.h"

#include "core/host_contract.h"
#include "core/log.h"

namespace {

bool reportPending;
int32_t chosenMode;

void Report(void (*log)(const char* format, ...)) {
    if (!reportPending) return;
    reportPending = false;
    log("video mode in use: %d (chosen: %d)", HostInt(hostAddresses.GcurSelVM), chosenMode);
}

}  // namespace

void NoteModeChosen() {
    chosenMode = HostInt(hostAddresses.GcurSelVM);
    reportPending = true;
}

void ReportModeInUse() { Report(LogMessage); }

void ReportModeInUseAtDetach(bool processExiting) { Report(processExiting ? LogMessageAtExit : LogMessage); }
