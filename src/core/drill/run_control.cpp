#include "core/drill/run_control.h"

#include <cctype>
#include <limits>

#include "core/drill/drill_engine.h"
#include "core/drill/drill_window_texts.h"
#include "core/drill/pair_toggles.h"
#include "core/drill/side_picture.h"
#include "core/media/file_validation.h"
#include "core/media/picture_view.h"
#include "core/program.h"
#include "core/shell/deck_save.h"

namespace cardwise {

std::optional<std::int64_t> parsePairNumber(std::string_view entry) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!entry.empty() && isBlank(entry.front())) entry.remove_prefix(1);
    while (!entry.empty() && isBlank(entry.back())) entry.remove_suffix(1);
    bool negative = false;
    if (!entry.empty() && (entry.front() == '+' || entry.front() == '-')) {
        negative = entry.front() == '-';
        entry.remove_prefix(1);
    }
    if (entry.empty()) return std::nullopt;
    constexpr std::int64_t kCap = std::numeric_limits<std::int32_t>::max() + std::int64_t{1};
    std::int64_t value = 0;
    for (char c : entry) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        // Anything past the 32-bit range is simply too large for a deck.
        if (value < kCap) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

DrillController::DrillController(Program& program, DrillEngine& engine)
    : program_(program), engine_(engine) {}

void DrillController::start() {
    forgetLastGrade();
    lastDelete_.reset();
    DrillFlags& f = program_.drill;
    f.DrillActive = true;
    f.RunStarting = true;
    f.RunComplete = false;
    f.EditorTestRun = false;
    const bool chosen = engine_.selectNextPair(program_);
    if (f.ReturnToPair && program_.deck.validPair(f.ReturnPair)) {
        program_.deck.CurrentPair = f.ReturnPair;
    }
    f.RunStarting = false;
    // A deck named on the command line opens before the front end is up; its first window
    // is handed over as a posted show.
    const bool posted = f.DeferredFirstShow;
    f.DeferredFirstShow = false;
    if (!chosen) {
        closeDeck();
        return;
    }
    showQuestion(posted);
}

void DrillController::runEditorPair() {
    hideWindows();
    forgetLastGrade();
    program_.drill.EditorTestRun = true;
    program_.drill.DrillActive = true;
    showQuestion();
}

void DrillController::hideWindows() {
    // Whatever takes over (a close, the editor, printing) may change what a grade restored.
    forgetLastGrade();
    if (state_.screen == DrillScreen::None) return;
    storeGeometry();
    if (state_.screen == DrillScreen::Question) program_.drill.TryAgainPending = false;
    leaveScreen();
}

void DrillController::showQuestionAgain() {
    if (program_.drill.DrillActive) showQuestion();
}

void DrillController::redisplay() {
    // A dialog may have changed the settings or the learning state the grade was made in.
    forgetLastGrade();
    if (state_.screen == DrillScreen::Question)
        showQuestion();
    else if (state_.screen == DrillScreen::Answer)
        showAnswer();
}

// ---- question window ------------------------------------------------------------------

void DrillController::enterScreen(DrillScreen window, bool posted) {
    state_.screen = window;
    if (observer_ && window != DrillScreen::None) observer_->showWindow(window, posted);
}

void DrillController::leaveScreen() {
    const DrillScreen was = state_.screen;
    state_.screen = DrillScreen::None;
    if (observer_ && was != DrillScreen::None) observer_->hideWindow(was);
}

