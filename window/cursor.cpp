#include "window/cursor.h"

#include <windows.h>

namespace {

constexpr int kMostSteps = 64;

void MoveCursorCount(int target, bool lowerToo) {
    int count = ShowCursor(TRUE);
    if (count > target) {
        count = ShowCursor(FALSE);  // it was at target or above already
        for (int step = 0; lowerToo && count > target && step < kMostSteps; ++step) count = ShowCursor(FALSE);
        return;
    }
    for (int step = 0; count < target && step < kMostSteps; ++step) count = ShowCursor(TRUE);
}

}  // namespace

void ShowCursorAtZero(bool lowerToo) { MoveCursorCount(0, lowerToo); }

void KeepHiddenCursorNearZero() { MoveCursorCount(-1, false); }
