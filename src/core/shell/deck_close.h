#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cardwise {

struct Program;

inline constexpr std::string_view kRewriteTooLongCaption = "Pair Too Large";
// A pair that renumbering would push past the size limit: the close writes nothing.
std::string rewriteTooLongText(std::int32_t pair);

// Closes the open deck, saving it: the whole setup data file (settings, LastDayUsed,
// status lines) and, when the pair texts changed, the Q&A file, written together atomically.
// An editor edit whose save is refused stops the close before anything is written.
// A read-only deck writes nothing. Returns false when a file could not be written: the
// error has been shown, the files on disk are as they were, and the deck stays loaded with
// its commands enabled so that the close can be tried again (nothing is discarded).
bool FileExitQAClick(Program& program);

// Closes the deck when one is open; true when none is open afterwards.
bool closeOpenDeck(Program& program);

// Releases every table of the deck model and the edited-text store; clears EditorUsed.
// Releases the deck's lock, except between the close and the load of the editor's reload.
void FreeDeck(Program& program);

}  // namespace cardwise
