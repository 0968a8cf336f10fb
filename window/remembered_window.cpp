#include "window/remembered_window.h"

#include <windows.h>

#include <string.h>

#include "core/log.h"
#include "settings/settings.h"
#include "window/system_monitors.h"

namespace {

const char kFileName[] = "dispora-window.ini";
constexpr size_t kFileTextSize = 96;

// dispora-window.ini beside the plug-in, and the file a save is first
// written to (the same name with ".new").
char filePath[Config::kTextSize];
char newFilePath[Config::kTextSize + 4];
ScreenRect lastSaved;
bool writeFailed;  // said once

bool FindFilePath() {
    return filePath[0] != '\0' ||
           SiblingFilePath(filePath, sizeof(filePath), settingsAtStart.modulePath, kFileName);
}

// The whole text into a file beside it, then renamed over the old one: a
// crash or a full disk never leaves a half-written file.
bool WriteWhole(const char* text, DWORD size) {
    const size_t length = strlen(filePath);
    memcpy(newFilePath, filePath, length);
    memcpy(newFilePath + length, ".new", sizeof(".new"));
    HANDLE file = CreateFileA(newFilePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole =
        WriteFile(file, text, size, &written, nullptr) && written == size && FlushFileBuffers(file);
    CloseHandle(file);
    if (whole && MoveFileExA(newFilePath, filePath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(newFilePath);
    return false;
}

}  // namespace

bool ReadRememberedWindow(ScreenRect* outer) {
    if (!FindFilePath()) return false;
    HANDLE file = CreateFileA(filePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char text[kFileTextSize] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    CloseHandle(file);
    if (!ParseRememberedWindow(text, outer)) return false;
    const bool onAMonitor = OnSomeMonitor(*outer);
    LogMessage("remembered window %d x %d at %d, %d: %s\n", outer->Width(), outer->Height(), outer->left, outer->top,
               onAMonitor ? "used" : "on no monitor, ignored");
    return onAMonitor;
}

void StartRemembering(const ScreenRect& outer) { lastSaved = outer; }

void RememberWindow(const ScreenRect& outer) {
    if (SameRect(outer, lastSaved)) {
        return;
    }
    char text[kFileTextSize];
    const size_t length = FormatRememberedWindow(text, sizeof(text), outer);
    if (length != 0 && FindFilePath() && WriteWhole(text, static_cast<DWORD>(length))) {
        lastSaved = outer;
    } else if (!writeFailed) {
        writeFailed = true;
        LogMessage("remember: cannot write %s beside the plug-in\n", kFileName);
    }
}
