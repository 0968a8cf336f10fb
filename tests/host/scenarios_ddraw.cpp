// The plug-in standing in for ddraw.dll: both creation entries forwarded to
// the system library, untouched.
#include <stdio.h>
#include <string.h>

#include "ddraw/system_ddraw.h"
#include "tests/host/rig.h"

// Calls a stdcall function with count 32-bit arguments and reports how many
// bytes of arguments it removed from the stack.
extern "C" int CallMeasuringStack(const void* function, int count, const uint32_t* arguments, uint32_t* removed);
asm(R"(
    .text
    .globl _CallMeasuringStack
_CallMeasuringStack:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    movl 12(%ebp), %ecx
    movl 16(%ebp), %esi
1:  testl %ecx, %ecx
    jz 2f
    pushl -4(%esi,%ecx,4)
    decl %ecx
    jmp 1b
2:  movl %esp, %edi
    call *8(%ebp)
    movl %esp, %edx
    subl %edi, %edx
    movl 20(%ebp), %ecx
    movl %edx, (%ecx)
    leal -8(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebp
    ret
)");

namespace {

const GUID kIidDirectDraw7 = {0x15e65ec0, 0x3b9c, 0x11d2, {0xb9, 0x2f, 0x00, 0x60, 0x97, 0x97, 0xea, 0x5b}};

struct Created {
    int result;
    uint32_t removed;
};

void Release(void* object) {
    if (object == nullptr) return;
    using ReleaseFn = ULONG(__stdcall*)(void*);
    (*reinterpret_cast<ReleaseFn**>(object))[2](object);
}

Created CallCreate(FARPROC entry) {
    void* object = nullptr;
    const uint32_t arguments[3] = {0, reinterpret_cast<uint32_t>(&object), 0};
    Created created = {};
    created.result = CallMeasuringStack(reinterpret_cast<const void*>(entry), 3, arguments, &created.removed);
    Release(object);
    return created;
}

Created CallCreateEx(FARPROC entry) {
    void* object = nullptr;
    const uint32_t arguments[4] = {0, reinterpret_cast<uint32_t>(&object), reinterpret_cast<uint32_t>(&kIidDirectDraw7),
                                   0};
    Created created = {};
    created.result = CallMeasuringStack(reinterpret_cast<const void*>(entry), 4, arguments, &created.removed);
    Release(object);
    return created;
}

std::string SystemDirectDrawPath() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, sizeof(folder));
    return std::string(folder) + "\\ddraw.dll";
}

HRESULT __stdcall StandInCreate(GUID*, void** object, IUnknown*) {
    *object = nullptr;
    return 0x1234;
}

// The plug-in under the system library's name, beside the stand-in.
HMODULE LoadAsDirectDraw(const char* source, const char* name = "ddraw.dll") {
    const std::string copy = RigDirectory() + name;
    CHECK(CopyFileA((RigDirectory() + source).c_str(), copy.c_str(), FALSE));
    return LoadLibraryA(copy.c_str());
}

// The plug-in's DirectDrawCreate answers as the system library's, and
// leaves the stack as a stdcall entry does.
void CheckForwardsDirectDrawCreate(HMODULE plugin) {
    HMODULE system = LoadLibraryA(SystemDirectDrawPath().c_str());
    const Created direct = CallCreate(GetProcAddress(system, "DirectDrawCreate"));
    const Created forwarded = CallCreate(GetProcAddress(plugin, "DirectDrawCreate"));
    CHECK_EQ(forwarded.result, direct.result);
    CHECK_EQ(forwarded.removed, 12);
}

}  // namespace

