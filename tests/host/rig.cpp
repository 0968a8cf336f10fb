#include "tests/host/rig.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

const char* const kPlugin = "dispora.asi";
const char* const kProbe = "dispora_probe.dll";

namespace {

int failures = 0;
std::vector<std::string> debugLines;

LONG CALLBACK CaptureDebugOutput(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
        debugLines.push_back(reinterpret_cast<const char*>(record->ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

std::function<bool(HWND)> modalStep;
UINT_PTR modalTimer = 0;
int modalTicks = 0;
bool modalTimedOut = false;

BOOL CALLBACK FindModal(HWND window, LPARAM found) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK ModalTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!modalStep) return;
    if (++modalTicks > 500) {
        modalTimedOut = true;
        StopDrivingModalWindow();
        return;
    }
    HWND modal = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(&modal));
    if (modal == nullptr) return;
    // The step may open or end modal loops itself: take it out while it runs.
    std::function<bool(HWND)> step = std::move(modalStep);
    modalStep = nullptr;
    if (!step(modal)) {
        if (!modalStep) modalStep = std::move(step);
    } else {
        StopDrivingModalWindow();
    }
}

}  // namespace

std::vector<Scenario>& Scenarios() {
    static std::vector<Scenario> scenarios;
    return scenarios;
}

int RigFailures() { return failures; }

void CheckTrue(bool condition, const char* expression, const char* file, int line) {
    if (condition) return;
    ++failures;
    printf("    FAILED %s:%d: %s\n", file, line, expression);
}

void CheckEqual(long long actual, long long expected, const char* expression, const char* file, int line) {
    if (actual == expected) return;
    ++failures;
    printf("    FAILED %s:%d: %s is %lld (0x%llx), expected %lld (0x%llx)\n", file, line, expression, actual,
           actual, expected, expected);
}

void CheckEqualText(const std::string& actual, const std::string& expected, const char* expression,
                    const char* file, int line) {
    if (actual == expected) return;
    ++failures;
    printf("    FAILED %s:%d: %s is \"%s\", expected \"%s\"\n", file, line, expression, actual.c_str(),
           expected.c_str());
}

std::string RigDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    char* slash = strrchr(path, '\\');
    if (slash != nullptr) slash[1] = '\0';
    return path;
}

std::string SettingsFilePath() { return RigDirectory() + "dispora.ini"; }

void WriteSettingsFile(const std::string& text) {
    RemoveSettingsFile();
    FILE* file = fopen(SettingsFilePath().c_str(), "wb");
    if (file == nullptr) {
        CHECK(!"could not write dispora.ini");
        return;
    }
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
}

void RemoveSettingsFile() {
    SetFileAttributesA(SettingsFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(SettingsFilePath().c_str());
}

HMODULE LoadPlugin(const char* file) { return LoadLibraryW(Wide(RigDirectory() + file).c_str()); }

void UnloadPlugin(HMODULE module) {
    if (module != nullptr) FreeLibrary(module);
}

std::vector<std::string>& DebugLines() { return debugLines; }

void InstallDebugCapture() { AddVectoredExceptionHandler(1, CaptureDebugOutput); }

void ClearCapturedOutput() {
    debugLines.clear();
    engine.logLines.clear();
}

bool Logged(const std::string& message) {
    for (const std::string& line : engine.logLines) {
        if (line == "[dispora.asi] " + message) return true;
    }
    return false;
}

void DriveModalWindow(std::function<bool(HWND)> step) {
    modalStep = std::move(step);
    modalTicks = 0;
    modalTimedOut = false;
    if (modalTimer == 0) modalTimer = SetTimer(nullptr, 0, 20, ModalTimer);
}

void StopDrivingModalWindow() {
    modalStep = nullptr;
    if (modalTimer != 0) KillTimer(nullptr, modalTimer);
    modalTimer = 0;
}

bool ModalDriverTimedOut() { return modalTimedOut; }

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

int CursorDisplayCount() {
    const int shown = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return shown - 1;
}

RECT WindowBounds(HWND window) {
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    return bounds;
}

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool ProcedureIsHosts(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(HostWindowProcedure());
}

void RestoreCursor(int count) {
    while (CursorDisplayCount() < count) ShowCursor(TRUE);
    while (CursorDisplayCount() > count) ShowCursor(FALSE);
}

void PumpMessages(int milliseconds) {
    for (const DWORD until = GetTickCount() + milliseconds; GetTickCount() < until; Sleep(10)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

HWND GameWindowBeforeLoad() {
    HWND window = CreateHostWindow();
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return window;
}

ImmediateRun LoadWithWindow(const StandInBuild& build, const char* settings) {
    InstallHost(&build);
    if (settings != nullptr) WriteSettingsFile(settings);
    ImmediateRun run = {};
    run.window = GameWindowBeforeLoad();
    run.styleBefore = GetWindowLongA(run.window, GWL_STYLE);
    run.cursorBefore = CursorDisplayCount();
    ClearCapturedOutput();
    run.plugin = LoadPlugin();
    return run;
}

static bool isChild = false;
bool IsChild() { return isChild; }

bool OthersCanOpen(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool OthersCanOpenAlone(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::string ReadWholeFile(const std::string& path) {
    FILE* file = _wfopen(Wide(path).c_str(), L"rb");
    if (file == nullptr) return "<none>";
    std::string text;
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof(buffer), file)) > 0;) text.append(buffer, got);
    fclose(file);
    return text;
}

std::string LogFilePath(const std::string& folder) { return folder + "dispora.log"; }

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
    if (!wide.empty()) wide.pop_back();  // the NUL
    return wide;
}

std::string AnsiForm(const std::string& utf8) {
    const std::wstring wide = Wide(utf8);
    std::string ansi(wide.size() * 2 + 1, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &ansi[0], static_cast<int>(ansi.size()), nullptr,
                                    nullptr));
    if (!ansi.empty()) ansi.pop_back();
    return ansi;
}

