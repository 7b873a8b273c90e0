#pragma once

#include <string>
#include <string_view>

namespace cardwise {

// A Windows-1252 text reduced to what a lenient reading compares: accented letters become
// their base letters (keeping their case; ligatures and the sharp s become two letters),
// and punctuation, stand-alone accent marks and blanks are left out. Symbols that carry
// meaning ($ + < = > | ~ ^ % and the like) and digits stay.
std::string lenientForm(std::string_view text);

}  // namespace cardwise
