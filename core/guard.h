// Runs a step under a structured-exception frame that accepts every
// exception, processor faults and non-continuable exceptions included (GCC
// for i686 has no __try/__except).
#pragma once

#include "core/guard_result.h"

constexpr int kGuardFaulted = GUARD_FAULTED;

using GuardedStep = int (*)(void* context);

// Returns the step's result, or kGuardFaulted when an exception escaped from
// it; the frames inside the step are unwound before this returns.
extern "C" int RunGuarded(GuardedStep step, void* context);
