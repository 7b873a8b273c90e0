#pragma once

#include <cstdint>
#include <string_view>

namespace cardwise {

struct Program;

enum class FaultReports { Shown, Quiet };

// Parses one side of pair n into program.view: side "Q" is the question, any other value
// the answer. The answer side relies on FillInQuestion and ChoiceCount from the question
// side of the same pair, so format that first. Each fault is reported in a box (unless
// quiet) and stops the reading of tags; answers true when no fault was found.
bool FormatPairSide(Program& program, std::string_view side, std::int32_t n,
                    FaultReports reports = FaultReports::Shown);

}  // namespace cardwise
