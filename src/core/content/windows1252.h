#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

// Deck text is Windows-1252 bytes; windowing systems and terminals speak UTF-8. Every deck
// text that crosses to a front end (pair texts, replies, Go To Pair entries, clipboard)
// goes through these. File names are not deck text: they stay the bytes the system gives.

// Every byte maps to one character, so any deck text survives a round trip. The five bytes
// the code page leaves undefined (81, 8D, 8F, 90, 9D) become the C1 controls of the same
// value, as Windows itself converts them.
std::string windows1252ToUtf8(std::string_view deckText);

struct DeckTextConversion {
    std::string text;                 // the deck bytes, when every character fitted
    std::optional<char32_t> refused;  // else the first character that did not
    bool ok() const { return !refused; }
};

// Strict: a character the code page cannot hold is refused, never replaced by '?'. Bytes
// that are not UTF-8 are refused as U+FFFD.
DeckTextConversion utf8ToWindows1252(std::string_view utf8);

inline constexpr std::string_view kCharacterNotAllowedCaption = "Character Not Allowed";
// The box text for a refused character (UTF-8, shown through displayText).
std::string characterNotAllowedText(char32_t refused);

// Message texts mix deck text with file names, which are UTF-8 on this system: well-formed
// UTF-8 sequences pass unchanged, every other byte is read as Windows-1252. Deck text
// practically never forms such sequences.
std::string displayText(std::string_view mixed);

}  // namespace cardwise
