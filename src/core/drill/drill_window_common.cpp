#include "core/drill/drill_window_common.h"

#include "core/drill/pair_selector.h"
#include "core/drill/pair_toggles.h"
#include "core/platform/file_system.h"
#include "core/program.h"

namespace cardwise {

TextLook questionLook(const DeckSettings& s) {
    return TextLook{Colour::fromStored(s.QCurBkGndColor), s.QFontName, s.QFontSize, s.QFontStyle,
                    Colour::fromStored(s.QFontColor)};
}

TextLook answerLook(const DeckSettings& s) {
    return TextLook{Colour::fromStored(s.ACurBkGndColor), s.AFontName, s.AFontSize, s.AFontStyle,
                    Colour::fromStored(s.AFontColor)};
}

std::string drillWindowCaption(std::string_view window, const Program& program) {
    std::string caption(window);
    caption += " - ";
    caption += questionModeName(program.settings.questionMode());
    caption += " Mode - ";
    caption += fileNameOf(program.deck.QAFileName);
    return caption;
}

std::string percentCorrectText(std::int64_t correct, std::int64_t total) {
    if (total <= 0) return {};
    const std::int64_t numerator = 100 * correct;
    std::int64_t quotient = numerator / total;
    const std::int64_t twiceRest = 2 * (numerator % total);
    if (twiceRest > total || (twiceRest == total && quotient % 2 != 0)) ++quotient;
    return std::to_string(quotient) + " %";
}

void showNextNote(UserInterface& ui, const std::array<std::string, 3>& notes, int& index,
                  const NoteCaptions& captions) {
    std::string_view caption = captions.last;
    int next = 0;
    if (index == 1) {
        if (!notes[2].empty()) {
            caption = captions.another;
            next = 2;
        }
    } else if (index == 2) {
        // The third note is always the last.
    } else {
        index = 0;
        if (!notes[1].empty()) {
            caption = captions.more;
            next = 1;
        }
    }
    ui.message(caption, notes[static_cast<std::size_t>(index)], Icon::Information);
    index = next;
}

FieldColours pairNumberColours(const Program& program) {
    const std::int32_t pair = program.deck.CurrentPair;
    switch (program.settings.questionMode()) {
        case 2:
            return pairNumberColours(program.deck.learningOf(pair).ListFlags);
        case 4:
            switch (program.deck.learningOf(pair).LearnStatus) {
                case Unlearned:
                    return {kRed, kWhite};
                case ShortTerm:
                    return {kYellow, kBlack};
                default:
                    return {kGreen, kWhite};
            }
        default:
            return {kYellow, kBlack};
    }
}

StatusFields drillStatusFields(const Program& program, std::string_view category,
                               std::int32_t pairsLeft) {
    StatusFields fields;
    fields.category = category.empty() ? std::string("Category") : std::string(category);
    fields.pairNumber = std::to_string(program.deck.CurrentPair);
    fields.left = std::to_string(pairsLeft);
    const std::int64_t correct = program.deck.SessionCorrect;
    const std::int64_t total = correct + program.deck.SessionIncorrect;
    // The autopilot grades nothing, so its statistics would be stale.
    if (total >= 1 && program.settings.AutoPilot != 1) {
        fields.total = std::to_string(total);
        fields.correct = std::to_string(program.deck.SessionCorrect);
        fields.incorrect = std::to_string(program.deck.SessionIncorrect);
        fields.percent = percentCorrectText(correct, total);
    }
    fields.pairNumberColours = pairNumberColours(program);
    return fields;
}

void resetSessionStatistics(Program& program, StatusFields& fields) {
    program.deck.SessionCorrect = 0;
    program.deck.SessionIncorrect = 0;
    fields.total.clear();
    fields.correct.clear();
    fields.incorrect.clear();
    fields.percent.clear();
    fields.left.clear();
}

}  // namespace cardwise
