#include "core/drill/promotion_message.h"

#include "core/program.h"

namespace cardwise {

void ShowPromotionMessage(Program& program, std::string_view text) {
    program.ui().showPromotionMessage(text, program.settings.PromoMessage == kPromoTimed);
}

PromotionMessageWindow::Layout PromotionMessageWindow::show() {
    counter_ = 0;
    if (promoMessage_ == kPromoTimed) return Layout{kTimedHeight, false};
    return Layout{kRegularHeight, true};
}

bool PromotionMessageWindow::tick() {
    if (counter_ != 2) {
        ++counter_;
        return false;
    }
    // A regular message keeps counting round and waits for OK.
    counter_ = 0;
    return promoMessage_ == kPromoTimed;
}

}  // namespace cardwise
