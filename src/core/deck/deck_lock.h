#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/file_system.h"
#include "core/platform/process_identity.h"

namespace cardwise {

struct DeckSession;

// Who holds a deck's lock, as its lock file says.
struct LockHolder {
    std::string host;
    std::int64_t processId = 0;
    std::string user;
    bool operator==(const LockHolder&) const = default;
};

enum class LockResult {
    Taken,        // this process holds the lock now
    Refused,      // another running program holds it
    Unavailable,  // the file system cannot make lock files: the deck opens without one
};

struct LockAttempt {
    LockResult result = LockResult::Unavailable;
    // Who holds it when refused; nothing when the lock file cannot be read.
    std::optional<LockHolder> holder;
};

// The first line of every lock file.
inline constexpr std::string_view kLockFileHeader = "Cardwise deck lock";

// The lock file beside a deck, named as its backups are: NAME.~LK for NAME.DKS.
std::string lockFileNameOf(std::string_view qaFileName);
// The lock file's text: the header, then host, process id and user, one per line.
std::string lockFileText(const LockHolder& holder);
// Nothing for a text that is no lock file (empty, cut short, a bad process id).
std::optional<LockHolder> parseLockFile(std::string_view text);

// One writer per deck: the lock file is made where none is, so that of two programs
// opening the deck, one writes it and the other opens it read-only. A lock left by a
// process that no longer runs on this host, or one whose file is garbled, is taken over;
// one held on another host is respected, since whether that process runs cannot be told.
// A lock this process holds already (the editor reopening the deck, Save As onto itself)
// is its own.
class DeckLock {
  public:
    DeckLock(FileSystem& files, const ProcessIdentity& self) : files_(files), self_(self) {}
    ~DeckLock() { release(); }
    DeckLock(const DeckLock&) = delete;
    DeckLock& operator=(const DeckLock&) = delete;

    // Takes the lock file at lockPath, giving up one held at another path first.
    LockAttempt acquire(const std::string& lockPath);
    // Removes the lock file if it still names this process.
    void release();

    bool held() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

  private:
    LockHolder me() const;
    FileSystem& files_;
    const ProcessIdentity& self_;
    std::string path_;
};

inline constexpr std::string_view kDeckInUseCaption = "Deck In Use";
// The box shown when another program holds the deck at deckPath.
std::string deckInUseText(const std::string& deckPath, const std::optional<LockHolder>& holder);

// At open of a deck that may be written: takes its lock, or when another program holds
// it, makes the deck read-only and tells the user who holds it. With the lock held,
// finishes or undoes a save of the deck that was cut short and sweeps what interrupted
// writes left, before the files are read. True when the deck stays writable.
bool lockDeckForWriting(DeckSession& program);

}  // namespace cardwise
