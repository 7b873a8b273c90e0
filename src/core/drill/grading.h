#pragma once

#include <cstdint>

namespace cardwise {

struct Program;

// Highest values the counters reach; the status line stores them in fixed widths.
inline constexpr std::int32_t kDailyCountMax = 99;
inline constexpr std::int32_t kWrongTotalMax = 99;
inline constexpr std::int32_t kRightTotalMax = 99999;
inline constexpr std::int32_t kDayCountMax = 9;

// Grades CurrentPair as answered correctly; in history mode it may promote the pair.
void GradeCorrect(Program& program);
// Grades CurrentPair as answered wrongly; in history mode the pair goes back to Unlearned.
void GradeIncorrect(Program& program);

}  // namespace cardwise
