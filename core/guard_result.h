/* What RunGuarded returns: its step ran to the end, or an exception escaped
 * from it. Shared by the C++ callers and the assembly that returns it, so
 * these are plain macros. */
#pragma once

#define GUARD_COMPLETED 0
#define GUARD_FAULTED 1
