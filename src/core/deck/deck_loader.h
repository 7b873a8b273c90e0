#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cardwise {

struct Program;

// LoadOutcome of a load that could not read the Q&A file or create the setup data file
// (the error has been shown). It is none of the validation results, so nothing treats the
// deck as usable.
inline constexpr std::int16_t kLoadFileError = -1;

// Opens the deck named by deck.QAFileName: checks the name, reads both files, validates
// the settings and reports each failure in its own words. On success the deck menus are
// enabled, DrillActive is set and the drill is started through the RunDKSFile hook. The
// caller has closed any open deck first.
void InitDKSFile(Program& program);

// Reads both files into the deck model, decodes the learning state and reads the settings;
// sets LoadOutcome. True only when the outcome is 1 and the backups were made.
bool LoadDeck(Program& program);

// The box that tells why a load ended with outcome 0, 3 or 4 (nothing for other outcomes).
void reportLoadOutcome(Program& program);

// True when the deck's name can be used; otherwise the user has been told why not. A line
// break or another control character in the name would break the recent-decks list
// apart, and no deck is ever meant to be named so.
bool acceptDeckName(Program& program, std::string_view path);

// The extension of a path's file name from its last '.', "" when it has none.
std::string extensionOf(std::string_view path);

}  // namespace cardwise
