#pragma once

#include <string>
#include <string_view>

#include "core/deck/deck_settings.h"
#include "core/deck/setup_keys.h"

namespace cardwise {

struct DeckSession;
class Profile;

// Results of CheckSetUp (stored in LoadOutcome by ReadSetUp).
inline constexpr int kSetUpValid = 1;
inline constexpr int kSetUpInvalid = 0;  // a message has been shown
inline constexpr int kSetUpNoPairs = 3;

// Fills DeckSettings from the setup data file (program.setupFile) and the three directory
// settings from the application settings file. A file without a settings block gets one
// written from the current settings first. Validates and stores the result in LoadOutcome.
void ReadSetUp(DeckSession& program);

// Writes every setting of the deck into the setup data file (in memory), the directory
// settings into the application settings file (flushed), and with `flush` writes the setup
// data file to disk. Does nothing for a read-only deck. Failures are reported to the user;
// returns false when a write failed.
bool WriteSetUp(DeckSession& program, bool flush = true);

// Every key of the settings block in table order, with the values of the deck's settings.
// Existing keys are replaced in place, new keys go where the profile's placement rule puts
// them.
void writeSettingsBlock(DeckSession& program, Profile& file);
// Puts every setting of the deck into the setup data file in memory, nothing else: no
// directory settings, no flush. Does nothing for a read-only deck.
void PutSetUp(DeckSession& program);

// Validates DeckSettings: kSetUpValid, kSetUpInvalid (after a warning) or kSetUpNoPairs.
int CheckSetUp(DeckSession& program);

// "[fsBold][fsItalic][fsUnderline][fsStrikeOut]" for the styles present, in that order.
std::string encodeFontStyle(const FontStyle& style);
// Finds "fsBold", "fsItalic", "fsUnderline" and "fsStrikeOut" anywhere in the text.
FontStyle decodeFontStyle(std::string_view text);

}  // namespace cardwise
