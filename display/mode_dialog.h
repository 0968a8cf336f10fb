// The host's video mode dialog (template 104), driven by our procedure.
#pragma once

#include <windows.h>

constexpr int kModeDialogTemplate = 104;
constexpr int kSubSystemList = 1000;
constexpr int kModeList = 1001;
constexpr int kAcceptButton = IDOK;  // 1
constexpr int kExitButton = 1002;

INT_PTR CALLBACK ModeDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void FillModeList(HWND list);
void OnInitModeDialog(HWND dialog);
void OnSubSystemChanged(HWND dialog);
