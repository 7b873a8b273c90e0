#pragma once

#include <string>
#include <string_view>

namespace cardwise {

struct Program;

// Reads the nine UsedFilePath keys into program.shell.recentFiles; missing keys are
// empty slots.
void loadRecentDecks(Program& program);

// Puts the path in slot 1: an entry of exactly the same text (case counts) moves up from
// its slot, otherwise every entry moves down and the ninth is dropped. Writes every
// non-empty slot back and rebuilds the menu items.
void addRecentDeck(Program& program, const std::string& path);

// Sets the caption of each non-empty slot's menu item and makes it visible; items of
// empty slots keep what they had.
void rebuildRecentMenu(Program& program);

// "&" + slot + two blanks + the path, shortened when it has more than two folder levels.
std::string recentMenuCaption(int slot, std::string_view path);

// A path of more than two folder levels as its part up to the second separator, "...",
// the separator before the file name and the file name; other paths whole.
std::string shortenedPath(std::string_view path);

}  // namespace cardwise
