#pragma once

#include <string>

#include "core/content/pair_view.h"
#include "core/deck/deck_session.h"
#include "core/drill/drill_flags.h"
#include "core/drill/selector_state.h"
#include "core/editor/editor_state.h"
#include "core/platform/front_end.h"
#include "core/platform/platform.h"
#include "core/shell/shell_state.h"
#include "core/study/study_state.h"

namespace cardwise {

// Owner of every program-wide record; created once at start and passed by reference. The
// deck's part is its DeckSession base, which the deck room's functions take.
struct Program final : DeckSession {
    explicit Program(const Platform& services) : DeckSession(services) {
        deck.Today = platform.clock.today();
    }
    // Windows and controllers hold on to the one Program; a copy would split its state.
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Program(Program&&) = delete;
    Program& operator=(Program&&) = delete;

    DrillFlags drill;
    RunRestartFlags restart;
    SelectorState selector;
    PairView view;
    ShellState shell;
    StudyState study;
    EditorState editor;

    // Where the program and its EXAMPLES folder live.
    std::string programDirectory;
    // The user's data folder ($XDG_DATA_HOME/cardwise); Demo drills a copy of the example
    // deck kept there. Empty for a portable copy, which drills the example deck in place.
    std::string userDataDirectory;

    // The print dialog's choices of the last print in this run; empty until then.
    std::string PrintSettings;

    // A deck was loaded (true) or closed (false): the commands that need one follow, and
    // the front end renders its menu again whichever path got here.
    void setDeckOpen(bool open) {
        shell.deckOpen = open;
        shell.deckMenus.setAll(open);
        frontEnd().mainMenuChanged();
    }

    void pairsReEnabled() override { drill.RunComplete = true; }

    // The windows the core hands work over to; ignored until the front end attaches its own.
    FrontEnd& frontEnd() { return *frontEnd_; }
    void attachFrontEnd(FrontEnd& windows) { frontEnd_ = &windows; }

  private:
    NoFrontEnd noFrontEnd_;
    FrontEnd* frontEnd_ = &noFrontEnd_;
};

}  // namespace cardwise
