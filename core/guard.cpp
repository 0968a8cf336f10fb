#include "core/guard.h"

#include <windows.h>
#include <stdint.h>

namespace {

struct GuardFrame {
    GuardFrame* next;
    void* handler;
    uint32_t resumeEsp;
    uint32_t resumeEbp;
};

}  // namespace

extern "C" {
void GuardResume();
void GuardUnwind(void* frame, EXCEPTION_RECORD* record);

// Called by the system's exception dispatcher for every exception that the
// frames inside the step did not handle: unwind them, then resume at the end
// of RunGuarded with the fault result.
EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context, void*) {
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
    GuardUnwind(frame, record);
    const GuardFrame* guard = static_cast<const GuardFrame*>(frame);
    context->Esp = guard->resumeEsp;
    context->Ebp = guard->resumeEbp;
    context->Eip = reinterpret_cast<DWORD>(&GuardResume);
    return ExceptionContinueExecution;
}
}
