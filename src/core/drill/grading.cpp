#include "core/drill/grading.h"

#include "core/drill/promotion_message.h"
#include "core/program.h"

#include <limits>

namespace cardwise {
namespace {

// The pair every learning table can hold; grading a pair outside them changes nothing.
bool gradable(const DeckState& deck, std::int32_t p) {
    return deck.validPair(p) && deck.hasLearning(p);
}

void countUpTo(std::int32_t& counter, std::int32_t ceiling) {
    if (counter < ceiling) ++counter;
}

bool historyMode(const Program& program) {
    return program.settings.questionMode() == 4;
}

}  // namespace

void GradeCorrect(Program& program) {
    DeckState& deck = program.deck;
    const DeckSettings& settings = program.settings;
    const std::int32_t p = deck.CurrentPair;
    if (!gradable(deck, p)) return;
    const auto i = static_cast<std::size_t>(p);

    countUpTo(deck.SessionCorrect, std::numeric_limits<std::int32_t>::max());
    countUpTo(deck.Learning[i].RightToday, kDailyCountMax);
    countUpTo(deck.Learning[i].RightTotal, kRightTotalMax);

    if (!historyMode(program)) {
        deck.Learning[i].LastDate = deck.Today;
        return;
    }

    const bool showMessages = settings.PromoMessage != kPromoNone;
    if (deck.Learning[i].RightToday >= settings.ShortThreshold && deck.Learning[i].LearnStatus == Unlearned) {
        deck.Learning[i].LastDate = deck.Today;
        deck.Learning[i].LearnStatus = ShortTerm;
        deck.Learning[i].AskedInRun = 0;
        if (showMessages) ShowPromotionMessage(program, kShortTermPromotionText);
    }
    // A day counts once, at the answer that brings the day's count exactly to the
    // threshold; the promotion above stamps today, so it cannot count the same day.
    if (deck.Learning[i].RightToday == settings.LongAnsThreshold && deck.Learning[i].LearnStatus == ShortTerm &&
        deck.Learning[i].LastDate < deck.Today) {
        countUpTo(deck.Learning[i].DayCount, kDayCountMax);
        deck.Learning[i].LastDate = deck.Today;
    }
    if (deck.Learning[i].DayCount == settings.LongDayThreshold && deck.Learning[i].LearnStatus == ShortTerm) {
        deck.Learning[i].LearnStatus = LongTerm;
        deck.Learning[i].AskedInRun = 0;
        if (showMessages) ShowPromotionMessage(program, kLongTermPromotionText);
    }
}

void GradeIncorrect(Program& program) {
    DeckState& deck = program.deck;
    const std::int32_t p = deck.CurrentPair;
    if (!gradable(deck, p)) return;
    const auto i = static_cast<std::size_t>(p);

    countUpTo(deck.SessionIncorrect, std::numeric_limits<std::int32_t>::max());
    countUpTo(deck.Learning[i].WrongToday, kDailyCountMax);
    countUpTo(deck.Learning[i].WrongTotal, kWrongTotalMax);
    deck.Learning[i].LastDate = deck.Today;

    if (!historyMode(program)) return;
    if (deck.Learning[i].LearnStatus != Unlearned && program.settings.PromoMessage != kPromoNone) {
        ShowPromotionMessage(program, kDemotionText);
    }
    deck.Learning[i].RightToday = 0;
    deck.Learning[i].DayCount = 0;
    deck.Learning[i].LearnStatus = Unlearned;
}

}  // namespace cardwise
