#include "tests/host/host_image.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <initializer_list>

extern "C" uint8_t hostLowCode[];  // host_pad_x86.S: 0x6000 bytes at the start of our code
constexpr uint32_t kLowCodeSize = 0x6000;

namespace {

// Host memory above our own code and data: every host address from 0x581000
// on falls in here (checked at install).
alignas(4096) uint8_t hostImage[0x600000];

const StandInBuild* installed = nullptr;
HWND hostWindow = nullptr;
HostWindowRecordLayout windowRecord;

bool InRegion(uint32_t address, uint32_t size) {
    const uint32_t low = reinterpret_cast<uint32_t>(hostLowCode);
    const uint32_t image = reinterpret_cast<uint32_t>(hostImage);
    return (address >= low && address + size <= low + kLowCodeSize) ||
           (address >= image && address + size <= image + sizeof(hostImage));
}

void Require(uint32_t address, uint32_t size, const char* what) {
    if (!InRegion(address, size)) {
        fprintf(stderr, "stand-in host: %s at 0x%x is outside its host memory\n", what, address);
        exit(90);
    }
}

void WriteHostBytes(uint32_t address, const void* bytes, uint32_t size) {
    Require(address, size, "host code");
    DWORD old = 0;
    VirtualProtect(reinterpret_cast<void*>(address), size, PAGE_EXECUTE_READWRITE, &old);
    memcpy(reinterpret_cast<void*>(address), bytes, size);
}

void WriteJump(uint32_t site, const void* target) { WriteHostBranch(0xE9, site, reinterpret_cast<uint32_t>(target)); }

FakeSubSystem& Current() { return engine.subSystems[static_cast<size_t>(engine.currentSubSystem)]; }

// --- the host's functions ----------------------------------------------------
void MaybeFault(HostFunction function) {
    PlannedFault& fault = engine.fault;
    if (fault.function != function || fault.skip-- > 0) return;
    fault.function = HostFunction::None;
    if (fault.kind == FaultKind::AccessViolation) {
        *reinterpret_cast<volatile int*>(0x10) = 1;
        return;
    }
    // What code built with the Windows compilers raises for a C++ throw.
    const ULONG_PTR throwArguments[3] = {0x19930520, 0, 0};
    RaiseException(0xE06D7363, EXCEPTION_NONCONTINUABLE, 3, throwArguments);
}

extern "C" {
void FakeLog(const char* line) {
    MaybeFault(HostFunction::Log);
    engine.logLines.push_back(line);
}

const char** FakeGetVideoModeList() {
    MaybeFault(HostFunction::GetVideoModeList);
    ++engine.getVideoModeListCalls;
    if (engine.returnedModeList != nullptr) return engine.returnedModeList;
    engine.nameList.clear();
    for (const std::string& name : Current().modeNames) engine.nameList.push_back(name.empty() ? nullptr : name.c_str());
    return engine.nameList.data();
}

void FakeRawSetVideoMode(int modeIndex) {
    MaybeFault(HostFunction::RawSetVideoMode);
    engine.rawSetVideoModeCalls.push_back(modeIndex);
}

int FakeGetVideoModeInfo(ModeInfo* info, int modeIndex) {
    MaybeFault(HostFunction::GetVideoModeInfo);
    engine.getVideoModeInfoCalls.push_back(modeIndex);
    const std::vector<ModeInfo>& modes = Current().modes;
    if (modeIndex >= 0 && static_cast<size_t>(modeIndex) < modes.size()) *info = modes[static_cast<size_t>(modeIndex)];
    return engine.videoModeInfoResult;
}

int FakeGetNumVideoModes() {
    MaybeFault(HostFunction::GetNumVideoModes);
    return static_cast<int>(Current().modes.size());
}

int FakeGetCurrentVideoMode() {
    MaybeFault(HostFunction::GetCurrentVideoMode);
    return Current().currentMode;
}

int FakeSetVideoMode(int modeIndex) {
    engine.setVideoModeCalls.push_back(modeIndex);
    MaybeFault(HostFunction::SetVideoMode);
    if (engine.refuseVideoMode) return 0;
    Current().currentMode = modeIndex;
    return engine.setVideoModeResult;
}

int FakeSetSubSystem(int index) {
    engine.setSubSystemCalls.push_back(index);
    MaybeFault(HostFunction::SetSubSystem);
    if (engine.refuseSubSystem || index < 0 || static_cast<size_t>(index) >= engine.subSystems.size()) return 0;
    engine.currentSubSystem = index;
    return engine.setSubSystemResult;
}
}

// A little x86 assembler for the host's code: bytes at a known address, and
// rel32 branches to labels fixed up once the code is laid out.
class HostCode {
public:
    explicit HostCode(uint32_t address) : address_(address) {}
    void Bytes(std::initializer_list<uint8_t> bytes) { code_.insert(code_.end(), bytes); }
    void Word(uint32_t value) {
        for (int i = 0; i < 4; ++i) code_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    uint32_t Here() const { return address_ + static_cast<uint32_t>(code_.size()); }
    void PadTo(uint32_t offset) {
        while (code_.size() < offset) code_.push_back(0x90);
    }
    void Call(uint32_t target) {
        Bytes({0xE8});
        Word(target - Here() - 4);
    }
    // A jump (0xE9) or a conditional jump (0x0F 0x8x) to a label.
    void Jump(int label) { Branch({0xE9}, label); }
    void JumpIf(uint8_t condition, int label) { Branch({0x0F, condition}, label); }
    void Mark(int label) { labels_[label] = Here(); }
    std::vector<uint8_t> Finish() {
        for (const Fixup& fixup : fixups_) {
            const uint32_t displacement = labels_[fixup.label] - (address_ + fixup.offset + 4);
            memcpy(&code_[fixup.offset], &displacement, 4);
        }
        return code_;
    }

private:
    struct Fixup {
        uint32_t offset;
        int label;
    };
    void Branch(std::initializer_list<uint8_t> opcode, int label) {
        Bytes(opcode);
        fixups_.push_back({static_cast<uint32_t>(code_.size()), label});
        Word(0);
    }
    uint32_t address_;
    std::vector<uint8_t> code_;
    std::vector<Fixup> fixups_;
    uint32_t labels_[8] = {};
};

constexpr uint8_t kIfEqual = 0x84, kIfNotEqual = 0x85, kIfAboveOrEqual = 0x83, kIfGreaterOrEqual = 0x8D;

// The model's own variables, beyond the stretch the plug-in scans.
uint32_t UseDefaultAddress(const StandInBuild& build) { return build.selectDevice + 0x3F0; }
uint32_t CurrentOptionAddress(const StandInBuild& build) { return build.selectDevice + 0x3F4; }
uint32_t SettlePointerAddress(const StandInBuild& build) { return build.selectDevice + 0x3F8; }

SelectDeviceCalls selectDeviceCalls;

extern "C" void FakeCannotFindMode() { engine.messageBoxes.push_back("Cannot find 640x480 video mode"); }

// psSelectDevice as host_image.h describes it, in the order of the games'
// reverse-engineered source; the menu's step skipped on a later selection
// (useDefault). Unlike the game it clears vm first and takes a menu mode
// outside the list for one without a name, so that no scenario reads stray memory.
void WriteSelectDeviceCode(const StandInBuild& build, ModeSearchReading reading, SettleCallCode settleCode) {
    enum { kSearch, kLoop, kNext, kNotFound, kSettle, kDone, kFail, kRest };
    HostCode code(build.selectDevice);
    const uint32_t flag = build.modeSearchFlag, GcurSelVM = build.GcurSelVM, record = build.platformGlobals;
    code.Bytes({0x55, 0x8B, 0xEC, 0x83, 0xEC, 0x20});  // push ebp; mov ebp,esp; sub esp,0x20
    code.Bytes({0x57, 0x8D, 0x7D, 0xE8, 0x31, 0xC0, 0xB9, 0x06, 0x00, 0x00, 0x00, 0xF3, 0xAB, 0x5F});  // vm = {}
    code.PadTo(0x72);
    code.Bytes({0xFF, 0x75, 0x08});  // push [ebp+8]
    code.Call(build.RwEngineSetSubSystem);  // +0x75
    code.Bytes({0x83, 0xC4, 0x04, 0x85, 0xC0});  // add esp,4; test eax,eax
    code.JumpIf(kIfEqual, kFail);
    code.Bytes({0x89, 0x45, 0xE4});  // mov [ebp-0x1C],eax
    code.Bytes({0x83, 0x3D});  // cmp [useDefault],0
    code.Word(UseDefaultAddress(build));
    code.Bytes({0x00});
    code.JumpIf(kIfNotEqual, kSettle);
    if (!build.pausesOnSetFocus) {  // one store more in GTA III's code: the scan meets other offsets there
        code.Bytes({0xC7, 0x05});
        code.Word(CurrentOptionAddress(build));
        code.Word(0);
    }
    // Step 1: the menu's mode, when the game's list names it.
    code.Call(build.RwEngineGetNumVideoModes);
    code.Bytes({0x89, 0x45, 0xE0});  // mov [ebp-0x20],eax
    code.Call(build.RwGetVideoModeList);
    code.Bytes({0x8B, 0x0D});  // mov ecx,[savedModeIndex]
    code.Word(build.savedModeIndex);
    code.Bytes({0x85, 0xC9});
    code.JumpIf(kIfEqual, kSearch);
    code.Bytes({0x3B, 0x4D, 0xE0});  // cmp ecx,[ebp-0x20]
    code.JumpIf(kIfAboveOrEqual, kSearch);
    code.Bytes({0x8B, 0x14, 0x88, 0x85, 0xD2});  // mov edx,[eax+ecx*4]; test edx,edx
    code.JumpIf(kIfEqual, kSearch);
    code.Bytes({0x89, 0x0D});
    code.Word(build.savedModeIndex - 4);  // m_nPrefsVideoMode
    code.Bytes({0x89, 0x0D});
    code.Word(GcurSelVM);
    code.Jump(kSettle);
    // Step 2: the search.
    code.Mark(kSearch);
    code.Mark(kLoop);
    code.Call(build.RwEngineGetNumVideoModes);
    code.Bytes({0x39, 0x05});  // cmp [GcurSelVM],eax
    code.Word(GcurSelVM);
    code.JumpIf(kIfGreaterOrEqual, kNotFound);
    code.Bytes({0xFF, 0x35});
    code.Word(GcurSelVM);
    code.Bytes({0x8D, 0x45, 0xE8, 0x50});  // lea eax,[ebp-0x18]; push eax
    selectDeviceCalls.searchModeInfo = code.Here() - build.selectDevice;
    code.Call(build.RwEngineGetVideoModeInfo);  // the search's own call
    code.Bytes({0x83, 0xC4, 0x08, 0x83, 0x3D});  // add esp,8; cmp [flag],0
    code.Word(flag);
    code.Bytes({0x00});
    if (reading == ModeSearchReading::FlagGatesAll) {
        code.JumpIf(kIfEqual, kSettle);  // no flag: GcurSelVM as it stands
    } else {
        code.JumpIf(kIfEqual, kRest);  // no flag: only the width goes untested
    }
    code.Bytes({0x81, 0x7D, 0xE8});  // cmp [vm.width],640
    code.Word(640);
    code.JumpIf(kIfNotEqual, kNext);
    code.Mark(kRest);
    code.Bytes({0x81, 0x7D, 0xEC});  // cmp [vm.height],480
    code.Word(480);
    code.JumpIf(kIfNotEqual, kNext);
    code.Bytes({0x83, 0x7D, 0xF0, 0x10});  // cmp [vm.depth],16
    code.JumpIf(kIfNotEqual, kNext);
    code.Bytes({0xF6, 0x45, 0xF4, 0x01});  // test [vm.flags],exclusive
    code.JumpIf(kIfNotEqual, kSettle);
    code.Mark(kNext);
    code.Bytes({0xFF, 0x05});  // inc [GcurSelVM]
    code.Word(GcurSelVM);
    code.Jump(kLoop);
    code.Mark(kNotFound);
    code.Call(reinterpret_cast<uint32_t>(&FakeCannotFindMode));
    code.Jump(kFail);
    // Step 3: settle.
    code.Mark(kSettle);
    code.Bytes({0xFF, 0x35});
    code.Word(GcurSelVM);
    code.Bytes({0x8D, 0x45, 0xE8, 0x50});
    selectDeviceCalls.settleModeInfo = code.Here() - build.selectDevice;
    if (settleCode == SettleCallCode::Direct) {
        code.Call(build.RwEngineGetVideoModeInfo);
    } else {
        code.Bytes({0xFF, 0x15});  // call [pointer]
        code.Word(SettlePointerAddress(build));
        code.Bytes({0x90});  // the same length as the direct call
    }
    code.Bytes({0x83, 0xC4, 0x08, 0xFF, 0x35});
    code.Word(GcurSelVM);
    selectDeviceCalls.setMode = code.Here() - build.selectDevice;
    code.Call(build.RwEngineSetVideoMode);
    code.Bytes({0x83, 0xC4, 0x04, 0x85, 0xC0});
    code.JumpIf(kIfEqual, kFail);
    code.Bytes({0xF6, 0x45, 0xF4, 0x01});
    code.JumpIf(kIfEqual, kDone);
    for (uint32_t field : {4u, 12u}) {  // the width into width and maximumWidth
        code.Bytes({0x8B, 0x45, 0xE8, 0xA3});
        code.Word(record + field);
    }
    for (uint32_t field : {8u, 16u}) {
        code.Bytes({0x8B, 0x45, 0xEC, 0xA3});
        code.Word(record + field);
    }
    code.Mark(kDone);
    code.Bytes({0x8B, 0x45, 0xE4, 0xC9, 0xC3});  // mov eax,[ebp-0x1C]; leave; ret
    code.Mark(kFail);
    code.Bytes({0x31, 0xC0, 0xC9, 0xC3});
    const std::vector<uint8_t> bytes = code.Finish();
    WriteHostBytes(build.selectDevice, bytes.data(), static_cast<uint32_t>(bytes.size()));
    const uint32_t settlePointer = build.RwEngineGetVideoModeInfo;
    WriteHostBytes(SettlePointerAddress(build), &settlePointer, 4);
}

void WriteHeader(uint32_t entryPoint, uint32_t timeStamp) {
    uint8_t* module = reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr));
    uint8_t* pe = module + *reinterpret_cast<uint32_t*>(module + 0x3C);
    DWORD old = 0;
    VirtualProtect(pe, 0x60, PAGE_READWRITE, &old);
    memcpy(pe + 8, &timeStamp, 4);
    memcpy(pe + 0x28, &entryPoint, 4);
    VirtualProtect(pe, 0x60, old, &old);
}

