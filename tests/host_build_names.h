// The four executables the plug-in knows, by name, for the tests: the
// plug-in itself tells them apart by their entry points alone.
#pragma once

#include "core/host_contract.h"

enum class HostBuild { Gta3V10, Gta3V11, ViceCityA, ViceCityB, Unknown };

// The build a row of the plug-in's table describes, by the entry point it carries.
inline HostBuild BuildOf(const HostBuildInfo* row) {
    switch (row->entryPoint) {
        case 0x1C1E70: return HostBuild::Gta3V10;
        case 0x1C2130: return HostBuild::Gta3V11;
        case 0x267BF0: return HostBuild::ViceCityA;
        case 0x267C40: return HostBuild::ViceCityB;
        default: return HostBuild::Unknown;
    }
}
