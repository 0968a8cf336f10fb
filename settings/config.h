// Settings: each key is looked up in the host's command line ("--key"), then
// in the plug-in's own file path ("--key"), then at the start of a line of the
// settings file beside the plug-in ("key").
#pragma once

#include <stdio.h>

class Config {
public:
    static constexpr size_t kTextSize = 512;
    static constexpr size_t kPatternSize = 128;  // "--" + key of up to 125 characters
    static constexpr size_t kFileNameSize = 32;

    Config();
    virtual ~Config();
    // Takes the command line and module path from the system and opens the
    // settings file; returns the open call's error code (0 on success).
    virtual int Open(void* module, const char* fileName);
    virtual void Close();
    virtual int Has(const char* key);
    virtual const char* GetString(const char* key);
    // A pointer into the source just past the key and any blanks and "=",
    // running to the end of that source (a file value keeps its line ending and
    // lasts until the next lookup that reads the file); null when absent.
    virtual const char* Find(const char* key);
    virtual int GetBool(const char* key);
    virtual int GetInt(const char* key, int fallback);

    // The portable part of Open, given the command line and module path.
    int OpenFrom(const char* commandLine, const char* modulePath, const char* fileName);
    const char* FilePath() const { return filePath; }
    const char* ModulePath() const { return modulePath; }
    bool IsFileOpen() const { return file != nullptr; }

private:
    char commandLine[kTextSize];
    char modulePath[kTextSize];
    char filePath[kTextSize];
    FILE* file;
    char lineBuffer[kTextSize];
};

extern Config* currentConfig;

// A signed decimal whole number that fits an int, e.g. "-1200", after any
// blanks; returns the character after it, or null (and leaves value alone)
// when there is none.
const char* ParseWholeNumber(const char* text, int* value);

// The file fileName beside the module at modulePath, in path. False when
// there is none to use: an empty module path, a name of 32 characters or
// more, or a directory too long for the name to fit.
bool SiblingFilePath(char* path, size_t size, const char* modulePath, const char* fileName);

#ifdef _WIN32
// Makes the plug-in's one store and points currentConfig at it.
void MakeSettingsStore();
#endif