int frameRecalcs = 0;
bool frontEndStarted = false;
bool mainLoopRunning = false;  // the host answers WM_SIZE only from its main loop on
SIZE camera = {};

bool PausesOnSetFocus() { return installed != nullptr && installed->pausesOnSetFocus; }

// The picture's size: the camera's, from the record (the client area's until
// the record has one).
SIZE PictureSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    SIZE size = {client.right, client.bottom};
    if (installed != nullptr) {
        const int32_t* record = reinterpret_cast<const int32_t*>(installed->platformGlobals);
        if (record[1] > 0 && record[2] > 0) size = {record[1], record[2]};
    }
    return size;
}

// The game's frame, as a test card: drawn at the camera's size and stretched
// onto the client area, as the engine presents its back buffer. A grid of
// squares, a circle and the camera size in the middle, and the centred 4:3
// area the HUD is drawn for outlined: squares and circle stay true only when
// the picture is not stretched.
void PaintTestCard(HWND window, HDC target) {
    const SIZE picture = PictureSize(window);
    RECT client = {};
    GetClientRect(window, &client);
    if (picture.cx <= 0 || picture.cy <= 0 || client.right <= 0 || client.bottom <= 0) return;
    const int w = picture.cx, h = picture.cy;
    HDC card = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBitmap = SelectObject(card, bitmap);
    const RECT all = {0, 0, w, h};
    HBRUSH background = CreateSolidBrush(RGB(32, 40, 56));
    FillRect(card, &all, background);
    DeleteObject(background);

    // Squares of a twelfth of the height, centred on the middle.
    const int side = h / 12 > 4 ? h / 12 : 4;
    HPEN gridPen = CreatePen(PS_SOLID, 1, RGB(96, 112, 136));
    HGDIOBJ oldPen = SelectObject(card, gridPen);
    for (int x = w / 2 % side; x < w; x += side) {
        MoveToEx(card, x, 0, nullptr);
        LineTo(card, x, h);
    }
    for (int y = h / 2 % side; y < h; y += side) {
        MoveToEx(card, 0, y, nullptr);
        LineTo(card, w, y);
    }

    // The largest 4:3 area, centred.
    const int areaWidth = w * 3 > h * 4 ? h * 4 / 3 : w;
    const int areaHeight = w * 3 > h * 4 ? h : w * 3 / 4;
    const int thickness = h / 120 > 2 ? h / 120 : 2;
    HPEN areaPen = CreatePen(PS_INSIDEFRAME, thickness, RGB(255, 200, 0));
    SelectObject(card, areaPen);
    HGDIOBJ oldBrush = SelectObject(card, GetStockObject(NULL_BRUSH));
    Rectangle(card, (w - areaWidth) / 2, (h - areaHeight) / 2, (w + areaWidth) / 2, (h + areaHeight) / 2);

    const int radius = areaHeight * 2 / 5;
    HPEN circlePen = CreatePen(PS_SOLID, thickness, RGB(240, 240, 240));
    SelectObject(card, circlePen);
    Ellipse(card, w / 2 - radius, h / 2 - radius, w / 2 + radius, h / 2 + radius);

    HFONT font = CreateFontA(-(h / 10), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
    HGDIOBJ oldFont = SelectObject(card, font);
    char size[32];
    snprintf(size, sizeof(size), "%d x %d", w, h);
    SetBkMode(card, TRANSPARENT);
    SetTextColor(card, RGB(240, 240, 240));
    RECT middle = all;
    DrawTextA(card, size, -1, &middle, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(card, RGB(255, 200, 0));
    RECT areaLabel = {(w - areaWidth) / 2 + thickness * 3, (h - areaHeight) / 2 + thickness * 2, w, h};
    DrawTextA(card, "4:3", -1, &areaLabel, DT_LEFT | DT_TOP | DT_SINGLELINE);

    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, client.right, client.bottom, card, 0, 0, w, h, SRCCOPY);

    SelectObject(card, oldFont);
    SelectObject(card, oldBrush);
    SelectObject(card, oldPen);
    SelectObject(card, oldBitmap);
    DeleteObject(font);
    DeleteObject(circlePen);
    DeleteObject(areaPen);
    DeleteObject(gridPen);
    DeleteObject(bitmap);
    DeleteDC(card);
}

// The game's window procedure, as far as the plug-in meets it.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCALCSIZE:
            ++frameRecalcs;
            break;
        case WM_SIZING: {  // resized at once to the proposed rectangle
            const RECT* proposed = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, HWND_TOP, 0, 0, proposed->right - proposed->left, proposed->bottom - proposed->top,
                         SWP_NOMOVE);
            return 0;
        }
        case WM_SETFOCUS:  // Vice City asks for its pause menu when the player comes back
            if (PausesOnSetFocus()) ++hostPauseRequests;
            break;
        case WM_SETCURSOR:  // hidden wherever the mouse is, frame included, and never shown again
            ShowCursor(FALSE);
            SetCursor(nullptr);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_SYSCHAR:
            hostWindowMessages.push_back({message, wParam, lParam});
            if (message == WM_SYSCHAR) break;
            return 0;
        case WM_SIZE:
            hostWindowMessages.push_back({message, wParam, lParam});
            if (mainLoopRunning && LOWORD(lParam) != 0 && HIWORD(lParam) != 0) {
                camera = {LOWORD(lParam), HIWORD(lParam)};
                *reinterpret_cast<int32_t*>(installed->platformGlobals + 4) = camera.cx;
                *reinterpret_cast<int32_t*>(installed->platformGlobals + 8) = camera.cy;
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC target = BeginPaint(window, &paint);
            PaintTestCard(window, target);
            EndPaint(window, &paint);
            return 0;
        }
        case kHostPrivateMessage:
            hostWindowMessages.push_back({message, wParam, lParam});
            return kHostPrivateResult;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterHostWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "StandInGameWindow";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
    RegisterClassA(&windowClass);
    registered = true;
}


}  // namespace

