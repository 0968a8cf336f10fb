#include "display/mode_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ModeInfo Exclusive(int32_t w, int32_t h, int32_t d = 32) { return ModeInfo{w, h, d, kModeExclusive, {0, 0}}; }
ModeInfo Windowed(int32_t w, int32_t h, int32_t d = 32) { return ModeInfo{w, h, d, 0, {0, 0}}; }

std::string Row(const ModeInfo& mode) {
    char row[kModeRowSize];
    BuildModeRowText(row, sizeof(row), mode);
    return row;
}

TEST(ModeRows, FourByThreeAndFiveByFourAreFullScreen) {
    EXPECT_EQ(Row(Exclusive(640, 480)), "640 x 480 x 32 (FULLSCREEN)");
    EXPECT_EQ(Row(Exclusive(1280, 1024, 16)), "1280 x 1024 x 16 (FULLSCREEN)");
}

TEST(ModeRows, FiveByThreeSixteenByTenAndSixteenByNineAreWideScreen) {
    EXPECT_EQ(Row(Exclusive(800, 480)), "800 x 480 x 32 (WIDESCREEN)");
    EXPECT_EQ(Row(Exclusive(1280, 800)), "1280 x 800 x 32 (WIDESCREEN)");
    EXPECT_EQ(Row(Exclusive(1920, 1080)), "1920 x 1080 x 32 (WIDESCREEN)");
}

TEST(ModeRows, RatioNotExactlyOneOfTheFiveHasNoLabel) {
    // 768 / 1366 rounds near 0.5625 but not onto it.
    EXPECT_EQ(Row(Exclusive(1366, 768)), "1366 x 768 x 32");
    EXPECT_EQ(LabelForMode(Exclusive(1366, 768)), ModeLabel::None);
}

TEST(ModeRows, EveryWindowedModeIsLabelledWindowed) {
    EXPECT_EQ(Row(Windowed(1366, 768)), "1366 x 768 x 32 (WINDOWED)");
    EXPECT_EQ(Row(Windowed(640, 480, 16)), "640 x 480 x 16 (WINDOWED)");
    EXPECT_EQ(LabelForMode(Windowed(0, 0)), ModeLabel::Windowed);
}

TEST(ModeRows, ZeroWidthExclusiveModeHasNoLabel) { EXPECT_EQ(LabelForMode(Exclusive(0, 480)), ModeLabel::None); }

TEST(ModeRequestParse, WindowedWinsOverAnyNumbers) {
    const ModeRequest request = ParseModeRequest("windowed 800x600");
    EXPECT_TRUE(request.windowed);
    EXPECT_TRUE(ParseModeRequest("windowed\r\n").windowed);
}

TEST(ModeRequestParse, CapitalWindowedIsNotWindowedAndOpensTheDialog) {
    const ModeRequest request = ParseModeRequest("Windowed");
    EXPECT_FALSE(request.windowed);
    EXPECT_FALSE(RequestHasSize(request));
}

TEST(ModeRequestParse, SizeWithAndWithoutDepth) {
    ModeRequest request = ParseModeRequest("800x600");
    EXPECT_EQ(request.width, 800);
    EXPECT_EQ(request.height, 600);
    EXPECT_EQ(request.depth, 0);
    request = ParseModeRequest("800x600x32");
    EXPECT_EQ(request.depth, 32);
    EXPECT_TRUE(RequestHasSize(request));
}

TEST(ModeRequestParse, ShapesWithoutTwoNumbersOpenTheDialog) {
    for (const char* value : {"0x0x32", "800 x 600", "800X600", "800", "", "dialog", "x600"}) {
        EXPECT_FALSE(RequestHasSize(ParseModeRequest(value))) << value;
        EXPECT_FALSE(ParseModeRequest(value).windowed) << value;
    }
}

TEST(ModeRequestParse, LineEndingAndFurtherOptionsAreIgnored) {
    ModeRequest request = ParseModeRequest("1024x768x32\r\n");
    EXPECT_EQ(request.width, 1024);
    EXPECT_EQ(request.depth, 32);
    request = ParseModeRequest("1024x768 --topmost --windowsize=800x600");
    EXPECT_EQ(request.width, 1024);
    EXPECT_EQ(request.height, 768);
    EXPECT_EQ(request.depth, 0);
}

TEST(ModeMatch, SizeWithoutDepthMatchesAnyDepth) {
    const ModeRequest request = ParseModeRequest("800x600");
    EXPECT_TRUE(ModeMatches(Exclusive(800, 600, 16), request));
    EXPECT_FALSE(ModeMatches(Windowed(800, 600, 32), request));  // the desktop's size: still not full screen
    EXPECT_FALSE(ModeMatches(Exclusive(800, 601, 16), request));
}

TEST(ModeMatch, DepthZeroIsLikeNoDepth) {
    EXPECT_TRUE(ModeMatches(Exclusive(800, 600, 16), ParseModeRequest("800x600x0")));
}

TEST(ModeMatch, GivenDepthMustMatch) {
    const ModeRequest request = ParseModeRequest("800x600x32");
    EXPECT_TRUE(ModeMatches(Exclusive(800, 600, 32), request));
    EXPECT_FALSE(ModeMatches(Exclusive(800, 600, 16), request));
}

// The mode the choice takes from the engine's list, as it walks it: -1 for none.
int Chosen(const std::vector<ModeInfo>& modes, const char* value) {
    const ModeRequest request = ParseModeRequest(value);
    int chosen = -1;
    for (size_t i = 0; i < modes.size(); ++i) {
        if (ModeServesBetter(modes[i], chosen >= 0 ? &modes[chosen] : nullptr, request)) chosen = static_cast<int>(i);
    }
    return chosen;
}

TEST(ModeMatch, WithoutADepthTheDeepestOfTheSizeAndOfEqualOnesTheFirst) {
    const std::vector<ModeInfo> modes = {Windowed(800, 600, 32), Exclusive(640, 480, 16), Exclusive(640, 480, 32),
                                         Exclusive(640, 480, 24), Exclusive(800, 600, 32)};
    const struct {
        const char* value;
        int mode;
    } cases[] = {{"640x480", 2}, {"640x480x16", 1}, {"640x480x24", 3}, {"800x600", 4}, {"800x600x16", -1}};
    for (const auto& c : cases) EXPECT_EQ(Chosen(modes, c.value), c.mode) << c.value;
}

}  // namespace
