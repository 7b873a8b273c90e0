#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

struct DeckState;

// One side of a pair split into what a plain row carries.
struct ExportedSide {
    std::string category;  // the content of its last N tag
    std::string text;      // the display text as shown (DecodeMarks: real line breaks)
};

// Reads the run of tags at the start of a stored side as the drill windows do, without
// judging the tags.
ExportedSide exportedSide(std::string_view side);

struct ExportText {
    std::string text;  // UTF-8
    std::int32_t pairs = 0;
    bool markup = false;  // the columns hold the sides in markup
};

// The deck's pairs as tab-separated UTF-8 text, a row per pair in number order after a
// header, CR LF after each row; pairs the editor holds unsaved are taken as edited.
// Importing the text again gives the same pair texts. When every pair comes back from a
// plain row, the header is "question", "answer", "category" and the texts are as the user
// typed them (line breaks as CR LF inside quoted fields). Otherwise (hints, comments,
// choices, fill-in answers, pictures, sounds, or marks a plain row would change) the
// header is "question markup", "answer markup", "category" and each side is as the Q&A file
// stores it, the question's leading category tag moved to the category column wherever it
// comes back the same. Either way a text a spreadsheet would take for a formula (or a number
// such as "-3") is written with a leading "'" (formulaGuarded), which import takes off.
ExportText exportText(const DeckState& deck);

// Why the pairs cannot be written to that file: a ".DKS" or ".DKD" name is a deck's (the
// open deck's own among them), which a text file would destroy. Nothing when it can be used.
std::optional<std::string> exportTargetProblem(const std::string& path);

}  // namespace cardwise
