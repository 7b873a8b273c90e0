#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cardwise {

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
    // Decks handed over by later starts while a box or dialog was open, oldest first.
    std::vector<std::string> pendingHandOvers;
};

}  // namespace cardwise
