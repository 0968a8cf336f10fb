/* DirectDrawCreate and DirectDrawCreateEx: tail jumps into the system
 * library, so the caller's arguments, return address and the system entry's
 * result pass through untouched. When the library or entry is missing, the
 * call fails with DDERR_NODIRECTDRAWSUPPORT, removing its stdcall arguments. */
    .set DDERR_NODIRECTDRAWSUPPORT, 0x887600DE
    .text

    .globl _DirectDrawCreate
    .def _DirectDrawCreate; .scl 2; .type 32; .endef
_DirectDrawCreate:
    cmpl $0, _systemDirectDraw        /* module */
    jne 1f
    call _LoadSystemDirectDraw        /* cdecl, no arguments: the caller's stay in place */
1:
    movl _systemDirectDraw+4, %eax    /* directDrawCreate */
    testl %eax, %eax
    jz 2f
    jmp *%eax
2:
    movl $DDERR_NODIRECTDRAWSUPPORT, %eax
    ret $12

    .globl _DirectDrawCreateEx
    .def _DirectDrawCreateEx; .scl 2; .type 32; .endef
_DirectDrawCreateEx:
    cmpl $0, _systemDirectDraw
    jne 1f
    call _LoadSystemDirectDraw
1:
    movl _systemDirectDraw+8, %eax    /* directDrawCreateEx */
    testl %eax, %eax
    jz 2f
    jmp *%eax
2:
    movl $DDERR_NODIRECTDRAWSUPPORT, %eax
    ret $16
