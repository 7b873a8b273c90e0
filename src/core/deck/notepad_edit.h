#pragma once

#include <string>

namespace cardwise {

struct DeckSession;

// Opens the setup data file in the user's text editor, waits for it, then reads and
// validates the settings again (showing any messages again). The deck is not reopened.
void OpenSetupInNotePad(DeckSession& program);

// The "Open Current Q&A File In NotePad" command: warns that changes take effect only
// after reopening, saves the settings of a valid deck, and opens the Q&A file in the
// user's text editor until it ends.
void EditFileClick(DeckSession& program);

}  // namespace cardwise
