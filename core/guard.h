// Runs a step under a structured-exception frame that accepts every
// exception, processor faults and non-continuable exceptions included (GCC
// for i686 has no __try/__except).
#pragma once

#include "core/guard_result.h"

using GuardedStep = void (*)(void* context);

// GUARD_COMPLETED, or GUARD_FAULTED when an exception escaped from the step;
// the frames inside the step are unwound before this returns.
extern "C" int RunGuarded(GuardedStep step, void* context);

enum class GuardOutcome { Completed, Faulted };

// The one signature the guard calls, for any step and context.
template <auto Step, typename Context>
void RunStep(void* context) {
    Step(*static_cast<Context*>(context));
}

// Runs Step(context) under the guard; the step leaves its results in context.
template <auto Step, typename Context>
GuardOutcome Guarded(Context& context) {
    return RunGuarded(RunStep<Step, Context>, &context) == GUARD_COMPLETED ? GuardOutcome::Completed
                                                                          : GuardOutcome::Faulted;
}
