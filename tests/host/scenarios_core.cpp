// Recognising the host, binding the slots, redirecting psSelectDevice's call
// and the start-up log, in each of the four builds.
#include <string.h>

#include "tests/host/probe.h"
#include "tests/host/rig.h"

namespace {

std::string BuildLine(const StandInBuild& build) {
    const char* game = build.build == HostBuild::Gta3V10   ? "GTA3 v1.0 offsets"
                       : build.build == HostBuild::Gta3V11 ? "GTA3 v1.1 offsets"
                                                           : "GTA Vice City offsetes";
    char line[200];
    snprintf(line, sizeof(line), "[dispora.asi] %s loaded (timestamp 0x3c0a8b5e, entrypoint 0x%x)\n", game,
             build.entryPoint);
    return line;
}

// The banner writes the project's version without its second dot: 1.0.1 is "1.01".
std::string BannerVersion() {
    std::string version = DISPORA_PROJECT_VERSION;
    version.erase(version.rfind('.'), 1);
    return version;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

SCENARIO_EACH_BUILD("core: attach logs the build line, the banner and a missing dispora to both sinks") {
    InstallHost(&build);
    RemoveSettingsFile();
    ClearCapturedOutput();
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    const std::vector<std::string>& lines = DebugLines();
    CHECK_EQ(lines.size(), 7);
    if (lines.size() == 7) {
        CHECK_TEXT(lines[0], BuildLine(build));
        CHECK_TEXT(lines[1], "[dispora.asi] $ \n");
        const std::string banner = "[dispora.asi] $ dispora.asi " + BannerVersion() + " for GTAIII and Vice City build ";
        CHECK(StartsWith(lines[2], banner));
        CHECK_EQ(lines[2].size(), banner.size() + strlen("Mar 20 2015 09:04:15 \n"));
        CHECK(StartsWith(lines[3], "[dispora.asi] $ ") && lines[3].back() == '\n');
        CHECK(StartsWith(lines[4], "[dispora.asi] $ ") && lines[4].back() == '\n');
        CHECK_TEXT(lines[5], "[dispora.asi] $ \n");
        CHECK_TEXT(lines[6], "[dispora.asi] no dispora setting on the command line or in the file name, and no " +
                                 SettingsFilePath() + ": video mode and window left to the game\n");
    }
    CHECK(engine.logLines == lines);
    UnloadPlugin(plugin);
}

SCENARIO_EACH_BUILD("core: every slot reaches its host function unchanged") {
    InstallHost(&build);
    engine.subSystems[0].currentMode = 0x5107;
    engine.videoModeInfoResult = 0x5109;
    engine.setSubSystemResult = 0x510A;
    engine.setVideoModeResult = 0x510B;
    HMODULE probe = LoadPlugin(kProbe);
    CHECK(probe != nullptr);
    auto callSlots = ModuleExport<ProbeCallSlotsFn>(probe, "ProbeCallSlots");
    CHECK(callSlots != nullptr);
    if (callSlots == nullptr) return UnloadPlugin(probe);
    ClearCapturedOutput();
    SlotProbeResults results = {};
    ModeInfo info = {};
    callSlots(&results, &info);

    CHECK(results.modeList == engine.nameList.data());
    CHECK_EQ(engine.getVideoModeListCalls, 1);
    CHECK(engine.rawSetVideoModeCalls == std::vector<int>{kProbeRawMode});
    CHECK(engine.logLines == std::vector<std::string>{"probe line\n"});
    CHECK_EQ(results.currentMode, 0x5107);
    CHECK_EQ(results.modeCount, 8);
    CHECK(engine.getVideoModeInfoCalls == std::vector<int>{kProbeInfoMode});
    CHECK_EQ(results.modeInfo, 0x5109);
    CHECK_EQ(info.width, 800);
    CHECK_EQ(info.height, 600);
    CHECK_EQ(info.depth, 16);
    CHECK(engine.setSubSystemCalls == std::vector<int>{kProbeSubSystem});
    CHECK_EQ(results.setSubSystem, 0x510A);
    CHECK(engine.setVideoModeCalls == std::vector<int>{kProbeVideoMode});
    CHECK_EQ(results.setVideoMode, 0x510B);
    CHECK(DebugLines().empty());  // no slot fell back to its unbound warning
    UnloadPlugin(probe);
}

SCENARIO_EACH_BUILD("core: psSelectDevice's subsystem call goes through the plug-in") {
    InstallHost(&build);
    const uint32_t site = build.selectDevice + 0x75;
    CHECK_EQ(CallTarget(site), build.RwEngineSetSubSystem);
    HMODULE plugin = LoadPlugin();
    CHECK_EQ(*reinterpret_cast<const uint8_t*>(site), 0xE8);
    CHECK(AddressInModule(CallTarget(site), plugin));
    engine.setSubSystemResult = 0x77;
    HostVar(build.savedModeIndex) = 1;  // named on both displays: the game needs no search
    CHECK_EQ(CallSelectDevice(1), 0x77);
    CHECK(engine.setSubSystemCalls == std::vector<int>{1});
    UnloadPlugin(plugin);
    // Unloaded while the game goes on: the host's own call is back.
    CHECK_EQ(*reinterpret_cast<const uint8_t*>(site), 0xE8);
    CHECK_EQ(CallTarget(site), build.RwEngineSetSubSystem);
    CHECK_EQ(CallSelectDevice(0), 0x77);
}

SCENARIO("core: an unrecognised executable is refused, left untouched, and named in dispora.log") {
    const struct {
        uint32_t entryPoint;
        const char* line;
    } cases[] = {
        {kUnknownEntryPoint, "entry point 0x123450 is none of GTA III 1.0 or 1.1 or Vice City 1.0 or 1.1: the plug-in "
                             "does nothing here"},
        {0x1C6FD0, "this is GTA III's Steam executable: the plug-in knows GTA III 1.0 and 1.1 and Vice City 1.0 and "
                   "1.1, and does nothing here"},
        {0x266BA0, "this is Vice City's Steam executable: the plug-in knows GTA III 1.0 and 1.1 and Vice City 1.0 and "
                   "1.1, and does nothing here"},
    };
    WriteSettingsFile("dispora=windowed\n");
    for (const auto& c : cases) {
        InstallHost(nullptr, 1234567890, c.entryPoint);
        const std::vector<uint8_t> before = SnapshotHostMemory();
        ClearCapturedOutput();
        HMODULE plugin = LoadPlugin();
        CHECK(plugin == nullptr);
        const std::string error = "[dispora.asi] ERROR: Unsupported exe (timestamp = 1234567890)\n";
        const std::string which = std::string("[dispora.asi] ") + c.line + "\n";
        const std::string dummy = "[WARNING] callin' fuckin' dummy _Log\n";
        CHECK(DebugLines() == (std::vector<std::string>{error, dummy, which, dummy}));
        CHECK_TEXT(ReadWholeFile(LogFilePath()), error + which);
        CHECK(HostMemoryEquals(before));
        UnloadPlugin(plugin);
    }
    WriteSettingsFile("logfile=no\n");
    DeleteFileA(LogFilePath().c_str());
    InstallHost(nullptr);
    CHECK(LoadPlugin() == nullptr);
    CHECK_TEXT(ReadWholeFile(LogFilePath()), "<none>");
}

SCENARIO("core: a null site, target or host address writes nothing") {
    const StandInBuild& build = kStandInBuilds[0];
    InstallHost(&build);
    HMODULE probe = LoadPlugin(kProbe);
    auto writeBranch = ModuleExport<ProbeWriteBranchFn>(probe, "ProbeWriteBranch");
    auto bindLog = ModuleExport<ProbeBindFn>(probe, "ProbeBindLogSlot");
    CHECK(writeBranch != nullptr && bindLog != nullptr);
    if (writeBranch == nullptr || bindLog == nullptr) return UnloadPlugin(probe);
    const std::vector<uint8_t> before = SnapshotHostMemory();
    CHECK_EQ(writeBranch(0, build.RwEngineSetSubSystem), 0);
    CHECK_EQ(writeBranch(build.selectDevice + 0x75, 0), 0);
    CHECK(HostMemoryEquals(before));
    // Binding _Log to nothing leaves it bound to the host's _Log.
    CHECK_EQ(bindLog(0), 0);
    auto log = ModuleExport<ProbeLogFn>(probe, "ProbeLog");
    ClearCapturedOutput();
    log("still reaches the host");
    CHECK(engine.logLines == std::vector<std::string>{"[dispora.asi] still reaches the host\n"});
    UnloadPlugin(probe);
}

SCENARIO("core: an overlong log message is cut inside the buffers") {
    InstallHost(&kStandInBuilds[3]);
    HMODULE probe = LoadPlugin(kProbe);
    auto log = ModuleExport<ProbeLogFn>(probe, "ProbeLog");
    CHECK(log != nullptr);
    if (log == nullptr) return UnloadPlugin(probe);
    ClearCapturedOutput();
    const std::string message(6000, 'm');
    log(message.c_str());
    CHECK_EQ(DebugLines().size(), 1);
    CHECK_EQ(engine.logLines.size(), 1);
    if (engine.logLines.size() == 1) {
        const std::string& line = engine.logLines[0];
        CHECK_EQ(line.size(), 2047);
        CHECK(line.compare(0, 17, "[dispora.asi] mmm") == 0);
        CHECK_EQ(line.back(), '\n');
    }
    UnloadPlugin(probe);
}
