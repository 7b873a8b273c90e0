#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/editor/editor_form.h"
#include "core/platform/user_interface.h"

namespace cardwise {

struct DeckState;
struct DeckSettings;
class DeckDocument;

// The edited-text store: the pairs the editor saved, kept beside the deck's pairs until the
// deck is written. Nothing here asks or tells the user; a refusal comes back as the box
// the caller shows.

// A box that says why something was not done.
struct StoreRefusal {
    std::string caption;
    std::string text;
    Icon icon = Icon::Warning;
};

// Why the editor shows the deck for reading only (a read-only or a cut deck); empty when
// its pairs can be changed.
std::string readOnlyReason(const DeckState& deck);

// "File Size Limit": the deck holds as many pairs as it may.
StoreRefusal fileSizeLimit();

// Stores pair n from the form (deck bytes) as the editor saves it: a new category is added
// to `categories` (the editor's list), gaps between choices close, the text goes into the
// pair's slot of the store (merged into the pairs first when every slot is taken) and
// becomes pair n when n is one past the last pair.
struct StoredPair {
    // Set when nothing was stored.
    std::optional<StoreRefusal> refusal;
    // The form as stored, its category spelt as listed.
    EditorForm form;
};
StoredPair storePair(DeckDocument& document, std::vector<std::string>& categories,
                     const EditorForm& bytes, std::int32_t n);

// Whether a save is followed by writing the deck: the store is nearly full, or every save
// is written ("File Save Immediate").
bool flushDue(const DeckState& deck, bool fileSaveImmediate);

// What a flush does to the pairs before the deck is written and read again.
enum class FlushMode { Save, Insert, Delete };

// Readies the pairs for the write of a flush: before an insert after or a delete of the
// current pair the store is merged into the pairs (so no saved edit is lost as pairs
// renumber), then the pair is inserted or deleted and the drill range kept inside the
// deck. Returns the pair the editor shows after the reload.
std::int32_t prepareFlush(DeckState& deck, DeckSettings& settings, FlushMode mode);

// The editor's category list from the deck's categories: distinct names in the order first
// met, cut to the list's width; a name listed in another case takes the listed spelling.
void rebuildCategories(DeckState& deck, std::vector<std::string>& list);

}  // namespace cardwise
