#include "display/mode_in_use.h"

#include "core/host_contract.h"
#include "core/log.h"

namespace {

bool reportPending;
int32_t chosenMode;

}  // namespace

void NoteModeChosen() {
    chosenMode = HostInt(hostAddresses.GcurSelVM);
    reportPending = true;
}

void ReportModeInUse() {
    if (!reportPending) return;
    reportPending = false;
    LogMessage("video mode in use: %d (chosen: %d)", HostInt(hostAddresses.GcurSelVM), chosenMode);
}

void ReportModeInUseAtDetach(bool processExiting) {
    if (!processExiting) return ReportModeInUse();
    if (!reportPending) return;
    reportPending = false;
    LogMessageAtExit("video mode in use: %d (chosen: %d)", HostInt(hostAddresses.GcurSelVM), chosenMode);
}