void DrillController::showQuestion(bool posted) {
    DeckState& deck = program_.deck;
    // A faulty pair is skipped at the user's word; at most once round the deck.
    for (std::int32_t skipped = 0;; ++skipped) {
        if (!deck.validPair(deck.CurrentPair)) {
            if (deck.PairCount < 1) {
                leaveScreen();
                return;
            }
            deck.CurrentPair = 1;
        }
        const bool shown =
            buildQuestionView(program_, engine_, state_, question_, captionBarHeight_);
        state_.questionTicks = 0;
        geometry_ = question_.placement;
        if (shown) {
            checkSideFiles(question_);
            enterScreen(DrillScreen::Question, posted);
            return;
        }

        UserInterface& ui = program_.ui();
        const Button choice =
            ui.messageBox(kQuestionSyntaxErrorCaption, questionSyntaxErrorText(deck.CurrentPair),
                          Icon::Error, Buttons::OkCancel);
        if (choice == Button::Ok) {
            ui.messageBox(kQuestionSyntaxErrorCaption, "Open NotePad To Fix Problem", Icon::Error,
                          Buttons::OkCancel);
            program_.frontEnd().editQAFile();
            // The window shows what it held before.
            enterScreen(DrillScreen::Question, posted);
            return;
        }
        ui.messageBox(kQuestionSyntaxErrorCaption,
                      "Just Bypass The Answer And Go To The Next Question...", Icon::Error,
                      Buttons::OkCancel);
        if (skipped >= deck.PairCount) {
            enterScreen(DrillScreen::Question, posted);
            return;
        }
        if (!engine_.selectNextPair(program_)) {
            closeDeck();
            return;
        }
    }
}

void DrillController::hideQuestion() {
    // The question after the grade has been answered or left: the grade stands.
    forgetLastGrade();
    storeGeometry();
    leaveScreen();
    program_.drill.TryAgainPending = false;
    const DrillFlags& f = program_.drill;
    if (f.DrillActive && !f.JumpingToPair && program_.settings.QOnly != 1) showAnswer();
}

void DrillController::leaveQuestion() {
    hideQuestion();
    DrillFlags& f = program_.drill;
    if (program_.settings.QOnly != 1 || !f.DrillActive) return;
    if (f.EditorTestRun) {
        // The editor's single pair is done; there is no next one to ask.
        f.EditorTestRun = false;
        program_.frontEnd().returnToEditor();
        return;
    }
    if (!engine_.selectNextPair(program_)) {
        closeDeck();
        return;
    }
    showQuestion();
}

void DrillController::displayAnswer() {
    if (state_.screen != DrillScreen::Question) return;
    leaveQuestion();
}

void DrillController::chooseAnswer(char choice) {
    if (state_.screen != DrillScreen::Question) return;
    if (question_.panel != QuestionPanel::MultipleChoice) return;
    const bool numbered = choice >= '1' && choice <= '6' &&
                          question_.choiceButtons[static_cast<std::size_t>(choice - '1')];
    if (!numbered && choice != 'A' && choice != 'N') return;
    state_.UserReply = std::string(1, choice);
    leaveQuestion();
}

void DrillController::checkFillIn(std::string_view reply) {
    if (state_.screen != DrillScreen::Question) return;
    if (question_.panel != QuestionPanel::FillIn) return;
    state_.UserReply = std::string(reply);
    state_.FillInEntry = std::string(reply);
    leaveQuestion();
}

void DrillController::hintClick() {
    if (state_.screen != DrillScreen::Question || !question_.hintEnabled) return;
    showNextNote(program_.ui(), question_.hints, state_.HintIndex, kHintCaptions);
}

// ---- answer window --------------------------------------------------------------------

void DrillController::showAnswer() {
    buildAnswerView(program_, engine_, state_, answer_, captionBarHeight_);
    state_.answerTicks = 0;
    geometry_ = answer_.placement;
    checkSideFiles(answer_);
    enterScreen(DrillScreen::Answer);
}

// Once per show of a side: a redraw of the same window must not repeat the boxes.
void DrillController::checkSideFiles(DrillWindowView& view) {
    const FileLookupPlaces places = sideFilePlaces(program_);
    auto check = [&](MediaKind kind, const std::string& reference) -> std::string {
        if (reference.empty()) return {};
        return checkedReferencedFile(program_.ui(), program_.files(), places, kind, reference)
            .value_or("");
    };
    view.pictureFile = check(MediaKind::Picture, view.picturePath);
    view.mediaFile = check(MediaKind::AudioVideo, view.mediaPath);
    view.pictureFit = pictureViewFor(view.pictureFile, program_.settings.NoScale).fit;
}

