// Settings lookup cost against the size of dispora.ini: every lookup
// searches the text read at open from its start, so the cost should grow
// linearly with it, up to the most the store reads.
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "settings/config.h"

int main() {
    char directory[] = "/tmp/dispora-bench-XXXXXX";
    if (mkdtemp(directory) == nullptr) return 1;
    const std::string pluginPath = std::string(directory) + "/game\\dispora.asi";
    const std::string settingsPath = std::string(directory) + "/game\\dispora.ini";
    printf("settings lookup (key on the last line), per call:\n");
    for (size_t kib : {2, 4, 8}) {
        std::string text;
        const std::string filler = "; a comment line that is never a setting, padded out to sixty-four\n";
        while (text.size() + filler.size() < kib * 1024 - 32) text += filler;
        text += "dispora=windowed\r\n";
        FILE* file = fopen(settingsPath.c_str(), "wb");
        if (file == nullptr) return 1;
        fwrite(text.data(), 1, text.size(), file);
        fclose(file);

        Config config;
        config.OpenFrom("gta3.exe", pluginPath.c_str(), "dispora.ini");
        const int calls = 200;
        const auto start = std::chrono::steady_clock::now();
        size_t found = 0;
        for (int i = 0; i < calls; ++i) found += config.Find("dispora") != nullptr;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        config.Close();
        const double perCall = seconds / calls * 1e6;
        printf("  %5zu KiB: %8.1f us per call, %7.1f us per MiB%s\n", kib, perCall, perCall * 1024.0 / kib,
               found == calls ? "" : "  (key not found!)");
    }
    unlink(settingsPath.c_str());
    rmdir(directory);
    return 0;
}
