#include "window/window_placement.h"

#include <gtest/gtest.h>

#include <limits.h>

namespace {

// A second monitor left of the primary one, with a taskbar at its bottom.
const ScreenRect kMonitor{-1920, 0, 0, 1080};
const ScreenRect kWorkArea{-1920, 0, 0, 1040};
const ScreenRect kWindow{-1800, 100, -1000, 700};  // 800 x 600

WindowRequest Request(bool hasSize, int width, int height, WindowPos pos, bool borderless = false,
                      bool sizeIsPicture = false) {
    return WindowRequest{hasSize, width, height, pos, borderless, false, sizeIsPicture};
}
// picturesize: the client area asked for.
WindowRequest Picture(int width, int height, WindowPos pos, bool borderless = false) {
    return Request(true, width, height, pos, borderless, true);
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
    // A word ends at the first character that is not a letter: the file name's ".asi".
    EXPECT_EQ(ParseWindowPos("centre.asi").kind, WindowPosKind::Centre);
    EXPECT_EQ(ParseTopmost("always.asi"), ZOrder::AlwaysOnTop);
    for (const char* odd : {"", "40", "40;30", "centered", "middle", ",30", "99999999999,5", "5,-2147483649"}) {
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
    EXPECT_EQ(ParseTopmost(nullptr), ZOrder::Unchanged);
    EXPECT_EQ(ParseTopmost("Always\r\n"), ZOrder::AlwaysOnTop);
    EXPECT_EQ(ParseTopmost("yes"), ZOrder::Front);
    EXPECT_EQ(ParseTopmost("alwaysish"), ZOrder::NotTopmost);
    EXPECT_EQ(ParseTopmost("no"), ZOrder::NotTopmost);
    EXPECT_EQ(ParseTopmost("sometimes"), ZOrder::NotTopmost);  // and explained: see settings_test
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

TEST(Placement, WithARatioTheStartHasItsShape) {
    const FrameInsets frame{8, 31, 8, 8};
    const AspectRatio fourByThree{4, 3};
    const struct {
        WindowRequest request;
        FrameInsets insets;
        int x, y, width, height;
    } cases[] = {
        {Request(true, 1280, 960, {WindowPosKind::Point, 40, 30}), frame, 40, 30, 1244, 960},
        {Request(true, 1280, 960, {WindowPosKind::Centre, 0, 0}), frame, -1920 + 338, 40, 1244, 960},
        {Request(true, 1280, 960, {WindowPosKind::Point, 40, 30}, true), {0, 0, 0, 0}, 40, 30, 1280, 960},
        {Request(true, 1600, 900, {WindowPosKind::Absent, 0, 0}, true), {0, 0, 0, 0}, -1800, 100, 1200, 900},
        {Request(false, 0, 0, {WindowPosKind::Point, 5, 5}, true), {0, 0, 0, 0}, -1920 + 240, 0, 1440, 1080},
        {Request(false, 0, 0, {WindowPosKind::Centre, 0, 0}), frame, -1920 + 560, 220, 800, 600},  // its own size stays
        // A picture size: the largest 4:3 picture inside it, the frame around that.
        {Picture(1600, 900, {WindowPosKind::Point, 40, 30}), frame, 40, 30, 1216, 939},
        {Picture(1600, 900, {WindowPosKind::Absent, 0, 0}, true), {0, 0, 0, 0}, -1800, 100, 1200, 900},
    };
    for (const auto& c : cases) {
        const WindowPlacement p = PlaceWindow(c.request, kWindow, kMonitor, kWorkArea, c.insets, fourByThree);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.height, c.height);
    }
    // Never below the smallest picture of the ratio: 427 x 240 for 16:9.
    const WindowPlacement smallest = PlaceWindow(Request(true, 400, 300, {WindowPosKind::Point, 0, 0}), kWindow,
                                                 kMonitor, kWorkArea, frame, {16, 9});
    EXPECT_EQ(smallest.width, 443);
    EXPECT_EQ(smallest.height, 279);
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

TEST(WindowSize, OnlyPositiveSizesThatFitAnInt) {
    const struct {
        const char* value;
        bool understood;
        int width, height;
    } cases[] = {{"1024x768\r\n", true, 1024, 768}, {"1x1", true, 1, 1}, {"2147483647X2147483647", true, INT_MAX, INT_MAX},
                 {"1024", false, 640, 480}, {"big", false, 640, 480}, {"0x0", false, 640, 480},
                 {"-800x-600", false, 640, 480}, {"800x0", false, 640, 480}, {"99999999999x600", false, 640, 480},
                 {"2147483648x600", false, 640, 480}, {"-2147483648x600", false, 640, 480}};
    for (const auto& c : cases) {
        int w = 0, h = 0;
        EXPECT_EQ(ParseWindowSize(c.value, &w, &h), c.understood) << c.value;
        EXPECT_EQ(w, c.width) << c.value;
        EXPECT_EQ(h, c.height) << c.value;
    }
}

TEST(WindowSize, ClientAreaAtLeastTheSmallestAndTheWindowAtMostTheLargest) {
    const FrameInsets frame{8, 31, 8, 8};
    const struct {
        bool picture;  // picturesize: the same bounds, in the picture's terms
        int width, height;
        bool changed;
        int boundWidth, boundHeight;
    } cases[] = {{false, 800, 600, false, 800, 600},      {false, 800, 1, true, 800, 240 + 39},
                 {false, 1, 1, true, 336, 279},           {false, INT_MAX, 600, true, 3000, 600},
                 {false, INT_MIN, INT_MIN, true, 336, 279}, {false, 336, 279, false, 336, 279},
                 {true, 800, 600, false, 800, 600},       {true, 800, 1, true, 800, 240},
                 {true, 1, 1, true, 320, 240},            {true, INT_MAX, INT_MAX, true, 3000 - 16, 2000 - 39},
                 {true, INT_MIN, INT_MIN, true, 320, 240}, {true, 2984, 1961, false, 2984, 1961}};
    for (const auto& c : cases) {
        int w = c.width, h = c.height;
        const bool changed = c.picture ? BoundPictureSize(&w, &h, frame, 3000, 2000)
                                       : BoundWindowSize(&w, &h, frame, 3000, 2000);
        EXPECT_EQ(changed, c.changed) << c.width << "x" << c.height << (c.picture ? " picture" : "");
        EXPECT_EQ(w, c.boundWidth);
        EXPECT_EQ(h, c.boundHeight);
    }
}

TEST(Placement, ExtremeValuesAreHeldWithinTheFarthestPosition) {
    const WindowPos pos = ParseWindowPos("-2147483648,2147483647");
    EXPECT_EQ(pos.x, -kFarthest);
    EXPECT_EQ(pos.y, kFarthest);
    const ScreenRect far = RectAt(INT_MAX, INT_MIN, INT_MAX, -5);
    EXPECT_EQ(far.left, kFarthest);
    EXPECT_EQ(far.right, 2 * kFarthest);
    EXPECT_EQ(far.top, -kFarthest);
    EXPECT_EQ(far.bottom, -kFarthest);
    const WindowPlacement centred = CentreIn(kWorkArea, INT_MAX, INT_MAX);
    EXPECT_EQ(centred.x, -1920);
    EXPECT_EQ(centred.y, 0);
}

TEST(Placement, OnANamedMonitorPointsCountFromItsCornerAndNoPositionCentres) {
    WindowRequest request = Request(true, 800, 600, {WindowPosKind::Point, 40, 30});
    request.onNamedMonitor = true;
    const WindowPlacement point = PlaceWindow(request, kWindow, kMonitor, kWorkArea);
    EXPECT_EQ(point.x, -1880);
    EXPECT_EQ(point.y, 30);
    request.pos = {WindowPosKind::Absent, 0, 0};
    const WindowPlacement centred = PlaceWindow(request, kWindow, kMonitor, kWorkArea);
    EXPECT_TRUE(centred.move);
    EXPECT_EQ(centred.x, -1920 + 560);
    EXPECT_EQ(centred.y, 220);
    request.pos = ParseWindowPos("-2147483648,2147483647");
    const WindowPlacement far = PlaceWindow(request, kWindow, kMonitor, kWorkArea);
    EXPECT_EQ(far.x, -1920 - kFarthest);
    EXPECT_EQ(far.y, kFarthest);
}

}  // namespace
