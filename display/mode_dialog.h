// The host's video mode dialog (template 104), driven by our procedure.
#pragma once

#include <windows.h>

constexpr int kModeDialogTemplate = 104;
constexpr int kSubSystemList = 1000;
constexpr int kModeList = 1001;
constexpr int kAcceptButton = IDOK;  // 1
constexpr int kExitButton = 1002;

// A fault inside the procedure ends the dialog (it must not unwind through
// the window manager's frames); ModeDialogFaulted() then says so, and the
// caller raises kModeDialogFault where its own guard catches it.
INT_PTR CALLBACK ModeDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Did the last dialog end on a fault? Clears the answer.
bool TakeModeDialogFault();
constexpr DWORD kModeDialogFault = 0xE0D15001;
void FillModeList(HWND list);
void OnInitModeDialog(HWND dialog);
void OnSubSystemChanged(HWND dialog);
