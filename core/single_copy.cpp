#include "core/single_copy.h"

#include <windows.h>

namespace {

// An atom in the process's own atom table: no other program can see or
// make it, so nothing outside the game can tell the plug-in to stand down.
const char kClaimName[] = "dispora.asi";
ATOM processClaim;

}  // namespace

bool ClaimProcess() {
    if (FindAtomA(kClaimName) != 0) return false;
    processClaim = AddAtomA(kClaimName);  // none made: no way to tell, do the work
    return true;
}

void ReleaseProcessClaim() {
    if (processClaim == 0) return;
    DeleteAtom(processClaim);
    processClaim = 0;
}