GameFolder::GameFolder(const std::string& name) : path(RigDirectory()) {
    for (size_t start = 0; start <= name.size();) {
        size_t end = name.find('\\', start);
        if (end == std::string::npos) end = name.size();
        path += name.substr(start, end - start) + "\\";
        CHECK(CreateDirectoryW(Wide(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        made.push_back(path);
        start = end + 1;
    }
    CHECK(CopyFileW(Wide(RigDirectory() + kPlugin).c_str(), Wide(path + kPlugin).c_str(), FALSE));
}

GameFolder::~GameFolder() {
    for (const char* file : {kPlugin, "dispora.ini", "dispora.log", "dispora-window.ini", "dispora-window.ini.new"}) {
        const std::wstring name = Wide(path + file);
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(name.c_str());
    }
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) RemoveDirectoryW(Wide(*folder).c_str());
}

HMODULE GameFolder::Load() const { return LoadLibraryW(Wide(path + kPlugin).c_str()); }

void GameFolder::Write(const char* file, const std::string& text) const {
    FILE* out = _wfopen(Wide(path + file).c_str(), L"wb");
    CHECK(out != nullptr);
    if (out == nullptr) return;
    fwrite(text.data(), 1, text.size(), out);
    fclose(out);
}

std::string GameFolder::Read(const char* file) const { return ReadWholeFile(path + file); }

std::string FolderNameForLength(size_t length) {
    // Each folder's name is at most 100 characters (the disk below Wine takes 255 bytes).
    size_t left = length - RigDirectory().size();  // characters still to name, backslashes included
    std::string name;
    for (char letter = 'a'; left > 0; ++letter) {
        size_t part = std::min<size_t>(100, left);
        if (left - part == 1) --part;  // a backslash needs a name after it
        name += std::string(part, letter);
        left -= part;
        if (left > 0) {
            name += '\\';
            --left;
        }
    }
    return name;
}

DWORD RunChild(const std::string& scenario, const std::string& extraArguments, const std::string& executable) {
    const std::string exe = RigDirectory() + executable;
    std::string commandLine = "\"" + exe + "\" child \"" + scenario + "\" " + extraArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    fflush(stdout);
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CHECK(!"could not start a child process");
        return 0xFFFFFFFF;
    }
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// The display the scenarios see, as "2 monitors, 144 DPI"; the pass that
// asks for one names it in DISPORA_DISPLAY, and any other display fails the run.
static bool CheckDisplay() {
    HDC screen = GetDC(nullptr);
    char display[64];
    snprintf(display, sizeof(display), "%d monitor%s, %d DPI", GetSystemMetrics(SM_CMONITORS),
             GetSystemMetrics(SM_CMONITORS) == 1 ? "" : "s", GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    const char* expected = getenv("DISPORA_DISPLAY");
    const bool ok = expected == nullptr || strcmp(expected, display) == 0;
    printf("%s display: %s%s%s\n", ok ? "    " : "FAIL", display, ok ? "" : ", expected ", ok ? "" : expected);
    return ok;
}

// --- main ------------------------------------------------------------------------
// standin_host.exe [run] [filter...]   runs the scenarios whose names contain a filter
// standin_host.exe child NAME ...      runs one scenario in this process (started by RunChild)
int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    _setmode(_fileno(stdout), _O_BINARY);  // plain "\n" line ends for the log readers
    InstallDebugCapture();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    std::vector<std::string> filters;
    int first = 1;
    if (argc > 1 && strcmp(argv[1], "run") == 0) first = 2;
    if (argc > 2 && strcmp(argv[1], "child") == 0) {
        isChild = true;
        filters.push_back(argv[2]);
        first = argc;
    }
    for (int i = first; i < argc; ++i) filters.push_back(argv[i]);

    int passed = 0;
    int failed = 0;
    if (!isChild && !CheckDisplay()) ++failed;
    for (const Scenario& scenario : Scenarios()) {
        bool selected = filters.empty();
        for (const std::string& filter : filters) {
            selected = selected || (isChild ? filter == scenario.name : strstr(scenario.name, filter.c_str()) != nullptr);
        }
        // Child scenarios run only when a parent scenario starts them by name;
        // demos, the package's, the benchmark and those for another display
        // only when a filter names them.
        if (strncmp(scenario.name, "child:", 6) == 0 && !isChild) selected = false;
        for (const char* onlyByName : {"demo:", "package:", "bench:", "monitors:", "monitor gone:"}) {
            if (strncmp(scenario.name, onlyByName, strlen(onlyByName)) == 0 && filters.empty()) selected = false;
        }
        if (!selected) continue;
        const int before = failures;
        const DWORD started = GetTickCount();
        const int cursorCount = CursorDisplayCount();
        scenario.run();
        StopDrivingModalWindow();
        RemoveSettingsFile();
        DestroyHostWindow();
        RestoreCursor(cursorCount);  // the game's window hides it on every mouse move
        const bool ok = failures == before;
        (ok ? passed : failed)++;
        printf("%s %s (%lu ms)\n", ok ? "ok  " : "FAIL", scenario.name, GetTickCount() - started);
    }
    if (isChild) return failures == 0 ? 0 : 1;
    printf("%d passed, %d failed\n", passed, failed);
    if (passed + failed == 0) printf("no scenario matched\n");
    return failed == 0 && passed > 0 ? 0 : 1;
}