FakeEngine engine;

void WriteHostBranch(uint8_t opcode, uint32_t site, uint32_t target) {
    uint8_t branch[5] = {opcode};
    const uint32_t displacement = target - site - 5;
    memcpy(branch + 1, &displacement, 4);
    WriteHostBytes(site, branch, 5);
}
std::vector<HostWindowMessage> hostWindowMessages;
int hostPauseRequests = 0;
SIZE HostCamera() { return camera; }
WNDPROC HostWindowProcedure() { return HostWindowProc; }

const StandInBuild kStandInBuilds[4] = {
    {
        .name = "Gta3V10",
        .build = HostBuild::Gta3V10,
        .entryPoint = 0x1C1E70,
        .Log = 0x405DB0,
        .RwGetVideoModeList = 0x5814F0,
        .RwSetVideoMode = 0x581630,
        .RwEngineGetVideoModeInfo = 0x5A0F00,
        .RwEngineGetNumVideoModes = 0x5A0ED0,
        .RwEngineGetCurrentVideoMode = 0x5A0F30,
        .RwEngineSetVideoMode = 0x5A0F60,
        .RwEngineSetSubSystem = 0x5A0EA0,
        .platformGlobals = 0x8F4360,
        .GcurSelVM = 0x6510CC,
        .subSystemCount = 0x6510C4,
        .GcurSel = 0x6510C8,
        .subSystemInfo = 0x650BC4,
        .savedModeIndex = 0x8F59DC,
        .clearOnDefer = 0x60EFFC,
        .modeSearchFlag = 0x60EFFC,
        .selectDevice = 0x581D80,
        .pausesOnSetFocus = false,
    },
    {
        .name = "Gta3V11",
        .build = HostBuild::Gta3V11,
        .entryPoint = 0x1C2130,
        .Log = 0x405DB0,
        .RwGetVideoModeList = 0x581830,
        .RwSetVideoMode = 0x581970,
        .RwEngineGetVideoModeInfo = 0x5A11C0,
        .RwEngineGetNumVideoModes = 0x5A1190,
        .RwEngineGetCurrentVideoMode = 0x5A11F0,
        .RwEngineSetVideoMode = 0x5A1220,
        .RwEngineSetSubSystem = 0x5A1160,
        .platformGlobals = 0x8F4414,
        .GcurSelVM = 0x6510CC,
        .subSystemCount = 0x6510C4,
        .GcurSel = 0x6510C8,
        .subSystemInfo = 0x650BC4,
        .savedModeIndex = 0x8F5A90,
        .clearOnDefer = 0,
        .modeSearchFlag = 0x60F0BC,
        .selectDevice = 0x5820C0,
        .pausesOnSetFocus = false,
    },
    {
        .name = "ViceCityA",
        .build = HostBuild::ViceCityA,
        .entryPoint = 0x267BF0,
        .Log = 0x401000,
        .RwGetVideoModeList = 0x601880,
        .RwSetVideoMode = 0x601770,
        .RwEngineGetVideoModeInfo = 0x642B70,
        .RwEngineGetNumVideoModes = 0x642B40,
        .RwEngineGetCurrentVideoMode = 0x642BA0,
        .RwEngineSetVideoMode = 0x642BD0,
        .RwEngineSetSubSystem = 0x642B10,
        .platformGlobals = 0x9B48D8,
        .GcurSelVM = 0x783EEC,
        .subSystemCount = 0x783EE4,
        .GcurSel = 0x783EE8,
        .subSystemInfo = 0x7839E4,
        .savedModeIndex = 0x869690,
        .clearOnDefer = 0x6D59F8,
        .modeSearchFlag = 0x6D59F8,
        .selectDevice = 0x600DA0,
        .pausesOnSetFocus = true,
    },
    {
        .name = "ViceCityB",
        .build = HostBuild::ViceCityB,
        .entryPoint = 0x267C40,
        .Log = 0x401000,
        .RwGetVideoModeList = 0x6018B0,
        .RwSetVideoMode = 0x6017A0,
        .RwEngineGetVideoModeInfo = 0x642BC0,
        .RwEngineGetNumVideoModes = 0x642B90,
        .RwEngineGetCurrentVideoMode = 0x642BF0,
        .RwEngineSetVideoMode = 0x642C20,
        .RwEngineSetSubSystem = 0x642B60,
        .platformGlobals = 0x9B48E0,
        .GcurSelVM = 0x783EEC,
        .subSystemCount = 0x783EE4,
        .GcurSel = 0x783EE8,
        .subSystemInfo = 0x7839E4,
        .savedModeIndex = 0x869698,
        .clearOnDefer = 0x6D59F8,
        .modeSearchFlag = 0x6D59F8,
        .selectDevice = 0x600DC0,
        .pausesOnSetFocus = true,
    },
};

