#pragma once

#include <string>

#include "core/content/pair_view.h"
#include "core/deck/deck_document.h"
#include "core/deck/deck_lock.h"
#include "core/deck/deck_settings.h"
#include "core/deck/disk_stamps.h"
#include "core/deck/deck_state.h"
#include "core/drill/drill_flags.h"
#include "core/drill/selector_state.h"
#include "core/editor/editor_state.h"
#include "core/platform/clipboard.h"
#include "core/platform/clock.h"
#include "core/platform/external_editor.h"
#include "core/platform/file_system.h"
#include "core/platform/front_end.h"
#include "core/platform/help_viewer.h"
#include "core/platform/image_decoder.h"
#include "core/platform/media_player.h"
#include "core/platform/printer.h"
#include "core/platform/process_identity.h"
#include "core/platform/random_source.h"
#include "core/platform/user_interface.h"
#include "core/profile/profile.h"
#include "core/shell/shell_state.h"
#include "core/study/study_state.h"

namespace cardwise {

// Every service the core reaches the outside world through, built by the front end before
// the Program. A front end that lacks one passes its null object (NoClipboard,
// NoExternalEditor, NoHelpViewer, NoImageDecoder, NoMediaPlayer). The page device joins
// here when its part is built.
struct Platform {
    UserInterface& ui;
    Clock& clock;
    RandomSource& random;
    FileSystem& files;
    Clipboard& clipboard;
    ExternalEditor& editor;
    HelpViewer& help;
    ImageDecoder& images;
    MediaPlayer& media;
    // Front ends that print pass their own; the others share the stateless one that
    // never prints.
    Printer& printer = noPrinter();
    // Who this program is, for the lock file of the deck it opens.
    ProcessIdentity& process = thisProcess();

    static Printer& noPrinter() {
        static NoPrinter none;
        return none;
    }
    static ProcessIdentity& thisProcess() {
        static SystemProcessIdentity self;  // stateless: asks the system each time
        return self;
    }
};

// The optional services for a front end that has none of them (a terminal, a fuzz target):
// nothing is copied, no editor starts, no help shows.
struct AbsentServices {
    NoClipboard clipboard;
    NoExternalEditor editor;
    NoHelpViewer help;
    NoImageDecoder images;
    NoMediaPlayer media;

    Platform platform(UserInterface& ui, Clock& clock, RandomSource& random, FileSystem& files) {
        return Platform{.ui = ui,
                        .clock = clock,
                        .random = random,
                        .files = files,
                        .clipboard = clipboard,
                        .editor = editor,
                        .help = help,
                        .images = images,
                        .media = media};
    }
};

// Owner of every program-wide record; created once at start and passed by reference.
struct Program {
    explicit Program(const Platform& services) : platform(services) {
        deck.Today = platform.clock.today();
    }
    // Windows and controllers hold on to the one Program; a copy would split its state.
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Program(Program&&) = delete;
    Program& operator=(Program&&) = delete;

    Platform platform;

    // The open deck; deck, settings and setupFile are its parts under their usual names.
    DeckDocument document;
    DeckState& deck = document.state;
    DeckSettings& settings = document.settings;
    ProfileFile& setupFile = document.setupFile;
    DrillFlags drill;
    RunRestartFlags restart;
    SelectorState selector;
    PairView view;
    ShellState shell;
    StudyState study;
    EditorState editor;
    // The open deck's lock file; released when the deck is freed and when the Program ends.
    DeckLock lock{platform.files, platform.process};
    // The deck's files as last read or written.
    DiskStamps stamps;

    // The deck's folder, standing in for the process's current directory.
    std::string currentDirectory;
    // Where the program and its EXAMPLES folder live.
    std::string programDirectory;
    // The user's data folder ($XDG_DATA_HOME/cardwise); Demo drills a copy of the example
    // deck kept there. Empty for a portable copy, which drills the example deck in place.
    std::string userDataDirectory;
    // The application settings file (CARDWISE.INI).
    ProfileFile appSettings;
    bool NotePadOpen = false;

    // The print dialog's choices of the last print in this run; empty until then.
    std::string PrintSettings;

    // Binds setupFile to deck.SetupFileName; keys new to the file go ahead of the status
    // lines so that those stay last.
    void bindSetupFile() {
        setupFile = ProfileFile(platform.files, deck.SetupFileName);
        setupFile.setNewKeysBefore(isStatusLine);
    }

    // A deck was loaded (true) or closed (false): the commands that need one follow, and
    // the front end renders its menu again whichever path got here.
    void setDeckOpen(bool open) {
        shell.deckOpen = open;
        shell.deckMenus.setAll(open);
        frontEnd().mainMenuChanged();
    }

    // Where the core's boxes go: the user, or the stand-in that answers them while nobody
    // is there (session end).
    UserInterface& ui() { return standIn_ != nullptr ? *standIn_ : platform.ui; }
    void divertBoxes(UserInterface* standIn) { standIn_ = standIn; }
    FileSystem& files() { return platform.files; }

    // The windows the core hands work over to; ignored until the front end attaches its own.
    FrontEnd& frontEnd() { return *frontEnd_; }
    void attachFrontEnd(FrontEnd& windows) { frontEnd_ = &windows; }

  private:
    NoFrontEnd noFrontEnd_;
    FrontEnd* frontEnd_ = &noFrontEnd_;
    UserInterface* standIn_ = nullptr;
};

}  // namespace cardwise
