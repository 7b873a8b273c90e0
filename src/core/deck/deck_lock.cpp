#include "core/deck/deck_lock.h"

#include <charconv>
#include <vector>

#include "core/deck/deck_session.h"

namespace cardwise {
namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The same process: a lock it holds is its own, and a lock with its id left by an earlier
// process on this host (ids are reused) belongs to nobody.
bool sameProcess(const LockHolder& a, const LockHolder& b) {
    return a.host == b.host && a.processId == b.processId;
}

}  // namespace

std::string lockFileNameOf(std::string_view qaFileName) {
    // As the backups are named: the extension's three letters give way to "~LK".
    std::string name(qaFileName);
    name.resize(name.size() >= 3 ? name.size() - 3 : 0);
    return name + "~LK";
}

std::string lockFileText(const LockHolder& holder) {
    return std::string(kLockFileHeader) + "\n" + holder.host + "\n" +
           std::to_string(holder.processId) + "\n" + holder.user + "\n";
}

std::optional<LockHolder> parseLockFile(std::string_view text) {
    std::vector<std::string_view> lines = linesOf(text);
    if (lines.size() < 4 || lines[0] != kLockFileHeader || lines[1].empty()) return std::nullopt;
    std::int64_t id = 0;
    auto [end, error] = std::from_chars(lines[2].data(), lines[2].data() + lines[2].size(), id);
    if (error != std::errc() || end != lines[2].data() + lines[2].size() || id <= 0) {
        return std::nullopt;
    }
    return LockHolder{std::string(lines[1]), id, std::string(lines[3])};
}

LockHolder DeckLock::me() const {
    return LockHolder{self_.hostName(), self_.processId(), self_.userName()};
}

LockAttempt DeckLock::acquire(const std::string& lockPath) {
    if (held() && path_ == lockPath) return {LockResult::Taken, std::nullopt};
    release();
    const LockHolder mine = me();
    const std::string text = lockFileText(mine);
    // A lock taken over may be taken by a third program at the same moment: the loser
    // meets the winner's file on its next try.
    for (int attempt = 0; attempt < 3; ++attempt) {
        switch (files_.createNewFile(lockPath, text)) {
            case NewFile::Created:
                path_ = lockPath;
                return {LockResult::Taken, std::nullopt};
            case NewFile::Failed:
                return {LockResult::Unavailable, std::nullopt};
            case NewFile::Exists:
                break;
        }
        std::optional<std::string> found = files_.readFile(lockPath);
        if (!found) {
            if (files_.fileExists(lockPath)) return {LockResult::Refused, std::nullopt};
            continue;  // released meanwhile
        }
        std::optional<LockHolder> holder = parseLockFile(*found);
        if (holder && sameProcess(*holder, mine)) {
            path_ = lockPath;
            return {LockResult::Taken, std::nullopt};
        }
        const bool stale =
            !holder || (holder->host == mine.host && !self_.isAlive(holder->processId));
        if (!stale) return {LockResult::Refused, holder};
        // Removed only while it still holds what was judged stale.
        if (files_.readFile(lockPath) != found) continue;
        files_.removeFile(lockPath);
    }
    return {LockResult::Refused, std::nullopt};
}

void DeckLock::release() {
    if (!held()) return;
    std::optional<std::string> found = files_.readFile(path_);
    if (found) {
        std::optional<LockHolder> holder = parseLockFile(*found);
        if (holder && sameProcess(*holder, me())) files_.removeFile(path_);
    }
    path_.clear();
}

std::string deckInUseText(const std::string& deckPath, const std::optional<LockHolder>& holder) {
    std::string who;
    if (holder) {
        who = " (User " + holder->user + ", Process " + std::to_string(holder->processId) +
              " On Host " + holder->host + ")";
    }
    return deckPath + " Is Open In Another Copy Of Cardwise" + who +
           ".  It Was Opened Read-Only: Nothing You Change Will Be Saved.";
}

bool lockDeckForWriting(DeckSession& program) {
    DeckState& deck = program.deck;
    const std::string lockPath = lockFileNameOf(deck.QAFileName);
    LockAttempt attempt = program.lock.acquire(lockPath);
    if (attempt.result == LockResult::Refused) {
        deck.ReadOnlyDeck = true;
        program.ui().message(kDeckInUseCaption, deckInUseText(deck.QAFileName, attempt.holder),
                             Icon::Warning);
        return false;
    }
    // Without the lock another program may be writing these files right now.
    if (attempt.result != LockResult::Taken) return true;
    FileResult recovered = program.files().recoverInterruptedWrites(
        {deck.QAFileName, deck.SetupFileName, deck.QABackupName, deck.SetupBackupName, lockPath});
    if (!recovered.ok) {
        program.ui().message("Interrupted Save",
                             "Cardwise Could Not Finish Or Undo A Save Of " + deck.QAFileName +
                                 " That Was Cut Short (" + recovered.error +
                                 ").  The Files On Disk Were Left As They Were.",
                             Icon::Warning);
    }
    return true;
}

}  // namespace cardwise
