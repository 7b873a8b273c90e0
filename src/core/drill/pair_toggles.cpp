#include "core/drill/pair_toggles.h"

#include "core/deck/setup_file.h"
#include "core/program.h"

namespace cardwise {
namespace {

bool toggleable(const DeckState& deck, std::int32_t p) {
    return deck.validPair(p) && deck.hasLearning(p);
}

// The toggles wait while the deck's file is open in the external editor.
bool refusedForNotePad(Program& program) {
    if (!program.NotePadOpen) return false;
    program.ui().message(kEditorOpenCaption, kCloseNotePadText, Icon::Information);
    return true;
}

std::int32_t currentFlags(const Program& program) {
    const std::int32_t p = program.deck.CurrentPair;
    return toggleable(program.deck, p) ? program.deck.Learning[static_cast<std::size_t>(p)].ListFlags : 0;
}

}  // namespace

std::string_view priorityListCaption(std::int32_t listFlags) {
    return (listFlags & kOnListFlag) ? kRemoveFromListCaption : kAddToListCaption;
}

std::string_view disableCaption(std::int32_t listFlags) {
    return listFlags >= kDisabledFlag ? kReEnableCaption : kDisableCaption;
}

FieldColours pairNumberColours(std::int32_t listFlags) {
    return FieldColours{(listFlags & kOnListFlag) ? kRed : kGreen, kWhite};
}

ToggleOutcome TogglePriorityList(Program& program) {
    DeckState& deck = program.deck;
    const std::int32_t p = deck.CurrentPair;
    const bool refused = refusedForNotePad(program) || !toggleable(deck, p);
    if (!refused) {
        const auto i = static_cast<std::size_t>(p);
        deck.Learning[i].AskedInRun = 0;
        deck.Learning[i].ListFlags ^= kOnListFlag;
        program.document.markChanged();
        CheckSetUp(program);
    }
    // The validation may have re-enabled pairs, so the captions follow the flags as they are.
    const std::int32_t flags = currentFlags(program);
    return ToggleOutcome{!refused, priorityListCaption(flags), pairNumberColours(flags)};
}

ToggleOutcome ToggleDisabled(Program& program) {
    DeckState& deck = program.deck;
    const std::int32_t p = deck.CurrentPair;
    if (refusedForNotePad(program) || !toggleable(deck, p)) {
        const std::int32_t flags = currentFlags(program);
        return ToggleOutcome{false, disableCaption(flags), pairNumberColours(flags)};
    }
    std::int32_t& flags = deck.Learning[static_cast<std::size_t>(p)].ListFlags;
    program.document.markChanged();
    if (flags >= kDisabledFlag) {
        flags -= kDisabledFlag;
        return ToggleOutcome{true, kDisableCaption, pairNumberColours(flags)};
    }
    const std::int32_t previous = flags;
    flags += kDisabledFlag;
    if (CheckSetUp(program) == kSetUpValid) {
        // Even when the validation had to re-enable every pair, the buttons offer re-enabling.
        return ToggleOutcome{true, kReEnableCaption, pairNumberColours(flags)};
    }
    program.ui().message(kCannotDisableCaption, kCannotDisableText, Icon::Information);
    flags = previous;
    return ToggleOutcome{false, kDisableCaption, pairNumberColours(flags)};
}

}  // namespace cardwise
