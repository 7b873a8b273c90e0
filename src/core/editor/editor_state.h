#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cardwise {

// The three kinds of pair the editor writes; the numbers are those LastPairKind keeps.
enum class PairKind : std::int32_t { Standard = 0, MultipleChoice = 1, FillIn = 2 };

// The editor's program-wide values. The pair the drill goes back to when the editor
// closes is DrillFlags::ReturnPair, which deleting a pair shares with the drill.
struct EditorState {
    bool AddingPair = false;
    bool PairDirty = false;
    bool DeleteFromMain = false;
    PairKind LastPairKind = PairKind::Standard;
    bool EditorPlaying = false;

    // The window and the edited-text store exist (first editor command of the run).
    bool created = false;
    // The window is on screen: the hidden next/previous menu items are enabled.
    bool shown = false;
    // The deck is being written and loaded again by the editor: the load keeps the
    // backups made when the deck was opened.
    bool reloading = false;

    // The editor's category list: distinct names in the order first met, at most 15
    // characters each; rebuilt at the first show after a load.
    std::vector<std::string> categories;
};

}  // namespace cardwise
