#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/deck/deck_session.h"
#include "core/deck/deck_state.h"

namespace cardwise {

inline constexpr std::string_view kReadOnlyCaption = "Q&A Read-Only Warning";
inline constexpr std::string_view kWriteProtectedCaption = "Q&A Write-Protected Disk Warning";
inline constexpr std::size_t kStatusFieldChars = 22;  // the eight fields after the '='

// One raw status line per pair, by position: the first line whose second and third
// characters are "&A" belongs to pair 1, each following line (whatever it holds) to the
// next pair. Pairs past the end of the file get "Z". Lines are cut to 32 characters.
std::vector<std::string> locateStatusLines(std::string_view setupBytes, std::int32_t pairCount);

// The learning record a status line holds. Blanks read as 0 and so does a missing character
// of a short line; a field holding anything but digits and blanks reads as 0. A line
// without '=' holds no fields: it reads as the default status of `today`. A LearnStatus
// above 2 reads as Unlearned; the flag digit gives AskedInRun (4 and above, as 1) and
// ListFlags (low two bits).
PairLearning decodeStatusLine(std::string_view line, std::int32_t today);

// "Q&A<n>=" and the eight fields right-aligned with leading blanks. Every value is held
// within its width (RightTotal at 99999, a negative value at 0) so the layout never breaks.
std::string encodeStatusLine(std::int32_t n, const PairLearning& fields);

// The 22 characters of a pair without history: today, then fourteen zeros.
std::string defaultStatus(std::int32_t today);

// Turns StatusText into the learning fields after the pairs were read: LastDayUsed (kept
// within 19960801..Today), default lines for pairs without one (appended to the setup data
// file and written at once unless the deck is read-only), the day counters of a new day,
// and AskedInRun by the setting Resume as the file holds it.
void DecodeStatus(DeckSession& program);

// Writes LastDayUsed = Today and appends every pair's status line to the setup data file in
// memory; the caller flushes once. Nothing happens for a read-only deck.
void WriteStatusLines(DeckSession& program);
// The same without the wait cursor, for the writes made while the user drills.
void PutStatusLines(DeckSession& program);

// Detects a deck whose files cannot be written (read-only Q&A file, then a folder that takes
// no probe file), tells the user for each, and sets deck.ReadOnlyDeck. Returns it.
bool detectReadOnlyDeck(DeckSession& program);

// Copies the Q&A file and the setup data file to their backup names. Each copy replaces the
// old backup atomically, so a failed copy keeps the previous backup; a failure is reported
// and the result is false, but the deck stays usable. A read-only deck touches no file.
bool makeBackups(DeckSession& program);

}  // namespace cardwise
