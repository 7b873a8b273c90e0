#pragma once

#include <string>

#include "core/deck/deck_document.h"
#include "core/deck/deck_lock.h"
#include "core/deck/deck_settings.h"
#include "core/deck/deck_state.h"
#include "core/deck/disk_stamps.h"
#include "core/platform/platform.h"
#include "core/profile/profile.h"

namespace cardwise {

// The part of the program the deck room works on: the open deck, its files and the services
// they are read and written through. The Program is one; the deck's functions take only this,
// so that they need nothing of the rooms above.
struct DeckSession {
    explicit DeckSession(const Platform& services) : platform(services) {}
    DeckSession(const DeckSession&) = delete;
    DeckSession& operator=(const DeckSession&) = delete;
    DeckSession(DeckSession&&) = delete;
    DeckSession& operator=(DeckSession&&) = delete;

    Platform platform;

    // The open deck; deck, settings and setupFile are its parts under their usual names.
    DeckDocument document;
    DeckState& deck = document.state;
    DeckSettings& settings = document.settings;
    ProfileFile& setupFile = document.setupFile;
    // The open deck's lock file; released when the deck is freed and when the Program ends.
    DeckLock lock{platform.files, platform.process};
    // The deck's files as last read or written.
    DiskStamps stamps;

    // The deck's folder, standing in for the process's current directory.
    std::string currentDirectory;
    // The application settings file (CARDWISE.INI).
    ProfileFile appSettings;
    bool NotePadOpen = false;

    // Binds setupFile to deck.SetupFileName; keys new to the file go ahead of the status
    // lines so that those stay last.
    void bindSetupFile() {
        setupFile = ProfileFile(platform.files, deck.SetupFileName);
        setupFile.setNewKeysBefore(isStatusLine);
    }

    // Where the core's boxes go: the user, or the stand-in that answers them while nobody
    // is there (session end).
    UserInterface& ui() { return standIn_ != nullptr ? *standIn_ : platform.ui; }
    void divertBoxes(UserInterface* standIn) { standIn_ = standIn; }
    FileSystem& files() { return platform.files; }

    // Every disabled pair was enabled again: the drill starts a new run (its RunComplete).
    virtual void pairsReEnabled() = 0;

  protected:
    ~DeckSession() = default;

  private:
    UserInterface* standIn_ = nullptr;
};

}  // namespace cardwise
