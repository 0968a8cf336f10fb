#include "settings/config.h"
#include "tests/config_lookups.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

// The plug-in sees Windows paths. Natively, "dir/game\dispora.asi" is a file
// named "game\dispora.asi" in dir, so the settings file the store looks for
// beside it is "dir/game\dispora.ini".
class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dispora-config-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
        pluginPath = directory + "/game\\dispora.asi";
        settingsPath = directory + "/game\\dispora.ini";
    }
    void TearDown() override {
        config.Close();
        unlink(settingsPath.c_str());
        rmdir(directory.c_str());
    }
    void WriteSettings(const std::string& text) {
        FILE* file = fopen(settingsPath.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        fwrite(text.data(), 1, text.size(), file);
        fclose(file);
    }
    void Open(const std::string& commandLine, const std::string& settings) {
        WriteSettings(settings);
        ASSERT_EQ(config.OpenFrom(commandLine.c_str(), pluginPath.c_str(), "dispora.ini"), 0);
    }
    std::string Value(const char* key) {
        const char* value = GetString(config, key);
        return value ? value : "<absent>";
    }

    std::string directory, pluginPath, settingsPath;
    Config config;
};

// --- command line --------------------------------------------------------------
TEST_F(ConfigTest, CommandLineWinsOverTheFileAndRunsToItsEnd) {
    Open("gta3.exe --dispora 800x600x32 --topmost", "dispora=1024x768x32\n");
    EXPECT_EQ(Value("dispora"), "800x600x32 --topmost");
}

TEST_F(ConfigTest, EqualsSignsAndBlanksAfterTheKeyAreSkipped) {
    Open("gta3.exe --dispora=windowed", "");
    EXPECT_EQ(Value("dispora"), "windowed");
    Open("gta3.exe --dispora = =  windowed", "");
    EXPECT_EQ(Value("dispora"), "windowed");
}

TEST_F(ConfigTest, BareFlagIsFalseBeforeAnotherOptionOrAtTheEnd) {
    Open("gta3.exe --topmost --dispora=windowed", "");
    EXPECT_EQ(GetBool(config, "topmost"), 0);
    EXPECT_EQ(Has(config, "topmost"), 1);
    Open("gta3.exe --dispora=windowed --topmost", "");
    EXPECT_EQ(Value("topmost"), "");
    EXPECT_EQ(GetBool(config, "topmost"), 0);
}

TEST_F(ConfigTest, SearchIsCaseSensitive) {
    Open("gta3.exe --DISPORA=windowed", "");
    EXPECT_EQ(Has(config, "dispora"), 0);
}

TEST_F(ConfigTest, OverlongCommandLineKeepsItsFirst511Characters) {
    const std::string early = "gta3.exe --dispora=windowed ";
    const std::string commandLine = early + std::string(600 - early.size(), 'a') + " --topmost=yes";
    Open(commandLine, "topmost=no\n");
    EXPECT_EQ(Value("dispora").size(), 511 - early.size() + strlen("windowed "));
    EXPECT_EQ(GetBool(config, "topmost"), 0);  // the cut-off option is gone; the file answers
}

// --- plug-in file name ------------------------------------------------------------
TEST_F(ConfigTest, KeyCarriedInThePluginFileName) {
    pluginPath = directory + "/game\\dispora--dispora=windowed.asi";
    Open("gta3.exe", "dispora=1024x768\n");
    EXPECT_EQ(Value("dispora"), "windowed.asi");
}

TEST_F(ConfigTest, CommandLineWinsOverThePluginFileName) {
    pluginPath = directory + "/game\\dispora--dispora=windowed.asi";
    Open("gta3.exe --dispora=800x600", "");
    EXPECT_EQ(Value("dispora"), "800x600");
}

// --- dispora.ini -------------------------------------------------------------------
TEST_F(ConfigTest, FileValuesEndAtAnyLineEnding) {
    Open("gta3.exe", "windowsize=1024x768\n");
    EXPECT_EQ(Value("windowsize"), "1024x768");
    Open("gta3.exe", "topmost = yes\r\n");
    EXPECT_EQ(Value("topmost"), "yes");
    EXPECT_EQ(GetBool(config, "topmost"), 1);
    // CRLF, LF and a lone CR each end a line.
    Open("gta3.exe", "a=1\r\nb=2\nc=3\rd=4\r\r\ne=5");
    EXPECT_EQ(Value("b"), "2");
    EXPECT_EQ(Value("c"), "3");
    EXPECT_EQ(Value("d"), "4");
    EXPECT_EQ(Value("e"), "5");
}

