#pragma once

#include <string>
#include <string_view>

namespace cardwise {

struct Program;

enum class SaveOutcome {
    Saved,          // the deck's files now hold every change
    NothingToSave,  // no change since the last write, no deck, or a read-only one
    Held,           // not a quiet point (a grade, a print walk, a close, the text editor)
    Failed,         // the user has been told; the change stays in memory and is owed
};

// The one save path. Writes the deck when it changed since the last write: the setup data
// file (settings, LastDayUsed, status lines), together with the Q&A file when the pair texts
// changed, in one all-or-nothing write. Only at a quiet point. A failed write is reported
// once; later failures are not until a write succeeds again.
SaveOutcome saveIfChanged(Program& program);

// After a change the user made (a grade, its undo, a toggle): marks the document changed and
// writes now, unless the last write was less than the interval ago; then the write is left
// to flushPendingSave or the close.
void saveSoon(Program& program);

// The front end's timer: writes a pending change once the interval since the last write has
// passed. Waits after a failed write (the next change or the close tries again).
void flushPendingSave(Program& program);

// A change waits for the timer: the front end keeps its timer running while this holds.
bool savePending(const Program& program);

// The close's write: the same files through the same path, also when nothing changed (the
// directory settings go to the application settings file too), reporting every failure.
bool saveForClose(Program& program);

inline constexpr std::string_view kChangedOnDiskCaption = "Deck Changed On Disk";
// Asked before a save would overwrite files another program changed since they were read.
std::string changedOnDiskText(const std::string& deckPath);

// After the user chose to reload a deck another program changed: closes it without writing
// and opens it again from disk. Only at a quiet point (the front end's timer, a command).
void reloadIfWanted(Program& program);

}  // namespace cardwise
