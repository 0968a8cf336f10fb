// Feeds arbitrary command lines, plug-in paths, settings files and keys to the
// settings store, and reads and explains every setting from them. Input layout: command line, path, key and file contents,
// separated by 0xFF bytes (missing parts are empty).
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "settings/config.h"
#include "tests/config_lookups.h"
#include "settings/settings.h"

namespace {

std::string directory;

void Prepare() {
    if (!directory.empty()) return;
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    directory = std::string(base) + "/dispora-fuzz-" + std::to_string(getpid());
    mkdir(directory.c_str(), 0700);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Prepare();
    std::string parts[4];
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && part < 3) {
            ++part;
            continue;
        }
        parts[part].push_back(static_cast<char>(data[i]));
    }
    // The store takes C strings: what follows a NUL is not part of them.
    const std::string commandLine = parts[0].c_str();
    const std::string pluginName = parts[1].c_str();
    const std::string fuzzedKey = parts[2].c_str();

    // The settings file sits beside the plug-in: "dir/game\<name>" natively.
    const std::string pluginPath = directory + "/game\\" + pluginName;
    const std::string settingsPath = directory + "/game\\dispora.ini";
    FILE* file = fopen(settingsPath.c_str(), "wb");
    if (file == nullptr) return 0;
    fwrite(parts[3].data(), 1, parts[3].size(), file);
    fclose(file);

    Config config;
    config.OpenFrom(commandLine.c_str(), pluginPath.c_str(), size % 7 == 0 ? nullptr : "dispora.ini");
    for (const char* key : {"dispora", "windowsize", "topmost", fuzzedKey.c_str()}) {
        if (const char* value = config.Find(key)) {
            volatile size_t length = strlen(value);  // the value must be a readable C string
            (void)length;
        }
        GetBool(config, key);
    }
    // The whole start: every setting into the record, and what is said of it.
    static SettingsRecord record;
    ReadSettings(config, &record);
    ExplainSettings(config, record, [](const char* line) {
        volatile size_t length = strlen(line);
        (void)length;
    });
    config.Close();
    unlink(settingsPath.c_str());
    return 0;
}