void DrillController::hideAnswer() {
    storeGeometry();
    leaveScreen();
    DrillFlags& f = program_.drill;
    std::optional<GradeSnapshot> beforeGrade;
    if (!f.TryAgainPending && f.DrillActive && !f.EditorTestRun) {
        // No timer may write the file while a grade and its selection are half done (their
        // boxes run the event loop).
        const SaveHold hold(program_.document);
        // After Go To Pair CurrentPair is already the pair jumped to, which must not take
        // the grade; the pair left behind goes ungraded, as if skipped.
        if (program_.settings.AutoPilot != 1 && !f.SkipNextSelection) {
            beforeGrade = takeGradeSnapshot(program_);
            // The grade is the later change now; its undo goes first and alone.
            lastDelete_.reset();
            if (state_.AnswerCorrect)
                engine_.gradeCorrect(program_);
            else
                engine_.gradeIncorrect(program_);
        }
        if (f.JumpingToPair || f.SkipNextSelection) {
            f.SkipNextSelection = false;
        } else if (!engine_.selectNextPair(program_)) {
            closeDeck();
            return;
        }
    }
    // After the selection, so that a run resumed from the file goes on where this one is.
    if (beforeGrade) saveSoon(program_);
    if (f.DrillActive && !f.JumpingToPair && !f.EditorTestRun) {
        showQuestion();
        if (beforeGrade && state_.screen == DrillScreen::Question) {
            lastGrade_ = std::move(beforeGrade);
        }
    }
    if (f.EditorTestRun) {
        f.EditorTestRun = false;
        program_.frontEnd().returnToEditor();
    }
}

void DrillController::markCorrect() {
    if (state_.screen != DrillScreen::Answer || answer_.panel != AnswerPanel::UserGrades) return;
    state_.AnswerCorrect = true;
    hideAnswer();
}

void DrillController::markIncorrect() {
    if (state_.screen != DrillScreen::Answer || answer_.panel != AnswerPanel::UserGrades) return;
    state_.AnswerCorrect = false;
    hideAnswer();
}

void DrillController::showNextQuestion() {
    if (state_.screen != DrillScreen::Answer || answer_.panel != AnswerPanel::Judged) return;
    hideAnswer();
}

void DrillController::tryAgain() {
    if (state_.screen != DrillScreen::Answer) return;
    program_.drill.TryAgainPending = true;
    hideAnswer();
}

void DrillController::togglePriorityList() {
    if (state_.screen != DrillScreen::Answer || !answer_.listEnabled) return;
    std::optional<std::string> caption = engine_.togglePriorityList(program_);
    if (!caption) return;
    answer_.listCaption = *caption;
    const std::int32_t flags = program_.deck.learningOf(program_.deck.CurrentPair).ListFlags;
    answer_.status.pairNumberColours = pairNumberColours(flags);
}

void DrillController::toggleDisabled() {
    if (state_.screen != DrillScreen::Answer) return;
    std::optional<std::string> caption = engine_.toggleDisabled(program_);
    if (caption) answer_.disableCaption = *caption;
}

void DrillController::commentClick() {
    if (state_.screen != DrillScreen::Answer || !answer_.commentEnabled) return;
    showNextNote(program_.ui(), answer_.comments, state_.CommentIndex, kCommentCaptions);
}

void DrillController::stopAutoPilot() {
    if (state_.screen != DrillScreen::Answer || !answer_.autopilotPictures) return;
    program_.settings.AutoPilot = 0;
    answer_.autopilotPictures = false;
}

// ---- both windows ---------------------------------------------------------------------

void DrillController::tick() {
    if (!timersRunning_) return;
    if (state_.screen == DrillScreen::Question)
        questionTick();
    else if (state_.screen == DrillScreen::Answer)
        answerTick();
}

bool DrillController::tickNeeded() const {
    const DeckSettings& s = program_.settings;
    const bool autopilot = s.AutoPilot == 1 && s.questionMode() != 4;
    switch (state_.screen) {
        case DrillScreen::Question:
            return autopilot || s.UseTimer == 1;
        case DrillScreen::Answer:
            return autopilot || answer_.judged;
        case DrillScreen::None:
            break;
    }
    return false;
}

void DrillController::questionTick() {
    const DeckSettings& s = program_.settings;
    // One step per tick at most: the window may already have been left.
    if (s.AutoPilot == 1 && s.questionMode() != 4) {
        if (++state_.questionTicks > s.AutoQTime) {
            leaveQuestion();
            return;
        }
    }
    if (s.UseTimer == 1) {
        if (++state_.questionTicks > s.NumSeconds) leaveQuestion();
    }
}

