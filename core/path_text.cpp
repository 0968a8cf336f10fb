#include "core/path_text.h"

#include <stdint.h>
#include <string.h>

namespace {

// The system's file calls take a path of this many characters without the prefix.
constexpr size_t kLongestPlainPath = 259;

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

// Writes code point c as UTF-8 at out[*length], if it fits before the NUL.
bool PutUtf8(char* out, size_t size, size_t* length, uint32_t c) {
    const size_t count = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    if (*length + count >= size) return false;
    char* at = out + *length;
    if (count == 1) {
        at[0] = static_cast<char>(c);
    } else {
        static const uint8_t kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
        for (size_t i = count - 1; i > 0; --i) {
            at[i] = static_cast<char>(0x80 | (c & 0x3F));
            c >>= 6;
        }
        at[0] = static_cast<char>(kLead[count] | c);
    }
    *length += count;
    return true;
}

bool PutUnit(char16_t* out, size_t size, size_t* length, uint32_t unit) {
    if (*length + 1 >= size) return false;
    out[(*length)++] = static_cast<char16_t>(unit);
    return true;
}

// The next code point of UTF-8 text at *text, moving past it; false for a
// byte that starts none, a cut sequence, an overlong form or one past U+10FFFF.
bool TakeUtf8(const unsigned char** text, uint32_t* c) {
    const unsigned char lead = **text;
    size_t count = 0;
    uint32_t least = 0;
    if (lead < 0x80) {
        *c = lead;
    } else if (lead >= 0xC0 && lead < 0xE0) {
        count = 1;
        least = 0x80;
        *c = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        count = 2;
        least = 0x800;
        *c = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        count = 3;
        least = 0x10000;
        *c = lead & 0x07u;
    } else {
        return false;
    }
    for (size_t i = 1; i <= count; ++i) {
        const unsigned char next = (*text)[i];
        if ((next & 0xC0) != 0x80) return false;
        *c = *c << 6 | (next & 0x3Fu);
    }
    *text += count + 1;
    return *c >= least && *c <= 0x10FFFF;
}

bool Fail(char* out) {
    out[0] = '\0';
    return false;
}

bool Fail(char16_t* out) {
    out[0] = 0;
    return false;
}

}  // namespace

bool Utf8FromUtf16(char* out, size_t size, const char16_t* text) {
    size_t length = 0;
    for (size_t i = 0; text[i] != 0; ++i) {
        uint32_t c = text[i];
        if (IsHighSurrogate(c) && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        }
        if (!PutUtf8(out, size, &length, c)) return Fail(out);
    }
    out[length] = '\0';
    return true;
}

bool Utf16FromUtf8(char16_t* out, size_t size, const char* text) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(text);
    size_t length = 0;
    while (*at != 0) {
        uint32_t c = 0;
        if (!TakeUtf8(&at, &c)) return Fail(out);
        const bool fits = c < 0x10000 ? PutUnit(out, size, &length, c)
                                      : PutUnit(out, size, &length, 0xD800 + ((c - 0x10000) >> 10)) &&
                                            PutUnit(out, size, &length, 0xDC00 + ((c - 0x10000) & 0x3FF));
        if (!fits) return Fail(out);
    }
    out[length] = 0;
    return true;
}

bool SystemWidePath(char16_t* out, size_t size, const char* path) {
    if (!Utf16FromUtf8(out, size, path)) return false;
    size_t length = 0;
    while (out[length] != 0) ++length;
    const bool drive = length >= 3 && out[1] == u':' && out[2] == u'\\';
    const bool network = length >= 3 && out[0] == u'\\' && out[1] == u'\\' && out[2] != u'?' && out[2] != u'.';
    if (length <= kLongestPlainPath || !(drive || network)) return true;
    // "\\server\share" keeps its share after "\\?\UNC\"; a drive path follows "\\?\" whole.
    const char16_t* prefix = network ? u"\\\\?\\UNC" : u"\\\\?\\";
    const size_t prefixLength = network ? 7 : 4;
    const size_t skipped = network ? 1 : 0;  // the first of the network path's two backslashes
    if (prefixLength + length - skipped >= size) return Fail(out);
    memmove(out + prefixLength, out + skipped, (length - skipped + 1) * sizeof(char16_t));
    memcpy(out, prefix, prefixLength * sizeof(char16_t));
    return true;
}

size_t WholeCharacters(const char* text, size_t length) {
    const auto continues = [text](size_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
    if (!continues(length)) return length;  // the end, or the start of a character
    size_t start = length;
    while (start > 0 && length - start < 3 && continues(start - 1)) --start;
    return start > 0 ? start - 1 : 0;  // before the byte that leads the character cut in two
}

bool IsAscii(const char* text) {
    for (; *text != '\0'; ++text) {
        if (static_cast<unsigned char>(*text) > 127) return false;
    }
    return true;
}
