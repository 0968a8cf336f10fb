/* The guard frame lives on the stack of RunGuarded:
 *   +0  next       previous head of the fs:0 exception chain
 *   +4  handler    GuardHandler
 *   +8  resumeEsp  the frame's own address, where the stack stands at GuardResume
 *   +12 resumeEbp  RunGuarded's frame pointer
 * RunGuarded saves ebx, esi and edi on the stack before the frame, so resuming
 * only needs esp, ebp and eip; the epilogue restores the rest. */
#include "core/guard_result.h"

    .text

    .globl _RunGuarded
    .def _RunGuarded; .scl 2; .type 32; .endef
_RunGuarded:                    /* int RunGuarded(GuardedStep step, void* context) */
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl %ebp                  /* resumeEbp */
    pushl $0                    /* resumeEsp, set below */
    pushl $_GuardHandler        /* handler */
    pushl %fs:0                 /* next */
    movl %esp, 8(%esp)
    movl %esp, %fs:0
    pushl 12(%ebp)
    call *8(%ebp)
    addl $4, %esp
    movl $GUARD_COMPLETED, %eax
    jmp 1f

GuardResume:
    movl $GUARD_FAULTED, %eax
1:
    movl (%esp), %ecx
    movl %ecx, %fs:0
    addl $16, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    /* void GuardUnwindAndResume(void* frame, EXCEPTION_RECORD* record):
     * RtlUnwind calls the handlers of the frames above the guard frame and
     * leaves it at the head of fs:0; then the stack and frame pointers saved
     * in it take us back into RunGuarded. Nothing returns here, so no
     * register needs keeping across RtlUnwind. */
    .globl _GuardUnwindAndResume
    .def _GuardUnwindAndResume; .scl 2; .type 32; .endef
_GuardUnwindAndResume:
    movl 4(%esp), %esi          /* frame */
    pushl $0                    /* ReturnValue */
    pushl 12(%esp)              /* record */
    pushl $0                    /* TargetIp */
    pushl %esi                  /* frame */
    call *__imp__RtlUnwind@16
    movl 8(%esi), %esp
    movl 12(%esi), %ebp
    jmp GuardResume
