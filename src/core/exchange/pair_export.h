#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

struct DeckState;

// One side of a pair split into what an exported row can carry.
struct ExportedSide {
    std::string category;      // the content of its last N tag
    std::string text;          // the display text as shown (DecodeMarks: real line breaks)
    bool otherMarkup = false;  // hints, comments, choices, fill-in, pictures or sounds
};

// Reads the run of tags at the start of a stored side as the drill windows do, without
// judging the tags.
ExportedSide exportedSide(std::string_view side);

struct ExportText {
    std::string text;  // UTF-8
    std::int32_t pairs = 0;
    // Pairs whose hints, comments, choices, fill-in answers, pictures or sounds a
    // three-column row cannot carry: they are exported with their texts and category only.
    std::int32_t pairsWithOtherMarkup = 0;
};

// The deck's pairs as tab-separated UTF-8 text: the header "question", "answer",
// "category", then a row per pair in number order with the texts as the user typed them
// (line breaks as CR LF inside quoted fields) and the category, CR LF after each row.
// Pairs the editor holds unsaved are taken as edited. Importing the text again gives the
// same pair texts, as far as they hold no other markup.
ExportText exportText(const DeckState& deck);

// Why the pairs cannot be written to that file: a ".DKS" or ".DKD" name is a deck's (the
// open deck's own among them), which a text file would destroy. Nothing when it can be used.
std::optional<std::string> exportTargetProblem(const std::string& path);

}  // namespace cardwise
