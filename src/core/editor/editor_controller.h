#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/content/find.h"
#include "core/drill/drill_window_common.h"
#include "core/editor/editor_form.h"
#include "core/media/file_validation.h"

namespace cardwise {

struct Program;
class DrillController;

inline constexpr int kEditorMinWidth = 640;
inline constexpr int kEditorMinHeight = 441;
inline constexpr int kMemoFontSize = 12;
inline constexpr int kBoxFontSize = 8;

// The notebook's pages, in tab order.
enum class EditorPage { QuestionText, AnswerText, AssociatedFiles, HintsComments };

// Where the window puts the keyboard focus after rendering.
enum class EditorFocus { None, QuestionMemoSelectAll, AnswerMemoSelectAll };

// The side a file box belongs to, and which of its two boxes.
enum class EditorSide { Question, Answer };
enum class FileBox { EQAVI, EQBMP, EAAVI, EABMP };

// Which controls can be used now. Disabled fields keep what they show.
struct EditorControls {
    bool BBDown = false;  // previous pair
    bool BBUp = false;    // next pair
    bool BBSave = false;
    bool BBAddPair = false;
    bool BBDeletePair = false;
    bool BBRunPair = false;
    bool BBFind = true;
    bool BBGoToPair = true;  // with EGoToPair
    // RBStandard, RBMultipleChoice, RBFillIn.
    bool kindButtons = false;
    // Both memos, hints, comments, ECategory, the four file boxes and their Browse
    // buttons (Play and Display stay usable).
    bool fields = false;
    // Labels "MC #1".."MC #6" and EMC1..EMC6.
    bool choices = false;
    // RBAll, RBNone, the label "Correct Answer:", RBCorrect and ECorrect.
    bool correctAnswer = false;
    // Labels "FIB #1".."FIB #6" and EFIB1..EFIB6.
    bool fillIns = false;
    bool operator==(const EditorControls&) const = default;
};

// Everything the editor window shows. Texts are UTF-8; memo line breaks are "\n".
struct EditorView {
    std::string caption;
    EditorForm form;
    EditorControls enabled;
    bool CBAutoSavePair = false;
    bool CBAutoResetPage = true;
    bool CBFileSaveI = false;
    // Items of ECategory, sorted.
    std::vector<std::string> categories;
    // Turn to the page "&Question Text" (set only in the view a show renders).
    bool resetPage = false;
    // Set only in the view a show or a page change renders; None otherwise.
    EditorFocus focus = EditorFocus::None;
    // Both memos centred, else left-aligned.
    bool centred = false;
    // Tool-tips ("hints") of the controls shown.
    bool tips = true;
    // QMemo and EMC1..EMC6 take questionLook, AMemo and EFIB1..EFIB6 answerLook; their
    // font sizes are kMemoFontSize for the memos and kBoxFontSize for the boxes.
    TextLook questionLook;
    TextLook answerLook;
    // A warning the window shows above the pages while it is not empty: the pair's markup
    // faults, or why the deck cannot be changed.
    std::string notice;
};

// What the controller asks of the editor window. Rendering copies view() into the
// widgets with their change signals blocked, so loading a pair is not an edit.
class EditorWindow {
  public:
    virtual ~EditorWindow() = default;
    // Render view() and show the window (raise it when it is already shown).
    virtual void showEditor() = 0;
    // Hide the window (the editor's own player was closed by the core).
    virtual void hideEditor() = 0;
    // The find dialog: shown on top by "Find Text", hidden when the editor closes.
    virtual void showFindDialog() = 0;
    virtual void hideFindDialog() = 0;
    // The picture viewer: hidden, then loaded with the file and shown, by Display.
    virtual void hidePictureViewer() = 0;
    virtual void showPicture(const std::string& file) = 0;
};

// The pair editor. The Qt window renders view() and forwards every change and click;
// after each call it renders view() again while it is shown.
class EditorController {
  public:
    EditorController(Program& program, DrillController& drill);
    ~EditorController();
    // The media player calls back into this object.
    EditorController(const EditorController&) = delete;
    EditorController& operator=(const EditorController&) = delete;
    void setWindow(EditorWindow* window) { window_ = window; }

