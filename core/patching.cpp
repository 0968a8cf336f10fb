#include "core/patching.h"

#include <windows.h>
#include <string.h>

bool PatchCode(uint32_t address, const void* bytes, uint32_t length) {
    void* target = reinterpret_cast<void*>(address);
    DWORD oldProtect = 0;
    if (!VirtualProtect(target, length, PAGE_EXECUTE_READWRITE, &oldProtect)) {
        return false;  // not writable: leave the bytes as they are
    }
    memcpy(target, bytes, length);
    FlushInstructionCache(GetCurrentProcess(), target, length);
    DWORD unused = 0;
    VirtualProtect(target, length, oldProtect, &unused);
    return true;
}

bool WriteBranch(uint8_t opcode, uint32_t site, uint32_t target) {
    if (site == 0 || target == 0) return false;
    uint8_t branch[kBranchSize];
    EncodeBranch(opcode, site, target, branch);
    return PatchCode(site, branch, kBranchSize);
}

bool BindSlot(HostFunctionSlot slot, uint32_t hostAddress) {
    return WriteBranch(kOpcodeJmp, reinterpret_cast<uint32_t>(slot), hostAddress);
}