void DrillController::answerTick() {
    const DeckSettings& s = program_.settings;
    const int ticks = ++state_.answerTicks;
    if (s.AutoPilot == 1 && s.questionMode() != 4) {
        answer_.autopilotPictures = ticks % 2 == 1;
        if (ticks > s.AutoATime) hideAnswer();
        return;
    }
    answer_.autopilotPictures = false;
    if (answer_.judged) {
        const bool visible = ticks % 2 == 0;
        answer_.correctPicture = visible && state_.AnswerCorrect;
        answer_.incorrectPicture = visible && !state_.AnswerCorrect;
    }
}

void DrillController::goToPair() {
    if (state_.screen == DrillScreen::None) return;
    UserInterface& ui = program_.ui();
    std::optional<std::string> entry = ui.inputBox(kGoToPairCaption, kGoToPairPrompt, "");
    if (!entry) return;
    std::optional<std::int64_t> number = parsePairNumber(*entry);
    if (!number) return;
    DeckState& deck = program_.deck;
    if (*number == deck.CurrentPair) return;
    if (*number < 1 || *number > deck.PairCount) {
        ui.message(kAppTitle, kGoToPairRange, Icon::None);
        return;
    }
    deck.CurrentPair = static_cast<std::int32_t>(*number);
    DrillFlags& f = program_.drill;
    if (state_.screen == DrillScreen::Question) {
        f.JumpingToPair = true;
        hideQuestion();
        showQuestion();
        f.JumpingToPair = false;
    } else {
        f.SkipNextSelection = true;
        hideAnswer();
    }
}

void DrillController::undoLastGrade() {
    if (!lastGrade_ || state_.screen != DrillScreen::Question) {
        program_.ui().message(kUndoGradeCaption, kNothingToUndoText, Icon::Information);
        return;
    }
    const GradeSnapshot before = std::move(*lastGrade_);
    lastGrade_.reset();
    showRestored([&] { restoreGradeSnapshot(program_, before); });
}

void DrillController::showRestored(const std::function<void()>& restore) {
    storeGeometry();
    leaveScreen();
    program_.drill.TryAgainPending = false;
    restore();
    saveSoon(program_);
    showQuestion();
}

void DrillController::rememberDeletedPair(DeletedPair deleted) {
    forgetLastGrade();
    deleteFinished(program_, deleted);
    lastDelete_ = std::move(deleted);
}

bool DrillController::deleteUndoable() const {
    return lastDelete_ && state_.screen == DrillScreen::Question && !program_.editor.shown &&
           !program_.drill.EditorTestRun && deletedPairRestorable(program_, *lastDelete_);
}

void DrillController::undo() {
    if (!deleteUndoable()) {
        undoLastGrade();
        return;
    }
    const DeletedPair deleted = std::move(*lastDelete_);
    lastDelete_.reset();
    showRestored([&] { restoreDeletedPair(program_, deleted); });
}

std::string_view DrillController::undoCaption() const {
    return deleteUndoable() ? kMenuUndoDelete : kMenuUndoGrade;
}

void DrillController::resetStatusBar() {
    // The counts an undo would give back are gone.
    forgetLastGrade();
    if (state_.screen == DrillScreen::Question) {
        resetSessionStatistics(program_, question_.status);
    } else if (state_.screen == DrillScreen::Answer) {
        resetSessionStatistics(program_, answer_.status);
    }
}

bool DrillController::closeWindow() {
    if (state_.screen == DrillScreen::None) return true;
    if (program_.drill.EditorTestRun) return false;
    hideWindows();
    if (program_.drill.DrillActive) closeDeck();
    return true;
}

void DrillController::storeGeometry() {
    DeckSettings& s = program_.settings;
    if (state_.screen == DrillScreen::Question) {
        s.QLeft = geometry_.left;
        s.QTop = geometry_.top;
        s.QHeight = geometry_.height;
        s.QWidth = geometry_.width;
    } else if (state_.screen == DrillScreen::Answer) {
        s.ALeft = geometry_.left;
        s.ATop = geometry_.top;
        s.AHeight = geometry_.height;
        s.AWidth = geometry_.width;
    }
}

void DrillController::closeDeck() {
    forgetLastGrade();
    leaveScreen();
    program_.frontEnd().closeDeck();
    program_.drill.DrillActive = false;
}

}  // namespace cardwise
