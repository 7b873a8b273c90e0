#pragma once

#include <cstdint>
#include <string_view>

namespace cardwise {

struct Program;

inline constexpr std::string_view kPromotionCaption = "Pair Promotion";
inline constexpr std::string_view kShortTermPromotionText =
    "Congratulations!! This Question Has Been Promoted To The Short Term Learned Category";
inline constexpr std::string_view kLongTermPromotionText =
    "Congratulations!! This Question Has Been Promoted To The Long Term Learned Category";
inline constexpr std::string_view kDemotionText =
    "Sorry - This Question Will Be Demoted Back To Unlearned Status";

// PromoMessage values.
inline constexpr std::int32_t kPromoRegular = 0;
inline constexpr std::int32_t kPromoTimed = 1;
inline constexpr std::int32_t kPromoNone = 2;

// Shows a promotion or demotion text in the promotion message window, timed when the
// deck asks for timed messages. Callers leave it out when PromoMessage is kPromoNone.
void ShowPromotionMessage(Program& program, std::string_view text);

// What the promotion message window does between being shown and closing: a timed
// message has no OK button and closes itself on the third tick of its one-second timer.
class PromotionMessageWindow {
  public:
    static constexpr int kTimedHeight = 74;
    static constexpr int kRegularHeight = 115;

    struct Layout {
        int height = kRegularHeight;
        bool okPanelVisible = true;
    };

    explicit PromotionMessageWindow(std::int32_t promoMessage) : promoMessage_(promoMessage) {}

    // The window is shown: the tick counter starts again.
    Layout show();
    // One timer tick; true when the window closes itself now (with the OK result).
    bool tick();
    int tickCounter() const { return counter_; }

  private:
    std::int32_t promoMessage_;
    int counter_ = 0;
};

}  // namespace cardwise
