#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "cli/line_input.h"
#include "cli/terminal_ui.h"
#include "core/drill/drill_engine.h"
#include "core/drill/run_control.h"
#include "core/editor/editor_controller.h"
#include "core/media/file_validation.h"
#include "core/platform/front_end.h"

namespace cardwise::cli {

// The drill windows on a terminal. Each window prints its caption, a status line
// "Pair <n> | ...", its text and its keys, then a prompt ending in "> "; each line typed is
// one click, key or reply. The layout is a contract that scripts rely on.
class TerminalDrill : public NoFrontEnd {
  public:
    TerminalDrill(Program& program, DrillEngine& engine, TerminalUserInterface& ui,
                  LineInput& input, std::ostream& out, bool timers);

    DrillController& controller() { return controller_; }

    // Runs the drill of a deck that was just opened until the deck is closed or the input
    // ends; answers the exit status.
    int run();

    // The hand-overs a terminal has: the drill windows and the deck commands they use.
    void RunDKSFile() override { controller_.start(); }
    void closeDrillWindows() override { controller_.hideWindows(); }
    void closeDeck() override;
    void editQAFile() override;

  private:
    struct Shown {
        DrillScreen screen;
        std::int32_t pair;
        bool operator==(const Shown&) const = default;
    };
    Shown shown() const;

    void notAKey(const std::string& line);
    void render();
    void renderQuestion();
    void renderAnswer();
    void printMedia(const std::string& picture, const std::string& media);
    void prompt();

    // One typed line; false when the drill is over.
    bool handle(const std::string& line);
    bool handleCommand(const std::string& line);
    void handleQuestion(const std::string& line);
    void handleAnswer(const std::string& line);
    void quit();
    // A termination signal came: the deck is closed and saved without any question.
    void endSession();

    Program& program_;
    TerminalUserInterface& ui_;
    LineInput& input_;
    std::ostream& out_;
    bool timers_;
    DrillController controller_;
    // No window: only the main menu's delete, which writes and reloads the deck.
    EditorController editor_;
    bool closed_ = false;
    bool saveFailed_ = false;
    bool redraw_ = false;  // the window changed without moving on
};

}  // namespace cardwise::cli
