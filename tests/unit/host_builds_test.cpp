#include "core/host_contract.h"
#include "tests/host_build_names.h"

#include <gtest/gtest.h>

namespace {

TEST(HostBuilds, RecognisedByEntryPointAlone) {
    ASSERT_NE(FindHostBuild(0x1C1E70), nullptr);
    EXPECT_EQ(BuildOf(FindHostBuild(0x1C1E70)), HostBuild::Gta3V10);
    EXPECT_EQ(BuildOf(FindHostBuild(0x1C2130)), HostBuild::Gta3V11);
    EXPECT_EQ(BuildOf(FindHostBuild(0x267BF0)), HostBuild::ViceCityA);
    EXPECT_EQ(BuildOf(FindHostBuild(0x267C40)), HostBuild::ViceCityB);
}

TEST(HostBuilds, OtherEntryPointsAreRefused) {
    EXPECT_EQ(FindHostBuild(0), nullptr);
    EXPECT_EQ(FindHostBuild(0x1C1E71), nullptr);
    EXPECT_EQ(FindHostBuild(0x401000), nullptr);
}

TEST(HostBuilds, Gta3V11HasNoClearOnDeferVariable) {
    EXPECT_EQ(FindHostBuild(0x1C2130)->addresses.clearOnDefer, 0u);
    EXPECT_NE(FindHostBuild(0x1C1E70)->addresses.clearOnDefer, 0u);
}

TEST(HostBuilds, BothViceCityBuildsShareTheBuildLine) {
    EXPECT_STREQ(FindHostBuild(0x267BF0)->buildLineStart, FindHostBuild(0x267C40)->buildLineStart);
    EXPECT_STREQ(FindHostBuild(0x267BF0)->buildLineStart, "GTA Vice City offsetes");
}

TEST(HostBuilds, CallSiteIsInsidePsSelectDevice) {
    // The redirected call sits 0x75 into psSelectDevice in every build.
    EXPECT_EQ(FindHostBuild(0x1C1E70)->selectDevice + kSelectDeviceCallOffset, 0x581DF5u);
    EXPECT_EQ(FindHostBuild(0x1C2130)->selectDevice + kSelectDeviceCallOffset, 0x582135u);
    EXPECT_EQ(FindHostBuild(0x267BF0)->selectDevice + kSelectDeviceCallOffset, 0x600E15u);
    EXPECT_EQ(FindHostBuild(0x267C40)->selectDevice + kSelectDeviceCallOffset, 0x600E35u);
}

}  // namespace
