// Runs a step under a structured-exception frame that accepts every
// exception, processor faults included (GCC for i686 has no __try/__except).
#pragma once

constexpr int kGuardFaulted = -1;

using GuardedStep = int (*)(void* context);

// Returns the step's result, or kGuardFaulted when an exception escaped from
// it; the frames inside the step are unwound before this returns.
extern "C" int RunGuarded(GuardedStep step, void* context);
