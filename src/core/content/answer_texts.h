#pragma once

#include <string>
#include <string_view>

namespace cardwise {

// Texts that show a pair's correct answer, the same in the answer window and on the
// clipboard.
inline constexpr std::string_view kCorrectAnswerLead = "The correct answer was:";
inline constexpr std::string_view kAnyOfTheFollowing =
    "You could have answered with any of the following:";

// "All Of The Above", "None Of The Above" or "Number: " and the choice.
inline std::string correctChoiceText(std::string_view correctChoice) {
    if (correctChoice == "A") return "All Of The Above";
    if (correctChoice == "N") return "None Of The Above";
    return "Number: " + std::string(correctChoice);
}

}  // namespace cardwise
