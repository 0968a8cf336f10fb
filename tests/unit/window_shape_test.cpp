#include "window/aspect.h"
#include "window/monitors.h"
#include "window/remembered_window.h"
#include "window/window_placement.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <stdlib.h>
#include <string.h>

static bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
static void PrintTo(const ScreenRect& r, std::ostream* out) {
    *out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace {

const FrameInsets kFrame{8, 31, 8, 8};
const ScreenRect kDragStart{100, 100, 756, 619};  // client 640 x 480
const AspectRatio kNone{0, 0};
const AspectRatio k4By3{4, 3};
const AspectRatio kWidest{kLargestRatioPart, 1};
const AspectRatio kTallest{1, kLargestRatioPart};

TEST(Dragging, TheDraggedEdgesMoveAndTheShapeHolds) {
    const struct {
        SizingEdge edge;
        ScreenRect proposed;
        AspectRatio ratio;
        ScreenRect expected;
    } cases[] = {
        {SizingEdge::Right, {100, 100, 916, 619}, k4By3, {100, 100, 916, 739}},  // 800 wide: 600 high
        {SizingEdge::Left, {-60, 100, 756, 619}, k4By3, {-60, 100, 756, 739}},
        {SizingEdge::Bottom, {100, 100, 756, 739}, k4By3, {100, 100, 916, 739}},
        {SizingEdge::Top, {100, -20, 756, 619}, k4By3, {100, -20, 916, 619}},
        // Corners: the width moved 100 against the height's 50, then 20 against 100 (773.3 rounds down).
        {SizingEdge::TopLeft, {0, 50, 756, 619}, k4By3, {0, 25, 756, 619}},
        {SizingEdge::BottomRight, {100, 100, 776, 719}, k4By3, {100, 100, 889, 719}},
        // Too small: the smallest client of the ratio, from the fixed edges.
        {SizingEdge::Right, {100, 100, 200, 619}, k4By3, {100, 100, 436, 379}},
        {SizingEdge::TopLeft, {700, 600, 756, 619}, {16, 9}, {313, 340, 756, 619}},  // 427 x 240
        {SizingEdge::Bottom, {100, 100, 756, 110}, {9, 16}, {100, 100, 436, 708}},   // 320 x 569
        {SizingEdge::Left, {700, 100, 756, 619}, kNone, {420, 100, 756, 619}},
        {SizingEdge::BottomLeft, {750, 100, 756, 110}, kNone, {420, 100, 756, 379}},
        // The most extreme ratios run off any screen (the system then holds the
        // window at its largest) but the arithmetic stays within int.
        {SizingEdge::Right, {100, 100, 916, 619}, kTallest, {100, 100, 916, 100 + 2 * kLargestExtent + 39}},
        {SizingEdge::Bottom, {100, 100, 756, 739}, kWidest, {100, 100, 100 + 2 * kLargestExtent + 16, 739}},
        {SizingEdge::TopLeft, {700, 600, 756, 619}, kWidest, {756 - 2 * kLargestExtent - 16, 340, 756, 619}},
        {SizingEdge::BottomRight, {-kFarthest, -kFarthest, kFarthest, kFarthest}, kTallest,
         {-kFarthest, -kFarthest, -kFarthest + kLargestExtent + 16, -kFarthest + 2 * kLargestExtent + 39}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeWhileDragging(c.edge, c.proposed, kDragStart, kFrame, c.ratio), c.expected)
            << static_cast<int>(c.edge) << " " << c.ratio.width << ":" << c.ratio.height;
    }
}

// The system proposes the dragged corner at the pointer, each step: the
// window follows steadily outward, whichever way the pointer goes.
TEST(Dragging, ACornerFollowsThePointerSteadily) {
    const struct {
        SizingEdge edge;
        int dx, dy;  // the pointer's steps
    } drags[] = {{SizingEdge::BottomRight, 7, 3}, {SizingEdge::BottomRight, 3, 7}, {SizingEdge::BottomRight, 12, 0},
                 {SizingEdge::TopLeft, -5, -6}, {SizingEdge::BottomLeft, -1, 11}};
    for (const auto& d : drags) {
        const bool left = d.edge != SizingEdge::BottomRight, top = d.edge == SizingEdge::TopLeft;
        ScreenRect proposed = kDragStart, last = kDragStart;
        for (int step = 1; step <= 40; ++step) {
            int& x = left ? proposed.left : proposed.right;
            int& y = top ? proposed.top : proposed.bottom;
            x += d.dx;
            y += d.dy;
            const ScreenRect outer = SizeWhileDragging(d.edge, proposed, kDragStart, kFrame, k4By3);
            EXPECT_LE(abs((outer.Width() - 16) * 3 - (outer.Height() - 39) * 4), 3);
            // A dragged border at the pointer.
            EXPECT_TRUE((left ? outer.left : outer.right) == x || (top ? outer.top : outer.bottom) == y);
            EXPECT_GE(outer.Width(), last.Width()) << d.dx << "," << d.dy << " step " << step;
            last = outer;
        }
    }
    // Back inward, the window shrinks with the pointer.
    EXPECT_EQ(SizeWhileDragging(SizingEdge::BottomRight, {100, 100, 716, 609}, kDragStart, kFrame, k4By3),
              (ScreenRect{100, 100, 716, 589}));
}

TEST(Maximised, LargestOfTheRatioCentredInTheWorkArea) {
    const ScreenRect work{0, 0, 1920, 1040};
    EXPECT_EQ(MaximisedWithRatio(work, kFrame, k4By3), (ScreenRect{274, -8, 1646, 1048}));  // 1356 x 1017 below the caption
    EXPECT_EQ(MaximisedWithRatio(work, kFrame, {32, 9}), (ScreenRect{-8, 230, 1928, 809}));  // 1920 x 540
    EXPECT_EQ(MaximisedWithRatio(work, kFrame, kNone), (ScreenRect{-8, -8, 1928, 1048}));  // the system's own maximised frame
    // Several monitors: one left of the main one, one above it.
    EXPECT_EQ(MaximisedWithRatio({-1280, 0, 0, 984}, kFrame, {16, 9}), (ScreenRect{-1288, 112, 8, 871}));
    EXPECT_EQ(MaximisedWithRatio({0, -1080, 1920, 0}, kFrame, kWidest), (ScreenRect{-8, -560, 1928, -521}));
}

TEST(DefaultFramed, ThreeQuartersOfTheMonitorCentredOrAtTheTopLeft) {
    const ScreenRect monitor{-1920, 0, 0, 1080};
    EXPECT_EQ(DefaultFramedWindow(monitor, {-1920, 0, 0, 1040}, kFrame), (ScreenRect{-1688, 95, -232, 944}));
    EXPECT_EQ(DefaultFramedWindow(monitor, {0, 0, 1000, 700}, kFrame), (ScreenRect{0, 0, 1456, 849}));
}

TEST(Monitors, OnlyWholeDisplayNamesHaveANumber) {
    EXPECT_EQ(DisplayNumber("\\\\.\\DISPLAY1"), 1);
    EXPECT_EQ(DisplayNumber("\\\\.\\display12"), 12);
    EXPECT_EQ(DisplayNumber("\\\\.\\DISPLAY2147483647"), INT_MAX);
    for (const char* other : {static_cast<const char*>(nullptr), "", "DISPLAY1", "\\\\?\\DISPLAY1", "\\\\.\\DISPLAY",
                              "\\\\.\\DISPLAY0", "\\\\.\\DISPLAY-1", "\\\\.\\DISPLAY 1", "\\\\.\\DISPLAYS1",
                              "\\\\.\\DISPLAY1\\Monitor0", "\\\\.\\DISPLAY2147483648"}) {
        EXPECT_EQ(DisplayNumber(other), 0) << (other ? other : "null");
    }
    const MonitorArea list[] = {{0, {}, {}}, {2, {}, {}}, {1, {}, {}}, {2, {}, {}}};
    EXPECT_EQ(FindMonitor(list, 4, 2), &list[1]);
    EXPECT_EQ(FindMonitor(list, 4, 1), &list[2]);
    EXPECT_EQ(FindMonitor(list, 4, 3), nullptr);
    EXPECT_EQ(FindMonitor(list, 4, 0), nullptr);
    EXPECT_EQ(FindMonitor(nullptr, 0, 1), nullptr);
}

// Two monitors side by side; the left one has its taskbar at the top.
TEST(Monitors, OnAMonitorOnlyWithTheTitleBarWithinReach) {
    const MonitorArea monitors[] = {{2, {-1920, 0, 0, 1080}, {-1920, 40, 0, 1080}}, {1, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};
    const struct {
        ScreenRect window;
        bool onAMonitor;
    } cases[] = {
        {{100, 100, 900, 700}, true},
        {{1820, 100, 2620, 700}, true},     // 100 pixels of the band on the monitor
        {{1821, 100, 2621, 700}, false},    // 99
        {{-700, 300, 100, 900}, true},      // across both
        {{-60, 300, 60, 900}, false},       // 60 on each: neither holds 100 of it
        {{100, -1, 900, 599}, false},       // the title bar above the screen
        {{-800, 20, 0, 620}, false},        // under the left monitor's taskbar
        {{100, 990, 900, 1590}, true},      // the band just above the taskbar
        {{100, 991, 900, 1591}, false},
        {{1900, 10, 1960, 40}, false},      // smaller than 100 x 50: wholly or not at all
        {{1850, 10, 1910, 40}, true},
        {{-9000, 100, -8200, 700}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OnAMonitor(c.window, monitors, 2), c.onAMonitor) << c.window.left << "," << c.window.top;
    }
    EXPECT_FALSE(OnAMonitor({100, 100, 900, 700}, nullptr, 0));
}

TEST(Remembered, TextFitsOrNothing) {
    const char expected[] = "windowpos=-1048576,5\r\nwindowsize=2097152x10\r\n";
    const ScreenRect far{-kFarthest, 5, kFarthest, 15};
    char text[sizeof(expected)];
    EXPECT_EQ(FormatRememberedWindow(text, sizeof(text), far), strlen(expected));
    EXPECT_STREQ(text, expected);
    EXPECT_EQ(FormatRememberedWindow(text, sizeof(text) - 1, far), 0u);
    EXPECT_EQ(FormatRememberedWindow(text, 0, far), 0u);
}

TEST(Remembered, BothLinesFirstOfEachWins) {
    const ScreenRect untouched{1, 2, 3, 4};
    const struct {
        const char* text;
        bool understood;
        ScreenRect outer;
    } cases[] = {
        {"windowpos=-1688,95\r\nwindowsize=1456x849\r\n", true, {-1688, 95, -232, 944}},
        {"[window]\nwindowsize=10x20\nwindowpos=5,6", true, {5, 6, 15, 26}},
        {"windowpos=5,6\nwindowpos=7,7\nwindowsize=10x20\nwindowsize=1x1\n", true, {5, 6, 15, 26}},
        {"windowpos=2147483647,-1\nwindowsize=2147483647x2147483647", true, {kFarthest, -1, 2 * kFarthest, kFarthest - 1}},
        {nullptr, false, untouched},
        {"", false, untouched},
        {"windowpos=5,6\n", false, untouched},
        {"windowpos=center\nwindowsize=10x20", false, untouched},
        {"windowpos=5,6\nwindowsize=0x20", false, untouched},
        {"windowpos=5,6\nwindowsize=junk\nwindowsize=10x20", false, untouched},
        {"WindowPos=5,6\nwindowsize=10x20", false, untouched},
    };
    for (const auto& c : cases) {
        ScreenRect outer = untouched;
        EXPECT_EQ(ParseRememberedWindow(c.text, &outer), c.understood) << (c.text ? c.text : "null");
        EXPECT_EQ(outer, c.outer);
    }
}

}  // namespace