TEST_F(ConfigTest, EditorsMarksAreNoPartOfTheText) {
    Open("gta3.exe", "\xEF\xBB\xBF" "dispora=windowed\r\n");
    EXPECT_EQ(Value("dispora"), "windowed");
    // Notepad's "Unicode": UTF-16 little-endian, other characters as "?".
    std::string wide = "\xFF\xFE";
    for (const char c : std::string("x=\xE9\r\ndispora=800x600\r\n")) wide += std::string(1, c) + '\0';
    wide += std::string("\x3D\xD8\x00\xDE", 4);  // one character beyond 16 bits: a pair, one "?"
    Open("gta3.exe", wide);
    EXPECT_EQ(Value("dispora"), "800x600");
    EXPECT_EQ(Value("x"), "?");
    EXPECT_STREQ(config.NextFileLine(config.NextFileLine(config.NextFileLine(nullptr))), "?");
}

TEST_F(ConfigTest, TheFileIsClosedOnceRead) {
    Open("gta3.exe", "dispora=windowed\n");
    WriteSettings("dispora=800x600\n");  // an edit while the game runs counts from the next start
    EXPECT_EQ(Value("dispora"), "windowed");
    unlink(settingsPath.c_str());
    EXPECT_EQ(Value("dispora"), "windowed");
}

TEST_F(ConfigTest, LastLineWithoutNewlineIsSearched) {
    Open("gta3.exe", "topmost=no\ndispora=windowed");
    EXPECT_EQ(Value("dispora"), "windowed");
    EXPECT_EQ(Value("missing"), "<absent>");
}

TEST_F(ConfigTest, LongLineIsOneLine) {
    Open("gta3.exe", std::string(511, 'z') + "dispora=800x600\nother=1\n");
    EXPECT_EQ(Value("dispora"), "<absent>");
    EXPECT_EQ(Value("other"), "1");
}

TEST_F(ConfigTest, OnlyLinesStartingWithTheKeyCount) {
    Open("gta3.exe", " dispora=640x480\n;dispora=800x600\n# dispora=1\nx dispora=2\ndispora=1024x768\n");
    EXPECT_EQ(Value("dispora"), "1024x768");
}

TEST_F(ConfigTest, FirstMatchingLineWins) {
    Open("gta3.exe", "dispora=800x600\ndispora=1024x768\n");
    EXPECT_EQ(Value("dispora"), "800x600");
}

TEST_F(ConfigTest, KeyFollowedByLettersAlsoMatches) {
    Open("gta3.exe", "topmostly yes\n");
    EXPECT_EQ(Value("topmost"), "ly yes");
}

TEST_F(ConfigTest, EveryLookupSearchesTheFileFromItsStart) {
    Open("gta3.exe", "a=1\nb=2\n");
    EXPECT_EQ(Value("b"), "2");
    EXPECT_EQ(Value("a"), "1");
    EXPECT_EQ(Value("b"), "2");
}

// --- truth values and numbers ---------------------------------------------------------
TEST_F(ConfigTest, GetBoolTruthTable) {
    Open("gta3.exe", "a=TRUE\nb=Yes please\nc=10\nd=on\ne=0\nf=false\ng=\n");
    EXPECT_EQ(GetBool(config, "a"), 1);
    EXPECT_EQ(GetBool(config, "b"), 1);
    EXPECT_EQ(GetBool(config, "c"), 1);
    EXPECT_EQ(GetBool(config, "d"), 0);
    EXPECT_EQ(GetBool(config, "e"), 0);
    EXPECT_EQ(GetBool(config, "f"), 0);
    EXPECT_EQ(GetBool(config, "g"), 0);
    EXPECT_EQ(GetBool(config, "absent"), 0);
}

// --- the store's own limits -------------------------------------------------------------
TEST_F(ConfigTest, KeyTooLongForThePatternIsAbsent) {
    const std::string key(126, 'k');
    Open("gta3.exe --" + key + "=1", key + "=1\n");
    EXPECT_EQ(Has(config, key.c_str()), 0);
    const std::string longest(125, 'k');
    Open("gta3.exe --" + longest + "=1", "");
    EXPECT_EQ(GetBool(config, longest.c_str()), 1);
}

TEST_F(ConfigTest, PluginPathTooLongIsNotUsedAtAll) {
    const std::string longPath = directory + "/game\\" + std::string(kPathSize, 'p') + "--dispora=windowed.asi";
    WriteSettings("dispora=800x600\n");
    config.OpenFrom("gta3.exe", longPath.c_str(), "dispora.ini");
    EXPECT_FALSE(HasFileText(config));
    EXPECT_EQ(Value("dispora"), "<absent>");
}

