// The stand-in host's test rig: scenarios, checks, the plug-in's loading and
// its debugger output, and driving modal windows from inside their loops.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/host/host_image.h"

// --- scenarios and checks ----------------------------------------------------
struct Scenario {
    const char* name;
    std::function<void()> run;
};
std::vector<Scenario>& Scenarios();
struct ScenarioRegistrar {
    ScenarioRegistrar(const char* name, std::function<void()> run) { Scenarios().push_back({name, std::move(run)}); }
};
#define RIG_CONCAT2(a, b) a##b
#define RIG_CONCAT(a, b) RIG_CONCAT2(a, b)
#define SCENARIO(name) \
    static void RIG_CONCAT(scenario_, __LINE__)(); \
    static ScenarioRegistrar RIG_CONCAT(registrar_, __LINE__)(name, RIG_CONCAT(scenario_, __LINE__)); \
    static void RIG_CONCAT(scenario_, __LINE__)()
// Registers one scenario per build, named "<name>/<build>".
#define SCENARIO_EACH_BUILD(name) \
    static void RIG_CONCAT(scenario_, __LINE__)(const StandInBuild&); \
    static ScenarioRegistrar RIG_CONCAT(registrar_, __LINE__)[4] = { \
        {name "/Gta3V10", [] { RIG_CONCAT(scenario_, __LINE__)(kStandInBuilds[0]); }}, \
        {name "/Gta3V11", [] { RIG_CONCAT(scenario_, __LINE__)(kStandInBuilds[1]); }}, \
        {name "/ViceCityA", [] { RIG_CONCAT(scenario_, __LINE__)(kStandInBuilds[2]); }}, \
        {name "/ViceCityB", [] { RIG_CONCAT(scenario_, __LINE__)(kStandInBuilds[3]); }}}; \
    static void RIG_CONCAT(scenario_, __LINE__)(const StandInBuild& build)

int RigFailures();  // checks failed so far in this process
void CheckTrue(bool condition, const char* expression, const char* file, int line);
void CheckEqual(long long actual, long long expected, const char* expression, const char* file, int line);
void CheckEqualText(const std::string& actual, const std::string& expected, const char* expression,
                    const char* file, int line);
#define CHECK(condition) CheckTrue((condition), #condition, __FILE__, __LINE__)
#define CHECK_EQ(actual, expected) \
    CheckEqual(static_cast<long long>(actual), static_cast<long long>(expected), #actual, __FILE__, __LINE__)
// In a table's loop: a failure names the case (what) instead of the expression.
#define CHECK_FOR(what, condition) CheckTrue((condition), (what), __FILE__, __LINE__)
#define CHECK_EQ_FOR(what, actual, expected) \
    CheckEqual(static_cast<long long>(actual), static_cast<long long>(expected), (what), __FILE__, __LINE__)
// Scenario helper: the deferred road's clearOnDefer still holds the stand-in's
// sentinel, i.e. the plug-in found no dispora key and armed nothing.
constexpr int32_t kClearOnDeferSentinel = 0x5EED;

#define CHECK_TEXT(actual, expected) CheckEqualText((actual), (expected), #actual, __FILE__, __LINE__)

// --- files ---------------------------------------------------------------------
std::string RigDirectory();  // where the stand-in, the plug-in and dispora.ini live
void WriteSettingsFile(const std::string& text);  // dispora.ini beside the plug-in
void RemoveSettingsFile();
std::string SettingsFilePath();

// Can another program open the file for reading right now?
bool OthersCanOpen(const std::string& path);
// Can another program open it for writing, sharing nothing, right now? Only
// when no one else has it open.
bool OthersCanOpenAlone(const std::string& path);
// The whole file (its path in UTF-8), or "<none>" when there is none.
std::string ReadWholeFile(const std::string& path);
std::string LogFilePath(const std::string& folder = RigDirectory());  // dispora.log there

// A text in UTF-8 for the wide calls, and as an ANSI program of this code page sees it.
std::wstring Wide(const std::string& utf8);
std::string AnsiForm(const std::string& utf8);
// A game folder under the rig's, its name in UTF-8 (nested folders too),
// made through the wide calls with a copy of the plug-in in it; removed with
// the files the plug-in writes when the scenario is done with it.
struct GameFolder {
    std::string path;  // with the final backslash
    explicit GameFolder(const std::string& name);
    ~GameFolder();
    HMODULE Load() const;  // its dispora.asi
    void Write(const char* file, const std::string& text) const;
    std::string Read(const char* file) const;
    std::vector<std::string> made;  // the folders, outermost first
};
// A folder name under the rig's that makes its path this many characters long.
std::string FolderNameForLength(size_t length);

// --- the plug-in ---------------------------------------------------------------
extern const char* const kPlugin;  // "dispora.asi"
extern const char* const kProbe;   // "dispora_probe.dll"
HMODULE LoadPlugin(const char* file = kPlugin);  // file: in UTF-8, from the rig's folder
void UnloadPlugin(HMODULE module);
// An export of a loaded module, as a function of the given type (null if missing).
template <typename Function>
Function ModuleExport(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Lines the plug-in sent to the debugger output since the last clear.
std::vector<std::string>& DebugLines();
void InstallDebugCapture();
void ClearCapturedOutput();  // debugger lines and the host's _Log lines
// Did the host's _Log receive "[dispora.asi] " + message?
bool Logged(const std::string& message);

// --- modal windows -------------------------------------------------------------
// Calls step from a timer inside whatever modal loop runs next, every 20 ms,
// with the modal window of this thread that is open (a dialog or a message
// box), until step returns true or about 10 s have passed.
void DriveModalWindow(std::function<bool(HWND)> step);
void StopDrivingModalWindow();
bool ModalDriverTimedOut();
std::string WindowText(HWND window);
// The cursor's display count (shown while 0 or more), left as it was.
int CursorDisplayCount();

// --- the game window --------------------------------------------------------------
RECT WindowBounds(HWND window);
bool IsTopmost(HWND window);
bool ProcedureIsHosts(HWND window);  // the game's own window procedure, nothing in front of it
void RestoreCursor(int count);  // back to a display count a scenario started with
// Lets the system's input queue deliver what it holds, and timers run, as the game's loop would.
void PumpMessages(int milliseconds);
// The game window exists, always-on-top so that the ordering shows.
HWND GameWindowBeforeLoad();
// The plug-in loaded after the game made its window (the immediate road).
struct ImmediateRun {
    HMODULE plugin;
    HWND window;
    LONG styleBefore;
    int cursorBefore;
};
ImmediateRun LoadWithWindow(const StandInBuild& build, const char* settings);

// --- child processes ------------------------------------------------------------
// Runs the scenario named in its own process, with extra command-line text.
// Returns the child's exit code.
DWORD RunChild(const std::string& scenario, const std::string& extraArguments,
               const std::string& executable = "standin_host.exe");
bool IsChild();
