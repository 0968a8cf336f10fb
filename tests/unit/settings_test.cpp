#include "settings/settings.h"
#include "settings/compat_layers.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(Aspect, RatiosWholeTruthWordsAndEverythingElse) {
    const struct {
        const char* value;
        AspectKind kind;
        int width, height;
    } cases[] = {
        {"16:9", AspectKind::Ratio, 16, 9},
        {" 8:6  ", AspectKind::Ratio, 8, 6},
        {"10000:1", AspectKind::Ratio, kLargestRatioPart, 1},
        {nullptr, AspectKind::Absent, 0, 0},
        {"Yes", AspectKind::StartShape, 0, 0},
        {"1 ", AspectKind::StartShape, 0, 0},
        {"false", AspectKind::Absent, 0, 0},
        {"0", AspectKind::Absent, 0, 0},
    };
    for (const auto& c : cases) {
        AspectRatio ratio{7, 7};
        EXPECT_EQ(ParseAspect(c.value, &ratio), c.kind) << (c.value ? c.value : "null");
        EXPECT_EQ(ratio.width, c.width);
        EXPECT_EQ(ratio.height, c.height);
    }
    // Never taken for yes, whatever they begin with.
    for (const char* odd : {"16/9", "16x9", "1.78", "10:0", "16:0", "-16:9", "16:", "10001:1", "2147483648:1",
                            "16:9x", "yes please", "nope", ""}) {
        AspectRatio ratio{7, 7};
        EXPECT_EQ(ParseAspect(odd, &ratio), AspectKind::NotUnderstood) << odd;
        EXPECT_FALSE(ratio.Kept());
    }
}

TEST(Truth, ByTheFirstCharactersAnyCase) {
    for (const char* value : {"yes", "TRUE", "1", "10", "Yesterday"}) EXPECT_EQ(ParseTruth(value), Truth::True) << value;
    for (const char* value : {"no", "False", "0", "nonsense"}) EXPECT_EQ(ParseTruth(value), Truth::False) << value;
    for (const char* value : {"on", "off", "", " yes"}) EXPECT_EQ(ParseTruth(value), Truth::NotUnderstood) << value;
    EXPECT_EQ(ParseTruth(nullptr), Truth::NotUnderstood);
}

// The row of the named setting in the table.
size_t Row(const char* name) {
    size_t row = 0;
    while (row < kSettingCount && strcmp(kSettingRows[row].name, name) != 0) ++row;
    return row;
}

// The record and its explanations, from dispora.ini beside "dir/game\<plug-in>".
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dispora-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
    }
    void TearDown() override {
        unlink((directory + "/game\\dispora.ini").c_str());
        rmdir(directory.c_str());
    }
    // file null: no dispora.ini at all.
    void Read(const char* file, const std::string& commandLine = "gta3.exe",
              const std::string& pluginName = "dispora.asi") {
        const std::string settingsPath = directory + "/game\\dispora.ini";
        unlink(settingsPath.c_str());
        if (file != nullptr) {
            FILE* out = fopen(settingsPath.c_str(), "wb");
            ASSERT_NE(out, nullptr);
            fputs(file, out);
            fclose(out);
        }
        config.OpenFrom(commandLine.c_str(), (directory + "/game\\" + pluginName).c_str(), "dispora.ini");
        ReadSettings(config, &record);
        said.clear();
        ExplainSettings(config, record, [](const char* line) { said.push_back(line); });
    }

    std::string directory;
    Config config;
    SettingsRecord record;
    static std::vector<std::string> said;
};
std::vector<std::string> SettingsTest::said;

TEST_F(SettingsTest, EachSettingFromItsSourceWithTheDefaultsOtherwise) {
    Read("dispora=800x600x32\nwindowsize=1024x768\npicturesize=1600x900\nwindowpos=center\nborderless=yes\nmonitor=2\naspect=4:3\n"
         "altenter=no\nclipcursor=TRUE\ndpiaware=1\n",
         "gta3.exe --topmost always --remember=yes", "dispora--pauseonleave=yes--x.asi");
    EXPECT_TRUE(record.dispora.given);
    EXPECT_EQ(record.dispora.request.depth, 32);
    EXPECT_TRUE(record.windowSize.given);
    EXPECT_EQ(record.windowSize.width, 1024);
    EXPECT_TRUE(record.pictureSize.given);
    EXPECT_EQ(record.pictureSize.width, 1600);
    EXPECT_EQ(record.pictureSize.height, 900);
    EXPECT_EQ(record.windowPos.kind, WindowPosKind::Centre);
    EXPECT_TRUE(record.borderless);
    EXPECT_EQ(record.topmost, ZOrder::AlwaysOnTop);
    EXPECT_EQ(record.monitor.number, 2);
    EXPECT_EQ(record.aspect.kind, AspectKind::Ratio);
    EXPECT_FALSE(record.altEnter);
    EXPECT_TRUE(record.remember && record.pauseOnLeave && record.clipCursor && record.dpiAware);
    EXPECT_TRUE(record.logFile);  // on unless turned off
    EXPECT_EQ(record.source[Row("dispora")], SettingSource::File);
    EXPECT_EQ(record.source[Row("topmost")], SettingSource::CommandLine);
    EXPECT_STREQ(record.shown[Row("topmost")], "always");
    EXPECT_EQ(record.source[Row("pauseonleave")], SettingSource::FileName);
    EXPECT_STREQ(record.shown[Row("pauseonleave")], "yes--x.asi");  // up to the first blank, as read
    EXPECT_EQ(record.source[Row("logfile")], SettingSource::Absent);
    EXPECT_EQ(said, std::vector<std::string>{"picturesize \"1600x900\" wins over windowsize \"1024x768\""});

    Read("logfile=no\n");
    EXPECT_FALSE(record.logFile);
    EXPECT_TRUE(record.altEnter);
    EXPECT_FALSE(record.dispora.given);
    EXPECT_EQ(record.topmost, ZOrder::Unchanged);
}