FakeEngine DefaultEngine() {
    FakeEngine fake;
    auto mode = [](int32_t w, int32_t h, int32_t d, int32_t flags) { return ModeInfo{w, h, d, flags, {0, 0}}; };
    FakeSubSystem display;
    display.name = "Stand-in Display";
    display.modes = {mode(800, 600, 32, 0),         mode(640, 480, 16, 1),  mode(640, 480, 32, 1),
                     mode(800, 600, 16, 1),         mode(800, 600, 32, 1),  mode(1024, 768, 32, 1),
                     mode(1280, 1024, 32, 1),       mode(1920, 1080, 32, 1)};
    display.modeNames = {"", "640x480x16", "640x480x32", "800x600x16",
                         "800x600x32", "1024x768x32", "1280x1024x32", "1920x1080x32"};
    display.currentMode = 4;
    FakeSubSystem second;
    second.name = "Second Display";
    second.modes = {mode(1024, 768, 32, 0), mode(1366, 768, 32, 1), mode(1280, 800, 32, 1)};
    second.modeNames = {"", "1366x768x32", "1280x800x32"};
    second.currentMode = 2;
    fake.subSystems = {display, second};
    return fake;
}

void InstallHost(const StandInBuild* build, uint32_t timeStamp, uint32_t unknownEntryPoint) {
    DWORD old = 0;
    VirtualProtect(hostLowCode, kLowCodeSize, PAGE_EXECUTE_READWRITE, &old);
    memset(hostLowCode, 0xCC, kLowCodeSize);
    VirtualProtect(hostImage, sizeof(hostImage), PAGE_EXECUTE_READWRITE, &old);
    memset(hostImage, 0, sizeof(hostImage));
    engine = DefaultEngine();
    installed = build;
    if (build == nullptr) {
        WriteHeader(unknownEntryPoint, timeStamp);
        return;
    }
    WriteJump(build->Log, reinterpret_cast<void*>(&FakeLog));
    WriteJump(build->RwGetVideoModeList, reinterpret_cast<void*>(&FakeGetVideoModeList));
    WriteJump(build->RwSetVideoMode, reinterpret_cast<void*>(&FakeRawSetVideoMode));
    WriteJump(build->RwEngineGetVideoModeInfo, reinterpret_cast<void*>(&FakeGetVideoModeInfo));
    WriteJump(build->RwEngineGetNumVideoModes, reinterpret_cast<void*>(&FakeGetNumVideoModes));
    WriteJump(build->RwEngineGetCurrentVideoMode, reinterpret_cast<void*>(&FakeGetCurrentVideoMode));
    WriteJump(build->RwEngineSetVideoMode, reinterpret_cast<void*>(&FakeSetVideoMode));
    WriteJump(build->RwEngineSetSubSystem, reinterpret_cast<void*>(&FakeSetSubSystem));
    WriteSelectDeviceCode(*build, ModeSearchReading::AsWritten, SettleCallCode::Direct);
    for (uint32_t variable : {build->GcurSelVM, build->subSystemCount, build->GcurSel, build->savedModeIndex}) {
        Require(variable, 4, "host variable");
    }
    Require(build->platformGlobals, 32, "platformGlobals");
    Require(build->subSystemInfo, 80 * 4, "subSystemInfo");
    Require(build->modeSearchFlag, 4, "the mode search's flag");
    HostVar(build->modeSearchFlag) = 0x5EED;  // set, as the game starts
    frontEndStarted = false;
    HostVar(build->GcurSelVM) = -1;
    HostVar(build->GcurSel) = 0;
    HostVar(build->savedModeIndex) = -1;
    SetSubSystemNames({engine.subSystems[0].name, engine.subSystems[1].name});
    SetHostWindowRecord(nullptr);
    WriteHeader(build->entryPoint, timeStamp);
}

