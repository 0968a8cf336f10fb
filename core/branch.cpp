#include "core/branch.h"

void EncodeBranch(uint8_t opcode, uint32_t site, uint32_t target, uint8_t out[kBranchSize]) {
    const uint32_t displacement = target - site - kBranchSize;
    out[0] = opcode;
    for (uint32_t i = 0; i < 4; ++i) out[1 + i] = static_cast<uint8_t>(displacement >> (8 * i));
}

namespace {

uint32_t BranchTarget(const uint8_t bytes[kBranchSize], uint32_t site) {
    uint32_t displacement = 0;
    for (uint32_t i = 0; i < 4; ++i) displacement |= static_cast<uint32_t>(bytes[1 + i]) << (8 * i);
    return site + kBranchSize + displacement;
}

}  // namespace

CallSiteKind ClassifyCallSite(const uint8_t bytes[kBranchSize], uint32_t site, uint32_t hostFunction,
                              uint32_t imageStart, uint32_t imageEnd, uint32_t* target) {
    *target = 0;
    if (bytes[0] != kOpcodeCall) return CallSiteKind::Unexpected;
    *target = BranchTarget(bytes, site);
    if (*target == hostFunction) return CallSiteKind::HostCall;
    if (*target < imageStart || *target >= imageEnd) return CallSiteKind::ForeignCall;
    return CallSiteKind::Unexpected;
}

SettleCallScan ScanSettleCalls(const uint8_t* code, uint32_t length, uint32_t address, uint32_t modeInfoFunction,
                               uint32_t setModeFunction) {
    SettleCallScan scan = {};
    uint32_t lastModeInfoCall = 0;
    for (uint32_t i = 0; i + kBranchSize <= length;) {
        const uint32_t site = address + i;
        const uint32_t target = code[i] == kOpcodeCall ? BranchTarget(code + i, site) : 0;
        if (target != modeInfoFunction && target != setModeFunction) {
            ++i;
            continue;
        }
        if (target == modeInfoFunction) {
            ++scan.modeInfoCalls;
            if (scan.setModeCalls == 0) lastModeInfoCall = site;
        } else {
            // The search's call and the settle call both come before it.
            if (scan.setModeCalls == 0 && scan.modeInfoCalls == kSettleModeInfoCalls) scan.settleCall = lastModeInfoCall;
            ++scan.setModeCalls;
        }
        i += kBranchSize;
    }
    return scan;
}
