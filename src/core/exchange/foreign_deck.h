#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cardwise {

// What a file to import is, told by its first bytes, not by its name.
enum class ForeignFormat { Text, Zip, SQLite, Xml };
ForeignFormat sniffFormat(std::string_view head);

// Everything other programs' files may inflate to (databases and media together): a zip
// bomb stops here.
inline constexpr std::uint64_t kMaxForeignInflatedBytes = 256ull << 20;

// One side of a card as the other program shows it: UTF-8 text without markup, lines
// separated by '\n', and the names its picture and sound have in the file.
struct ForeignSide {
    std::string text;
    std::string picture;
    std::string sound;
};

struct ForeignCard {
    std::int32_t number = 0;  // counted from 1 in the order the file holds the cards
    ForeignSide question;
    ForeignSide answer;
    std::vector<std::string> fillIn;  // not empty: a fill-in pair accepting these answers
    std::vector<std::string> tags;    // UTF-8, the first that fits becomes the category
};

struct ForeignDeck {
    std::string unit = "Card";  // what a problem's number counts: "Card" or "Entry"
    std::vector<ForeignCard> cards;
    std::map<std::string, std::string> media;  // bytes of the pictures and sounds, by name
    std::optional<std::string> problem;        // set: the file cannot be imported
};

// The bytes of a file next to the file imported (a relative name that stays in its folder
// or below), or nothing.
using BesideFile = std::function<std::optional<std::string>(const std::string& relative)>;

// Reads an Anki package, an Anki or Mnemosyne database or a KWordQuiz vocabulary; any other
// file of these formats is refused with a problem that says what it is. The readers are a
// module loaded on the first call; when it cannot be loaded, the problem says so.
ForeignDeck readForeignDeck(ForeignFormat format, std::string bytes, const BesideFile& beside);

}  // namespace cardwise
