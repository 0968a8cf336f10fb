// The plug-in's main job, shown: loaded into a chosen build, on both roads,
// with screenshots of what a player sees and the log a modder reads.
// Run by name only (scripts/demo.sh).
#include <stdio.h>

#include "tests/host/rig.h"

namespace {

void Repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
}

// The whole screen, for a window placed on it: where it went shows.
RECT WholeScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The window, frame and all.
RECT WindowArea(HWND window) {
    RECT area = {};
    GetWindowRect(window, &area);
    return area;
}

// Saves a screen area as a 24-bit BMP in the demo folder.
void SaveScreenshot(const RECT& area, const char* name) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(height);
    const std::string path = RigDirectory() + "demo\\" + name + ".bmp";
    CreateDirectoryA((RigDirectory() + "demo").c_str(), nullptr);
    if (FILE* out = fopen(path.c_str(), "wb")) {
        fwrite(&file, sizeof(file), 1, out);
        fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out);
        fwrite(bits, stride, static_cast<size_t>(height), out);
        fclose(out);
        printf("    screenshot: demo/%s.bmp (%d x %d)\n", name, width, height);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void PrintLog(const char* title) {
    printf("    --- %s: the plug-in's debugger output ---\n", title);
    for (const std::string& line : DebugLines()) printf("    %s", line.c_str());
}

// Alt+Enter on the keyboard, as the system delivers it to the game's loop.
void PressAltEnter(HWND window) {
    INPUT keys[4] = {};
    const WORD codes[4] = {VK_MENU, VK_RETURN, VK_RETURN, VK_MENU};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SetForegroundWindow(window);
    SendInput(4, keys, sizeof(INPUT));
    PumpMessages(300);
}

// The plug-in loaded early, as players load it; the game then starts up in
// its own order and shows its window. With altEnter the player then switches
// to borderless full screen and back.
void DemoDeferredWindow(const StandInBuild& build, const char* settings, const char* screenshot,
                        bool altEnter = false) {
    InstallHost(&build);
    WriteSettingsFile(settings);
    ClearCapturedOutput();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    HWND window = CreateWindowAsGame();
    const GameStart start = StartGame();
    PumpMessages(300);
    Repaint(window);
    SaveScreenshot(WholeScreen(), screenshot);
    const RECT outer = WindowBounds(window);
    std::string shown = settings;
    for (char& c : shown) c = c == '\n' ? ' ' : c;
    printf("    dispora.ini: %s\n", shown.c_str());
    printf("    window at %ld, %ld, outer %ld x %ld; the game's back buffer and first camera: %ld x %ld, %ld x %ld\n",
           outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top, start.backBuffer.cx,
           start.backBuffer.cy, start.camera.cx, start.camera.cy);
    for (int press = 0; altEnter && press < 2; ++press) {
        PressAltEnter(window);
        Repaint(window);
        const RECT now = WindowBounds(window);
        printf("    Alt+Enter: window at %ld, %ld, outer %ld x %ld; the game's camera: %ld x %ld\n", now.left, now.top,
               now.right - now.left, now.bottom - now.top, HostCamera().cx, HostCamera().cy);
        if (press == 0) SaveScreenshot(WholeScreen(), (std::string(screenshot) + "-alt-enter").c_str());
    }
    PrintLog(screenshot);
    UnloadPlugin(plugin);
    // What a player would send: dispora.log beside the plug-in, kept with the screenshots.
    const std::string log = RigDirectory() + "dispora.log";
    if (CopyFileA(log.c_str(), (RigDirectory() + "demo\\" + screenshot + ".log").c_str(), FALSE)) {
        printf("    dispora.log: demo/%s.log\n", screenshot);
    }
    DeleteFileA(log.c_str());
}

}  // namespace

SCENARIO_EACH_BUILD("demo: deferred road, a sized and centred window") {
    DemoDeferredWindow(build, "dispora=windowed\nwindowsize=1280x960\nwindowpos=center\nclipcursor=yes\nlogfile=yes\n",
                       "deferred-centred-window", true);
}

SCENARIO_EACH_BUILD("demo: deferred road, borderless full screen") {
    DemoDeferredWindow(build, "dispora=windowed\nborderless=yes\nlogfile=yes\n", "deferred-borderless-full-screen");
}

// The game's 4:3 picture, true, on a 16:10 screen: black bars left and right.
SCENARIO_EACH_BUILD("demo: deferred road, pillarboxed borderless full screen") {
    DemoDeferredWindow(build, "dispora=windowed\nborderless=yes\naspect=4:3\nlogfile=yes\n",
                       "deferred-pillarboxed-full-screen");
}

SCENARIO_EACH_BUILD("demo: immediate road") {
    InstallHost(&build);
    WriteSettingsFile("dispora=windowed\nwindowsize=1024x768\ntopmost=yes\n");
    HWND window = CreateHostWindow();
    PumpMessages(200);
    ClearCapturedOutput();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    PumpMessages(500);
    Repaint(window);
    SaveScreenshot(WholeScreen(), "immediate-window");
    PrintLog("immediate road");
    UnloadPlugin(plugin);
    ShowCursor(TRUE);
}

SCENARIO_EACH_BUILD("demo: deferred road with the video mode dialog") {
    InstallHost(&build);
    WriteSettingsFile("dispora=choose\n");
    ClearCapturedOutput();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CreateHostWindow();
    int ticks = 0;
    DriveModalWindow([&](HWND dialog) {
        HWND modes = GetDlgItem(dialog, 1001);
        if (modes == nullptr || ++ticks < 3) return false;  // painted first
        // The whole dialog as the player first sees it, its list closed.
        SaveScreenshot(WindowArea(dialog), "mode-dialog");
        SendMessageA(modes, CB_SETCURSEL, 5, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1001, CBN_SELCHANGE), reinterpret_cast<LPARAM>(modes));
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        return true;
    });
    CHECK_EQ(CallSelectDevice(0), 1);
    CHECK_EQ(HostVar(build.savedModeIndex), 5);
    PrintLog("deferred road");
    UnloadPlugin(plugin);
}
