#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/deck/deck_session.h"
#include "core/deck/deck_state.h"

namespace cardwise {

inline constexpr std::string_view kOversizeCaption = "Oversize .DKS File";
inline constexpr std::string_view kOversizeText =
    "For Performance Considerations, Cardwise Limits The Deck Size "
    "To 5000 Question/Answer Pairs.  This Deck Exceeds That Limit - Only "
    "The First 5000 Pairs Will Be Loaded.  DO NOT MAKE ANY EDITS TO THIS "
    "DECK WHILE IT IS OPEN - IF YOU DO, THE FILE WILL BE TRUNCATED TO THE "
    "FIRST 5000 PAIRS!!!!";
inline constexpr std::string_view kQAFileHeader = "[Cardwise]";

// Q or q, then a digit 1 to 9 ("Q0=" is not a question line).
bool isQuestionLine(std::string_view line);
// A or a, then a digit 1 to 9.
bool isAnswerLine(std::string_view line);

// First pass: the number of question lines, at most kMaxPairs. Meeting one more shows the
// oversize warning and ends the count at kMaxPairs.
std::int32_t countPairs(DeckSession& program, std::string_view qaBytes);

// The settings lines of the older single-file layout that a Q&A file without a setup data
// file may hold, in file order (the learning-state lines of that layout among them). The
// whole file is looked at, also beyond a 5000th question line.
std::vector<std::string> olderSettingsLines(std::string_view qaBytes);

// The category name of a question line's <N...> tag, at most 12 characters; "0" when the
// line has no tag or the tag names nothing.
std::string categoryOf(std::string_view questionLine);

// The message shown when pair n reaches the pair size limit.
std::string pairTooLongText(std::int32_t n);

// Second pass: fills PairText, CategoryName and StatusText for the deck.PairCount pairs
// that countPairs found (tables allocated for them). StatusText comes by position from
// the setup data file's bytes. A pair that reaches the size limit shows its message, sets
// LoadOutcome 4 and gives false.
//
// Every counted pair gets a usable text: question lines that were skipped while an
// answer was sought, and a last question line without any answer after it, become pairs
// of their own with an empty answer ("A<n>="), so no question text is dropped.
bool readPairs(DeckSession& program, std::string_view qaBytes, std::string_view setupBytes);

// Pair n as the rewritten file will give it back to a load: numbered n, whatever number
// its text carries now.
std::string rewrittenPair(std::string_view text, std::int32_t n);

// The first pair whose rewritten form a load would refuse as too long; 0 when none is.
std::int32_t firstPairTooLongToLoad(const DeckState& deck);

// The rewritten Q&A file: "[Cardwise]", then for each pair Q<n> and A<n> with the text
// from the line's first '=' on, CR LF line ends. A side without '=' keeps all its text
// after the leading letter and number, behind a new "Q<n>=" or "A<n>=". Line feeds inside
// a text become the line-break mark '^' so that the file keeps one line per side.
std::string writeQAFile(const DeckState& deck);

}  // namespace cardwise
