#include "core/log_file.h"

#include <windows.h>
#include <string.h>

#include "core/log_line.h"

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
    HANDLE file = INVALID_HANDLE_VALUE;
    if (path != nullptr) {
        file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) {
        char line[kLogBufferSize];
        BuildLogLine(line, sizeof(line), "logfile: dispora.log cannot be created beside the plug-in: no log file\n");
        OutputDebugStringA(line);
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
