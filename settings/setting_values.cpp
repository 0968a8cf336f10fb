#include "settings/setting_values.h"

#include <string.h>

#include "core/path_text.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLetter(char c) { return Lower(c) >= 'a' && Lower(c) <= 'z'; }

bool EndsCopiedWord(char c) { return c == '\0' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        if (Lower(*text) != *prefix) return false;
    }
    return true;
}

bool OnlyBlanks(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    return *text == '\0';
}

// The truth word the value begins with, and its length; 0 for none.
size_t TruthWordLength(const char* value, bool* isTrue) {
    static const char* const kWords[2][3] = {{"yes", "true", "1"}, {"no", "false", "0"}};
    for (int truth = 0; truth < 2; ++truth) {
        for (const char* word : kWords[truth]) {
            if (!StartsWithNoCase(value, word)) continue;
            *isTrue = truth == 0;
            return strlen(word);
        }
    }
    return 0;
}

}  // namespace

const char* ParseWholeNumber(const char* text, int* value) {
    while (*text == ' ' || *text == '\t') ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    if (*text < '0' || *text > '9') return nullptr;
    const unsigned limit = negative ? 2147483648u : 2147483647u;
    unsigned number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const unsigned digit = static_cast<unsigned>(*text - '0');
        if (number > (limit - digit) / 10) return nullptr;
        number = number * 10 + digit;
    }
    *value = negative ? static_cast<int>(0u - number) : static_cast<int>(number);
    return text;
}

bool ValueIsWord(const char* value, const char* word) {
    if (value == nullptr) return false;
    for (; *word != '\0'; ++value, ++word) {
        if (Lower(*value) != *word) return false;
    }
    return !IsLetter(*value);
}

void CopySettingWord(char* out, size_t size, const char* value) {
    size_t length = 0;
    while (length + 1 < size && !EndsCopiedWord(value[length])) ++length;
    length = WholeCharacters(value, length);
    memcpy(out, value, length);
    out[length] = '\0';
}

Truth ParseTruth(const char* value) {
    bool isTrue = false;
    if (value == nullptr || TruthWordLength(value, &isTrue) == 0) return Truth::NotUnderstood;
    return isTrue ? Truth::True : Truth::False;
}

ModeRequest ParseModeRequest(const char* value) {
    ModeRequest request{false, 0, 0, 0};
    if (value == nullptr) return request;
    const char* x = ParseWholeNumber(value, &request.width);
    x = x != nullptr && *x == 'x' ? ParseWholeNumber(x + 1, &request.height) : nullptr;
    if (x == nullptr) {
        request.width = 0;
        request.height = 0;
    } else if (*x == 'x') {
        ParseWholeNumber(x + 1, &request.depth);
    }
    request.windowed = strncmp(value, "windowed", 8) == 0;
    return request;
}

WindowPos ParseWindowPos(const char* value) {
    WindowPos pos{WindowPosKind::Absent, 0, 0};
    if (value == nullptr) return pos;
    if (ValueIsWord(value, "center") || ValueIsWord(value, "centre")) {
        pos.kind = WindowPosKind::Centre;
        return pos;
    }
    const char* comma = ParseWholeNumber(value, &pos.x);
    if (comma != nullptr && *comma == ',' && ParseWholeNumber(comma + 1, &pos.y) != nullptr) {
        pos = {WindowPosKind::Point, Clamp(pos.x, -kFarthest, kFarthest), Clamp(pos.y, -kFarthest, kFarthest)};
    } else {
        pos = {WindowPosKind::NotUnderstood, 0, 0};
    }
    return pos;
}

bool ParseWindowSize(const char* value, int* width, int* height) {
    int w = 0;
    int h = 0;
    const char* x = ParseWholeNumber(value, &w);
    if (x != nullptr && (*x == 'x' || *x == 'X') && ParseWholeNumber(x + 1, &h) != nullptr && w > 0 && h > 0) {
        *width = w;
        *height = h;
        return true;
    }
    *width = 640;
    *height = 480;
    return false;
}

ZOrder ParseTopmost(const char* value) {
    if (value == nullptr) return ZOrder::Unchanged;
    if (ValueIsWord(value, "always")) return ZOrder::AlwaysOnTop;
    return IsTrue(ParseTruth(value)) ? ZOrder::Front : ZOrder::NotTopmost;
}

bool TopmostUnderstood(const char* value) {
    return value == nullptr || ValueIsWord(value, "always") || ParseTruth(value) != Truth::NotUnderstood;
}

AspectKind ParseAspect(const char* value, AspectRatio* ratio) {
    *ratio = {0, 0};
    if (value == nullptr) return AspectKind::Absent;
    int width = 0;
    int height = 0;
    const char* colon = ParseWholeNumber(value, &width);
    const char* end = colon != nullptr && *colon == ':' ? ParseWholeNumber(colon + 1, &height) : nullptr;
    if (end != nullptr && OnlyBlanks(end) && width == Clamp(width, 1, kLargestRatioPart) &&
        height == Clamp(height, 1, kLargestRatioPart)) {
        *ratio = {width, height};
        return AspectKind::Ratio;
    }
    // Only a whole word: "16x9" or "1.78" is no truth value, whatever it begins with.
    bool isTrue = false;
    const size_t wordLength = TruthWordLength(value, &isTrue);
    if (wordLength == 0 || !OnlyBlanks(value + wordLength)) return AspectKind::NotUnderstood;
    return isTrue ? AspectKind::StartShape : AspectKind::Absent;
}
