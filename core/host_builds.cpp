#include "core/host_contract.h"

#include <stddef.h>

namespace {

const char kGta3V10Line[] = "GTA3 v1.0 offsets";
const char kGta3V11Line[] = "GTA3 v1.1 offsets";
// "offsetes" as the plug-in has always written it: players' guides and those
// who read its logs quote the line as it stands, so it is never corrected.
const char kViceCityLine[] = "GTA Vice City offsetes";

const HostBuildInfo kBuilds[] = {
    {
        .entryPoint = 0x1C1E70,
        .buildLineStart = kGta3V10Line,
        .functions = {.Log = 0x405DB0,
                      .RwGetVideoModeList = 0x5814F0,
                      .RwSetVideoMode = 0x581630,
                      .RwEngineGetVideoModeInfo = 0x5A0F00,
                      .RwEngineGetNumVideoModes = 0x5A0ED0,
                      .RwEngineGetCurrentVideoMode = 0x5A0F30,
                      .RwEngineSetVideoMode = 0x5A0F60,
                      .RwEngineSetSubSystem = 0x5A0EA0},
        .addresses = {.platformGlobals = 0x8F4360,
                      .GcurSelVM = 0x6510CC,
                      .subSystemCount = 0x6510C4,
                      .GcurSel = 0x6510C8,
                      .subSystemInfo = 0x650BC4,
                      .savedModeIndex = 0x8F59DC,
                      .clearOnDefer = 0x60EFFC},
        .selectDevice = 0x581D80,
        .pausesOnSetFocus = false,
    },
    {
        .entryPoint = 0x1C2130,
        .buildLineStart = kGta3V11Line,
        .functions = {.Log = 0x405DB0,
                      .RwGetVideoModeList = 0x581830,
                      .RwSetVideoMode = 0x581970,
                      .RwEngineGetVideoModeInfo = 0x5A11C0,
                      .RwEngineGetNumVideoModes = 0x5A1190,
                      .RwEngineGetCurrentVideoMode = 0x5A11F0,
                      .RwEngineSetVideoMode = 0x5A1220,
                      .RwEngineSetSubSystem = 0x5A1160},
        .addresses = {.platformGlobals = 0x8F4414,
                      .GcurSelVM = 0x6510CC,
                      .subSystemCount = 0x6510C4,
                      .GcurSel = 0x6510C8,
                      .subSystemInfo = 0x650BC4,
                      .savedModeIndex = 0x8F5A90,
                      .clearOnDefer = 0},  // this build has none
        .selectDevice = 0x5820C0,
        .pausesOnSetFocus = false,
    },
    {
        .entryPoint = 0x267BF0,
        .buildLineStart = kViceCityLine,
        .functions = {.Log = 0x401000,
                      .RwGetVideoModeList = 0x601880,
                      .RwSetVideoMode = 0x601770,
                      .RwEngineGetVideoModeInfo = 0x642B70,
                      .RwEngineGetNumVideoModes = 0x642B40,
                      .RwEngineGetCurrentVideoMode = 0x642BA0,
                      .RwEngineSetVideoMode = 0x642BD0,
                      .RwEngineSetSubSystem = 0x642B10},
        .addresses = {.platformGlobals = 0x9B48D8,
                      .GcurSelVM = 0x783EEC,
                      .subSystemCount = 0x783EE4,
                      .GcurSel = 0x783EE8,
                      .subSystemInfo = 0x7839E4,
                      .savedModeIndex = 0x869690,
                      .clearOnDefer = 0x6D59F8},
        .selectDevice = 0x600DA0,
        .pausesOnSetFocus = true,
    },
    {
        .entryPoint = 0x267C40,
        .buildLineStart = kViceCityLine,
        .functions = {.Log = 0x401000,
                      .RwGetVideoModeList = 0x6018B0,
                      .RwSetVideoMode = 0x6017A0,
                      .RwEngineGetVideoModeInfo = 0x642BC0,
                      .RwEngineGetNumVideoModes = 0x642B90,
                      .RwEngineGetCurrentVideoMode = 0x642BF0,
                      .RwEngineSetVideoMode = 0x642C20,
                      .RwEngineSetSubSystem = 0x642B60},
        .addresses = {.platformGlobals = 0x9B48E0,
                      .GcurSelVM = 0x783EEC,
                      .subSystemCount = 0x783EE4,
                      .GcurSel = 0x783EE8,
                      .subSystemInfo = 0x7839E4,
                      .savedModeIndex = 0x869698,
                      .clearOnDefer = 0x6D59F8},
        .selectDevice = 0x600DC0,
        .pausesOnSetFocus = true,
    },
};

}  // namespace

const HostBuildInfo* FindHostBuild(uint32_t entryPoint) {
    for (const HostBuildInfo& info : kBuilds) {
        if (info.entryPoint == entryPoint) return &info;
    }
    return nullptr;
}