TEST_F(SettingsTest, WhatWasNotUnderstoodIsSaidOnce) {
    Read("\xEF\xBB\xBF" "dispora=1366x768\r\n"
         "Dispora=windowed\r\n"
         "  windowsize=800x600\r\n"
         "\r\n   \r\n; comment\r\n# comment\r\n[section]\r\n"
         "borderless=on\r\n"
         "aspect=16/9\r\n"
         "topmost=sometimes\r\n"
         "windowsize=0x0\r\n"
         "picturesize=wide\r\n"
         "windowpos=somewhere\r\n"
         "clipcursorly=maybe\r\n"
         "logfile=on\r\n"
         "x=a line far too long to be shown whole in the log, cut at sixty characters\r\n");
    EXPECT_EQ(said, (std::vector<std::string>{
                        "dispora.ini line 2: \"Dispora=windowed\" names no setting: ignored",
                        "dispora.ini line 3: \"  windowsize=800x600\" names no setting: ignored",
                        "dispora.ini line 17: \"x=a line far too long to be shown whole in the log, cut at s\" "
                        "names no setting: ignored",
                        "windowsize \"0x0\" not understood: 640 x 480",
                        "picturesize \"wide\" not understood: 640 x 480",
                        "windowpos \"somewhere\" not understood: ignored",
                        "borderless \"on\" not understood: no",
                        "topmost \"sometimes\" not understood: an ordinary window",
                        "aspect \"16/9\" not understood: ignored",
                        "clipcursor \"ly=maybe\" not understood: no",
                        "logfile \"on\" not understood: yes",
                        "picturesize \"wide\" wins over windowsize \"0x0\"",
                    }));
    EXPECT_EQ(record.pictureSize.width, 640);  // the picture, framed, as windowsize's 640 x 480 is the window
    EXPECT_EQ(record.aspect.kind, AspectKind::NotUnderstood);
    EXPECT_FALSE(record.borderless);
    EXPECT_TRUE(record.logFile);  // the log that says so is written

    Read("dispora=windowed\nwindowsize=1024x768\npicturesize=1600*900\n");  // the size written right stands
    EXPECT_EQ(said, std::vector<std::string>{"picturesize \"1600*900\" not understood: windowsize instead"});
    EXPECT_FALSE(record.pictureSize.given);
    EXPECT_EQ(record.windowSize.width, 1024);

    std::string many;
    for (int i = 0; i < 10; ++i) many += "unknown\n";
    Read(("dispora=windowed\n" + many).c_str(), "gta3.exe --topmost=sometimes and more");
    ASSERT_EQ(said.size(), 10u);
    EXPECT_EQ(said[7], "dispora.ini line 9: \"unknown\" names no setting: ignored");
    EXPECT_EQ(said[8], "dispora.ini: more lines name no setting");
    EXPECT_EQ(said[9], "topmost \"sometimes\" not understood: an ordinary window");  // to the first blank
}

TEST_F(SettingsTest, NoDisporaAnywhereSaysWhereItWasLookedFor) {
    const std::string path = directory + "/game\\dispora.ini";
    Read("windowsize=800x600\n");
    EXPECT_EQ(said, std::vector<std::string>{"no dispora setting on the command line, in the file name or in " +
                                             path + ": video mode and window left to the game"});
    Read(nullptr);
    EXPECT_EQ(said, std::vector<std::string>{"no dispora setting on the command line or in the file name, and no " +
                                             path + ": video mode and window left to the game"});
    Read(nullptr, "gta3.exe --dispora windowed");
    EXPECT_TRUE(said.empty());
    // There, but it cannot be read: named with the reason, whatever else gives dispora.
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    const std::string unreadable = path + " cannot be read (" + strerror(EISDIR) + "): none of its settings are used";
    Read(nullptr);
    EXPECT_EQ(said, (std::vector<std::string>{
                        unreadable, "no dispora setting on the command line or in the file name: video mode and "
                                    "window left to the game"}));
    Read(nullptr, "gta3.exe --dispora windowed");
    EXPECT_EQ(said, std::vector<std::string>{unreadable});
    rmdir(path.c_str());
}

