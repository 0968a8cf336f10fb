// Five-byte relative branches: opcode, then the signed 32-bit little-endian
// distance from the byte after the branch to the target.
#pragma once

#include <stdint.h>

constexpr uint8_t kOpcodeJmp = 0xE9;   // binds a slot to its host function
constexpr uint8_t kOpcodeCall = 0xE8;  // redirects a host call
constexpr uint32_t kBranchSize = 5;

// Fills out[0..4]; the displacement wraps in 32 bits, so a target below the
// site gives a negative one.
void EncodeBranch(uint8_t opcode, uint32_t site, uint32_t target, uint8_t out[kBranchSize]);

// What stands at the host call site we redirect: the host's own call, a
// call another plug-in already redirected out of the executable (whose image
// is [imageStart, imageEnd)), or anything else.
enum class CallSiteKind { HostCall, ForeignCall, Unexpected };
// *target receives where a call goes.
CallSiteKind ClassifyCallSite(const uint8_t bytes[kBranchSize], uint32_t site, uint32_t hostFunction,
                              uint32_t imageStart, uint32_t imageEnd, uint32_t* target);

// psSelectDevice settles its mode with RwEngineGetVideoModeInfo and then sets
// it with RwEngineSetVideoMode. As its reverse-engineered source has it:
// one call of RwEngineGetVideoModeInfo in its own search, one to settle, then
// the one call of RwEngineSetVideoMode. Any other count is code we do not know.
constexpr uint32_t kSettleModeInfoCalls = 2;
// In a stretch of that code: the five-byte calls of each, and the second
// call of RwEngineGetVideoModeInfo when exactly two come before the first
// call of RwEngineSetVideoMode (else 0).
struct SettleCallScan {
    uint32_t modeInfoCalls;
    uint32_t setModeCalls;
    uint32_t settleCall;
};
SettleCallScan ScanSettleCalls(const uint8_t* code, uint32_t length, uint32_t address, uint32_t modeInfoFunction,
                               uint32_t setModeFunction);
inline bool SettleCallFound(const SettleCallScan& scan) {
    return scan.modeInfoCalls == kSettleModeInfoCalls && scan.setModeCalls == 1 && scan.settleCall != 0;
}
