// What the probe DLL's test-only exports report.
#pragma once

#include "core/host_contract.h"

// Arguments the probe passes, each distinct so a mixed-up slot shows.
constexpr int kProbeRawMode = 5;
constexpr int kProbeInfoMode = 3;
constexpr int kProbeSubSystem = 1;
constexpr int kProbeVideoMode = 6;

struct SlotProbeResults {
    const char** modeList;
    int currentMode;
    int modeCount;
    int modeInfo;
    int setSubSystem;
    int setVideoMode;
};

extern "C" {
using ProbeCallSlotsFn = void (*)(SlotProbeResults*, ModeInfo*);
using ProbeFindFn = const char* (*)(const char*);
using ProbeVoidFn = void (*)();
using ProbeIntFn = int (*)();
using ProbeWriteBranchFn = int (*)(uint32_t, uint32_t);
using ProbeBindFn = int (*)(uint32_t);
using ProbeLogFn = void (*)(const char*);
}
