#include "core/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Utf8(const std::u16string& text, size_t size = kPathSize) {
    char out[kPathSize + 1];
    if (!Utf8FromUtf16(out, size, text.c_str())) return out[0] == '\0' ? "<none>" : "<not emptied>";
    return out;
}

std::u16string Wide(bool (*convert)(char16_t*, size_t, const char*), const std::string& text, size_t size) {
    char16_t out[kWidePathSize];
    if (!convert(out, size, text.c_str())) return out[0] == 0 ? u"<none>" : u"<not emptied>";
    return out;
}
std::u16string Utf16(const std::string& text, size_t size = kWidePathSize) { return Wide(Utf16FromUtf8, text, size); }
std::u16string SystemPath(const std::string& path, size_t size = kWidePathSize) {
    return Wide(SystemWidePath, path, size);
}

// Game folders as players name them, and a file name Windows allows with
// half a surrogate pair in it: each comes back unchanged.
TEST(PathText, FoldersInAnyScriptGoToUtf8AndBack) {
    const struct {
        std::u16string wide;
        std::string utf8;
    } cases[] = {
        {u"C:\\Games\\GTA3\\dispora.asi", "C:\\Games\\GTA3\\dispora.asi"},
        {u"D:\\\u30B2\u30FC\u30E0\\GTA Vice City", "D:\\\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\\GTA Vice City"},
        {u"C:\\\u03A0\u03B1\u03B9\u03C7\u03BD\u03AF\u03B4\u03B9\u03B1\\GTA3",
         "C:\\\xCE\xA0\xCE\xB1\xCE\xB9\xCF\x87\xCE\xBD\xCE\xAF\xCE\xB4\xCE\xB9\xCE\xB1\\GTA3"},
        {u"C:\\Users\\\u042E\u0440\u0438\u0439\\Desktop\\GTA", "C:\\Users\\\xD0\xAE\xD1\x80\xD0\xB8\xD0\xB9\\Desktop\\GTA"},
        {u"C:\\Caf\u00E9 \U0001F3AE", "C:\\Caf\xC3\xA9 \xF0\x9F\x8E\xAE"},
        {u"C:\\half \xD83C pair", "C:\\half \xED\xA0\xBC pair"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8(c.wide), c.utf8);
        EXPECT_EQ(Utf16(c.utf8), c.wide);
    }
}

TEST(PathText, EightBitTextThatIsNoUtf8IsRefused) {
    for (const char* text : {"caf\xE9", "\xC3", "\xE3\x82", "\x80x", "\xC0\xAF", "\xE0\x80\xAF", "\xF4\x90\x80\x80",
                             "\xF8\x88\x80\x80\x80"}) {
        EXPECT_EQ(Utf16(text), u"<none>") << text;
    }
    EXPECT_TRUE(IsAscii("C:\\Games\\GTA3 --dispora=windowed"));
    EXPECT_FALSE(IsAscii("caf\xE9"));
}

TEST(PathText, ATextThatDoesNotFitIsNotCut) {
    EXPECT_EQ(Utf8(u"\u30B2\u30FC", 7), "\xE3\x82\xB2\xE3\x83\xBC");
    EXPECT_EQ(Utf8(u"\u30B2\u30FC", 6), "<none>");  // no room for the NUL
    EXPECT_EQ(Utf8(u"\U0001F3AE", 4), "<none>");    // a character is never split
    EXPECT_EQ(Utf16("abc", 4), u"abc");
    EXPECT_EQ(Utf16("abc", 3), u"<none>");
    EXPECT_EQ(Utf16("\xF0\x9F\x8E\xAE", 2), u"<none>");
}

// Up to 259 characters a path goes to the system as it is; a longer one
// needs the long-path form, or the wide calls refuse it too.
TEST(PathText, LongPathsGetTheLongPathForm) {
    const std::string folder = "C:\\" + std::string(243, 'f');  // 246 characters, like a deep game folder
    const std::u16string wideFolder = u"C:\\" + std::u16string(243, u'f');
    EXPECT_EQ(SystemPath(folder + "\\dispora.log"), wideFolder + u"\\dispora.log");  // 258
    EXPECT_EQ(SystemPath(folder + "\\dispora.asi1"), wideFolder + u"\\dispora.asi1");  // 259
    EXPECT_EQ(SystemPath(folder + "\\dispora-window.ini.new"), u"\\\\?\\" + wideFolder + u"\\dispora-window.ini.new");
    const std::string share = "\\\\server\\games\\" + std::string(250, 'g') + "\\dispora.ini";
    EXPECT_EQ(SystemPath(share), u"\\\\?\\UNC\\server\\games\\" + std::u16string(250, u'g') + u"\\dispora.ini");
    // Already in the long-path form, or relative: as it is.
    const std::string prefixed = "\\\\?\\" + folder + "\\dispora-window.ini.new";
    EXPECT_EQ(SystemPath(prefixed), Utf16(prefixed));
    const std::string relative = std::string(300, 'r') + "\\dispora.ini";
    EXPECT_EQ(SystemPath(relative), Utf16(relative));
    // The prefix must fit too.
    const std::string longest = "C:\\" + std::string(300, 'x');
    EXPECT_EQ(SystemPath(longest, 304 + 4), u"\\\\?\\C:\\" + std::u16string(300, u'x'));
    EXPECT_EQ(SystemPath(longest, 304 + 3), u"<none>");
    EXPECT_EQ(SystemPath("C:\\caf\xE9"), u"<none>");
}

TEST(PathText, APartOfAValueEndsBetweenCharacters) {
    const char* const text = "a\xD0\xAE\xE2\x82\xAC\xF0\x9F\x8E\xAE!";  // a, Ю, €, a gamepad, !
    const struct {
        size_t asked, kept;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 3}, {6, 6}, {7, 6}, {9, 6}, {10, 10}, {11, 11}};
    for (const auto& c : cases) EXPECT_EQ(WholeCharacters(text, c.asked), c.kept) << c.asked;
    EXPECT_EQ(WholeCharacters("caf\xE9s", 4), 4u);  // 8-bit ANSI: nothing cut in two
}

}  // namespace
