// dispora.log for players, and the line that says which mode the game ran.
#include <stdio.h>

#include "tests/host/rig.h"

namespace {

std::string DebugText() {
    std::string text;
    for (const std::string& line : DebugLines()) text += line;
    return text;
}

}  // namespace

SCENARIO("log: dispora.log holds exactly the debugger lines, afresh at each start, on both roads, unless logfile=no") {
    InstallHost(&kStandInBuilds[0]);
    WriteSettingsFile("dispora=windowed\nwindowsize=1024x768\nlogfile=no\n");
    DeleteFileA(LogFilePath().c_str());
    HMODULE plugin = LoadPlugin();
    UnloadPlugin(plugin);
    CHECK_TEXT(ReadWholeFile(LogFilePath()), "<none>");

    WriteSettingsFile("dispora=windowed\nwindowsize=1024x768\n");  // no logfile: the log is there
    ClearCapturedOutput();
    plugin = LoadPlugin();
    CreateWindowAsGame();
    StartGame();
    CHECK_TEXT(ReadWholeFile(LogFilePath()), DebugText());  // each line there as soon as it was logged
    UnloadPlugin(plugin);
    const std::string deferred = ReadWholeFile(LogFilePath());
    CHECK_TEXT(deferred, DebugText());
    CHECK(deferred.find("GTA3 v1.0 offsets loaded") != std::string::npos);
    CHECK(deferred.find("video mode in use: 0 (chosen: 0)") != std::string::npos);

    // A line saved in the player's ANSI code page (1252: "fenêtre") is quoted in UTF-8 like any path.
    ImmediateRun run = LoadWithWindow(kStandInBuilds[2], "dispora=windowed\nlogfile=1\nfen\xEAtre=oui\n");
    CHECK(run.plugin != nullptr);
    UnloadPlugin(run.plugin);
    CHECK_TEXT(AnsiForm(ReadWholeFile(LogFilePath())), DebugText());  // the debugger's viewer shows ANSI
    CHECK(ReadWholeFile(LogFilePath()).find("\"fen\xC3\xAAtre=oui\" names no setting") != std::string::npos);
    CHECK(DebugText().rfind("[dispora.asi] GTA Vice City offsetes loaded", 0) == 0);  // this start's lines only
    DeleteFileA(LogFilePath().c_str());
}

SCENARIO("log: the compatibility layers Windows applies are named in dispora.log, with what they break") {
    const std::string registry =
        "HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
    // The variable as Windows sets it for the process, read at attach.
    SetEnvironmentVariableA("__COMPAT_LAYER", "~ 640X480 HighDpiAware RUNASADMIN");
    InstallHost(&kStandInBuilds[2]);
    WriteSettingsFile("dispora=windowed\nwindowsize=1024x768\n");
    HMODULE plugin = LoadPlugin();
    SetEnvironmentVariableA("__COMPAT_LAYER", nullptr);
    UnloadPlugin(plugin);
    const std::string log = ReadWholeFile(LogFilePath());
    CHECK(log.find("[dispora.asi] Windows compatibility layers in force: 640X480 HighDpiAware RUNASADMIN\n") !=
          std::string::npos);
    CHECK(log.find("[dispora.asi] compatibility layer 640X480 fights dispora=windowed: Windows holds the screen at "
                   "640 x 480") != std::string::npos);
    CHECK(log.find("[dispora.asi] to turn 640X480 off: untick \"Run in 640 x 480 screen resolution\" on the "
                   "Compatibility tab of the game's Properties") != std::string::npos);
    CHECK(log.find(registry) != std::string::npos);
    DeleteFileA(LogFilePath().c_str());
}

SCENARIO("log: a log file that cannot be created leaves attach alone") {
    // The test script leaves readonly\dispora.log unwritable; the key comes
    // from the plug-in's own file name.
    const std::string folder = RigDirectory() + "readonly\\";
    const std::string plugin = folder + "dispora--logfile=yes.asi";
    const std::string before = ReadWholeFile(LogFilePath(folder));
    InstallHost(&kStandInBuilds[1]);
    CHECK(CopyFileA((RigDirectory() + kPlugin).c_str(), plugin.c_str(), FALSE));
    ClearCapturedOutput();
    HMODULE module = LoadLibraryA(plugin.c_str());
    CHECK(module != nullptr);
    int offLines = 0;
    for (const std::string& line : DebugLines()) {
        offLines += line == "[dispora.asi] logfile: dispora.log cannot be created beside the plug-in (error 5: access "
                            "denied): no log file\n";
    }
    CHECK_EQ(offLines, 1);
    CHECK_TEXT(ReadWholeFile(LogFilePath(folder)), before);
    UnloadPlugin(module);
    DeleteFileA(plugin.c_str());
}

SCENARIO("log: the mode the game really ran, kept or replaced by its own selection") {
    InstallHost(&kStandInBuilds[3]);
    // A settle call the plug-in does not know: the game's own search, as
    // written, passes over the windowed mode to 640 x 480 x 16.
    WriteSelectDevice(ModeSearchReading::AsWritten, SettleCallCode::ThroughPointer);
    WriteSettingsFile("dispora=windowed\n");
    HMODULE plugin = LoadPlugin();
    CreateWindowAsGame();
    ClearCapturedOutput();
    StartGame();
    CHECK(engine.logLines ==
          (std::vector<std::string>{"[dispora.asi] psSelectDevice+0x7a..+0x27a calls RwEngineGetVideoModeInfo 1 and "
                                    "RwEngineSetVideoMode 1 times, not 2 and 1: its settle call is not redirected\n",
                                    "[dispora.asi] the windowed mode is left to the game's own mode search\n",
                                    "[dispora.asi] video mode in use: 1 (chosen: 0)\n"}));
    UnloadPlugin(plugin);
    CHECK_EQ(engine.logLines.size(), 3);  // once

    // A full-screen pick leaves the window procedure alone: the line comes at detach.
    InstallHost(&kStandInBuilds[3]);
    WriteSettingsFile("dispora=1024x768x32\n");
    plugin = LoadPlugin();
    CreateWindowAsGame();
    ClearCapturedOutput();
    StartGame();
    CHECK(engine.logLines == std::vector<std::string>{"[dispora.asi] mode 5 chosen: 1024 x 768 x 32\n"});
    UnloadPlugin(plugin);
    CHECK(engine.logLines == (std::vector<std::string>{"[dispora.asi] mode 5 chosen: 1024 x 768 x 32\n",
                                                       "[dispora.asi] video mode in use: 5 (chosen: 5)\n"}));
}

SCENARIO("child:log: the game exits with the plug-in loaded") {
    InstallHost(&kStandInBuilds[2]);
    HMODULE plugin = LoadPlugin();
    CHECK(plugin != nullptr);
    CreateWindowAsGame();
    StartGame();
    ClearCapturedOutput();
}

SCENARIO("log: at process exit the mode line goes to the file, not to the game's log") {
    WriteSettingsFile("dispora=1024x768x32\nlogfile=yes\n");
    CHECK_EQ(RunChild("child:log: the game exits with the plug-in loaded", ""), 0);
    const std::string text = ReadWholeFile(LogFilePath());
    const std::string last = "[dispora.asi] video mode in use: 5 (chosen: 5)\n";
    CHECK(text.size() > last.size() && text.compare(text.size() - last.size(), last.size(), last) == 0);
    DeleteFileA(LogFilePath().c_str());
}
