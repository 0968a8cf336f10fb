#include "display/mode_dialog.h"

#include "core/guard.h"
#include "core/host_changes.h"
#include "core/host_contract.h"
#include "core/log.h"
#include "window/cursor.h"
#include "display/mode_text.h"

namespace {

// Selects the row whose item value is modeIndex; no row when none has it.
void SelectModeRow(HWND list, int modeIndex) {
    const LRESULT rows = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row) {
        if (SendMessageA(list, CB_GETITEMDATA, row, 0) == modeIndex) {
            SendMessageA(list, CB_SETCURSEL, row, 0);
            return;
        }
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

// Shows the arrow cursor, raising the display count only as far as it takes
// to make the cursor visible, so the host's own later hiding still works.
void ShowArrowCursor() {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    ShowCursorAtZero(false);
}

}  // namespace

void FillModeList(HWND list) {
    ModeInfo info = {};
    const int count = host::RwEngineGetNumVideoModes();
    for (int i = 0; i < count; ++i) {
        host::RwEngineGetVideoModeInfo(&info, i);
        LogMessage("Dispora %2d: %d x %d x %d", i, info.width, info.height, info.depth);
        if (info.width < 640 || info.height < 480) continue;
        char row[kModeRowSize];
        BuildModeRowText(row, sizeof(row), info);
        const LRESULT position = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
        SendMessageA(list, CB_SETITEMDATA, position, i);
    }
}

void OnInitModeDialog(HWND dialog) {
    HWND subSystems = GetDlgItem(dialog, kSubSystemList);
    HWND modes = GetDlgItem(dialog, kModeList);
    const int32_t GcurSel = HostInt(hostAddresses.GcurSel);
    const int32_t savedModeIndex = HostInt(hostAddresses.savedModeIndex);

    const int subSystemCount = HostInt(hostAddresses.subSystemCount);
    for (int i = 0; i < subSystemCount; ++i) {
        SendMessageA(subSystems, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(SubSystemName(i)));
        SendMessageA(subSystems, CB_SETITEMDATA, i, i);
    }
    SendMessageA(subSystems, CB_SETCURSEL, GcurSel, 0);
    FillModeList(modes);

    const char** modeNames = host::_RwGetVideoModeList();
    if (HostInt(hostAddresses.GcurSelVM) == -1 && savedModeIndex >= 0 && savedModeIndex < host::RwEngineGetNumVideoModes() &&
        modeNames[savedModeIndex] != nullptr) {
        // Rows skip the small modes, so look the saved mode up by item value.
        for (int row = 0; row < host::RwEngineGetNumVideoModes(); ++row) {
            if (SendMessageA(modes, CB_GETITEMDATA, row, 0) == savedModeIndex) {
                ChangeHostInt(hostAddresses.GcurSelVM, savedModeIndex);
                break;
            }
        }
    } else {
        ChangeHostInt(hostAddresses.GcurSelVM, host::RwEngineGetCurrentVideoMode());
    }
    SelectModeRow(modes, HostInt(hostAddresses.GcurSelVM));
    SetFocus(subSystems);
}

void OnSubSystemChanged(HWND dialog) {
    HWND subSystems = GetDlgItem(dialog, kSubSystemList);
    const LRESULT row = SendMessageA(subSystems, CB_GETCURSEL, 0, 0);
    if (row == CB_ERR) return;  // nothing selected: nothing to switch to
    if (row == HostInt(hostAddresses.GcurSel)) return;
    const int32_t GcurSel = static_cast<int32_t>(SendMessageA(subSystems, CB_GETITEMDATA, row, 0));
    ChangeHostInt(hostAddresses.GcurSel, GcurSel);
    host::RwEngineSetSubSystem(GcurSel);

    HWND modes = GetDlgItem(dialog, kModeList);
    SendMessageA(modes, CB_RESETCONTENT, 0, 0);
    FillModeList(modes);
    const int32_t GcurSelVM = host::RwEngineGetCurrentVideoMode();
    ChangeHostInt(hostAddresses.GcurSelVM, GcurSelVM);
    SelectModeRow(modes, GcurSelVM);
}

namespace {

bool dialogFaulted;

INT_PTR HandleModeDialogMessage(HWND window, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_SETCURSOR:
            ShowArrowCursor();
            return 0;
        case WM_INITDIALOG:
            OnInitModeDialog(window);
            return 0;  // we set the focus ourselves
        case WM_COMMAND: {
            const int control = LOWORD(wParam);
            const int notification = HIWORD(wParam);
            switch (control) {
                case kAcceptButton:
                    if (notification == BN_CLICKED) EndDialog(window, 1);
                    return 1;
                case kExitButton:
                    if (notification == BN_CLICKED) EndDialog(window, 0);
                    return 1;
                case kModeList:
                    if (notification == CBN_SELCHANGE) {
                        HWND modes = GetDlgItem(window, kModeList);
                        const LRESULT row = SendMessageA(modes, CB_GETCURSEL, 0, 0);
                        ChangeHostInt(hostAddresses.GcurSelVM,
                                      static_cast<int32_t>(SendMessageA(modes, CB_GETITEMDATA, row, 0)));
                    }
                    return 1;
                case kSubSystemList:
                    OnSubSystemChanged(window);
                    return 1;
                default:
                    return 0;  // Escape and closing (IDCANCEL) do not end the dialog
            }
        }
        default:
            return 0;
    }
}

struct DialogMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    INT_PTR result;
};

void HandleGuarded(DialogMessage& call) {
    call.result = HandleModeDialogMessage(call.window, call.message, call.wParam);
}

INT_PTR CALLBACK ModeDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    DialogMessage call = {window, message, wParam, 0};
    if (Guarded<HandleGuarded>(call) == GuardOutcome::Faulted) {
        dialogFaulted = true;
        EndDialog(window, 0);
        return 1;
    }
    return call.result;
}

}  // namespace

ModeDialogOutcome RunModeDialog(HWND owner) {
    dialogFaulted = false;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kModeDialogTemplate), owner,
                                           ModeDialogProc, 0);
    if (dialogFaulted) return ModeDialogOutcome::Faulted;
    switch (result) {
        case 0: return ModeDialogOutcome::Exited;
        case -1: return ModeDialogOutcome::NotShown;
        default: return ModeDialogOutcome::Accepted;
    }
}
