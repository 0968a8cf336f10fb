// Every change the plug-in makes to the game goes through here and is kept
// with what it replaced, so that one call puts the game back as it was: at
// detach and on every fault path, last change first.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "core/branch.h"

// Writes a five-byte branch into host code. It counts only once its bytes
// read back as written: false when the page cannot be made writable or the
// bytes do not read back, and nothing is recorded then.
bool ChangeHostCode(uint32_t address, const uint8_t (&bytes)[kBranchSize]);

// Sets a host integer. The value it had before its first change is kept.
void ChangeHostInt(uint32_t address, int32_t value);
// After the choice: sets a host integer that is the game's own value at
// once, as the integers KeepHostIntegers let go; no undo touches it.
void SetKeptHostInt(uint32_t address, int32_t value);
// The choice is over: the integers set so far are the game's own values
// now, and no later undo touches them.
void KeepHostIntegers();

// Puts ours in front of the window's procedure; returns the one it replaced
// (null when the list is full: nothing replaced).
WNDPROC ChangeHostWindowProcedure(HWND window, WNDPROC ours);
// Gives the window its replaced procedure back while ours is still the
// window's (nothing to do for a window that is gone, or one whose procedure
// is from before ours again). False when another procedure was put over
// ours: taking ours out would cut that one off, so the caller keeps the
// plug-in loaded instead.
bool UndoHostWindowProcedure(HWND window);
// Ours is out of the window's chain: its procedure is again the one ours
// replaced, or its class's own (another mod put back the one it saved).
bool ProcedureFromBeforeOurs(HWND window);

// A point in the list of changes, to undo only the changes made after it.
using HostChangeMark = uint32_t;
constexpr HostChangeMark kNoHostChanges = 0;
HostChangeMark MarkHostChanges();
// Undoes the changes made since mark, last first. The window code takes its
// procedure out first (UndoHostWindowProcedure), as only it can keep the
// plug-in loaded when another procedure stands over ours.
void UndoHostChanges(HostChangeMark since = kNoHostChanges);
