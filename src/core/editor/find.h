#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cardwise {

struct Program;

// "Up" walks toward higher pair numbers, "Down" toward lower ones, as the editor's arrows.
enum class FindDirection { Up, Down };
enum class FindButton { Find, FindNext };

inline constexpr std::size_t kFindTextMax = 1000;

// What the find dialog holds when one of its search buttons is pressed.
struct FindState {
    std::string SearchText;
    FindDirection Direction = FindDirection::Up;
};

// The first pair from first to last (ascending when upward, else descending) whose current
// stored text, markup included, contains searchText; letters A-Z match either case. 0 when
// none does, the range is empty or the search text is empty.
std::int32_t FindStringInRange(const Program& program, std::string_view searchText,
                               std::int32_t first, std::int32_t last, bool upward);

// Searches from CurrentPair in the chosen direction, offering to go on from the other end
// of the deck. On success CurrentPair becomes the pair found, which the caller then loads
// into the editor; answers the pair found or 0.
std::int32_t FindOrFindNext(Program& program, const FindState& state, FindButton button);

}  // namespace cardwise
