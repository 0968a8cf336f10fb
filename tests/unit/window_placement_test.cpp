#include "window/window_placement.h"

#include <gtest/gtest.h>

namespace {

// A second monitor left of the primary one, with a taskbar at its bottom.
const ScreenRect kMonitor{-1920, 0, 0, 1080};
const ScreenRect kWorkArea{-1920, 0, 0, 1040};
const ScreenRect kWindow{-1800, 100, -1000, 700};  // 800 x 600

WindowRequest Request(bool hasSize, int width, int height, WindowPos pos, bool borderless = false) {
    return WindowRequest{hasSize, width, height, pos, borderless};
}

TEST(WindowPos, PointsCentreAndEverythingElse) {
    const WindowPos point = ParseWindowPos("-1900,-20\r\n");
    EXPECT_EQ(point.kind, WindowPosKind::Point);
    EXPECT_EQ(point.x, -1900);
    EXPECT_EQ(point.y, -20);
    // A command-line value runs on to the end of the line.
    EXPECT_EQ(ParseWindowPos("40,30 --dispora=windowed").kind, WindowPosKind::Point);
    EXPECT_EQ(ParseWindowPos("CENTER\n").kind, WindowPosKind::Centre);
    EXPECT_EQ(ParseWindowPos("centre --topmost").kind, WindowPosKind::Centre);
    EXPECT_EQ(ParseWindowPos(nullptr).kind, WindowPosKind::Absent);
    for (const char* odd : {"", "40", "40;30", "centered", "middle", ",30"}) {
        EXPECT_EQ(ParseWindowPos(odd).kind, WindowPosKind::NotUnderstood) << odd;
    }
}

TEST(WindowPos, LogCopyStopsAtTheLineEndAndFits) {
    char shown[8];
    CopySettingWord(shown, sizeof(shown), "left\r\n");
    EXPECT_STREQ(shown, "left");
    CopySettingWord(shown, sizeof(shown), "somewhere-far");
    EXPECT_STREQ(shown, "somewhe");
}

TEST(Topmost, AlwaysFrontOrNot) {
    EXPECT_EQ(ParseTopmost(nullptr, false), ZOrder::Unchanged);
    EXPECT_EQ(ParseTopmost("Always\r\n", false), ZOrder::AlwaysOnTop);
    EXPECT_EQ(ParseTopmost("yes", true), ZOrder::Front);
    EXPECT_EQ(ParseTopmost("alwaysish", false), ZOrder::NotTopmost);
    EXPECT_EQ(ParseTopmost("no", false), ZOrder::NotTopmost);
}

TEST(Placement, BorderlessWithoutSizeCoversTheMonitorWhateverThePosition) {
    const WindowPlacement p =
        PlaceWindow(Request(false, 0, 0, {WindowPosKind::Point, 5, 5}, true), kWindow, kMonitor, kWorkArea);
    EXPECT_TRUE(p.move && p.resize);
    EXPECT_EQ(p.x, -1920);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.width, 1920);
    EXPECT_EQ(p.height, 1080);  // the taskbar too
}

TEST(Placement, CentredInTheWorkAreaOfItsMonitor) {
    const WindowPlacement sized =
        PlaceWindow(Request(true, 1280, 960, {WindowPosKind::Centre, 0, 0}), kWindow, kMonitor, kWorkArea);
    EXPECT_EQ(sized.x, -1920 + 320);
    EXPECT_EQ(sized.y, 40);
    // Without a size the window keeps its own and is centred with it.
    const WindowPlacement kept = PlaceWindow(Request(false, 0, 0, {WindowPosKind::Centre, 0, 0}), kWindow, kMonitor,
                                             kWorkArea);
    EXPECT_FALSE(kept.resize);
    EXPECT_EQ(kept.x, -1920 + 560);
    EXPECT_EQ(kept.y, 220);
    EXPECT_EQ(kept.width, 800);
}

TEST(Placement, TooLargeForTheWorkAreaGoesToItsTopLeft) {
    const WindowPlacement p =
        PlaceWindow(Request(true, 1600, 1050, {WindowPosKind::Centre, 0, 0}), kWindow, kMonitor, kWorkArea);
    EXPECT_EQ(p.x, -1920);
    EXPECT_EQ(p.y, 0);
}

TEST(Placement, OnlyWhatWasAskedChanges) {
    const WindowPlacement sizeOnly =
        PlaceWindow(Request(true, 1024, 768, {WindowPosKind::NotUnderstood, 0, 0}), kWindow, kMonitor, kWorkArea);
    EXPECT_FALSE(sizeOnly.move);
    EXPECT_TRUE(sizeOnly.resize);
    const WindowPlacement posOnly =
        PlaceWindow(Request(false, 0, 0, {WindowPosKind::Point, 40, 30}), kWindow, kMonitor, kWorkArea);
    EXPECT_TRUE(posOnly.move);
    EXPECT_FALSE(posOnly.resize);
    EXPECT_EQ(posOnly.width, 800);
    EXPECT_EQ(posOnly.height, 600);
}

}  // namespace