    const EditorView& view() const { return view_; }
    bool shown() const;

    // ---- main window -------------------------------------------------------------------
    // "&Edit Current Q&&A Pair...", "&Insert New Q&&A Pair...", "&Delete Current Q&&A
    // Pair", "&Open Current Q&&A File In Cardwise Editor...".
    void EditCurrentPairClick();
    void InsertNewPairClick();
    void DeleteCurrentPairClick();
    void OpenInEditorClick();
    // Whether the hidden items "Move To Next Pair In Editor" (Ctrl+N, runs BBUpClick) and
    // "Move To Previous Pair In Editor" (Ctrl+P, runs BBDownClick) can be chosen.
    bool moveMenuItemsEnabled() const;

    // ---- FrontEnd hand-overs the main window passes on -----------------------------------
    // FrontEnd::showEditorOnNewDeck.
    void showOnNewDeck(std::int32_t rememberedPair);
    // FrontEnd::returnToEditor: the single-pair run is over.
    void returnFromRun();
    // FrontEnd::closeEditor: the deck is being closed; unsaved edits are asked about (and
    // kept in the store the close writes), then the window and the find dialog go. False,
    // with the window left open, when an edit the user keeps could not be stored.
    bool deckClosing();

    // ---- the window ----------------------------------------------------------------------
    // Any change of a memo, box, category, kind or correct-answer button (the whole form as
    // the widgets hold it now, UTF-8): the pair becomes dirty. Render view().enabled after.
    void formEdited(const EditorForm& form);

    void BBSaveClick();
    void BBAddPairClick();     // insert
    void BBDeletePairClick();  // delete
    void BBDownClick();        // previous pair (also Ctrl+P)
    void BBUpClick();          // next pair (also Ctrl+N)
    // "Go To Pair #" with the text of EGoToPair. True when the window should empty the box
    // (always after Enter in the box).
    bool BBGoToPairClick(std::string_view entry);
    void BBRunPairClick();
    // False when the user chose Cancel: the editor stays open.
    bool BBCloseClick();
    // The window's own close button: as BBCloseClick.
    bool closeRequested() { return BBCloseClick(); }
    void BBFindClick();
    // The find dialog's "Find" or "Find Next"; moves the editor to the pair found.
    void findClick(const FindState& state, FindButton button);

    // The three check boxes: stored and written to the settings file at once.
    void CBAutoSavePairClick(bool checked);
    void CBAutoResetPageClick(bool checked);
    void CBFileSaveIClick(bool checked);

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

  private:
    void FormShow();
    void FormHide();
    void render();
    void rebuildCategories();
    void move(std::int32_t to);
    void deletePair();
    bool leaveShownPair();
    // False when the edits were neither saved nor let go (Cancel, or a refused save).
    bool askAboutUnsavedEdits(bool withCancel, bool* cancelled = nullptr);
    // Mode 0 saves the shown pair, 1 inserts a pair after it, 2 deletes it. False when
    // refused (a box said why) or when the flush failed.
    bool SavePair(int mode);
    bool flush(int mode);
    std::string readOnlyReason() const;
    bool refuseReadOnly();
    EditorForm toWindow(const EditorForm& bytes) const;
    std::optional<EditorForm> fromWindow(const EditorForm& shown);
    std::optional<std::string> lookUp(MediaKind kind, const std::string& shown);

    Program& program_;
    DrillController& drill_;
    EditorWindow* window_ = nullptr;
    EditorView view_;
    // The form as the window holds it (UTF-8), and as it was read (deck bytes).
    EditorForm form_;
    EditorForm loaded_;
    // The markup faults of the pair shown; empty when it read cleanly.
    std::string faults_;
    // The file Play started, and whether its failure was reported (players may report a
    // failure found after the start more than once).
    std::string playing_;
    bool playFailureShown_ = false;
    // The deck is being closed from outside: a save only stores, the close writes.
    bool closingDeck_ = false;
};

}  // namespace cardwise
