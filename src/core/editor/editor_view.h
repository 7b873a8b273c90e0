#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/drill/drill_window_common.h"
#include "core/editor/editor_form.h"

namespace cardwise {

struct Program;

inline constexpr int kEditorMinWidth = 640;
inline constexpr int kEditorMinHeight = 441;
inline constexpr int kMemoFontSize = 12;
inline constexpr int kBoxFontSize = 8;

// The notebook's pages, in tab order.
enum class EditorPage { QuestionText, AnswerText, AssociatedFiles, HintsComments };

// Where the window puts the keyboard focus after rendering.
enum class EditorFocus { None, QuestionMemoSelectAll, AnswerMemoSelectAll };

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

// What the window shows of the pair `form` (already UTF-8, see formForWindow), read with
// the markup faults `faults` (empty when it read cleanly). Asks for no page and no focus.
EditorView editorView(const Program& program, const EditorForm& form, std::string_view faults);

// The window's edge: deck bytes become UTF-8 with "\n" line breaks, file names readable.
EditorForm formForWindow(const EditorForm& bytes);

// The form the window holds, back in deck bytes; `read` is the form as it was read, whose
// file names keep their bytes where the window shows them unchanged.
struct FormFromWindow {
    EditorForm form;
    // A character the deck's code page cannot hold; the form is unusable when set.
    std::optional<char32_t> refused;
};
FormFromWindow formFromWindow(const EditorForm& shown, const EditorForm& read);

}  // namespace cardwise
