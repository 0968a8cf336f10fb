#include "core/single_copy.h"

#include <windows.h>
#include <stdio.h>

namespace {

HANDLE processClaim;

}  // namespace

bool ClaimProcess() {
    char name[64];
    snprintf(name, sizeof(name), "Local\\dispora.asi-%lu", GetCurrentProcessId());
    HANDLE claim = CreateMutexA(nullptr, FALSE, name);
    if (claim == nullptr) return true;  // no way to tell: do the work
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(claim);
        return false;
    }
    processClaim = claim;
    return true;
}

void ReleaseProcessClaim() {
    if (processClaim == nullptr) return;
    CloseHandle(processClaim);
    processClaim = nullptr;
}
