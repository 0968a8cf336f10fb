#include "core/host_contract.h"

#include <stddef.h>

namespace {

const char kGta3V10Line[] = "GTA3 v1.0 offsets loaded (timestamp 0x%x, entrypoint 0x%x)\n";
const char kGta3V11Line[] = "GTA3 v1.1 offsets loaded (timestamp 0x%x, entrypoint 0x%x)\n";
const char kViceCityLine[] = "GTA Vice City offsetes loaded (timestamp 0x%x, entrypoint 0x%x)\n";

// Function order: _Log, _RwGetVideoModeList, _RwSetVideoMode, RwEngineGetVideoModeInfo,
// RwEngineGetNumVideoModes, RwEngineGetCurrentVideoMode, RwEngineSetVideoMode, RwEngineSetSubSystem.
// Variable order: platformGlobals, GcurSelVM, subSystemCount, GcurSel, subSystemInfo,
// savedModeIndex, clearOnDefer.
const HostBuildInfo kBuilds[] = {
    {HostBuild::Gta3V10, 0x1C1E70, kGta3V10Line,
     {0x405DB0, 0x5814F0, 0x581630, 0x5A0F00, 0x5A0ED0, 0x5A0F30, 0x5A0F60, 0x5A0EA0},
     {0x8F4360, 0x6510CC, 0x6510C4, 0x6510C8, 0x650BC4, 0x8F59DC, 0x60EFFC},
     0x581D80},
    {HostBuild::Gta3V11, 0x1C2130, kGta3V11Line,
     {0x405DB0, 0x581830, 0x581970, 0x5A11C0, 0x5A1190, 0x5A11F0, 0x5A1220, 0x5A1160},
     {0x8F4414, 0x6510CC, 0x6510C4, 0x6510C8, 0x650BC4, 0x8F5A90, 0},
     0x5820C0},
    {HostBuild::ViceCityA, 0x267BF0, kViceCityLine,
     {0x401000, 0x601880, 0x601770, 0x642B70, 0x642B40, 0x642BA0, 0x642BD0, 0x642B10},
     {0x9B48D8, 0x783EEC, 0x783EE4, 0x783EE8, 0x7839E4, 0x869690, 0x6D59F8},
     0x600DA0},
    {HostBuild::ViceCityB, 0x267C40, kViceCityLine,
     {0x401000, 0x6018B0, 0x6017A0, 0x642BC0, 0x642B90, 0x642BF0, 0x642C20, 0x642B60},
     {0x9B48E0, 0x783EEC, 0x783EE4, 0x783EE8, 0x7839E4, 0x869698, 0x6D59F8},
     0x600DC0},
};

}  // namespace

const HostBuildInfo* FindHostBuild(uint32_t entryPoint) {
    for (const HostBuildInfo& info : kBuilds) {
        if (info.entryPoint == entryPoint) return &info;
    }
    return nullptr;
}
