#pragma once

#include <string>
#include <string_view>

namespace cardwise {

struct DeckSession;

// The steps of opening a deck that need nothing above the deck room: the writes a load
// leaves for later, the box for a load that failed, the checks of a deck's name.

// Makes what the last load left for later: the backup copies of the deck as it was read,
// and the settings file with the recent list. Before any write to the deck's files; false
// when a backup failed (reported).
bool finishLoadWrites(DeckSession& program);

// The box that tells why a load ended with outcome 0, 3 or 4 (nothing for other outcomes).
void reportLoadOutcome(DeckSession& program);

// True when the deck's name can be used; otherwise the user has been told why not. A line
// break or another control character in the name would break the recent-decks list
// apart, and no deck is ever meant to be named so.
bool acceptDeckName(DeckSession& program, std::string_view path);

// The extension of a path's file name from its last '.', "" when it has none.
std::string extensionOf(std::string_view path);

}  // namespace cardwise
