#include "core/branch.h"

#include <gtest/gtest.h>

namespace {

struct Branch {
    uint8_t bytes[kBranchSize];
};

Branch Encode(uint8_t opcode, uint32_t site, uint32_t target) {
    Branch branch{};
    EncodeBranch(opcode, site, target, branch.bytes);
    return branch;
}

int32_t Displacement(const Branch& branch) {
    return static_cast<int32_t>(static_cast<uint32_t>(branch.bytes[1]) | static_cast<uint32_t>(branch.bytes[2]) << 8 |
                                static_cast<uint32_t>(branch.bytes[3]) << 16 |
                                static_cast<uint32_t>(branch.bytes[4]) << 24);
}

TEST(Branch, JumpForwardIsLittleEndianTargetMinusSiteMinusFive) {
    const Branch branch = Encode(kOpcodeJmp, 0x10001000, 0x10201234);
    EXPECT_EQ(branch.bytes[0], 0xE9);
    EXPECT_EQ(branch.bytes[1], 0x2F);
    EXPECT_EQ(branch.bytes[2], 0x02);
    EXPECT_EQ(branch.bytes[3], 0x20);
    EXPECT_EQ(branch.bytes[4], 0x00);
}

TEST(Branch, HostFunctionBelowTheSlotGivesNegativeDisplacement) {
    // A slot in the plug-in at 0x6A001000 jumping down to GTA3's _Log.
    const Branch branch = Encode(kOpcodeJmp, 0x6A001000, 0x405DB0);
    EXPECT_EQ(branch.bytes[4] & 0x80, 0x80);
    EXPECT_EQ(Displacement(branch), static_cast<int32_t>(0x405DB0u - 0x6A001000u - 5u));
    EXPECT_EQ(0x6A001000u + 5u + static_cast<uint32_t>(Displacement(branch)), 0x405DB0u);
}

TEST(Branch, TargetRightAfterTheBranchGivesZero) {
    const Branch branch = Encode(kOpcodeCall, 0x581DF5, 0x581DFA);
    EXPECT_EQ(branch.bytes[0], 0xE8);
    EXPECT_EQ(Displacement(branch), 0);
}

TEST(Branch, DisplacementWrapsAcrossTheAddressSpace) {
    const Branch branch = Encode(kOpcodeJmp, 0xFFFFFFF0, 0x00000010);
    EXPECT_EQ(Displacement(branch), 0x1B);
}

TEST(CallSite, HostCallForeignCallOrAnythingElse) {
    const uint32_t site = 0x600E15, host = 0x642B10, imageStart = 0x400000, imageEnd = 0xA4A000;
    uint32_t target = 0;
    EXPECT_EQ(ClassifyCallSite(Encode(kOpcodeCall, site, host).bytes, site, host, imageStart, imageEnd, &target),
              CallSiteKind::HostCall);
    EXPECT_EQ(target, host);
    // Another plug-in's DLL, above or below the executable.
    for (uint32_t foreign : {0x10001000u, 0x00100000u}) {
        EXPECT_EQ(ClassifyCallSite(Encode(kOpcodeCall, site, foreign).bytes, site, host, imageStart, imageEnd, &target),
                  CallSiteKind::ForeignCall);
        EXPECT_EQ(target, foreign);
    }
    // A call elsewhere into the executable, a jump, or other code: not ours to touch.
    EXPECT_EQ(ClassifyCallSite(Encode(kOpcodeCall, site, 0x642BD0).bytes, site, host, imageStart, imageEnd, &target),
              CallSiteKind::Unexpected);
    EXPECT_EQ(ClassifyCallSite(Encode(kOpcodeJmp, site, host).bytes, site, host, imageStart, imageEnd, &target),
              CallSiteKind::Unexpected);
    const uint8_t indirect[kBranchSize] = {0xFF, 0x15, 0x10, 0x20, 0x40};
    EXPECT_EQ(ClassifyCallSite(indirect, site, host, imageStart, imageEnd, &target), CallSiteKind::Unexpected);
}

// Code laid out as psSelectDevice's after its subsystem call: calls placed
// at given offsets, other bytes that are no call of either function.
struct SettleCode {
    static constexpr uint32_t kAddress = 0x5820F5;
    static constexpr uint32_t kModeInfo = 0x5A11C0;
    static constexpr uint32_t kSetMode = 0x5A1220;
    uint8_t bytes[0x80];
    SettleCode() {
        for (uint8_t& byte : bytes) byte = 0x90;
    }
    SettleCode& Call(uint32_t offset, uint32_t target) {
        EncodeBranch(kOpcodeCall, kAddress + offset, target, bytes + offset);
        return *this;
    }
    SettleCallScan Scan(uint32_t size = sizeof(bytes)) const {
        return ScanSettleCalls(bytes, size, kAddress, kModeInfo, kSetMode);
    }
};

// As the games have it: the search's call, the settle call, the one that sets the mode.
SettleCode GamesCode() {
    SettleCode code;
    code.Call(0x10, SettleCode::kModeInfo).Call(0x40, SettleCode::kModeInfo).Call(0x50, SettleCode::kSetMode);
    return code;
}

TEST(SettleCall, TheLastModeInfoCallBeforeTheOneSetModeCall) {
    SettleCode code = GamesCode();
    code.Call(0x30, 0x5A1190);  // another engine function
    const SettleCallScan scan = code.Scan();
    EXPECT_EQ(scan.modeInfoCalls, 2u);
    EXPECT_EQ(scan.setModeCalls, 1u);
    EXPECT_EQ(scan.settleCall, SettleCode::kAddress + 0x40);
    EXPECT_TRUE(SettleCallFound(scan));
}

TEST(SettleCall, AnyOtherCountIsCodeWeDoNotKnow) {
    // The settle call through a pointer: only the search's call is seen.
    SettleCode indirect = GamesCode();
    const uint8_t viaPointer[6] = {0xFF, 0x15, 0x00, 0x30, 0x60, 0x00};
    for (uint32_t i = 0; i < 6; ++i) indirect.bytes[0x40 + i] = viaPointer[i];
    EXPECT_EQ(indirect.Scan().modeInfoCalls, 1u);
    EXPECT_FALSE(SettleCallFound(indirect.Scan()));
    // A second call that sets the mode.
    SettleCode twice = GamesCode();
    twice.Call(0x60, SettleCode::kSetMode);
    EXPECT_EQ(twice.Scan().setModeCalls, 2u);
    EXPECT_FALSE(SettleCallFound(twice.Scan()));
    // The mode set before it is settled.
    SettleCode early;
    early.Call(0x10, SettleCode::kModeInfo).Call(0x20, SettleCode::kSetMode).Call(0x40, SettleCode::kModeInfo);
    EXPECT_EQ(early.Scan().settleCall, 0u);
    EXPECT_FALSE(SettleCallFound(early.Scan()));
    // A call whose last bytes lie beyond the stretch is not one.
    EXPECT_EQ(GamesCode().Scan(0x54).setModeCalls, 0u);
}

}  // namespace
