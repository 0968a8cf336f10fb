#include "core/system_files.h"

#include "core/log_line.h"
#include "core/path_text.h"

namespace {

// The wide calls take the buffers the portable code fills.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's wide characters are UTF-16 units");
const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace

bool GetModulePath(HMODULE module, char* path, size_t size) {
    char16_t wide[kPathSize];
    const DWORD length = GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(wide), kPathSize);
    // A path that filled the whole buffer was cut short.
    if (length == 0 || length >= kPathSize) {
        path[0] = '\0';
        return false;
    }
    return Utf8FromUtf16(path, size, wide);
}

HANDLE OpenFileAtPath(const char* path, DWORD access, DWORD share, DWORD disposition) {
    char16_t wide[kWidePathSize];
    if (!SystemWidePath(wide, kWidePathSize, path)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(Wide(wide), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool MoveFileOver(const char* from, const char* to) {
    char16_t wideFrom[kWidePathSize];
    char16_t wideTo[kWidePathSize];
    return SystemWidePath(wideFrom, kWidePathSize, from) && SystemWidePath(wideTo, kWidePathSize, to) &&
           MoveFileExW(Wide(wideFrom), Wide(wideTo), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void DeleteFileAtPath(const char* path) {
    char16_t wide[kWidePathSize];
    if (SystemWidePath(wide, kWidePathSize, path)) DeleteFileW(Wide(wide));
}

void DescribeFileError(char* out, size_t size, DWORD error) {
    const char* words = nullptr;
    switch (error) {
        case ERROR_ACCESS_DENIED: words = "access denied"; break;
        case ERROR_SHARING_VIOLATION: words = "another program has it open"; break;
        case ERROR_LOCK_VIOLATION: words = "another program has locked it"; break;
        case ERROR_WRITE_PROTECT: words = "the disk is write-protected"; break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: words = "the disk is full"; break;
        case ERROR_FILENAME_EXCED_RANGE: words = "the path is too long"; break;
        default: break;
    }
    if (words != nullptr) {
        FormatBounded(out, size, "error %lu: %s", error, words);
    } else {
        FormatBounded(out, size, "error %lu", error);
    }
}
