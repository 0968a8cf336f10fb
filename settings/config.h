// Settings: each key is looked up in the host's command line ("--key"), then
// in the plug-in's own file path ("--key"), then at the start of a line of the
// settings file beside the plug-in ("key"). The file is read whole when the
// store opens and closed at once: while the game runs, players may edit it.
#pragma once

#include <stddef.h>

#include "core/path_text.h"
#include "settings/setting_values.h"

class Config {
public:
    static constexpr size_t kTextSize = 512;
    static constexpr size_t kPatternSize = 128;  // "--" + key of up to 125 characters
    static constexpr size_t kFileNameSize = 32;
    // Why a settings file that is there could not be read: "error 5: access denied".
    static constexpr size_t kReasonSize = 64;
    // A settings file is a few lines (the sample, saved as UTF-16, is about
    // 8 KiB); anything past this is not read.
    static constexpr size_t kFileTextSize = 32768;

    Config();
    ~Config() { Close(); }
    // Takes the command line and module path from the system and reads the
    // settings file; returns the open call's error code (0 on success).
    int Open(void* module, const char* fileName);
    // Forgets the file's text.
    void Close();
    // A pointer into the source just past the key and any blanks and "=":
    // to the end of the command line or the module path, or to the end of the
    // file's line (without its line ending); null when absent.
    const char* Find(const char* key);

    // The portable part of Open, given the command line and the module path
    // (in UTF-8, as every path the plug-in keeps).
    int OpenFrom(const char* commandLine, const char* modulePath, const char* fileName);
    const char* FilePath() const { return filePath; }
    const char* ModulePath() const { return modulePath; }
    const char* CommandLine() const { return commandLine; }
    // No settings file where it was looked for (one that could not be read is there).
    bool FileMissing() const { return fileMissing; }
    // Why the file that is there could not be read; null when it was read or is missing.
    const char* UnreadableReason() const { return unreadableReason[0] != '\0' ? unreadableReason : nullptr; }
    // The file's lines in order, each ended by a NUL: call with null for the
    // first; null after the last.
    const char* NextFileLine(const char* line) const;

private:
    friend struct ConfigInspection;  // the tests' look at the store's state
    char commandLine[kTextSize];
    char modulePath[kPathSize];
    char filePath[kPathSize];
    bool fileRead;
    bool fileMissing;
    char unreadableReason[kReasonSize];
    size_t fileTextLength;  // the lines and their NULs
    char fileText[kFileTextSize + 2];
};

extern Config* currentConfig;

// The file fileName beside the module at modulePath, in path. False when
// there is none to use: an empty module path, a name of 32 characters or
// more, or a directory too long for the name to fit.
bool SiblingFilePath(char* path, size_t size, const char* modulePath, const char* fileName);

// The file's bytes as the store keeps them, in place: a UTF-8 byte-order
// mark dropped; a UTF-16 little-endian file (FF FE) narrowed, each character
// below 128 as itself and any other as "?"; each line ending (CRLF, LF or a
// lone CR) made a NUL. Returns the new length; text[length] is NUL too.
size_t DecodeSettingsText(char* text, size_t length);

// Reads at most size bytes of the file at path into buffer; the settings
// file is opened for reading only, sharing read, write and delete, and closed
// before this returns. Returns 0, ENOENT when there is no such file, or
// another error code with the reason in reason[0..reasonSize) (a file that
// is there but cannot be opened or read); *length is the count read.
int ReadSettingsFile(const char* path, char* buffer, size_t size, size_t* length, char* reason, size_t reasonSize);

#ifdef _WIN32
// Makes the plug-in's one store and points currentConfig at it.
void MakeSettingsStore();
#endif
