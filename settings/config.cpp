#include "settings/config.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#ifdef _WIN32
#include <share.h>
#endif

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

// The settings file is only read: asking for write access would fail in a
// protected folder (or get a private virtualised copy there) and would pass
// over a read-only file. It is held with no sharing, so a file that
// something else holds open counts as absent.
FILE* OpenSettingsFile(const char* path) {
#ifdef _WIN32
    return _fsopen(path, "rb", _SH_DENYRW);
#else
    return fopen(path, "rb");
#endif
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

bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        char c = *text;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != *prefix) return false;
    }
    return true;
}

const char* SkipBlanksAndEquals(const char* value) {
    while (*value == ' ' || *value == '=') ++value;
    return value;
}

}  // namespace

const char* ParseWholeNumber(const char* text, int* value) {
    while (*text == ' ' || *text == '\t') ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    if (*text < '0' || *text > '9') return nullptr;
    const unsigned limit = negative ? 2147483648u : 2147483647u;
    unsigned number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const unsigned digit = static_cast<unsigned>(*text - '0');
        if (number > (limit - digit) / 10) return nullptr;
        number = number * 10 + digit;
    }
    *value = negative ? static_cast<int>(0u - number) : static_cast<int>(number);
    return text;
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

Config::Config() : commandLine{}, modulePath{}, filePath{}, file(nullptr), lineBuffer{} {
    currentConfig = this;
}

Config::~Config() { Close(); }

int Config::OpenFrom(const char* processCommandLine, const char* pluginPath, const char* fileName) {
    currentConfig = this;
    Close();
    CopyCut(commandLine, sizeof(commandLine), processCommandLine ? processCommandLine : "");
    CopyWhole(modulePath, sizeof(modulePath), pluginPath ? pluginPath : "");
    CopyWhole(filePath, sizeof(filePath), modulePath);
    if (!BuildFilePath(filePath, sizeof(filePath), modulePath, fileName)) {
        filePath[0] = '\0';
        return ENOENT;
    }
    errno = 0;
    file = OpenSettingsFile(filePath);
    if (file != nullptr) return 0;
    return errno != 0 ? errno : ENOENT;
}

void Config::Close() {
    if (file != nullptr) {
        fclose(file);
        file = nullptr;
    }
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
    if (file == nullptr) return nullptr;
    rewind(file);
    for (;;) {
        if (feof(file)) return nullptr;
        // A line longer than 511 characters arrives in pieces; each piece is
        // tested like a line of its own. A read error ends the search.
        if (fgets(lineBuffer, sizeof(lineBuffer), file) == nullptr) return nullptr;
        if (strncmp(lineBuffer, key, keyLength) == 0) return SkipBlanksAndEquals(lineBuffer + keyLength);
    }
}

int Config::Has(const char* key) { return Find(key) != nullptr ? 1 : 0; }

const char* Config::GetString(const char* key) { return Find(key); }

int Config::GetBool(const char* key) {
    const char* value = GetString(key);
    if (value == nullptr) return 0;
    return StartsWithNoCase(value, "true") || StartsWithNoCase(value, "1") || StartsWithNoCase(value, "yes") ? 1 : 0;
}

int Config::GetInt(const char* key, int fallback) {
    if (!Has(key)) return fallback;
    return atoi(GetString(key));
}

#ifndef _WIN32
// Away from Windows there is no module handle or process command line: the
// module is named by its path, and the command line is empty.
int Config::Open(void* module, const char* fileName) {
    return OpenFrom("", static_cast<const char*>(module), fileName);
}
#endif
