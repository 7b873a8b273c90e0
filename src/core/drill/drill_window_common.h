#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/deck/deck_settings.h"
#include "core/drill/window_layout.h"
#include "core/media/picture_view.h"
#include "core/platform/colour.h"

namespace cardwise {

struct Program;
class UserInterface;

// Background, font and colour of a drill window's text area.
struct TextLook {
    Colour background;
    std::string fontName;
    std::int32_t fontSize = 0;
    FontStyle fontStyle;
    Colour fontColour;
    bool operator==(const TextLook&) const = default;
};

TextLook questionLook(const DeckSettings& settings);
TextLook answerLook(const DeckSettings& settings);

// "Question - <mode> Mode - <deck file>" and its answer-window twin.
std::string drillWindowCaption(std::string_view window, const Program& program);

// 100 x correct / total, to the nearest whole number with halves going to the even
// neighbour, followed by " %".
std::string percentCorrectText(std::int64_t correct, std::int64_t total);

// The pair-number field's colours by question mode, priority list and learning category.
FieldColours pairNumberColours(const Program& program);

// The status bar both drill windows share.
struct StatusFields {
    std::string category;
    std::string pairNumber;
    std::string left;
    std::string total;
    std::string correct;
    std::string incorrect;
    std::string percent;
    FieldColours pairNumberColours;
    bool operator==(const StatusFields&) const = default;
};

// What both drill windows show of a pair side: caption, place, the memo and the side's
// picture and sound.
struct DrillWindowView {
    std::string caption;
    Rect placement;
    bool tipsEnabled = true;

    TextLook memoLook;
    bool centered = false;
    SideContent content = SideContent::TextOnly;
    std::string memoText;
    std::string picturePath;
    std::string mediaPath;
    // The side's files as found when the side was shown, after their one check; empty
    // when the side refers to none or the check failed (the user was told then).
    std::string pictureFile;
    std::string mediaFile;
    PictureFit pictureFit = PictureFit::Fitted;
};

StatusFields drillStatusFields(const Program& program, std::string_view category,
                               std::int32_t pairsLeft);

// The status-bar reset: the session counters and their fields are emptied.
void resetSessionStatistics(Program& program, StatusFields& fields);

// Captions of the hint (question) or comment (answer) boxes.
struct NoteCaptions {
    std::string_view more;
    std::string_view another;
    std::string_view last;
};
inline constexpr NoteCaptions kHintCaptions{"There Are More Hints", "There Is Another Hint",
                                            "This Is The Last Hint"};
inline constexpr NoteCaptions kCommentCaptions{
    "There Are More Comments", "There Is Another Comment", "This Is The Last Comment"};

// Shows the note that index names in an information box and moves index on: through the
// notes that follow, then back to the first.
void showNextNote(UserInterface& ui, const std::array<std::string, 3>& notes, int& index,
                  const NoteCaptions& captions);

}  // namespace cardwise
