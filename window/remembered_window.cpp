#include "window/remembered_window.h"

#include <windows.h>

#include <string.h>

#include "core/log.h"
#include "core/system_files.h"
#include "settings/config.h"
#include "window/system_window.h"

namespace {

const char kFileName[] = "dispora-window.ini";
constexpr size_t kFileTextSize = 96;

// dispora-window.ini beside the plug-in, and the file a save is first
// written to (the same name with ".new").
char filePath[kPathSize];
char newFilePath[kPathSize + 4];
const char* besidePlugin;  // the plug-in's own path
ScreenRect lastSaved;
bool writeFailed;  // said once

bool FindFilePath() {
    return filePath[0] != '\0' ||
           (besidePlugin != nullptr && SiblingFilePath(filePath, sizeof(filePath), besidePlugin, kFileName));
}

// The whole text into a file beside it, then renamed over the old one: a
// crash or a full disk never leaves a half-written file. Returns 0 or the
// system's error.
DWORD WriteWhole(const char* text, DWORD size) {
    const size_t length = strlen(filePath);
    memcpy(newFilePath, filePath, length);
    memcpy(newFilePath + length, ".new", sizeof(".new"));
    HANDLE file = OpenFileAtPath(newFilePath, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD written = 0;
    const bool whole =
        WriteFile(file, text, size, &written, nullptr) && written == size && FlushFileBuffers(file);
    DWORD error = whole ? 0 : GetLastError();
    CloseHandle(file);
    if (whole && MoveFileOver(newFilePath, filePath)) return 0;
    if (error == 0) error = GetLastError();
    DeleteFileAtPath(newFilePath);
    return error != 0 ? error : ERROR_WRITE_FAULT;
}

// A file that is there but cannot be read is said, never taken for none.
void SayUnreadable(DWORD error) {
    char reason[64];
    DescribeFileError(reason, sizeof(reason), error);
    LogMessage("remember: %s cannot be read (%s): the window starts as the settings say\n", filePath, reason);
}

}  // namespace

bool ReadRememberedWindow(const char* pluginPath, ScreenRect* outer) {
    besidePlugin = pluginPath;
    if (!FindFilePath()) return false;
    HANDLE file = OpenFileAtPath(filePath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) SayUnreadable(error);
        return false;
    }
    char text[kFileTextSize] = {};
    DWORD read = 0;
    const bool whole = ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!whole) {
        SayUnreadable(error);
        return false;
    }
    if (!ParseRememberedWindow(text, outer)) return false;
    const bool onAMonitor = OnSomeMonitor(*outer);
    LogMessage("remembered window %d x %d at %d, %d: %s\n", outer->Width(), outer->Height(), outer->left, outer->top,
               onAMonitor ? "used" : "on no monitor, ignored");
    return onAMonitor;
}

void StartRemembering(const char* pluginPath, const ScreenRect& outer) {
    besidePlugin = pluginPath;
    lastSaved = outer;
}

void RememberWindow(const ScreenRect& outer) {
    if (SameRect(outer, lastSaved)) {
        return;
    }
    char text[kFileTextSize];
    const size_t length = FormatRememberedWindow(text, sizeof(text), outer);
    DWORD error = ERROR_FILENAME_EXCED_RANGE;  // no path beside the plug-in's
    if (length != 0 && FindFilePath()) error = WriteWhole(text, static_cast<DWORD>(length));
    if (error == 0) {
        lastSaved = outer;
    } else if (!writeFailed) {
        writeFailed = true;
        char reason[64];
        DescribeFileError(reason, sizeof(reason), error);
        LogMessage("remember: cannot write %s beside the plug-in (%s)\n", kFileName, reason);
    }
}
