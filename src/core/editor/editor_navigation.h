#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/editor/associated_files.h"
#include "core/editor/edited_text_store.h"
#include "core/editor/editor_view.h"
#include "core/editor/find.h"

namespace cardwise {

struct Program;
class DrillController;

// What became of the shown pair's unsaved edits when the editor was about to leave it.
enum class UnsavedEditOutcome {
    Saved,      // stored (or there was nothing unsaved): go on
    Discarded,  // the user let them go: go on
    Cancelled,  // the user chose Cancel: stay on the pair with its edits
    Refused,    // the save was refused, a box said why: stay on the pair with its edits
};

// Whether the editor may leave the shown pair after `outcome`.
constexpr bool leavesPair(UnsavedEditOutcome outcome) {
    return outcome == UnsavedEditOutcome::Saved || outcome == UnsavedEditOutcome::Discarded;
}

// The pair the editor shows and the ways to another: show and hide, the moves, Go To,
// Find, insert, delete, save, and the question about unsaved edits each of them asks.
class EditorNavigation {
  public:
    EditorNavigation(Program& program, DrillController& drill, AssociatedFiles& files);

    void setWindow(EditorWindow* window) { window_ = window; }
    EditorWindow* window() const { return window_; }
    const EditorView& view() const { return view_; }
    EditorView& view() { return view_; }
    // The form as the window holds it (UTF-8), and as it was read (deck bytes).
    const EditorForm& form() const { return form_; }
    const EditorForm& loaded() const { return loaded_; }

    // Builds view() again from the pair and the program's state.
    void render();
    // The window's whole form after a change: the pair becomes dirty (not on a deck that
    // cannot be changed).
    void formEdited(const EditorForm& form);

    // From the main window and the program.
    void editCurrentPair();
    void insertNewPair();
    void deleteCurrentPair();
    void openInEditor();
    void showOnNewDeck(std::int32_t rememberedPair);
    void returnFromRun();
    bool deckClosing();

    // The editor's buttons.
    void save();
    void addPair();
    void deletePairClick();
    void previous();
    void next();
    void goToPair(std::string_view entry);
    void runPair();
    bool close();
    void find(const FindState& state, FindButton button);

    // The question about unsaved edits (with a Cancel button when `withCancel`), or the
    // save without one when edits are saved automatically.
    UnsavedEditOutcome askAboutUnsavedEdits(bool withCancel);

  private:
    void show();
    void hide();
    void move(std::int32_t to);
    void deletePair();
    bool leaveShownPair();
    bool refuseReadOnly();
    void tell(const StoreRefusal& refusal);
    // Saves the shown pair; false when refused (a box said why).
    bool savePair();
    // Inserts a pair after the shown one through a flush; false when refused (a box said
    // why) or when the flush failed.
    bool insertAfterShownPair();
    // Writes the deck and reads it again; false when the write failed (a box said so) or
    // the deck did not load again.
    bool flush(FlushMode mode);

    Program& program_;
    DrillController& drill_;
    AssociatedFiles& files_;
    EditorWindow* window_ = nullptr;
    EditorView view_;
    EditorForm form_;
    EditorForm loaded_;
    // The markup faults of the pair shown; empty when it read cleanly.
    std::string faults_;
    // The deck is being closed from outside: a save only stores, the close writes.
    bool closingDeck_ = false;
};

}  // namespace cardwise
