#pragma once

#include <cstdint>
#include <string_view>

#include "core/editor/associated_files.h"
#include "core/editor/editor_navigation.h"
#include "core/editor/editor_view.h"
#include "core/editor/find.h"
#include "core/editor/hide_debounce.h"

namespace cardwise {

struct Program;
class DrillController;

// Where "Bring Up GoTo Pair" (Ctrl+G) goes: the editor's Go To Pair box while the editor
// shows, else the drill's.
enum class GoToPairRoute { Editor, Drill };

// The pair editor. The Qt window renders view() and forwards every change and click;
// after each call it renders view() again while it is shown. The work is done by
// EditorNavigation (the pair shown and the moves), AssociatedFiles (the files page), the
// edited-text store and the view builder.
class EditorController {
  public:
    EditorController(Program& program, DrillController& drill);
    EditorController(const EditorController&) = delete;
    EditorController& operator=(const EditorController&) = delete;
    void setWindow(EditorWindow* window) { navigation_.setWindow(window); }

    const EditorView& view() const { return navigation_.view(); }
    bool shown() const;
    // Builds view() again: a setting it shows changed outside the editor.
    void refresh() { navigation_.render(); }

    // ---- main window -------------------------------------------------------------------
    // "&Edit Current Q&&A Pair...", "&Insert New Q&&A Pair...", "&Delete Current Q&&A
    // Pair", "&Open Current Q&&A File In Cardwise Editor...".
    void EditCurrentPairClick() { navigation_.editCurrentPair(); }
    void InsertNewPairClick() { navigation_.insertNewPair(); }
    void DeleteCurrentPairClick() { navigation_.deleteCurrentPair(); }
    void OpenInEditorClick() { navigation_.openInEditor(); }
    // Whether the hidden items "Move To Next Pair In Editor" (Ctrl+N, runs BBUpClick) and
    // "Move To Previous Pair In Editor" (Ctrl+P, runs BBDownClick) can be chosen.
    bool moveMenuItemsEnabled() const { return shown(); }
    GoToPairRoute goToPairRoute() const;

    // ---- FrontEnd hand-overs the main window passes on -----------------------------------
    // FrontEnd::showEditorOnNewDeck.
    void showOnNewDeck(std::int32_t rememberedPair) { navigation_.showOnNewDeck(rememberedPair); }
    // FrontEnd::returnToEditor: the single-pair run is over.
    void returnFromRun() { navigation_.returnFromRun(); }
    // FrontEnd::closeEditor: the deck is being closed; unsaved edits are asked about (and
    // kept in the store the close writes), then the window and the find dialog go. False,
    // with the window left open, when an edit the user keeps could not be stored.
    bool deckClosing() { return navigation_.deckClosing(); }

    // ---- the window ----------------------------------------------------------------------
    // Any change of a memo, box, category, kind or correct-answer button (the whole form as
    // the widgets hold it now, UTF-8): the pair becomes dirty. Render view().enabled after.
    void formEdited(const EditorForm& form) { navigation_.formEdited(form); }

    void BBSaveClick() { navigation_.save(); }
    void BBAddPairClick() { navigation_.addPair(); }             // insert
    void BBDeletePairClick() { navigation_.deletePairClick(); }  // delete
    void BBDownClick() { navigation_.previous(); }               // previous pair (also Ctrl+P)
    void BBUpClick() { navigation_.next(); }                     // next pair (also Ctrl+N)
    // "Go To Pair #" with the text of EGoToPair. True when the window should empty the box
    // (always after Enter in the box).
    bool BBGoToPairClick(std::string_view entry);
    void BBRunPairClick() { navigation_.runPair(); }
    // False when the user chose Cancel or the save was refused: the editor stays open.
    bool BBCloseClick() { return navigation_.close(); }
    // The window's own close button: as BBCloseClick.
    bool closeRequested() { return BBCloseClick(); }
    void BBFindClick();
    // The find dialog's "Find" or "Find Next"; moves the editor to the pair found.
    void findClick(const FindState& state, FindButton button) { navigation_.find(state, button); }

    // The page turned to; the answer page of a new pair focuses AMemo with its text
    // selected (view().focus).
    void NotebookPageChanged(EditorPage page);

    // Associated files. Browse asks for a file through the UserInterface and puts it in its
    // box (file name alone when it lies in the deck's, the sound or the graphics folder).
    void browse(FileBox box);
    // Play: plays the side's audio/video file on the editor's player.
    void play(EditorSide side);
    // Display: shows the side's picture in the picture viewer.
    void display(EditorSide side);

    // ---- the window's own hide -------------------------------------------------------------
    // The window forwards these and hides when settleWindow() says so (see HideDebounce).
    // showEditor() reached the window.
    void windowShown() { hide_.shown(); }
    // hideEditor() reached the window, on screen or not: true when the window must call
    // settleWindow() once the event loop turns.
    bool windowHideRequested(bool onScreen) { return hide_.hideRequested(onScreen); }
    // The event loop turned, or a command ended: true when the window must hide now.
    bool settleWindow() { return hide_.settle(); }

  private:
    Program& program_;
    AssociatedFiles files_;
    EditorNavigation navigation_;
    HideDebounce hide_;
};

}  // namespace cardwise
