#include "core/editor/edited_text_store.h"

#include <algorithm>

#include "core/deck/deck_document.h"
#include "core/deck/deck_settings.h"
#include "core/deck/deck_state.h"
#include "core/profile/profile.h"

namespace cardwise {
namespace {

constexpr std::size_t kEditorCategoryChars = 15;
constexpr std::size_t kEditorCategoryLimit = 100;
// A pair number of up to four digits; a pair saved now may be renumbered so before the
// file is read again.
constexpr std::size_t kRenumberedDigits = 4;
constexpr std::int32_t kFlushAtSlots = 9;

constexpr std::string_view kFileSizeLimitCaption = "File Size Limit";
constexpr std::string_view kFileSizeLimitText =
    "For Performance Considerations, Cardwise Limits The Deck Size "
    "To 5000 Question/Answer Pairs.  This Deck Has Reached That Limit "
    "And No More Pairs Can Be Added. ";
constexpr std::string_view kPairTooLargeCaption = "Pair Too Large";
constexpr std::string_view kCategoryLimitCaption = "Category Limit";
constexpr std::string_view kCategoryLimitText =
    "This Deck Has Already Used The Limit Of 100 Categories."
    "Please Use One Of The Existing Categories For This Pair.";

std::string pairTooLargeText(std::size_t length) {
    return "The Total Contents Of A Question/Answer Pair Must Be Less Than "
           "2100 Characters - This Includes All Characters Shown In EVERY "
           "Edit Box On All Four Pages Of The Editor.  This QA Pair Contains A Total Of " +
           rightAligned(static_cast<std::int64_t>(length), 6) +
           " Characters And Needs To Be Shortened To Fit Within The Limit.";
}

StoredPair refused(std::string_view caption, std::string text, Icon icon) {
    return StoredPair{StoreRefusal{std::string(caption), std::move(text), icon}, {}};
}

}  // namespace

std::string readOnlyReason(const DeckState& deck) {
    if (deck.ReadOnlyDeck) {
        return "This Deck's .DKS File Is Read-Only Or Lies On A Disk That Cannot Be Written, So "
               "The Editor Shows Its Pairs For Reading Only.";
    }
    if (deck.TruncatedAtLoad) {
        return "This Deck Holds More Than 5000 Pairs And Only The First 5000 Were Loaded; Saving "
               "Would Drop Every Pair After Them, So The Editor Shows The Deck For Reading Only.";
    }
    return {};
}

StoreRefusal fileSizeLimit() {
    return StoreRefusal{std::string(kFileSizeLimitCaption), std::string(kFileSizeLimitText),
                        Icon::Warning};
}

StoredPair storePair(DeckDocument& document, std::vector<std::string>& categories,
                     const EditorForm& bytes, std::int32_t n) {
    DeckState& deck = document.state;
    // The category: the listed spelling is shown, the typed one stored.
    std::optional<std::string> listedForm;
    bool newCategory = false;
    if (!bytes.ECategory.empty()) {
        auto listed = std::find_if(categories.begin(), categories.end(), [&](const std::string& l) {
            return equalsIgnoreCase(l, bytes.ECategory);
        });
        if (listed != categories.end()) {
            listedForm = *listed;
        } else if (categories.size() >= kEditorCategoryLimit) {
            return refused(kCategoryLimitCaption, std::string(kCategoryLimitText), Icon::Warning);
        } else {
            newCategory = true;
        }
    }
    if (std::optional<FormRefusal> refusal = checkForm(bytes)) {
        return refused(refusal->caption, refusal->text, Icon::Warning);
    }
    StoredPair out{std::nullopt, closeGaps(bytes)};
    std::string text = pairTextFromForm(out.form, n);
    const std::size_t digits = std::to_string(n).size();
    const std::size_t counted = text.size() - 2 * digits + 2 * kRenumberedDigits;
    if (counted >= kMaxPairChars) {
        return refused(kPairTooLargeCaption, pairTooLargeText(counted), Icon::Error);
    }

    if (newCategory) categories.push_back(bytes.ECategory.substr(0, kEditorCategoryChars));
    if (listedForm) out.form.ECategory = *listedForm;

    // A store whose slots are all taken (flushes that failed) is merged into the pairs
    // first: nothing is dropped, and the next close writes it all.
    if (deck.EditSlot[static_cast<std::size_t>(n)] == 0 &&
        deck.EditSlotsUsed >= kEditedTextEntries - 1) {
        deck.mergeEditedTexts();
    }
    std::int32_t& slot = deck.EditSlot[static_cast<std::size_t>(n)];
    if (slot == 0) slot = ++deck.EditSlotsUsed;
    deck.EditedText[static_cast<std::size_t>(slot)] = text;
    if (n > deck.PairCount) deck.appendPair(text);
    document.markTextsChanged();
    if (static_cast<std::size_t>(n - 1) < deck.CategoryName.size()) {
        deck.CategoryName[static_cast<std::size_t>(n - 1)] =
            bytes.ECategory.empty() ? std::string("0")
                                    : bytes.ECategory.substr(0, kMaxCategoryChars);
    }
    return out;
}

bool flushDue(const DeckState& deck, bool fileSaveImmediate) {
    return deck.EditSlotsUsed >= kFlushAtSlots || fileSaveImmediate;
}

std::int32_t prepareFlush(DeckState& deck, DeckSettings& settings, FlushMode mode) {
    const std::int32_t remembered = deck.CurrentPair;
    if (mode != FlushMode::Save) {
        // The store goes into the pairs before they move, so no saved edit is lost.
        const bool used = deck.EditorUsed;
        deck.mergeEditedTexts();
        deck.EditorUsed = used;
        if (mode == FlushMode::Insert) {
            deck.insertPair(remembered + 1);
        } else {
            deck.deletePair(remembered);
            // A range past the new last pair would make the deck fail its own check.
            settings.HighRange = std::min(settings.HighRange, deck.PairCount);
            settings.LowRange = std::max(1, std::min(settings.LowRange, settings.HighRange - 1));
        }
    }
    const std::int32_t target = mode == FlushMode::Insert ? remembered + 1 : remembered;
    return std::clamp(target, 1, std::max(deck.PairCount, 1));
}

void rebuildCategories(DeckState& deck, std::vector<std::string>& list) {
    list.clear();
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        auto index = static_cast<std::size_t>(n - 1);
        if (index >= deck.CategoryName.size()) break;
        std::string& name = deck.CategoryName[index];
        if (name == "0") continue;
        auto listed = std::find_if(list.begin(), list.end(),
                                   [&](const std::string& l) { return equalsIgnoreCase(l, name); });
        if (listed != list.end()) {
            name = *listed;
        } else {
            list.push_back(name.substr(0, kEditorCategoryChars));
        }
    }
}

}  // namespace cardwise
