#include "window/remembered_window.h"

#include <string.h>

#include "core/log.h"
#include "settings/config.h"
#include "window/screen_geometry.h"

namespace {

const char kFileName[] = "dispora-window.ini";
const char kTemporaryName[] = "dispora-window.ini.new";
constexpr size_t kFileTextSize = 96;

ScreenRect lastSaved;
bool writeFailed;  // said once

bool PathBeside(char* path, const char* name) {
    return SiblingFilePath(path, Config::kTextSize, currentConfig->ModulePath(), name);
}

bool SameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The whole text into a file beside it, then renamed over the old one: a
// crash or a full disk never leaves a half-written file.
bool WriteWhole(const char* text, size_t length) {
    char path[Config::kTextSize];
    char temporary[Config::kTextSize];
    if (!PathBeside(path, kFileName) || !PathBeside(temporary, kTemporaryName)) return false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr) && written == length &&
                       FlushFileBuffers(file);
    CloseHandle(file);
    if (whole && MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temporary);
    return false;
}

}  // namespace

bool ReadRememberedWindow(ScreenRect* outer) {
    char path[Config::kTextSize];
    if (!PathBeside(path, kFileName)) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char text[kFileTextSize] = {};
    DWORD read = 0;
    const bool readAll = ReadFile(file, text, sizeof(text) - 1, &read, nullptr) != FALSE;
    CloseHandle(file);
    ScreenRect saved = {};
    if (!readAll || !ParseRememberedWindow(text, &saved)) return false;
    if (!OnSomeMonitor(saved)) {
        LogMessage("the remembered window at %d, %d is on no monitor: ignored\n", saved.left, saved.top);
        return false;
    }
    LogMessage("using the remembered window: %d x %d at %d, %d\n", saved.Width(), saved.Height(), saved.left,
               saved.top);
    *outer = saved;
    return true;
}

void StartRemembering(HWND window) { lastSaved = WindowRectOf(window); }

void RememberWindow(HWND window) {
    if (!HasFrame(window) || IsZoomed(window) || IsIconic(window)) return;
    const ScreenRect outer = WindowRectOf(window);
    if (SameRect(outer, lastSaved)) return;
    char text[kFileTextSize];
    const size_t length = FormatRememberedWindow(text, sizeof(text), outer);
    if (length != 0 && WriteWhole(text, length)) {
        lastSaved = outer;
    } else if (!writeFailed) {
        writeFailed = true;
        LogMessage("cannot write %s beside the plug-in: the window's place is not remembered\n", kFileName);
    }
}
