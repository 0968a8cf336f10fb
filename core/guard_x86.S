/* The guard frame lives on the stack of RunGuarded:
 *   +0  next       previous head of the fs:0 exception chain
 *   +4  handler    GuardHandler
 *   +8  resumeEsp  the frame's own address, where the stack stands at GuardResume
 *   +12 resumeEbp  RunGuarded's frame pointer
 * RunGuarded saves ebx, esi and edi on the stack before the frame, so resuming
 * only needs esp, ebp and eip; the epilogue restores the rest. */
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
    jmp 1f

    .globl _GuardResume
    .def _GuardResume; .scl 2; .type 32; .endef
_GuardResume:
    movl $-1, %eax              /* kGuardFaulted */
1:
    movl (%esp), %ecx
    movl %ecx, %fs:0
    addl $16, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    /* void GuardUnwind(void* frame, EXCEPTION_RECORD* record): RtlUnwind to
     * the guard frame. RtlUnwind may not keep ebx, esi, edi and ebp, so they
     * are saved around it. */
    .globl _GuardUnwind
    .def _GuardUnwind; .scl 2; .type 32; .endef
_GuardUnwind:
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    pushl $0                    /* ReturnValue */
    pushl 28(%esp)              /* record */
    pushl $0                    /* TargetIp */
    pushl 32(%esp)              /* frame */
    call *__imp__RtlUnwind@16
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
