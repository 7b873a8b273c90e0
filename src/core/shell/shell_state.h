#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace cardwise {

struct Program;
class ExternalEditor;

inline constexpr int kRecentSlots = 9;

// The deck commands that need an open deck; the main window enables its menu items from
// these.
struct DeckMenus {
    bool FileSaveAs = false;
    bool FileStatistics = false;
    bool FileExitQA = false;
    bool PrintPairs = false;
    bool Edit1 = false;
    bool Options1 = false;

    void setAll(bool enabled) {
        FileSaveAs = FileStatistics = FileExitQA = PrintPairs = Edit1 = Options1 = enabled;
    }
    bool operator==(const DeckMenus&) const = default;
};

// One of the UsedFile1..UsedFile9 menu items. An item keeps its caption once set.
struct RecentMenuItem {
    std::string caption;
    bool visible = false;
};

// Values of the application settings file besides the three directory settings, which
// live in DeckSettings because the deck's settings writer writes them.
struct AppSettingsValues {
    std::int32_t MainLeft = 10;
    std::int32_t MainTop = 10;
    std::int32_t MainWidth = 535;
    std::int32_t MainHeight = 240;
    std::int32_t AutoSavePair = 0;
    std::int32_t AutoResetPage = 1;
    std::int32_t FileSaveI = 0;
};

// Where the deck commands hand over to parts that live elsewhere (the drill engine, the
// windows). An empty hook does nothing, which is what a front end without that part wants.
struct DeckHooks {
    // Starts the drill on the deck just loaded (the deck runner). Called with DrillActive
    // set and the selector's shuffle table marked for refilling.
    std::function<void(Program&)> RunDKSFile;
    // Closes the question and answer windows when a deck is closed.
    std::function<void(Program&)> closeDrillWindows;
    // Closes the editor window when a deck is closed after the editor was used.
    std::function<void(Program&)> closeEditor;
    // Shows the editor on a new deck; CurrentPair is already 1 and EditorUsed is set.
    // rememberedPair is the pair the drill was on before.
    std::function<void(Program&, std::int32_t rememberedPair)> showEditor;
};

// State of the application shell: application settings, recent decks, deck menus.
struct ShellState {
    AppSettingsValues app;
    // Slot 1 (index 0) is the most recent deck; empty strings are empty slots.
    std::array<std::string, kRecentSlots> recentFiles;
    std::array<RecentMenuItem, kRecentSlots> recentMenu;
    DeckMenus deckMenus;
    // A deck is loaded and will be saved when closed. Unlike DrillActive it stays set when
    // the drill stops or when saving the deck failed.
    bool deckOpen = false;
    // The user's text editor; none makes the commands that need one say so.
    ExternalEditor* editor = nullptr;
    DeckHooks hooks;
};

}  // namespace cardwise
