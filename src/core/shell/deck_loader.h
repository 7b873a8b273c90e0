#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/deck/load_steps.h"

namespace cardwise {

struct Program;

// LoadOutcome of a load that could not read the Q&A file or create the setup data file
// (the error has been shown). It is none of the validation results, so nothing treats the
// deck as usable.
inline constexpr std::int16_t kLoadFileError = -1;

// The largest deck files a load reads. No valid deck comes near: 5000 pairs of at most 2100
// characters with their two line ends make about 10.5 MB of Q&A file, and 5000 status lines
// of at most 32 characters with their keys make about 210 KB of setup data after a
// settings block of a few KB. The margins keep oversize decks (cut to their first 5000
// pairs) and hand-made files with long comments loading; beyond them a file is not a deck,
// and reading it whole could exhaust memory.
inline constexpr std::uint64_t kMaxQAFileBytes = 64ull << 20;
inline constexpr std::uint64_t kMaxSetupFileBytes = 8ull << 20;

// Opens the deck named by deck.QAFileName: checks the name, reads both files, validates
// the settings and reports each failure in its own words. On success the deck menus are
// enabled, DrillActive is set and the drill is started through the RunDKSFile hook. The
// caller has closed any open deck first.
void InitDKSFile(Program& program);

// Reads both files into the deck model, decodes the learning state and reads the settings;
// sets LoadOutcome. True only when the outcome is 1 and the backups were made (or left for
// finishLoadWrites, with document.deferLoadWrites).
bool LoadDeck(Program& program);

}  // namespace cardwise
