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

// Makes what the last load left for later: the backup copies of the deck as it was read,
// and the settings file with the recent list. Before any write to the deck's files; false
// when a backup failed (reported).
bool finishLoadWrites(Program& program);

// The box that tells why a load ended with outcome 0, 3 or 4 (nothing for other outcomes).
void reportLoadOutcome(Program& program);

// True when the deck's name can be used; otherwise the user has been told why not. A line
// break or another control character in the name would break the recent-decks list
// apart, and no deck is ever meant to be named so.
bool acceptDeckName(Program& program, std::string_view path);

// The extension of a path's file name from its last '.', "" when it has none.
std::string extensionOf(std::string_view path);

}  // namespace cardwise
