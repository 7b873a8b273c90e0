#pragma once

#include <string>

#include "core/content/pair_view.h"
#include "core/deck/deck_settings.h"
#include "core/deck/deck_state.h"
#include "core/drill/drill_flags.h"
#include "core/drill/selector_state.h"
#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/platform/random_source.h"
#include "core/platform/user_interface.h"
#include "core/profile/profile.h"
#include "core/shell/shell_state.h"

namespace cardwise {

// The services the core reaches the outside world through.
struct Platform {
    UserInterface& ui;
    Clock& clock;
    RandomSource& random;
    FileSystem& files;
};

// Owner of every program-wide record; created once at start and passed by reference.
struct Program {
    explicit Program(Platform services) : platform(services) {
        deck.Today = platform.clock.today();
    }

    Platform platform;

    DeckState deck;
    DeckSettings settings;
    DrillFlags drill;
    RunRestartFlags restart;
    SelectorState selector;
    PairView view;
    ShellState shell;

    // The deck's folder, standing in for the process's current directory.
    std::string currentDirectory;
    // Where the program and its EXAMPLES folder live.
    std::string programDirectory;
    // The application settings file (CARDWISE.INI).
    ProfileFile appSettings;
    // The open deck's setup data file (.DKD), bound by bindSetupFile().
    ProfileFile setupFile;

    bool NotePadOpen = false;

    // Binds setupFile to deck.SetupFileName; keys new to the file go ahead of the status
    // lines so that those stay last.
    void bindSetupFile() {
        setupFile = ProfileFile(platform.files, deck.SetupFileName);
        setupFile.edit().setNewKeysBefore(isStatusLine);
        setupFile.reload();
    }

    UserInterface& ui() { return platform.ui; }
    FileSystem& files() { return platform.files; }
};

}  // namespace cardwise
