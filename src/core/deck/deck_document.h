#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "core/deck/deck_settings.h"
#include "core/deck/deck_state.h"
#include "core/profile/profile.h"

namespace cardwise {

// Changes that come faster than this reach the disk together, the last one at most this
// long after it was made.
inline constexpr std::int64_t kLearningSaveIntervalMs = 3000;

// The open deck as the user changes it: everything a save writes (the pairs with the
// editor's store, the learning records, the settings and the setup profile they are written
// through) and one revision counter that every change bumps. Whether the deck needs saving
// is decided here and nowhere else.
class DeckDocument {
  public:
    DeckState state;
    DeckSettings settings;
    ProfileFile setupFile;

    // Learning state or a setting the setup data file keeps changed.
    void markChanged() {
        ++revision_;
        if (listener_) listener_();
    }
    // The pair texts changed too: the next save writes the Q&A file with the setup data file.
    void markTextsChanged() {
        state.EditorUsed = true;
        ++textsRevision_;
        markChanged();
    }
    // The texts on disk differ from memory whenever EditorUsed is set, however it was set.
    bool changed() const { return revision_ != savedRevision_ || state.EditorUsed; }
    bool textsChanged() const { return state.EditorUsed; }
    std::uint64_t revision() const { return revision_; }
    // Moves on with every change of the pair texts and every load or close: what was taken
    // from the pair list under one value fits it only while the value stays.
    std::uint64_t textsRevision() const { return textsRevision_; }
    // Everything up to `revision` is on disk.
    void markSaved(std::uint64_t revision) { savedRevision_ = revision; }

    // The deck was closed or another one opened: nothing is owed to the old one.
    void forget() {
        ++textsRevision_;
        savedRevision_ = revision_;
        failed = false;
        failureReported = false;
        lastWriteMs.reset();
    }

    // Keys written only when used stay in a file that had them when it was read.
    void keepKey(std::string_view name) { keptKeys_.insert(std::string(name)); }
    void forgetKeptKeys() { keptKeys_.clear(); }
    bool keyWasInFile(std::string_view name) const {
        return keptKeys_.count(std::string(name)) > 0;
    }

    // Called on every change, so that a front end can start its save timer only then.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // How soon a change is written after the last write (0: at once, for the terminal).
    std::int64_t intervalMs = kLearningSaveIntervalMs;
    // The last write failed: the next change and the close try again, the timer does not.
    bool failed = false;
    bool failureReported = false;
    std::optional<std::int64_t> lastWriteMs;  // time of day of the last write tried
    // A grade, a print walk or a close is half done: no save may see it.
    int holds = 0;
    // No user can be asked (the session is ending): a conflict keeps this copy under a new
    // name instead of asking.
    bool unattended = false;
    // The user chose to drop this copy's changes for what another program wrote.
    bool reloadWanted = false;

    // A front end with windows has the load's own writes (the backup copies, the recent
    // list) made once the window after the load is drawn, so that the first question waits
    // for the disk no more than the reading takes; any write to the deck's files makes
    // them first (finishLoadWrites).
    bool deferLoadWrites = false;
    bool loading = false;  // inside the opening of a deck
    bool backupsOwed = false;
    bool settingsOwed = false;
    bool loadWritesOwed() const { return backupsOwed || settingsOwed; }
    // A settings write now is one of the load's own, to be made later.
    bool deferringSettings() const { return deferLoadWrites && loading; }

  private:
    std::uint64_t revision_ = 0;
    std::uint64_t savedRevision_ = 0;
    std::uint64_t textsRevision_ = 0;
    std::function<void()> listener_;
    std::set<std::string> keptKeys_;
};

// Keeps every save away while the deck is in a state no file should hold.
class SaveHold {
  public:
    explicit SaveHold(DeckDocument& document) : document_(document) { ++document_.holds; }
    ~SaveHold() { --document_.holds; }
    SaveHold(const SaveHold&) = delete;
    SaveHold& operator=(const SaveHold&) = delete;

  private:
    DeckDocument& document_;
};

}  // namespace cardwise
