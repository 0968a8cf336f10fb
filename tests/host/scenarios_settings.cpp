// The settings store's real Open inside the plug-in: dispora.ini beside the
// DLL, read once at attach and closed at once, the command line and the
// plug-in's name.
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

SCENARIO("settings: dispora.ini beside the plug-in is read at attach and open to others while the game runs") {
    InstallHost(&AnyBuild());
    WriteSettingsFile("; players' settings\ndispora = windowed\r\ntopmost=yes\n");
    HMODULE probe = LoadPlugin(kProbe);
    CHECK(probe != nullptr);
    CHECK_TEXT(ProbeValue(probe, "dispora"), "windowed");
    CHECK_TEXT(ProbeValue(probe, "topmost"), "yes");
    CHECK_TEXT(ProbeValue(probe, "windowsize"), "<absent>");
    CHECK(OthersCanOpenAlone(SettingsFilePath()));
    UnloadPlugin(probe);
}

SCENARIO("settings: while the game starts, dispora.ini can be edited, renamed and deleted; an edit counts next time") {
    const StandInBuild& build = AnyBuild();
    InstallHost(&build);
    WriteSettingsFile("dispora=windowed\n");
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CHECK_EQ(HostVar(build.clearOnDefer), 0);  // the key was found: the deferred choice is armed
    CHECK(OthersCanOpenAlone(SettingsFilePath()));
    WriteSettingsFile("dispora=1024x768x32\n");  // saved by an editor between attach and the device selection
    const std::string renamed = SettingsFilePath() + ".old";
    CHECK(MoveFileA(SettingsFilePath().c_str(), renamed.c_str()));
    CHECK(DeleteFileA(renamed.c_str()));
    CreateWindowAsGame();
    StartGame();
    CHECK_EQ(HostVar(build.GcurSelVM), 0);  // what the file said at attach
    UnloadPlugin(plugin);
}

SCENARIO("settings: a read-only dispora.ini is read, and left open to others") {
    // The test script leaves readonly\dispora.ini (dispora=windowed) unwritable.
    const std::string folder = RigDirectory() + "readonly\\";
    const std::string settings = folder + "dispora.ini";
    HANDLE writable = CreateFileA(settings.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    CHECK(writable == INVALID_HANDLE_VALUE);
    if (writable != INVALID_HANDLE_VALUE) CloseHandle(writable);

    InstallHost(&AnyBuild());
    CHECK(CopyFileA((RigDirectory() + kPlugin).c_str(), (folder + kPlugin).c_str(), FALSE));
    HMODULE plugin = LoadLibraryA((folder + kPlugin).c_str());
    CHECK(plugin != nullptr);
    CHECK_EQ(HostVar(AnyBuild().clearOnDefer), 0);  // dispora=windowed: the choice is armed
    CHECK(OthersCanOpen(settings));
    UnloadPlugin(plugin);
    DeleteFileA((folder + kPlugin).c_str());
}

SCENARIO("settings: a dispora.ini another program has open, even for writing, is read; one it holds alone is named with the reason") {
    InstallHost(&AnyBuild());
    WriteSettingsFile("dispora=windowed\n");
    HANDLE held = CreateFileA(SettingsFilePath().c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    CHECK(held != INVALID_HANDLE_VALUE);
    HMODULE probe = LoadPlugin(kProbe);
    CHECK_TEXT(ProbeValue(probe, "dispora"), "windowed");
    UnloadPlugin(probe);
    CloseHandle(held);
    // Held with no sharing at all, it cannot be read, but it is there: the
    // log names it with the reason, and neither calls it missing nor empty.
    held = CreateFileA(SettingsFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ClearCapturedOutput();
    UnloadPlugin(LoadPlugin());
    CHECK(Logged(SettingsFilePath() + " cannot be read (error 32: another program has it open): none of its "
                                      "settings are used\n"));
    CHECK(Logged("no dispora setting on the command line or in the file name: video mode and window left to the game\n"));
    CloseHandle(held);
    RemoveSettingsFile();
    CHECK(CreateDirectoryA(SettingsFilePath().c_str(), nullptr));  // a folder of that name: there, but no file
    ClearCapturedOutput();
    UnloadPlugin(LoadPlugin());
    CHECK(Logged(SettingsFilePath() + " cannot be read (error 5: access denied): none of its settings are used\n"));
    RemoveDirectoryA(SettingsFilePath().c_str());
}

SCENARIO("settings: dispora.ini as editors save it: a UTF-8 mark, UTF-16, any line ending") {
    const std::string utf8Marked = "\xEF\xBB\xBF" "dispora=windowed\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("; \xE9t\xE9\rdispora=windowed\r\nlogfile=no\r\n")) utf16 += std::string(1, c) + '\0';
    for (const std::string& file : {utf8Marked, utf16, std::string("; comment\rdispora=windowed\r")}) {
        InstallHost(&AnyBuild());
        WriteSettingsFile(file);
        HMODULE probe = LoadPlugin(kProbe);
        CHECK_TEXT(ProbeValue(probe, "dispora"), "windowed");
        UnloadPlugin(probe);
    }
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
