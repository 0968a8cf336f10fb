// The baseline for the attach benchmark: a DLL that does nothing at load,
// built with the plug-in's flags.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
