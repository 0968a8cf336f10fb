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

}  // namespace