SCENARIO("child:ddraw: forwarded entries answer like the system library's") {
    InstallHost(&kStandInBuilds[2]);
    WriteSettingsFile("dispora=windowed\n");
    ClearCapturedOutput();
    HMODULE plugin = LoadAsDirectDraw(kPlugin);
    CHECK(plugin != nullptr);
    if (plugin == nullptr) return;
    // Still the plug-in: it recognised its host and read dispora.ini beside itself.
    CHECK(!engine.logLines.empty() && engine.logLines[0].find("GTA Vice City offsetes loaded") != std::string::npos);
    CHECK_EQ(HostVar(kStandInBuilds[2].clearOnDefer), 0);

    HMODULE system = LoadLibraryA(SystemDirectDrawPath().c_str());
    CHECK(system != nullptr && system != plugin);
    FARPROC forwardedCreate = GetProcAddress(plugin, "DirectDrawCreate");
    FARPROC forwardedCreateEx = GetProcAddress(plugin, "DirectDrawCreateEx");
    CHECK(forwardedCreate != nullptr && forwardedCreateEx != nullptr);
    if (system == nullptr || forwardedCreate == nullptr || forwardedCreateEx == nullptr) return;

    const Created direct = CallCreate(GetProcAddress(system, "DirectDrawCreate"));
    const Created directEx = CallCreateEx(GetProcAddress(system, "DirectDrawCreateEx"));
    for (int i = 0; i < 20; ++i) {
        const Created forwarded = CallCreate(forwardedCreate);
        CHECK_EQ(forwarded.result, direct.result);
        CHECK_EQ(forwarded.removed, 12);
        const Created forwardedEx = CallCreateEx(forwardedCreateEx);
        CHECK_EQ(forwardedEx.result, directEx.result);
        CHECK_EQ(forwardedEx.removed, 16);
    }
    printf("    system DirectDrawCreate: 0x%08x, DirectDrawCreateEx: 0x%08x (from %s)\n",
           static_cast<unsigned>(direct.result), static_cast<unsigned>(directEx.result), SystemDirectDrawPath().c_str());
    FreeLibrary(plugin);
    DeleteFileA((RigDirectory() + "ddraw.dll").c_str());
}

SCENARIO("ddraw: forwarded entries answer like the system library's (own process)") {
    CHECK_EQ(RunChild("child:ddraw: forwarded entries answer like the system library's", ""), 0);
}

SCENARIO("child:ddraw: the system library is loaded once, whichever entry comes first") {
    InstallHost(&kStandInBuilds[0]);
    HMODULE probe = LoadAsDirectDraw(kProbe);
    CHECK(probe != nullptr);
    if (probe == nullptr) return;
    auto record = ModuleExport<SystemDirectDraw* (*)()>(probe, "ProbeSystemDirectDraw");
    CHECK(record != nullptr);
    if (record == nullptr) return;
    SystemDirectDraw& loaded = *record();
    CHECK(loaded.module == nullptr);

    CallCreateEx(GetProcAddress(probe, "DirectDrawCreateEx"));
    HMODULE system = GetModuleHandleA(SystemDirectDrawPath().c_str());
    CHECK(loaded.module != nullptr);
    CHECK(loaded.module == system);
    CHECK(loaded.module != probe);
    CHECK(loaded.directDrawCreate == GetProcAddress(system, "DirectDrawCreate"));
    CHECK(loaded.directDrawCreateEx == GetProcAddress(system, "DirectDrawCreateEx"));

    // A second call goes straight to the stored entry: nothing is loaded again.
    loaded.directDrawCreate = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&StandInCreate));
    const Created second = CallCreate(GetProcAddress(probe, "DirectDrawCreate"));
    CHECK_EQ(second.result, 0x1234);
    CHECK_EQ(second.removed, 12);
    CHECK(loaded.directDrawCreate == reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&StandInCreate)));

    // An entry the system library lacks fails the call cleanly instead of jumping to null.
    loaded.directDrawCreateEx = nullptr;
    const Created missing = CallCreateEx(GetProcAddress(probe, "DirectDrawCreateEx"));
    CHECK_EQ(static_cast<uint32_t>(missing.result), 0x887600DEu);  // DDERR_NODIRECTDRAWSUPPORT
    CHECK_EQ(missing.removed, 16);
    loaded.directDrawCreate = nullptr;
    const Created missingCreate = CallCreate(GetProcAddress(probe, "DirectDrawCreate"));
    CHECK_EQ(static_cast<uint32_t>(missingCreate.result), 0x887600DEu);
    CHECK_EQ(missingCreate.removed, 12);
    FreeLibrary(probe);
    DeleteFileA((RigDirectory() + "ddraw.dll").c_str());
}

