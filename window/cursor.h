// The cursor's display count: ShowCursor moves it by one per call, and the
// cursor shows while it is 0 or more. The host lowers it by one on every
// WM_SETCURSOR and never raises it, so it may have sunk far before the
// plug-in took over; these move it in a bounded number of steps.
#pragma once

// Shows the cursor: raises the count to 0 if it is below; a count above 0
// is lowered to 0 as well when lowerToo is set, else left alone.
void ShowCursorAtZero(bool lowerToo);
// After the host hid the cursor over the game: keeps the count from sinking
// below -1, so one step shows it again.
void KeepHiddenCursorNearZero();
