#include "core/branch.h"

void EncodeBranch(uint8_t opcode, uint32_t site, uint32_t target, uint8_t out[kBranchSize]) {
    const uint32_t displacement = target - site - kBranchSize;
    out[0] = opcode;
    for (uint32_t i = 0; i < 4; ++i) out[1 + i] = static_cast<uint8_t>(displacement >> (8 * i));
}

CallSiteKind ClassifyCallSite(const uint8_t bytes[kBranchSize], uint32_t site, uint32_t hostFunction,
                              uint32_t imageStart, uint32_t imageEnd, uint32_t* target) {
    *target = 0;
    if (bytes[0] != kOpcodeCall) return CallSiteKind::Unexpected;
    uint32_t displacement = 0;
    for (uint32_t i = 0; i < 4; ++i) displacement |= static_cast<uint32_t>(bytes[1 + i]) << (8 * i);
    *target = site + kBranchSize + displacement;
    if (*target == hostFunction) return CallSiteKind::HostCall;
    if (*target < imageStart || *target >= imageEnd) return CallSiteKind::ForeignCall;
    return CallSiteKind::Unexpected;
}
