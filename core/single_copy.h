// One working copy per process: a player may have installed the plug-in both
// as ddraw.dll and as dispora.asi.
#pragma once

// True for the first copy to ask in this process; later copies leave the
// video mode to it (their DirectDraw entries still forward).
bool ClaimProcess();
// Lets another copy loaded later take over; at detach.
void ReleaseProcessClaim();
