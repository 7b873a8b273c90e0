#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/drill/drill_window_common.h"
#include "core/drill/window_layout.h"

namespace cardwise {

struct Program;
class DrillEngine;
struct DrillWindowsState;

// The bottom panel of the answer window: the user grades, or the reply was judged.
enum class AnswerPanel { UserGrades, Judged };

// Everything the answer window shows for the current pair.
struct AnswerView : DrillWindowView {
    AnswerPanel panel = AnswerPanel::UserGrades;
    // A multiple-choice or fill-in reply was judged; its picture blinks.
    bool judged = false;
    // The fill-in reply matched only without regard to accents, punctuation and blanks.
    bool acceptedLeniently = false;
    bool correctPicture = false;
    bool incorrectPicture = false;
    bool autopilotPictures = false;

    // Both list buttons and both disable buttons always read alike.
    std::string listCaption;
    bool listEnabled = false;
    std::string disableCaption;

    bool commentEnabled = false;
    std::array<std::string, 3> comments;

    StatusFields status;
};

// Builds the answer display of CurrentPair and judges the question window's reply into
// state.AnswerCorrect. False when the side could not be read: the window then shows no
// text and lets the user grade.
bool buildAnswerView(Program& program, DrillEngine& engine, DrillWindowsState& state,
                     AnswerView& view, int captionBarHeight);

// Where the answer window goes when it is resized: over the question window when the
// windows are kept in step (SyncWin 1), and never below the minimum size.
Rect answerResizePlacement(Rect requested, const DeckSettings& settings, int captionBarHeight);

// A typed reply against an accepted answer; checkCase 0 ignores the case of letters.
bool fillInReplyMatches(std::string_view reply, std::string_view accepted, bool checkCase);

enum class FillInVerdict { Wrong, Correct, CorrectLeniently };

// A typed reply against the accepted answers (entry 1 always, entries 2..6 when not
// empty). With `lenient`, a reply that matches none exactly is still correct when it
// matches one without regard to accents, punctuation and blanks (an answer that is
// nothing but those is never matched so). checkCase decides letter case either way.
FillInVerdict judgeFillInReply(std::string_view reply, const std::array<std::string, 6>& accepted,
                               bool checkCase, bool lenient);

// Added to the answer text when a reply was accepted only leniently.
inline constexpr std::string_view kLenientVerdictText =
    "(Accepted Ignoring Accents, Punctuation And Blanks)";

}  // namespace cardwise
