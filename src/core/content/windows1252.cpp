#include "core/content/windows1252.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace cardwise {
namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page leaves the byte undefined.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t kInvalid = 0xFFFD;

char32_t codePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        char32_t cp = kHighControls[byte - 0x80];
        return cp != 0 ? cp : byte;
    }
    return byte;
}

std::optional<char> byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        char32_t mapped = kHighControls[i] != 0 ? kHighControls[i] : 0x80 + i;
        if (mapped == cp) return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one well-formed UTF-8 character at i (shortest form, no surrogates, at most
// U+10FFFF); length 0 when the bytes there are not one.
struct Decoded {
    char32_t cp = kInvalid;
    std::size_t length = 0;
};

Decoded decodeAt(std::string_view text, std::size_t i) {
    auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = (lead >> 5) == 0x6    ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || i + length > text.size()) return {};
    char32_t cp = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return {};
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, length};
}

}  // namespace

std::string windows1252ToUtf8(std::string_view deckText) {
    std::string out;
    out.reserve(deckText.size() + deckText.size() / 8);
    for (char c : deckText) appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

DeckTextConversion utf8ToWindows1252(std::string_view utf8) {
    DeckTextConversion result;
    result.text.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        Decoded d = decodeAt(utf8, i);
        if (d.length == 0) {
            result.refused = kInvalid;
            break;
        }
        std::optional<char> byte = byteOf(d.cp);
        if (!byte) {
            result.refused = d.cp;
            break;
        }
        result.text += *byte;
        i += d.length;
    }
    if (result.refused) result.text.clear();
    return result;
}

std::string characterNotAllowedText(char32_t refused) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(refused));
    std::string shown;
    if (refused != kInvalid && refused >= 0x20) appendUtf8(shown, refused);
    std::string text = "The Character ";
    if (!shown.empty()) text += "\"" + shown + "\" ";
    text += "(" + std::string(code) + ") Cannot Be Stored In A Deck.  ";
    text += "Decks Hold Only The Characters Of The Western European (Windows-1252) Code Page.  ";
    text += "Please Replace It And Try Again.";
    return text;
}

std::string displayText(std::string_view mixed) {
    std::string out;
    out.reserve(mixed.size() + mixed.size() / 8);
    std::size_t i = 0;
    while (i < mixed.size()) {
        auto byte = static_cast<unsigned char>(mixed[i]);
        if (byte >= 0x80) {
            if (Decoded d = decodeAt(mixed, i); d.length > 1) {
                out.append(mixed.substr(i, d.length));
                i += d.length;
                continue;
            }
        }
        appendUtf8(out, codePointOf(byte));
        ++i;
    }
    return out;
}

}  // namespace cardwise
