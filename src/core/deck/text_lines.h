#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/deck/deck_state.h"

namespace cardwise {

// The lines of a deck file. LF and CR LF both end a line (files edited elsewhere often
// use bare LF); a CR anywhere else stays part of its line. A last line without an end
// still counts; an empty file has no lines. A leading UTF-8 byte-order mark is skipped. Each line
// is cut to maxChars, the rest of a longer line is ignored. The views point into bytes.
std::vector<std::string_view> splitLines(std::string_view bytes,
                                         std::size_t maxChars = kMaxLineChars);

}  // namespace cardwise
