#include "core/editor/find.h"

#include <algorithm>

#include "core/program.h"

namespace cardwise {

namespace {

constexpr std::string_view kContinueCaption = "Continue Search?";
constexpr std::string_view kSearchStringLead = "The Search String ";
constexpr std::string_view kNotFoundToEnd = " Was Not Found Searching To The End Of The File.  Do ";
constexpr std::string_view kNotFoundToBeginning =
    " Was Not Found Searching To The Beginning Of The File.  Do ";
constexpr std::string_view kSearchRemainder = "You Wish To Search The Remainder Of The File?";
constexpr std::string_view kNotFoundCaption = "String Not Found";
constexpr std::string_view kNotFound = " Was Not Found.";

char foldLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool containsFolded(std::string_view text, std::string_view part) {
    auto match = std::search(text.begin(), text.end(), part.begin(), part.end(),
                             [](char a, char b) { return foldLetter(a) == foldLetter(b); });
    return match != text.end();
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace

std::int32_t FindStringInRange(const Program& program, std::string_view searchText,
                               std::int32_t first, std::int32_t last, bool upward) {
    searchText = searchText.substr(0, kFindTextMax);
    if (searchText.empty()) return 0;
    first = std::max(first, 1);
    last = std::min(last, program.deck.PairCount);
    if (first > last) return 0;
    for (std::int32_t i = 0; i <= last - first; ++i) {
        std::int32_t n = upward ? first + i : last - i;
        if (containsFolded(program.deck.currentText(n), searchText)) return n;
    }
    return 0;
}

std::int32_t FindOrFindNext(Program& program, const FindState& state, FindButton button) {
    UserInterface& ui = program.ui();
    const std::string_view text = std::string_view(state.SearchText).substr(0, kFindTextMax);
    const bool upward = state.Direction != FindDirection::Down;
    const std::int32_t current = program.deck.CurrentPair;
    const std::int32_t step = button == FindButton::FindNext ? 1 : 0;

    auto search = [&](std::int32_t first, std::int32_t last) {
        WaitCursor wait(ui);
        return FindStringInRange(program, text, first, last, upward);
    };

    std::int32_t found =
        upward ? search(current + step, program.deck.PairCount) : search(1, current - step);
    if (found == 0) {
        std::string question = std::string(kSearchStringLead) + quoted(text) +
                               std::string(upward ? kNotFoundToEnd : kNotFoundToBeginning) +
                               std::string(kSearchRemainder);
        if (ui.messageBox(kContinueCaption, question, Icon::Information, Buttons::YesNo) !=
            Button::Yes) {
            return 0;
        }
        found = upward ? search(1, current) : search(current, program.deck.PairCount);
        if (found == 0) {
            // Only the downward report puts the search text in quotation marks.
            std::string report = std::string(kSearchStringLead) +
                                 (upward ? std::string(text) : quoted(text)) +
                                 std::string(kNotFound);
            ui.message(kNotFoundCaption, report, Icon::Information);
            return 0;
        }
    }
    program.deck.CurrentPair = found;
    return found;
}

}  // namespace cardwise
