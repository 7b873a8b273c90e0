#include "core/drill/grading.h"

#include "core/drill/promotion_message.h"
#include "core/program.h"

#include <limits>

namespace cardwise {
namespace {

// The pair every learning table can hold; grading a pair outside them changes nothing.
bool gradable(const DeckState& deck, std::int32_t p) {
    if (!deck.validPair(p)) return false;
    const auto index = static_cast<std::size_t>(p);
    for (const auto* table :
         {&deck.LastDate, &deck.RightToday, &deck.RightTotal, &deck.WrongToday, &deck.WrongTotal,
          &deck.DayCount, &deck.LearnStatus, &deck.AskedInRun}) {
        if (index >= table->size()) return false;
    }
    return true;
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
    countUpTo(deck.RightToday[i], kDailyCountMax);
    countUpTo(deck.RightTotal[i], kRightTotalMax);

    if (!historyMode(program)) {
        deck.LastDate[i] = deck.Today;
        return;
    }

    const bool showMessages = settings.PromoMessage != kPromoNone;
    if (deck.RightToday[i] >= settings.ShortThreshold && deck.LearnStatus[i] == Unlearned) {
        deck.LastDate[i] = deck.Today;
        deck.LearnStatus[i] = ShortTerm;
        deck.AskedInRun[i] = 0;
        if (showMessages) ShowPromotionMessage(program, kShortTermPromotionText);
    }
    // A day counts once, at the answer that brings the day's count exactly to the
    // threshold; the promotion above stamps today, so it cannot count the same day.
    if (deck.RightToday[i] == settings.LongAnsThreshold && deck.LearnStatus[i] == ShortTerm &&
        deck.LastDate[i] < deck.Today) {
        countUpTo(deck.DayCount[i], kDayCountMax);
        deck.LastDate[i] = deck.Today;
    }
    if (deck.DayCount[i] == settings.LongDayThreshold && deck.LearnStatus[i] == ShortTerm) {
        deck.LearnStatus[i] = LongTerm;
        deck.AskedInRun[i] = 0;
        if (showMessages) ShowPromotionMessage(program, kLongTermPromotionText);
    }
}

void GradeIncorrect(Program& program) {
    DeckState& deck = program.deck;
    const std::int32_t p = deck.CurrentPair;
    if (!gradable(deck, p)) return;
    const auto i = static_cast<std::size_t>(p);

    countUpTo(deck.SessionIncorrect, std::numeric_limits<std::int32_t>::max());
    countUpTo(deck.WrongToday[i], kDailyCountMax);
    countUpTo(deck.WrongTotal[i], kWrongTotalMax);
    deck.LastDate[i] = deck.Today;

    if (!historyMode(program)) return;
    if (deck.LearnStatus[i] != Unlearned && program.settings.PromoMessage != kPromoNone) {
        ShowPromotionMessage(program, kDemotionText);
    }
    deck.RightToday[i] = 0;
    deck.DayCount[i] = 0;
    deck.LearnStatus[i] = Unlearned;
}

}  // namespace cardwise
