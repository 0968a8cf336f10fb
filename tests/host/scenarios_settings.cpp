// The settings store's real Open inside the plug-in: dispora.ini beside the
// DLL, held open with no sharing, the command line and the plug-in's name.
#include <string.h>

#include "tests/host/probe.h"
#include "tests/host/rig.h"

namespace {

std::string ProbeValue(HMODULE probe, const char* key) {
    auto find = ModuleExport<ProbeFindFn>(probe, "ProbeFind");
    if (find == nullptr) return "<no probe>";
    const char* value = find(key);
    return value ? value : "<absent>";
}

const StandInBuild& AnyBuild() { return kStandInBuilds[0]; }

}  // namespace

SCENARIO("settings: dispora.ini beside the plug-in is read and held open until detach") {
    InstallHost(&AnyBuild());
    WriteSettingsFile("; players' settings\ndispora = windowed\r\ntopmost=yes\n");
    HMODULE probe = LoadPlugin(kProbe);
    CHECK(probe != nullptr);
    CHECK_TEXT(ProbeValue(probe, "dispora"), "windowed\r\n");
    CHECK_TEXT(ProbeValue(probe, "topmost"), "yes\n");
    CHECK_TEXT(ProbeValue(probe, "windowsize"), "<absent>");
    CHECK(!OthersCanOpen(SettingsFilePath()));
    UnloadPlugin(probe);
    CHECK(OthersCanOpen(SettingsFilePath()));
}

SCENARIO("settings: the shipped plug-in reads dispora.ini and lets go of it at detach") {
    InstallHost(&AnyBuild());
    WriteSettingsFile("dispora=windowed\n");
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CHECK_EQ(HostVar(AnyBuild().clearOnDefer), 0);  // the key was found: the deferred choice is armed
    CHECK(!OthersCanOpen(SettingsFilePath()));
    UnloadPlugin(plugin);
    CHECK(OthersCanOpen(SettingsFilePath()));
}

SCENARIO("settings: a read-only dispora.ini is read, and held against others") {
    // The test script leaves readonly\dispora.ini (dispora=windowed) unwritable.
    const std::string folder = RigDirectory() + "readonly\\";
    const std::string settings = folder + "dispora.ini";
    HANDLE writable = CreateFileA(settings.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    CHECK(writable == INVALID_HANDLE_VALUE);
    if (writable != INVALID_HANDLE_VALUE) CloseHandle(writable);
    CHECK(OthersCanOpen(settings));

    InstallHost(&AnyBuild());
    CHECK(CopyFileA((RigDirectory() + kPlugin).c_str(), (folder + kPlugin).c_str(), FALSE));
    HMODULE plugin = LoadLibraryA((folder + kPlugin).c_str());
    CHECK(plugin != nullptr);
    CHECK_EQ(HostVar(AnyBuild().clearOnDefer), 0);  // dispora=windowed: the choice is armed
    CHECK(!OthersCanOpen(settings));
    UnloadPlugin(plugin);
    CHECK(OthersCanOpen(settings));
    DeleteFileA((folder + kPlugin).c_str());
}

SCENARIO("settings: a dispora.ini another program holds open counts as absent") {
    InstallHost(&AnyBuild());
    WriteSettingsFile("dispora=windowed\n");
    HANDLE held = CreateFileA(SettingsFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    CHECK(held != INVALID_HANDLE_VALUE);
    HMODULE probe = LoadPlugin(kProbe);
    CHECK_TEXT(ProbeValue(probe, "dispora"), "<absent>");
    UnloadPlugin(probe);
    CloseHandle(held);
}

SCENARIO("settings: closing twice is harmless") {
    InstallHost(&AnyBuild());
    WriteSettingsFile("dispora=windowed\n");
    HMODULE probe = LoadPlugin(kProbe);
    auto close = ModuleExport<ProbeVoidFn>(probe, "ProbeCloseSettings");
    auto isOpen = ModuleExport<ProbeIntFn>(probe, "ProbeSettingsOpen");
    CHECK(close != nullptr && isOpen != nullptr);
    if (close == nullptr || isOpen == nullptr) return UnloadPlugin(probe);
    CHECK_EQ(isOpen(), 1);
    close();
    close();
    CHECK_EQ(isOpen(), 0);
    CHECK(OthersCanOpen(SettingsFilePath()));
    CHECK_TEXT(ProbeValue(probe, "dispora"), "<absent>");
    UnloadPlugin(probe);  // detach and the destructor close once more each
}

SCENARIO("settings: a key in the plug-in's own file name") {
    InstallHost(&AnyBuild());
    const std::string renamed = "dispora--dispora=windowed.asi";
    CHECK(CopyFileA((RigDirectory() + kProbe).c_str(), (RigDirectory() + renamed).c_str(), FALSE));
    WriteSettingsFile("dispora=800x600\n");
    HMODULE probe = LoadPlugin(renamed.c_str());
    CHECK_TEXT(ProbeValue(probe, "dispora"), "windowed.asi");
    UnloadPlugin(probe);
    DeleteFileA((RigDirectory() + renamed).c_str());
}

SCENARIO("child:settings: the command line wins over the file") {
    InstallHost(&AnyBuild());
    WriteSettingsFile("dispora=1024x768x32\n");
    HMODULE probe = LoadPlugin(kProbe);
    CHECK_TEXT(ProbeValue(probe, "dispora"), "800x600x32 --topmost");
    CHECK_TEXT(ProbeValue(probe, "windowsize"), "<absent>");
    UnloadPlugin(probe);
}

SCENARIO("settings: the command line wins over the file (own process)") {
    CHECK_EQ(RunChild("child:settings: the command line wins over the file", "--dispora 800x600x32 --topmost"), 0);
}
