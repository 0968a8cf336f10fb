#include "core/guard.h"

#include <windows.h>

extern "C" {
// Unwinds the frames inside the step and continues at the end of RunGuarded
// with the fault result; never returns.
[[noreturn]] void GuardUnwindAndResume(void* frame, EXCEPTION_RECORD* record);

// Called by the system's exception dispatcher for every exception that the
// frames inside the step did not handle. It resumes the way a compiler's own
// exception handling does, not by returning "continue execution": that would
// be refused for a non-continuable exception (a C++ throw, for one).
EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT*, void*) {
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
    GuardUnwindAndResume(frame, record);
}
}