// The compatibility layers Windows passes in __COMPAT_LAYER, against the settings in force.
TEST_F(SettingsTest, CompatibilityLayersThatFightTheSettingsAreNamedWithHowToTurnThemOff) {
    const struct {
        const char* settings;
        const char* layers;  // the variable's value
        const char* named;   // the layers the first line names; null: nothing said at all
        std::vector<std::string> fights;  // "LAYER fights SETTING", in order, each followed by how to turn it off
    } cases[] = {
        {"dispora=windowed\n", "~ !640X480  ~", nullptr, {}},  // nothing in force
        {"dispora=windowed\n", "~ 640x480 RunAsAdmin", "640x480 RunAsAdmin", {"640X480 fights dispora=windowed"}},
        {"dispora=640x480x16\n", "640X480 16BITCOLOR HIGHDPIAWARE", "640X480 16BITCOLOR HIGHDPIAWARE", {}},
        {"dispora=1024x768\n", "~ 640X480\t256COLOR dxmaximizedwindowedmode DXMaximizedWindowedMode",
         "640X480 256COLOR dxmaximizedwindowedmode DXMaximizedWindowedMode",
         {"640X480 fights dispora=1024x768", "256COLOR fights dispora=1024x768",
          "DXMaximizedWindowedMode fights dispora=1024x768"}},  // once, however often it is listed
        {"dispora=windowed\nborderless=yes\ndpiaware=yes\n", "~DXMAXIMIZEDWINDOWEDMODE DPIUNAWARE WINXPSP3",
         "DXMAXIMIZEDWINDOWEDMODE DPIUNAWARE WINXPSP3",
         {"DPIUNAWARE fights dpiaware=yes", "WINXPSP3 fights dispora=windowed"}},  // a window is never maximised
        {"dispora=choose\n", "WIN98 DWM8And16BitMitigation 16BITCOLOR", "WIN98 DWM8And16BitMitigation 16BITCOLOR",
         {}},  // the dialog: the player picks
    };
    for (const auto& c : cases) {
        Read(c.settings);
        said.clear();
        ExplainCompatLayers(c.layers, record, [](const char* line) { said.push_back(line); });
        if (c.named == nullptr) {
            EXPECT_TRUE(said.empty()) << c.layers;
            continue;
        }
        ASSERT_EQ(said.size(), 1 + 2 * c.fights.size()) << c.layers;
        EXPECT_EQ(said[0], std::string("Windows compatibility layers in force: ") + c.named);
        for (size_t i = 0; i < c.fights.size(); ++i) {
            EXPECT_EQ(said[1 + 2 * i].rfind("compatibility layer " + c.fights[i] + ": ", 0), 0u) << said[1 + 2 * i];
            const std::string layer = c.fights[i].substr(0, c.fights[i].find(' '));
            EXPECT_EQ(said[2 + 2 * i].rfind("to turn " + layer + " off: ", 0), 0u) << said[2 + 2 * i];
        }
    }
    // Many layers: the line that names them is cut, each known one still explained.
    std::string many;
    for (int i = 0; i < 200; ++i) many += "SOMELAYER ";
    Read("dispora=windowed\n");
    said.clear();
    ExplainCompatLayers((many + "640X480").c_str(), record, [](const char* line) { said.push_back(line); });
    ASSERT_EQ(said.size(), 3u);
    EXPECT_EQ(said[0].substr(said[0].size() - 13), "SOMELAYER ...");
}

// The players' documents describe every setting in the table, each in its own way.
TEST(SettingsDocuments, NameEverySetting) {
    const struct {
        const char* path;
        const char* before;
        const char* after;
    } documents[] = {{"README.md", "| `", "` |"}, {"packaging/PLAYERS.txt", "\n  ", " "},
                     {"packaging/dispora.ini", "; ", " - "}};
    for (const auto& document : documents) {
        std::ifstream file(std::string(DISPORA_SOURCE_DIR "/") + document.path);
        ASSERT_TRUE(file.good()) << document.path;
        std::stringstream text;
        text << file.rdbuf();
        for (const SettingRow& row : kSettingRows) {
            ASSERT_NE(row.name, nullptr) << "kSettingCount is more than the table's rows";
            const std::string entry = document.before + std::string(row.name) + document.after;
            EXPECT_NE(text.str().find(entry), std::string::npos) << document.path << " lacks " << entry;
        }
    }
}

}  // namespace
