#include "core/log_file.h"

#include <windows.h>
#include <string.h>

#include "core/log.h"
#include "core/log_line.h"
#include "core/system_files.h"

namespace {

enum class LogFileState { Keeping, Writing, Off };

struct LogFile {
    LogFileState state;
    HANDLE file;  // while Writing
    // The lines before the settings: the build line, the banner and at most
    // a line about the call site, or the two about an unknown executable.
    char kept[4096];
    size_t keptLength;
};
LogFile logFile;  // zero: Keeping (the plug-in has no dynamic initialisation)

// Written straight through: a crash loses nothing already logged.
void WriteToFile(const char* text, size_t length) {
    DWORD written = 0;
    WriteFile(logFile.file, text, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

void RecordLogLine(const char* line, size_t length) {
    switch (logFile.state) {
        case LogFileState::Writing:
            WriteToFile(line, length);
            break;
        case LogFileState::Keeping:
            if (logFile.keptLength + length <= sizeof(logFile.kept)) {
                memcpy(logFile.kept + logFile.keptLength, line, length);
                logFile.keptLength += length;
            }
            break;
        case LogFileState::Off:
            break;
    }
}

void StartLogFile(const char* path, bool wanted) {
    logFile.state = LogFileState::Off;
    if (!wanted) return;
    // No path: the plug-in's own is too long to name a file beside it.
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILENAME_EXCED_RANGE;
    if (path != nullptr) {
        file = OpenFileAtPath(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
        error = GetLastError();
    }
    if (file == INVALID_HANDLE_VALUE) {
        char reason[64];
        DescribeFileError(reason, sizeof(reason), error);
        char message[128];
        FormatBounded(message, sizeof(message),
                      "logfile: dispora.log cannot be created beside the plug-in (%s): no log file\n", reason);
        char line[sizeof(kLogTag) + sizeof(message)];
        BuildLogLine(line, sizeof(line), message);
        SendToDebugger(line);
        return;
    }
    logFile.file = file;
    logFile.state = LogFileState::Writing;
    WriteToFile(logFile.kept, logFile.keptLength);
    logFile.keptLength = 0;
}

void CloseLogFile() {
    if (logFile.state == LogFileState::Writing) CloseHandle(logFile.file);
    logFile.state = LogFileState::Off;
}
