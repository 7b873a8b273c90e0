#include "core/content/lenient_text.h"

namespace cardwise {
namespace {

// The base letters of the code page's accented letters 0xC0..0xFF; "" for the two that
// are no letters (multiplication and division signs), which stay as they are.
constexpr std::string_view kLatin1Letters[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",  // C0
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",  // D0
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  // E0
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",  // F0
};

bool leftOut(unsigned char c) {
    switch (c) {
        // Blanks, the no-break space and line breaks.
        case ' ': case '\t': case '\r': case '\n': case 0xA0:
        // ASCII punctuation; '`' is often typed for an apostrophe.
        case '!': case '"': case '#': case '&': case '\'': case '(': case ')': case '*':
        case ',': case '-': case '.': case '/': case ':': case ';': case '?': case '@':
        case '[': case '\\': case ']': case '_': case '{': case '}': case '`':
        // Quotes, dashes, ellipsis, bullets and the Spanish marks of the code page.
        case 0x82: case 0x84: case 0x85: case 0x8B: case 0x91: case 0x92: case 0x93:
        case 0x94: case 0x95: case 0x96: case 0x97: case 0x9B: case 0xA1: case 0xAB:
        case 0xB7: case 0xBB: case 0xBF:
        // Accent marks standing alone: circumflex, tilde, diaeresis, acute, cedilla.
        case 0x88: case 0x98: case 0xA8: case 0xB4: case 0xB8:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string lenientForm(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (leftOut(c)) continue;
        if (c >= 0xC0) {
            const std::string_view base = kLatin1Letters[c - 0xC0];
            if (!base.empty()) {
                out += base;
                continue;
            }
        }
        switch (c) {
            case 0x8A: out += 'S'; break;
            case 0x9A: out += 's'; break;
            case 0x8E: out += 'Z'; break;
            case 0x9E: out += 'z'; break;
            case 0x8C: out += "OE"; break;
            case 0x9C: out += "oe"; break;
            case 0x9F: out += 'Y'; break;
            default: out += ch; break;
        }
    }
    return out;
}

}  // namespace cardwise
