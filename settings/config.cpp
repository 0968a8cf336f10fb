#include "settings/config.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

Config* currentConfig;

namespace {

// Copies source into a fixed field, keeping as much as fits.
void CopyCut(char* field, size_t size, const char* source) {
    size_t length = 0;
    while (length < size - 1 && source[length] != '\0') ++length;
    memcpy(field, source, length);
    field[length] = '\0';
}

// Copies source into a fixed field only if it fits whole: a cut-off path would
// name the wrong place, so it is left empty instead.
void CopyWhole(char* field, size_t size, const char* source) {
    const size_t length = strlen(source);
    if (length >= size) {
        field[0] = '\0';
        return;
    }
    memcpy(field, source, length + 1);
}

// Builds the settings file path in filePath from modulePath. Returns false
// when there is no path to use: see SiblingFilePath, or (with no file name)
// a module path without an extension, which would name the plug-in itself.
bool BuildFilePath(char* filePath, size_t size, const char* modulePath, const char* fileName) {
    if (fileName != nullptr) return SiblingFilePath(filePath, size, modulePath, fileName);
    if (modulePath[0] == '\0') return false;
    const char* dot = strrchr(modulePath, '.');
    if (dot == nullptr) return false;
    const size_t stemLength = static_cast<size_t>(dot - modulePath);
    if (stemLength + sizeof(".ini") > size) return false;
    memcpy(filePath, modulePath, stemLength);
    memcpy(filePath + stemLength, ".ini", sizeof(".ini"));
    return true;
}

const char* SkipBlanksAndEquals(const char* value) {
    while (*value == ' ' || *value == '=') ++value;
    return value;
}

}  // namespace

size_t DecodeSettingsText(char* text, size_t length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t in = 0;
    size_t out = 0;
    if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        // Notepad's "Unicode": narrowed in place, a surrogate pair as one "?".
        bool afterHighSurrogate = false;
        for (in = 2; in + 1 < length; in += 2) {
            const unsigned unit = bytes[in] | bytes[in + 1] << 8;
            const bool lowSurrogate = unit >= 0xDC00 && unit < 0xE000;
            if (!(lowSurrogate && afterHighSurrogate)) text[out++] = unit < 128 ? static_cast<char>(unit) : '?';
            afterHighSurrogate = unit >= 0xD800 && unit < 0xDC00;
        }
        length = out;
        in = out = 0;
    } else if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        in = 3;  // the UTF-8 mark is no part of the first line
    }
    for (; in < length; ++in) {
        const char c = text[in];
        if (c == '\r' && in + 1 < length && text[in + 1] == '\n') ++in;
        text[out++] = c == '\r' || c == '\n' ? '\0' : c;
    }
    text[out] = '\0';
    return out;
}

bool SiblingFilePath(char* path, size_t size, const char* modulePath, const char* fileName) {
    if (modulePath[0] == '\0') return false;
    const size_t nameLength = strlen(fileName);
    if (nameLength >= Config::kFileNameSize) return false;
    // A path without a backslash has no directory: the name stands alone.
    const char* slash = strrchr(modulePath, '\\');
    const size_t directoryLength = slash ? static_cast<size_t>(slash - modulePath) + 1 : 0;
    if (directoryLength + nameLength >= size) return false;
    memcpy(path, modulePath, directoryLength);
    memcpy(path + directoryLength, fileName, nameLength + 1);
    return true;
}

Config::Config()
    : commandLine{}, modulePath{}, filePath{}, fileRead(false), fileMissing(true), unreadableReason{},
      fileTextLength(0), fileText{} {
    currentConfig = this;
}

int Config::OpenFrom(const char* processCommandLine, const char* pluginPath, const char* fileName) {
    currentConfig = this;
    Close();
    fileMissing = true;
    unreadableReason[0] = '\0';
    CopyCut(commandLine, sizeof(commandLine), processCommandLine ? processCommandLine : "");
    CopyWhole(modulePath, sizeof(modulePath), pluginPath ? pluginPath : "");
    CopyWhole(filePath, sizeof(filePath), modulePath);
    if (!BuildFilePath(filePath, sizeof(filePath), modulePath, fileName)) {
        filePath[0] = '\0';
        return ENOENT;
    }
    size_t length = 0;
    const int error =
        ReadSettingsFile(filePath, fileText, kFileTextSize, &length, unreadableReason, sizeof(unreadableReason));
    fileMissing = error == ENOENT;
    if (error == ENOENT) unreadableReason[0] = '\0';
    if (error != 0) return error;
    fileTextLength = DecodeSettingsText(fileText, length);
    fileText[fileTextLength + 1] = '\0';  // the end of the last line, when it had no line ending
    fileRead = true;
    return 0;
}

void Config::Close() {
    fileRead = false;
    fileTextLength = 0;
}

const char* Config::NextFileLine(const char* line) const {
    if (!fileRead) return nullptr;
    const char* next = line == nullptr ? fileText : line + strlen(line) + 1;
    return next < fileText + fileTextLength ? next : nullptr;
}

const char* Config::Find(const char* key) {
    const size_t keyLength = strlen(key);
    // A key too long for the pattern buffer is never found.
    if (keyLength + 3 > kPatternSize) return nullptr;
    char pattern[kPatternSize];
    pattern[0] = '-';
    pattern[1] = '-';
    memcpy(pattern + 2, key, keyLength + 1);

    if (commandLine[0] != '\0') {
        if (const char* at = strstr(commandLine, pattern)) return SkipBlanksAndEquals(at + 2 + keyLength);
    }
    if (modulePath[0] != '\0') {
        if (const char* at = strstr(modulePath, pattern)) return SkipBlanksAndEquals(at + 2 + keyLength);
    }
    for (const char* line = NextFileLine(nullptr); line != nullptr; line = NextFileLine(line)) {
        if (strncmp(line, key, keyLength) == 0) return SkipBlanksAndEquals(line + keyLength);
    }
    return nullptr;
}


#ifndef _WIN32
// Away from Windows there is no module handle or process command line: the
// module is named by its path, and the command line is empty.
int Config::Open(void* module, const char* fileName) {
    return OpenFrom("", static_cast<const char*>(module), fileName);
}

int ReadSettingsFile(const char* path, char* buffer, size_t size, size_t* length, char* reason, size_t reasonSize) {
    *length = 0;
    errno = 0;
    FILE* file = fopen(path, "rb");
    int error = file == nullptr ? (errno != 0 ? errno : ENOENT) : 0;
    if (file != nullptr) {
        *length = fread(buffer, 1, size, file);
        if (ferror(file)) {
            error = errno != 0 ? errno : EIO;
            *length = 0;
        }
        fclose(file);
    }
    if (error != 0) CopyCut(reason, reasonSize, strerror(error));
    return error;
}
#endif