const StandInBuild& CurrentBuild() { return *installed; }

int32_t& HostVar(uint32_t address) { return *reinterpret_cast<int32_t*>(address); }

void SetSubSystemNames(const std::vector<std::string>& names) {
    const StandInBuild& build = CurrentBuild();
    for (size_t i = 0; i < names.size(); ++i) {
        char* entry = reinterpret_cast<char*>(build.subSystemInfo + 80 * i);
        memset(entry, 0, 80);
        strncpy(entry, names[i].c_str(), 79);
    }
    HostVar(build.subSystemCount) = static_cast<int32_t>(names.size());
}

HWND CreateHostWindow() {
    RegisterHostWindowClass();
    DestroyHostWindow();
    hostWindow = CreateWindowExA(0, "StandInGameWindow", "Stand-in game", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    mainLoopRunning = true;
    camera = {800, 600};
    windowRecord.window = hostWindow;
    SetHostWindowRecord(&windowRecord);
    return hostWindow;
}

namespace {
int32_t* RecordField(uint32_t offset) { return reinterpret_cast<int32_t*>(CurrentBuild().platformGlobals + offset); }
}  // namespace

HostRecordSizes RecordSizes() { return {*RecordField(4), *RecordField(8), *RecordField(12), *RecordField(16)}; }

HWND CreateWindowAsGame() {
    *RecordField(4) = *RecordField(12) = 640;
    *RecordField(8) = *RecordField(16) = 448;
    RegisterHostWindowClass();
    DestroyHostWindow();
    mainLoopRunning = false;
    RECT outer = {0, 0, 640, 448};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    hostWindow = CreateWindowExA(0, "StandInGameWindow", "Stand-in game", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    windowRecord.window = hostWindow;
    SetHostWindowRecord(&windowRecord);
    SetWindowLongA(hostWindow, GWL_STYLE, WS_POPUP);
    SetWindowPos(hostWindow, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return hostWindow;
}

GameStart StartGame(int subSystemIndex) {
    GameStart start = {};
    frameRecalcs = 0;
    start.selectResult = CallSelectDevice(subSystemIndex);
    start.frameRecalcs = frameRecalcs;
    start.shownInSelect = IsWindowVisible(hostWindow) != FALSE;
    start.activeInSelect = GetActiveWindow() == hostWindow;
    RECT client = {};
    GetClientRect(hostWindow, &client);
    start.backBuffer = {client.right, client.bottom};
    *RecordField(4) = *RecordField(12);
    *RecordField(8) = *RecordField(16);
    start.camera = camera = {*RecordField(12), *RecordField(16)};
    ShowWindow(hostWindow, SW_SHOWNORMAL);
    UpdateWindow(hostWindow);
    mainLoopRunning = true;
    return start;
}

void WriteSelectDevice(ModeSearchReading reading, SettleCallCode settleCode) {
    WriteSelectDeviceCode(CurrentBuild(), reading, settleCode);
}

const SelectDeviceCalls& SelectDeviceCallOffsets() { return selectDeviceCalls; }

int ChangeModeFromMenu(int mode) {
    const StandInBuild& build = CurrentBuild();
    HostVar(build.GcurSelVM) = mode;
    HostVar(UseDefaultAddress(build)) = 1;
    const int result = CallSelectDevice(HostVar(build.GcurSel));
    HostVar(UseDefaultAddress(build)) = 0;
    return result;
}

void StartFrontEnd() {
    if (frontEndStarted) return;
    frontEndStarted = true;
    // Only while defaultFullscreenRes is still set, which it then clears.
    const StandInBuild& build = CurrentBuild();
    if (HostVar(build.modeSearchFlag) == 0) return;
    HostVar(build.modeSearchFlag) = 0;
    HostVar(build.savedModeIndex) = HostVar(build.savedModeIndex - 4) = HostVar(build.GcurSelVM);
}

const char* DisplayMenuModeName() {
    const int32_t mode = HostVar(CurrentBuild().savedModeIndex);
    const std::vector<std::string>& names = Current().modeNames;
    if (mode < 0 || static_cast<size_t>(mode) >= names.size() || names[static_cast<size_t>(mode)].empty()) {
        return nullptr;
    }
    return names[static_cast<size_t>(mode)].c_str();
}

void DestroyHostWindow() {
    if (hostWindow != nullptr) DestroyWindow(hostWindow);
    hostWindow = nullptr;
}

void SetHostWindowRecord(const void* record) {
    const uint32_t value = reinterpret_cast<uint32_t>(record);
    memcpy(reinterpret_cast<void*>(CurrentBuild().platformGlobals + 28), &value, 4);
}

uint32_t CallTarget(uint32_t site) {
    int32_t displacement = 0;
    memcpy(&displacement, reinterpret_cast<const void*>(site + 1), 4);
    return site + 5 + static_cast<uint32_t>(displacement);
}

namespace {

constexpr uint32_t kPageMask = ~0xFFFu;
uint32_t refusedPage;
uint8_t* virtualProtectEntry;  // where the plug-in's VirtualProtect calls land
uint8_t virtualProtectStart[5];

// VirtualProtect while a page is refused: the system call behind it for
// every other page.
BOOL WINAPI RefusingVirtualProtect(void* address, SIZE_T size, DWORD protect, DWORD* oldProtect) {
    if ((reinterpret_cast<uint32_t>(address) & kPageMask) == refusedPage) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    using ProtectMemory = LONG(NTAPI*)(HANDLE, void**, SIZE_T*, ULONG, ULONG*);
    static const auto protectMemory = reinterpret_cast<ProtectMemory>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtProtectVirtualMemory")));
    void* base = address;
    SIZE_T length = size;
    return protectMemory(GetCurrentProcess(), &base, &length, protect, oldProtect) == 0;
}

}  // namespace

void RefuseProtectionChanges(uint32_t address) {
    virtualProtectEntry = reinterpret_cast<uint8_t*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "VirtualProtect")));
    DWORD old = 0;
    VirtualProtect(virtualProtectEntry, 5, PAGE_EXECUTE_READWRITE, &old);
    memcpy(virtualProtectStart, virtualProtectEntry, 5);
    refusedPage = address & kPageMask;
    const uint32_t displacement =
        reinterpret_cast<uint32_t>(&RefusingVirtualProtect) - reinterpret_cast<uint32_t>(virtualProtectEntry) - 5;
    virtualProtectEntry[0] = 0xE9;
    memcpy(virtualProtectEntry + 1, &displacement, 4);
    FlushInstructionCache(GetCurrentProcess(), virtualProtectEntry, 5);
}

