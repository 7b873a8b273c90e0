#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cardwise {

struct Program;

// Program start, before the main window shows: finds and reads the application settings
// file (Today was taken from the clock when the Program was made). False when the program
// must end with exit code 1 (the warning has been shown).
bool FormCreate(Program& program, const std::optional<std::string>& userSettingsFolder);

// The example deck: EXAMPLES below the program's folder, or, for an installed program
// (bin/cardwise), share/cardwise/EXAMPLES beside its bin folder. The first that exists;
// the first place when neither does.
std::string demoDeckPath(const Program& program);
// Whether the "Demo" command is shown.
bool demoDeckAvailable(const Program& program);
// The deck "Demo" opens. With a user data folder: the copy of the example deck in its
// EXAMPLES folder, made on first use with the pictures and sounds beside it (a file missing
// from the copy is added again, none is ever overwritten, so progress is kept and nothing
// is written beside the program). Without one: the example deck in place. Nothing when the
// copy could not be made (the user has been told).
std::optional<std::string> demoDeckToOpen(Program& program);

// Closes the open deck (saving it) and opens the named one. Nothing is opened when the
// open deck could not be saved.
void openDeck(Program& program, const std::string& path);

// "Open...": asks for a deck and opens it.
void FileOpenClick(Program& program);
// A recent-decks menu item, slot 1 to 9.
void UsedFileClick(Program& program, int slot);
// "Demo": opens the example deck when it exists.
void RunQuickDemo1Click(Program& program);

// Start-up once the main window shows: the recent-decks menu, then every deck named on
// the command line in turn; each is closed (saved) before the next one opens. A name
// without a folder is looked for in the program's folder, as every deck name is; a front
// end that means the working folder makes such names absolute first.
void openAtStart(Program& program, const std::vector<std::string>& commandLineDecks);

// Decks named when the program was started a second time, handed over by that copy: the
// first is opened as a command-line deck is (the open deck closed and saved first); the
// rest are left alone, since each would close the one before.
void openHandedOver(Program& program, const std::vector<std::string>& decks);

// A hand-over that comes while a box or dialog is open waits: its deck is queued here...
void queueHandOver(Program& program, const std::vector<std::string>& decks);
// ...and opened once nothing is open any more. Of several, each opening would close the one
// before: the earlier ones go into the recent decks, the latest opens. False when none waited.
bool openPendingHandOvers(Program& program);

// The main window closes: its place is stored and the open deck saved and closed. False
// when the user chose to keep the program running because the deck could not be saved.
bool FormClose(Program& program, int left, int top, int width, int height);

}  // namespace cardwise
