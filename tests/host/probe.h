// What the probe DLL's test-only exports report.
#pragma once

#include "core/host_contract.h"

constexpr int kProbeArgument = 0x51000;

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
}