TEST_F(ConfigTest, FileNameOf32CharactersOrMoreOpensNothing) {
    const std::string name(32, 'n');
    EXPECT_NE(config.OpenFrom("gta3.exe", pluginPath.c_str(), name.c_str()), 0);
    EXPECT_FALSE(HasFileText(config));
    EXPECT_STREQ(config.FilePath(), "");
}

TEST_F(ConfigTest, DirectoryTooLongForTheFileNameOpensNothing) {
    const std::string path = std::string(kPathSize - 7, 'd') + "\\x.asi";  // it fits, the name beside it does not
    EXPECT_NE(config.OpenFrom("gta3.exe", path.c_str(), "dispora.ini"), 0);
    EXPECT_STREQ(config.FilePath(), "");
}

TEST_F(ConfigTest, PathWithoutBackslashUsesTheFileNameAlone) {
    config.OpenFrom("gta3.exe", "dispora.asi", "dispora.ini");
    EXPECT_STREQ(config.FilePath(), "dispora.ini");
}

TEST_F(ConfigTest, NoFileNameMeansThePluginsOwnNameWithIni) {
    WriteSettings("");
    config.OpenFrom("gta3.exe", pluginPath.c_str(), nullptr);
    EXPECT_EQ(std::string(config.FilePath()), settingsPath);
    EXPECT_TRUE(HasFileText(config));
    config.OpenFrom("gta3.exe", "C:\\Games\\plugin", nullptr);
    EXPECT_FALSE(HasFileText(config));
}

// Paths are UTF-8: a folder named in any script, and a long one.
TEST_F(ConfigTest, PluginInAFolderNamedInAnyScriptReadsItsFile) {
    for (const std::string& folder : {std::string("/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0"), "/" + std::string(240, 'l')}) {
        ASSERT_EQ(mkdir((directory + folder).c_str(), 0700), 0);
        const std::string plugin = directory + folder + "/game\\dispora--topmost=yes.asi";
        settingsPath = directory + folder + "/game\\dispora.ini";
        WriteSettings("dispora=windowed\n");
        EXPECT_EQ(config.OpenFrom("gta3.exe", plugin.c_str(), "dispora.ini"), 0);
        EXPECT_EQ(std::string(config.FilePath()), settingsPath);
        EXPECT_EQ(Value("dispora"), "windowed");
        EXPECT_EQ(Value("topmost"), "yes.asi");
        unlink(settingsPath.c_str());
        rmdir((directory + folder).c_str());
    }
}

// A file that is there but cannot be read says why, and is neither missing nor empty.
TEST_F(ConfigTest, FileThatCannotBeReadSaysWhy) {
    ASSERT_EQ(mkdir(settingsPath.c_str(), 0700), 0);
    EXPECT_NE(config.OpenFrom("gta3.exe --dispora=windowed", pluginPath.c_str(), "dispora.ini"), 0);
    EXPECT_FALSE(HasFileText(config));
    EXPECT_FALSE(config.FileMissing());
    ASSERT_NE(config.UnreadableReason(), nullptr);
    EXPECT_STREQ(config.UnreadableReason(), strerror(EISDIR));
    EXPECT_EQ(Value("dispora"), "windowed");
    rmdir(settingsPath.c_str());
    config.OpenFrom("gta3.exe", pluginPath.c_str(), "dispora.ini");
    EXPECT_TRUE(config.FileMissing());
    EXPECT_EQ(config.UnreadableReason(), nullptr);
}

TEST_F(ConfigTest, MissingFileLeavesCommandLineAndPath) {
    EXPECT_NE(config.OpenFrom("gta3.exe --dispora=windowed", pluginPath.c_str(), "dispora.ini"), 0);
    EXPECT_FALSE(HasFileText(config));
    EXPECT_EQ(Value("dispora"), "windowed");
    EXPECT_EQ(Value("topmost"), "<absent>");
}

TEST_F(ConfigTest, CloseTwiceIsHarmless) {
    Open("gta3.exe", "dispora=windowed\n");
    config.Close();
    config.Close();
    EXPECT_FALSE(HasFileText(config));
    EXPECT_EQ(Value("dispora"), "<absent>");
}

TEST(ConfigDispatch, ConstructionAndOpenMakeTheInstanceCurrent) {
    Config first;
    EXPECT_EQ(currentConfig, &first);
    Config second;
    EXPECT_EQ(currentConfig, &second);
    first.OpenFrom("x", "", "dispora.ini");
    EXPECT_EQ(currentConfig, &first);
}

}  // namespace
