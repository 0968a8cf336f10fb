// The host's video mode dialog (template 104), driven by our procedure.
#pragma once

#include <windows.h>

constexpr int kModeDialogTemplate = 104;
constexpr int kSubSystemList = 1000;
constexpr int kModeList = 1001;
constexpr int kAcceptButton = IDOK;  // 1
constexpr int kExitButton = 1002;

// How the dialog ended: the player's accept or exit button, never shown (it
// could not be created), or a fault inside our procedure. A fault ends the
// dialog, for it must not unwind through the window manager's frames; the
// caller takes it as a fault of its own.
enum class ModeDialogOutcome { Accepted, Exited, NotShown, Faulted };
ModeDialogOutcome RunModeDialog(HWND owner);
void FillModeList(HWND list);
void OnInitModeDialog(HWND dialog);
void OnSubSystemChanged(HWND dialog);
