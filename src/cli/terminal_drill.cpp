#include "cli/terminal_drill.h"

#include <cctype>
#include <ostream>

#include "cli/cli_environment.h"
#include "cli/terminal_text.h"
#include "core/deck/notepad_edit.h"
#include "core/drill/drill_window_texts.h"
#include "core/program.h"
#include "core/shell/deck_close.h"
#include "core/shell/session_end.h"

namespace cardwise::cli {
namespace {

constexpr int kTickMs = 1000;

// A button caption without its access-key marks: "&&" shows one '&'.
std::string withoutAccessKeys(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

std::string statusLine(const StatusFields& s) {
    std::string line = "Pair " + s.pairNumber;
    auto add = [&](std::string_view label, const std::string& value) {
        if (value.empty()) return;
        line += " | ";
        line += label;
        line += value;
    };
    add("", s.category);
    add("Left ", s.left);
    add("Total ", s.total);
    add("Correct ", s.correct);
    add("Incorrect ", s.incorrect);
    add("", s.percent);
    return line;
}

std::string trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

char keyOf(const std::string& line) {
    std::string word = trimmed(line);
    if (word.size() != 1) return '\0';
    return static_cast<char>(std::tolower(static_cast<unsigned char>(word.front())));
}

}  // namespace

TerminalDrill::TerminalDrill(Program& program, DrillEngine& engine, TerminalUserInterface& ui,
                             LineInput& input, std::ostream& out, bool timers)
    : program_(program),
      ui_(ui),
      input_(input),
      out_(out),
      timers_(timers),
      controller_(program, engine),
      editor_(program, controller_) {}

TerminalDrill::Shown TerminalDrill::shown() const {
    return Shown{controller_.screen(), program_.deck.CurrentPair};
}

void TerminalDrill::closeDeck() {
    if (closed_) return;
    saveFailed_ = !FileExitQAClick(program_);
    closed_ = true;
}

void TerminalDrill::editQAFile() {
    EditFileClick(program_);
}

int TerminalDrill::run() {
    out_ << "Keys anywhere: :q close the deck and exit, :g N go to pair N, :h next hint or "
            "comment, :r reset the status bar statistics, :d delete the pair on show, :u undo the "
            "last grade or delete\n";
    render();
    while (!closed_ && controller_.screen() != DrillScreen::None) {
        if (timers_) {
            while (!input_.waitForLine(kTickMs)) {
                Shown before = shown();
                controller_.tick();
                if (closed_ || controller_.screen() == DrillScreen::None) break;
                if (shown() != before) {
                    out_ << "\n";  // the prompt's line was left open
                    render();
                }
            }
            if (closed_ || controller_.screen() == DrillScreen::None) break;
        }
        std::optional<std::string> line = ui_.readLine();
        if (!line && input_.stopped()) {
            endSession();
            break;
        }
        if (!line) {
            quit();
            break;
        }
        if (!handle(*line)) break;
    }
    if (!closed_ && program_.shell.deckOpen) closeDeck();
    out_.flush();
    return saveFailed_ ? kExitFound : kExitOk;
}

void TerminalDrill::quit() {
    if (controller_.screen() != DrillScreen::None) controller_.closeWindow();
    if (!closed_ && program_.shell.deckOpen) closeDeck();
}

void TerminalDrill::endSession() {
    // The prompt's line was ended when the input stopped.
    SessionEndResult result = cardwise::endSession(program_);
    // Printed as the boxes of a terminal are, so that the user learns of a failed write.
    for (const UnshownBox& box : result.unshown) {
        out_ << toTerminal("[" + box.caption + "] " + box.text) << "\n";
    }
    saveFailed_ = !result.saved;
    closed_ = true;
}

bool TerminalDrill::handle(const std::string& line) {
    Shown before = shown();
    std::string word = trimmed(line);
    if (!word.empty() && word.front() == ':') {
        if (!handleCommand(word)) return false;
    } else if (controller_.screen() == DrillScreen::Question) {
        handleQuestion(line);
    } else if (controller_.screen() == DrillScreen::Answer) {
        handleAnswer(line);
    }
    if (closed_ || controller_.screen() == DrillScreen::None) return false;
    if (shown() != before || redraw_) {
        redraw_ = false;
        render();
    } else {
        prompt();
    }
    return true;
}

bool TerminalDrill::handleCommand(const std::string& word) {
    std::string command = word.substr(0, word.find(' '));
    std::size_t space = word.find(' ');
    std::string argument = space == std::string::npos ? "" : trimmed(word.substr(space));
    if (command == ":q") {
        quit();
        return false;
    }
    if (command == ":g") {
        if (!argument.empty()) ui_.answerNextInputBox(argument);
        controller_.goToPair();
        redraw_ = true;
    } else if (command == ":h") {
        if (controller_.screen() == DrillScreen::Question) {
            controller_.hintClick();
        } else {
            controller_.commentClick();
        }
    } else if (command == ":d") {
        // As the main menu's delete: no question asked, :u puts the pair back.
        editor_.DeleteCurrentPairClick();
        redraw_ = true;
    } else if (command == ":u") {
        controller_.undo();
        redraw_ = true;
    } else if (command == ":r") {
        controller_.resetStatusBar();
        redraw_ = true;
    } else {
        out_ << "Unknown command " << toTerminal(command) << "\n";
    }
    return true;
}

void TerminalDrill::handleQuestion(const std::string& line) {
    const QuestionView& view = controller_.question();
    const char key = keyOf(line);
    const bool empty = trimmed(line).empty();
    // Whatever moves on shows a window again, also when it shows the same pair.
    redraw_ = true;
    if (view.panel == QuestionPanel::FillIn) {
        if (empty) {
            controller_.displayAnswer();
        } else {
            controller_.checkFillIn(line);
        }
        return;
    }
    if (view.panel == QuestionPanel::MultipleChoice) {
        if (key >= '1' && key <= '6' &&
            view.choiceButtons.at(static_cast<std::size_t>(key - '1'))) {
            return controller_.chooseAnswer(key);
        }
        if (key == 'a' || key == 'n') {
            return controller_.chooseAnswer(static_cast<char>(std::toupper(key)));
        }
    }
    if (empty || key == 'd') return controller_.displayAnswer();
    notAKey(line);
}

void TerminalDrill::handleAnswer(const std::string& line) {
    const AnswerView& view = controller_.answer();
    char key = keyOf(line);
    const bool empty = trimmed(line).empty();
    redraw_ = true;
    if (view.panel == AnswerPanel::UserGrades) {
        if (empty || key == 'c') return controller_.markCorrect();
        if (key == 'i') return controller_.markIncorrect();
    } else if (empty) {
        return controller_.showNextQuestion();
    }
    if (key == 't') return controller_.tryAgain();
    if (key == 'l' && view.listEnabled) return controller_.togglePriorityList();
    if (key == 'x') return controller_.toggleDisabled();
    notAKey(line);
}

void TerminalDrill::notAKey(const std::string& line) {
    redraw_ = false;
    out_ << "Not a key of this window: " << toTerminal(trimmed(line))
         << " (the keys are listed above the prompt)\n";
}

void TerminalDrill::render() {
    if (controller_.screen() == DrillScreen::Question)
        renderQuestion();
    else if (controller_.screen() == DrillScreen::Answer)
        renderAnswer();
}

// A terminal shows neither pictures nor sounds; it names the file found when the side was
// shown, so that the user can open it.
void TerminalDrill::printMedia(const std::string& picture, const std::string& media) {
    if (!picture.empty()) out_ << "Picture: " << toTerminal(picture) << "\n";
    if (!media.empty()) out_ << "Sound: " << toTerminal(media) << "\n";
}

void TerminalDrill::renderQuestion() {
    const QuestionView& view = controller_.question();
    out_ << toTerminal(view.caption) << "\n" << toTerminal(statusLine(view.status)) << "\n";
    if (!view.memoText.empty()) out_ << toTerminal(view.memoText) << "\n";
    printMedia(view.pictureFile, view.mediaFile);
    std::string keys;
    switch (view.panel) {
        case QuestionPanel::DisplayAnswer:
            keys = "[Enter]/d " + withoutAccessKeys(kDisplayAnswerCaption);
            break;
        case QuestionPanel::FillIn:
            keys = "Type your answer and [Enter] to " + withoutAccessKeys(kCheckMyAnswerCaption) +
                   " | [Enter] alone " + withoutAccessKeys(kDisplayAnswerCaption);
            break;
        case QuestionPanel::MultipleChoice: {
            std::string numbers;
            for (std::size_t i = 0; i < view.choiceButtons.size(); ++i) {
                if (!view.choiceButtons[i]) continue;
                numbers += std::to_string(i + 1) + " ";
            }
            keys = "Choose " + numbers + "| a " + withoutAccessKeys(kAllOfTheAboveCaption) +
                   " | n " + withoutAccessKeys(kNoneOfTheAboveCaption) + " | [Enter]/d " +
                   withoutAccessKeys(kDisplayAnswerCaption);
            break;
        }
    }
    if (view.hintEnabled) keys += " | :h Hint";
    out_ << keys << "\n";
    prompt();
}

void TerminalDrill::renderAnswer() {
    const AnswerView& view = controller_.answer();
    out_ << toTerminal(view.caption) << "\n" << toTerminal(statusLine(view.status)) << "\n";
    if (!view.memoText.empty()) out_ << toTerminal(view.memoText) << "\n";
    // The autopilot grades nothing, so it shows no verdict.
    if (view.judged && program_.settings.AutoPilot != 1) {
        out_ << "Verdict: " << (controller_.state().AnswerCorrect ? "Correct" : "Incorrect")
             << "\n";
    }
    printMedia(view.pictureFile, view.mediaFile);
    std::string buttons;
    if (view.panel == AnswerPanel::UserGrades) {
        buttons = "[c] " + withoutAccessKeys(kCorrectCaption) + " (Enter) | [i] " +
                  withoutAccessKeys(kIncorrectCaption);
    } else {
        buttons = "[Enter] " + withoutAccessKeys(kShowNextQuestionCaption);
    }
    buttons += " | [t] " + withoutAccessKeys(kTryQuestionAgainCaption);
    if (view.listEnabled) buttons += " | [l] " + withoutAccessKeys(view.listCaption);
    buttons += " | [x] " + withoutAccessKeys(view.disableCaption);
    if (view.commentEnabled) buttons += " | :h Comment";
    out_ << toTerminal(buttons) << "\n";
    prompt();
}

void TerminalDrill::prompt() {
    out_ << "> " << std::flush;
}

}  // namespace cardwise::cli
