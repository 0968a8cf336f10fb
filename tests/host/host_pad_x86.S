/* The stand-in's code section starts at 0x401000, where the Vice City _Log
 * lives, and the GTA3 _Log is at 0x405DB0. This padding goes first in the
 * code section, so both addresses are free for the host's jumps and our own
 * code starts above them. */
    .section .init,"xr"
    .globl _hostLowCode
_hostLowCode:
    .fill 0x6000, 1, 0xCC
