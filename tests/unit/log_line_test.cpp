#include "core/log_line.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

namespace {

std::string Line(const std::string& message) {
    char line[kLogBufferSize];
    const size_t length = BuildLogLine(line, sizeof(line), message.c_str());
    EXPECT_EQ(length, std::string(line).size());
    return line;
}

TEST(LogLine, MessageEndingInNewlineGetsNoSecondOne) {
    EXPECT_EQ(Line("changing window size to 1024 x 768\n"), "[dispora.asi] changing window size to 1024 x 768\n");
}

TEST(LogLine, MessageWithoutNewlineGetsOne) {
    char message[64];
    snprintf(message, sizeof(message), "Dispora %2d: %d x %d x %d", 3, 800, 600, 32);
    EXPECT_EQ(Line(message), "[dispora.asi] Dispora  3: 800 x 600 x 32\n");
}

TEST(LogLine, EmptyMessageIsTagAndNewline) { EXPECT_EQ(Line(""), "[dispora.asi] \n"); }

TEST(LogLine, NewlineInTheMiddleIsKeptAndOneIsAdded) {
    EXPECT_EQ(Line("first\nsecond"), "[dispora.asi] first\nsecond\n");
}

TEST(LogLine, OverlongMessageIsCutAndStillEndsTheLine) {
    const std::string message(5000, 'x');
    char line[kLogBufferSize + 16];
    memset(line, '#', sizeof(line));
    const size_t length = BuildLogLine(line, kLogBufferSize, message.c_str());
    EXPECT_EQ(length, kLogBufferSize - 1);
    EXPECT_EQ(line[length - 1], '\n');
    EXPECT_EQ(line[length], '\0');
    EXPECT_EQ(std::string(line).rfind("[dispora.asi] xxx", 0), 0u);
    for (size_t i = kLogBufferSize; i < sizeof(line); ++i) EXPECT_EQ(line[i], '#') << "written past the buffer at " << i;
}

TEST(LogLine, MessageThatJustFitsKeepsEveryCharacter) {
    const size_t room = kLogBufferSize - (sizeof(kLogTag) - 1) - 2;
    const std::string message(room, 'y');
    const std::string line = Line(message);
    EXPECT_EQ(line, std::string(kLogTag) + message + "\n");
}

}  // namespace
