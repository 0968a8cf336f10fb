// Attach cost: loading the plug-in (no dispora setting, before the game
// window exists) against loading an empty DLL, in the same process.
#include <stdio.h>

#include <algorithm>

#include "tests/host/rig.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MicrosecondsToLoad(const char* file, LARGE_INTEGER frequency) {
    const std::string path = RigDirectory() + file;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    HMODULE module = LoadLibraryA(path.c_str());
    QueryPerformanceCounter(&end);
    CHECK(module != nullptr);
    FreeLibrary(module);
    return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

SCENARIO("bench: attach against an empty DLL") {
    InstallHost(&kStandInBuilds[2]);
    RemoveSettingsFile();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int loads = 201;
    std::vector<double> empty, plugin;
    for (int i = 0; i < loads; ++i) {  // interleaved, so both see the same machine
        empty.push_back(MicrosecondsToLoad("empty_plugin.dll", frequency));
        plugin.push_back(MicrosecondsToLoad(kPlugin, frequency));
        ClearCapturedOutput();
    }
    const double emptyMedian = Median(empty), pluginMedian = Median(plugin);
    printf("    attach, median of %d loads: empty DLL %.0f us, dispora.asi %.0f us, ratio %.2f\n", loads, emptyMedian,
           pluginMedian, pluginMedian / emptyMedian);
}
