/* What RunGuarded returns when an exception escaped from its step. Shared by
 * the C++ callers and the assembly that returns it, so it is a plain macro. */
#pragma once

#define GUARD_FAULTED (-1)
