#pragma once

#include <cstdint>
#include <string_view>

#include "core/content/pair_side.h"

namespace cardwise {

struct Program;

// Parses one side of pair n: side "Q" is the question, any other value the answer. An
// answer side is read against question, the parse of the same pair's question side: its
// choice number may not exceed question.ChoiceCount, and its view keeps the question's
// FillInQuestion, ChoiceCount and, unless it names its own, Category. A question side
// ignores question. Each fault is reported in a box (unless quiet) and stops the reading
// of tags.
FormattedSide FormatPairSide(const Program& program, std::string_view side, std::int32_t n,
                             const PairView& question, FaultReports reports = FaultReports::Shown,
                             SideReading reading = SideReading::Display);

// The answer side of pair n read against its own question side, which is parsed without
// reports.
FormattedSide FormatAnswerOf(const Program& program, std::int32_t n,
                             FaultReports reports = FaultReports::Shown);

}  // namespace cardwise
