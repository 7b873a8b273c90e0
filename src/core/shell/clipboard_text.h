#pragma once

#include <cstdint>
#include <string>

namespace cardwise {

struct Program;

inline constexpr std::size_t kClipboardTextMax = 2000;

// The texts of the Edit menu's copy commands, CR LF line breaks, at most 2000 characters.
// While JumpingToPair is set (a print job) the question and answer texts are those of
// printPair and carry no heading; otherwise they are CurrentPair's with a heading.
std::string questionCopyText(Program& program, std::int32_t printPair = 0);
std::string answerCopyText(Program& program, std::int32_t printPair = 0);
std::string bothCopyText(Program& program);

// The copy commands put their text on the platform's clipboard.
void EditCopyQClick(Program& program, std::int32_t printPair = 0);
void EditCopyAClick(Program& program, std::int32_t printPair = 0);
void EditCopyBothClick(Program& program);

}  // namespace cardwise