void AllowProtectionChanges() {
    memcpy(virtualProtectEntry, virtualProtectStart, 5);
    FlushInstructionCache(GetCurrentProcess(), virtualProtectEntry, 5);
}

int CallSelectDevice(int subSystemIndex) {
    using SelectDevice = int(__cdecl*)(int);
    return reinterpret_cast<SelectDevice>(CurrentBuild().selectDevice)(subSystemIndex);
}

std::vector<uint8_t> SnapshotHostMemory() {
    std::vector<uint8_t> snapshot(hostLowCode, hostLowCode + kLowCodeSize);
    snapshot.insert(snapshot.end(), hostImage, hostImage + sizeof(hostImage));
    return snapshot;
}

bool HostMemoryEquals(const std::vector<uint8_t>& snapshot) {
    return snapshot.size() == kLowCodeSize + sizeof(hostImage) &&
           memcmp(snapshot.data(), hostLowCode, kLowCodeSize) == 0 &&
           memcmp(snapshot.data() + kLowCodeSize, hostImage, sizeof(hostImage)) == 0;
}

bool AddressInModule(uint32_t address, HMODULE module) {
    MEMORY_BASIC_INFORMATION memory = {};
    if (VirtualQuery(reinterpret_cast<const void*>(address), &memory, sizeof(memory)) == 0) return false;
    return module != nullptr && memory.AllocationBase == static_cast<void*>(module);
}
