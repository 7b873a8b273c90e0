#include "core/editor/editor_navigation.h"

#include <algorithm>

#include "core/content/windows1252.h"
#include "core/drill/run_control.h"
#include "core/program.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"

namespace cardwise {
namespace {

constexpr std::int32_t kMinimumPairs = 2;

constexpr std::string_view kSaveQuestionCaption = "Save Current Changes?";
constexpr std::string_view kSaveQuestionText = "Save Changes To Current Pair?";
constexpr std::string_view kGoToErrorCaption = "Error";
constexpr std::string_view kGoToErrorText = "You Must Enter A Valid Pair Number In The Edit Box";
constexpr std::string_view kReadOnlyCaption = "Deck Cannot Be Changed";
constexpr std::string_view kFaultySaveCaption = "Save Pair With Markup Faults?";
constexpr std::string_view kLastPairsCaption = "Cannot Delete Pair";

}  // namespace

EditorNavigation::EditorNavigation(Program& program, DrillController& drill, AssociatedFiles& files)
    : program_(program), drill_(drill), files_(files) {}

void EditorNavigation::render() {
    view_ = editorView(program_, form_, faults_);
}

void EditorNavigation::formEdited(const EditorForm& form) {
    if (readOnlyReason(program_.deck).empty()) {
        form_ = form;
        program_.editor.PairDirty = true;
    }
    render();
}

bool EditorNavigation::refuseReadOnly() {
    std::string reason = readOnlyReason(program_.deck);
    if (reason.empty()) return false;
    program_.ui().message(kReadOnlyCaption, reason, Icon::Warning);
    return true;
}

void EditorNavigation::tell(const StoreRefusal& refusal) {
    program_.ui().message(refusal.caption, refusal.text, refusal.icon);
}

// ---- showing and hiding -----------------------------------------------------------------

void EditorNavigation::show() {
    Program& p = program_;
    EditorState& e = p.editor;
    DeckState& deck = p.deck;
    // After a reload that failed there is no deck to show; the load said why.
    if (!p.shell.deckOpen) return;
    e.created = true;
    e.EditorPlaying = false;
    e.DeleteFromMain = false;
    e.shown = true;
    p.drill.DrillActive = false;
    drill_.hideWindows();
    p.drill.DrillActive = true;
    if (deck.CategoryListStale) {
        rebuildCategories(deck, e.categories);
        deck.CategoryListStale = false;
    }
    if (!e.AddingPair) {
        deck.CurrentPair = std::clamp(deck.CurrentPair, 1, std::max(deck.PairCount, 1));
    }
    if (e.AddingPair) {
        std::string category = loaded_.ECategory;
        loaded_ = newPairForm(e.LastPairKind, category);
        faults_.clear();
    } else {
        LoadedForm loaded = formFromPair(p, deck.CurrentPair);
        loaded_ = std::move(loaded.form);
        faults_ = std::move(loaded.faults);
    }
    form_ = formForWindow(loaded_);
    e.PairDirty = false;
    render();
    view_.resetPage = p.shell.app.AutoResetPage == 1;
    view_.focus = e.AddingPair ? EditorFocus::QuestionMemoSelectAll : EditorFocus::None;
    if (window_) window_->showEditor();
}

void EditorNavigation::hide() {
    EditorState& e = program_.editor;
    if (!e.shown) return;
    files_.stop();
    e.LastPairKind = form_.kind;
    e.shown = false;
    if (window_) window_->hideEditor();
}

bool EditorNavigation::deckClosing() {
    if (!program_.editor.shown) return true;
    // The deck is written next: edits the user keeps go into the store it writes from.
    closingDeck_ = true;
    const UnsavedEditOutcome outcome = askAboutUnsavedEdits(false);
    closingDeck_ = false;
    if (!leavesPair(outcome)) return false;
    hide();
    if (window_) window_->hideFindDialog();
    return true;
}

// ---- main window ----------------------------------------------------------------------------

// A menu entry that reloads the editor while it shows edits asks about them first.
bool EditorNavigation::leaveShownPair() {
    return !program_.editor.shown || leavesPair(askAboutUnsavedEdits(false));
}

void EditorNavigation::editCurrentPair() {
    if (!leaveShownPair()) return;
    program_.editor.AddingPair = false;
    program_.drill.ReturnPair = program_.deck.CurrentPair;
    program_.drill.ReturnToPair = false;
    show();
}

void EditorNavigation::insertNewPair() {
    if (refuseReadOnly() || !leaveShownPair()) return;
    program_.editor.AddingPair = true;
    program_.drill.ReturnPair = program_.deck.CurrentPair;
    program_.drill.ReturnToPair = false;
    show();
    addPair();
}

void EditorNavigation::deleteCurrentPair() {
    if (refuseReadOnly()) return;
    DeckState& deck = program_.deck;
    program_.drill.ReturnPair = deck.CurrentPair - (deck.CurrentPair >= deck.PairCount ? 1 : 0);
    program_.editor.DeleteFromMain = true;
    deletePair();
}

void EditorNavigation::openInEditor() {
    if (!leaveShownPair()) return;
    showOnNewDeck(program_.deck.CurrentPair);
}

void EditorNavigation::showOnNewDeck(std::int32_t rememberedPair) {
    program_.editor.AddingPair = false;
    program_.drill.ReturnPair = rememberedPair;
    program_.drill.ReturnToPair = false;
    program_.deck.CurrentPair = 1;
    show();
}

void EditorNavigation::returnFromRun() {
    show();
}

// ---- saving -------------------------------------------------------------------------------

UnsavedEditOutcome EditorNavigation::askAboutUnsavedEdits(bool withCancel) {
    EditorState& e = program_.editor;
    if (!e.PairDirty) return UnsavedEditOutcome::Saved;
    auto saved = [this] {
        return savePair() ? UnsavedEditOutcome::Saved : UnsavedEditOutcome::Refused;
    };
    // A pair read with faults is saved only at the user's word.
    if (program_.shell.app.AutoSavePair == 1 && faults_.empty()) return saved();
    Button answer =
        program_.ui().messageBox(kSaveQuestionCaption, kSaveQuestionText, Icon::Information,
                                 withCancel ? Buttons::YesNoCancel : Buttons::YesNo);
    if (answer == Button::Cancel) return UnsavedEditOutcome::Cancelled;
    if (answer != Button::Yes) {
        e.PairDirty = false;
        return UnsavedEditOutcome::Discarded;
    }
    return saved();
}

bool EditorNavigation::savePair() {
    Program& p = program_;
    DeckState& deck = p.deck;
    EditorState& e = p.editor;
    if (refuseReadOnly()) return false;
    const std::int32_t n = deck.CurrentPair;
    if (n > kMaxPairs) {
        tell(fileSizeLimit());
        return false;
    }
    if (!faults_.empty()) {
        std::string question =
            "Pair " + std::to_string(n) + " Was Read With Faults In Its Markup (" + faults_ +
            ").  Saving Stores It As The Editor Shows It: Each Faulty Tag Is Dropped With Its "
            "Content, And What Followed It Is Kept As Question Or Answer Text.  Save It Anyway?";
        if (p.ui().messageBox(kFaultySaveCaption, question, Icon::Warning, Buttons::YesNo) !=
            Button::Yes) {
            return false;
        }
    }
    FormFromWindow bytes = formFromWindow(form_, loaded_);
    if (bytes.refused) {
        p.ui().message(kCharacterNotAllowedCaption, characterNotAllowedText(*bytes.refused),
                       Icon::Warning);
        return false;
    }
    StoredPair stored = storePair(p.document, e.categories, bytes.form, n);
    if (stored.refusal) {
        tell(*stored.refusal);
        return false;
    }
    e.AddingPair = false;
    e.PairDirty = false;
    loaded_ = stored.form;
    form_ = formForWindow(stored.form);
    faults_.clear();
    render();

    // A failed flush keeps the pair in the store and has said so: the save itself stands.
    if (!closingDeck_ && flushDue(deck, p.shell.app.FileSaveI == 1)) flush(FlushMode::Save);
    return true;
}

bool EditorNavigation::insertAfterShownPair() {
    if (refuseReadOnly()) return false;
    const DeckState& deck = program_.deck;
    if (deck.CurrentPair > kMaxPairs || deck.PairCount >= kMaxPairs) {
        tell(fileSizeLimit());
        return false;
    }
    return flush(FlushMode::Insert);
}

bool EditorNavigation::flush(FlushMode mode) {
    Program& p = program_;
    DeckState& deck = p.deck;
    const std::int32_t target = prepareFlush(deck, p.settings, mode);
    hide();
    // Set across the close too, so that the deck's lock is kept until the reload has it.
    p.editor.reloading = true;
    if (!FileExitQAClick(p)) {
        p.editor.reloading = false;
        // The box said what failed; the pairs stay in memory and the editor stays usable.
        deck.CurrentPair = target;
        show();
        return false;
    }
    const bool returnTo = p.drill.ReturnToPair;
    const std::int32_t returnPair = p.drill.ReturnPair;
    p.drill.ReturnToPair = true;
    p.drill.ReturnPair = target;
    InitDKSFile(p);
    p.editor.reloading = false;
    const bool deleted = mode == FlushMode::Delete;
    p.drill.ReturnToPair = returnTo || deleted;
    p.drill.ReturnPair =
        deleted ? std::clamp(returnPair, 1, std::max(deck.PairCount, 1)) : returnPair;
    if (!p.shell.deckOpen) return false;
    deck.CurrentPair = target;
    return true;
}

// ---- the editor's buttons ------------------------------------------------------------------

void EditorNavigation::save() {
    if (savePair()) program_.editor.PairDirty = false;
}

void EditorNavigation::move(std::int32_t to) {
    hide();
    program_.deck.CurrentPair = to;
    show();
}

void EditorNavigation::previous() {
    program_.editor.AddingPair = false;
    if (!leavesPair(askAboutUnsavedEdits(false))) return;
    const std::int32_t n = program_.deck.CurrentPair;
    move(n >= 2 ? n - 1 : n);
}

void EditorNavigation::next() {
    program_.editor.AddingPair = false;
    if (!leavesPair(askAboutUnsavedEdits(false))) return;
    const std::int32_t n = program_.deck.CurrentPair;
    move(n < program_.deck.PairCount ? n + 1 : n);
}

void EditorNavigation::goToPair(std::string_view entry) {
    program_.editor.AddingPair = false;
    if (!leavesPair(askAboutUnsavedEdits(false))) return;
    const std::int64_t n = parsePairNumber(entry).value_or(0);
    if (n >= 1 && n <= program_.deck.PairCount) {
        move(static_cast<std::int32_t>(n));
        return;
    }
    program_.ui().message(kGoToErrorCaption, kGoToErrorText, Icon::Error);
    if (program_.deck.CurrentPair > program_.deck.PairCount) {
        move(program_.deck.PairCount);
    } else {
        render();
    }
}

void EditorNavigation::addPair() {
    if (refuseReadOnly()) return;
    Program& p = program_;
    DeckState& deck = p.deck;
    EditorState& e = p.editor;
    const bool wasAdding = e.AddingPair;
    e.AddingPair = true;
    if (!leavesPair(askAboutUnsavedEdits(false))) {
        e.AddingPair = wasAdding;
        return;
    }
    if (deck.CurrentPair < deck.PairCount) {
        if (!insertAfterShownPair()) {
            e.AddingPair = false;
            if (p.shell.deckOpen && !e.shown) show();
            return;
        }
        e.AddingPair = true;
        move(deck.CurrentPair);
        return;
    }
    if (deck.PairCount >= kMaxPairs) {
        tell(fileSizeLimit());
        e.AddingPair = false;
        move(deck.PairCount);
        return;
    }
    // The pair comes into being when it is first saved.
    e.AddingPair = true;
    move(deck.PairCount + 1);
}

void EditorNavigation::deletePairClick() {
    if (refuseReadOnly()) return;
    deletePair();
}

void EditorNavigation::deletePair() {
    Program& p = program_;
    DeckState& deck = p.deck;
    EditorState& e = p.editor;
    const bool fromMain = e.DeleteFromMain;
    if (e.AddingPair && deck.CurrentPair > deck.PairCount) {
        // A new pair that was never saved: there is nothing in the deck to delete.
        e.AddingPair = false;
        e.PairDirty = false;
        if (!fromMain) move(deck.PairCount);
        e.DeleteFromMain = false;
        return;
    }
    if (deck.PairCount <= kMinimumPairs) {
        p.ui().message(kLastPairsCaption,
                       "A Deck Must Keep At Least " + std::to_string(kMinimumPairs) +
                           " Pairs, So Pair " + std::to_string(deck.CurrentPair) +
                           " Cannot Be Deleted.  Change Its Text Instead.",
                       Icon::Warning);
        e.DeleteFromMain = false;
        return;
    }
    e.AddingPair = false;
    e.PairDirty = false;
    DeletedPair deleted = takeDeletedPair(p, deck.CurrentPair);
    const bool done = flush(FlushMode::Delete);
    e.DeleteFromMain = false;
    if (!p.shell.deckOpen) return;
    if (done) deck.CurrentPair = std::min(deck.CurrentPair, deck.PairCount);
    if (!fromMain && !e.shown) show();
    if (done) drill_.rememberDeletedPair(std::move(deleted));
}

void EditorNavigation::runPair() {
    Program& p = program_;
    if (p.editor.PairDirty && !savePair()) return;
    if (!p.deck.validPair(p.deck.CurrentPair)) return;
    hide();
    drill_.runEditorPair();
}

bool EditorNavigation::close() {
    Program& p = program_;
    if (!leavesPair(askAboutUnsavedEdits(true))) return false;
    hide();
    if (window_) window_->hideFindDialog();
    p.editor.AddingPair = false;
    p.deck.CurrentPair = std::clamp(p.drill.ReturnPair, 1, std::max(p.deck.PairCount, 1));
    drill_.showQuestionAgain();
    return true;
}

void EditorNavigation::find(const FindState& state, FindButton button) {
    Program& p = program_;
    const std::int32_t current = p.deck.CurrentPair;
    const std::int32_t found = FindOrFindNext(p, state, button);
    p.deck.CurrentPair = current;
    if (found == 0) return;
    p.editor.AddingPair = false;
    if (!leavesPair(askAboutUnsavedEdits(false))) return;
    move(found);
}

}  // namespace cardwise
