#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "core/drill/answer_view.h"
#include "core/drill/delete_undo.h"
#include "core/drill/drill_windows_state.h"
#include "core/drill/grade_undo.h"
#include "core/drill/question_view.h"
#include "core/drill/window_layout.h"

namespace cardwise {

struct Program;
class DrillEngine;

inline constexpr std::string_view kGoToPairCaption = "Enter The Number Of The Pair To Jump To";
inline constexpr std::string_view kGoToPairPrompt = "Pair Number";
inline constexpr std::string_view kGoToPairRange =
    "Please Enter A Number Less Than The Highest Number In The Deck And Greater Than 0";
inline constexpr std::string_view kQuestionSyntaxErrorCaption = "Question Syntax Error";

// A pair number typed into the Go To Pair box; nothing when the entry is not a whole
// number. Numbers too large for the deck are kept large.
std::optional<std::int64_t> parsePairNumber(std::string_view entry);

// How the controller tells its front end that a drill window appears or goes. Hides come
// before anything the controller does next (grading, a box, the next selection), so no box
// stands over a window that is already done with; a show follows the window's view being
// built, and a window shown again restarts its timer, media and focus.
class DrillWindowObserver {
  public:
    virtual ~DrillWindowObserver() = default;
    // posted: the deck was named on the command line; the window appears once the front
    // end's event loop runs rather than at once.
    virtual void showWindow(DrillScreen window, bool posted) = 0;
    virtual void hideWindow(DrillScreen window) = 0;
};

// Chains the question window, the answer window, the selector and grading into a drill.
// The front end shows the window screen() names with the view model question() or
// answer(), forwards every button, typed reply and timer tick, and re-renders after each
// call.
class DrillController {
  public:
    DrillController(Program& program, DrillEngine& engine);

    // Null stops the notifications.
    void setObserver(DrillWindowObserver* observer) { observer_ = observer; }

    // Large system fonts need larger drill windows.
    void setCaptionBarHeight(int pixels) { captionBarHeight_ = pixels; }
    int captionBarHeight() const { return captionBarHeight_; }

    // The deck runner, after a successful load: first selection and first question.
    void start();
    // The editor's single-pair run: CurrentPair is shown once, not graded, and the editor
    // comes back when the answer window goes.
    void runEditorPair();
    // Hides the window in use without moving the drill on (the deck was closed, or the
    // editor or printing takes over).
    void hideWindows();
    // Shows the window in use again with the current settings and pair.
    void redisplay();
    // The editor closed: the question window shows CurrentPair again, without a new
    // selection, while the drill is active.
    void showQuestionAgain();
    // The options dialog stops the timers while it is open.
    void setTimersRunning(bool running) { timersRunning_ = running; }

    DrillScreen screen() const { return state_.screen; }
    const QuestionView& question() const { return question_; }
    const AnswerView& answer() const { return answer_; }
    const DrillWindowsState& state() const { return state_; }

    // Question window.
    void displayAnswer();
    // '1'..'6', 'A' (all of the above) or 'N' (none of the above).
    void chooseAnswer(char choice);
    void checkFillIn(std::string_view reply);
    void hintClick();

    // Answer window.
    void markCorrect();
    void markIncorrect();
    void showNextQuestion();
    void tryAgain();
    void togglePriorityList();
    void toggleDisabled();
    void commentClick();
    void stopAutoPilot();

    // Question window, after a grade: takes the grade back and asks that pair again, or
    // says that there is nothing to undo. One grade only.
    void undoLastGrade();
    bool gradeUndoable() const { return lastGrade_.has_value(); }

    // The editor deleted a pair (from its window or the main menu) and loaded the deck again:
    // until a grade, or a load, close or other change of the pairs or their texts, Ctrl+Z
    // can put it back. Replaces a delete remembered before.
    void rememberDeletedPair(DeletedPair deleted);
    // While the question window is in use and the editor is not.
    bool deleteUndoable() const;
    // Ctrl+Z, the pop-up item and the terminal's :u: takes back the delete when one can be,
    // else the last grade. A grade forgets the delete and a delete the grade, so this is
    // always the later of the two.
    void undo();
    // The pop-up item's caption for what undo() takes back.
    std::string_view undoCaption() const;

    // Either window.
    void tick();
    // Whether the window on screen needs its tick: a drill timer or the autopilot counts,
    // or a verdict picture blinks. Otherwise no timer need wake the program.
    bool tickNeeded() const;
    void goToPair();
    void resetStatusBar();
    // The window's close button; false when the window refuses to close.
    bool closeWindow();
    // The window in use was moved or resized by the user.
    void windowGeometryChanged(Rect geometry) { geometry_ = geometry; }

  private:
    void showQuestion(bool posted = false);
    void leaveQuestion();
    void hideQuestion();
    void showAnswer();
    void hideAnswer();
    void storeGeometry();
    void checkSideFiles(DrillWindowView& view);
    void closeDeck();
    void questionTick();
    void answerTick();
    // The window in use becomes `window` (None: no window), telling the observer.
    void enterScreen(DrillScreen window, bool posted = false);
    void leaveScreen();
    void forgetLastGrade() { lastGrade_.reset(); }
    // The question window again, over the deck as an undo left it, and the change saved.
    void showRestored(const std::function<void()>& restore);

    Program& program_;
    DrillEngine& engine_;
    DrillWindowsState state_;
    QuestionView question_;
    AnswerView answer_;
    Rect geometry_;
    int captionBarHeight_ = 22;
    bool timersRunning_ = true;
    DrillWindowObserver* observer_ = nullptr;
    // How things stood before the grade that led to the question on show.
    std::optional<GradeSnapshot> lastGrade_;
    std::optional<DeletedPair> lastDelete_;
};

}  // namespace cardwise