SCENARIO("ddraw: the system library is loaded once (own process)") {
    CHECK_EQ(RunChild("child:ddraw: the system library is loaded once, whichever entry comes first", ""), 0);
}

SCENARIO("ddraw: a named object of another program cannot make the plug-in stand down") {
    // Once, the one-copy marker was a mutex of this name, which any program could make.
    char name[64];
    snprintf(name, sizeof(name), "Local\\dispora.asi-%lu", GetCurrentProcessId());
    HANDLE foreign = CreateMutexA(nullptr, FALSE, name);
    ImmediateRun run = LoadWithWindow(kStandInBuilds[1], "dispora=windowed\nwindowsize=800x600\n");
    CHECK(!Logged("another copy of dispora.asi is active in this process: this one leaves the video mode to it\n"));
    CHECK_EQ(WindowBounds(run.window).right - WindowBounds(run.window).left, 800);
    UnloadPlugin(run.plugin);
    RestoreCursor(run.cursorBefore);
    CloseHandle(foreign);
}

SCENARIO("ddraw: in an executable it does not know, it stays loaded and only forwards DirectDraw") {
    InstallHost(nullptr, 1234567890, 0x1C6FD0);  // GTA III's Steam executable
    WriteSettingsFile("dispora=windowed\n");
    const std::vector<uint8_t> before = SnapshotHostMemory();
    ClearCapturedOutput();
    HMODULE plugin = LoadAsDirectDraw(kPlugin, "DDraw.dll");  // its own file name, any case
    CHECK(plugin != nullptr);
    CHECK(HostMemoryEquals(before));  // nothing patched or hooked
    CHECK_EQ(DebugLines().size(), 4);  // the two lines about the executable, each with the unbound _Log's warning
    CHECK(ReadWholeFile(LogFilePath()).find("GTA III's Steam executable") != std::string::npos);
    if (plugin == nullptr) return;
    CheckForwardsDirectDrawCreate(plugin);
    UnloadPlugin(plugin);
    CHECK(HostMemoryEquals(before));
    DeleteFileA((RigDirectory() + "DDraw.dll").c_str());
}

SCENARIO("ddraw: two copies: the first does the work, the second still forwards DirectDraw") {
    const StandInBuild& build = kStandInBuilds[3];
    InstallHost(&build);
    WriteSettingsFile("dispora=choose\nwindowsize=800x600\n");
    ClearCapturedOutput();
    HMODULE first = LoadPlugin();
    HMODULE second = LoadAsDirectDraw(kPlugin);  // the same plug-in, also installed as ddraw.dll
    CHECK(first != nullptr && second != nullptr && first != second);
    CHECK(Logged("another copy of dispora.asi is active in this process: this one leaves the video mode to it\n"));
    CHECK(AddressInModule(CallTarget(build.selectDevice + 0x75), first));
    int dialogs = 0;
    DriveModalWindow([&](HWND dialog) {
        ++dialogs;
        SendMessageA(GetDlgItem(dialog, 1001), CB_SETCURSEL, 0, 0);  // the windowed mode
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1001, CBN_SELCHANGE), 0);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        return true;
    });
    HWND window = CreateWindowAsGame();
    StartGame();
    CHECK_EQ(dialogs, 1);
    CHECK_EQ(HostVar(build.savedModeIndex), 1);  // a named mode stays for the menu
    CHECK_EQ(HostVar(build.GcurSelVM), 0);
    CHECK_EQ(WindowBounds(window).right - WindowBounds(window).left, 800);  // applied once, by the first copy

    CheckForwardsDirectDrawCreate(second);
    UnloadPlugin(second);
    UnloadPlugin(first);
    DeleteFileA((RigDirectory() + "ddraw.dll").c_str());
}
