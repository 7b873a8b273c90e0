#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "core/editor/editor_controller.h"
#include "gui/editor/character_map.h"

namespace cardwise {
struct Program;
}

namespace cardwise::gui {

class DrillWindows;
class QtMediaPlayer;
class EditorLayout;
class FindDialog;

// TFEditor: renders the editor controller's view into its form and forwards every change
// and click to it. Created hidden; the controller shows and hides it.
class QtEditorWindow : public QWidget, public EditorWindow {
    Q_OBJECT
  public:
    // drill gives the picture viewer of the Display buttons.
    QtEditorWindow(Program& program, EditorController& controller, DrillWindows& drill,
                   CharacterMap characterMap = CharacterMap(), QWidget* parent = nullptr);
    ~QtEditorWindow() override;

    void showEditor() override;
    void hideEditor() override;
    void showFindDialog() override;
    void hideFindDialog() override;
    void hidePictureViewer() override;
    void showPicture(const std::string& file) override;

    // Copies the whole view into the widgets; their change events do not count as edits.
    void render();
    // The form as the widgets hold it (UTF-8).
    EditorForm formOfWidgets() const;

    // Hides the window now when the controller says a hide it asked for still holds (no
    // show followed it). Runs by itself once the event loop turns.
    void settle();

    // Ctrl+M: the text box of the page showing, question or answer.
    void moveToMemo();
    // Ctrl+G: the go-to-pair command; with an empty box the box takes the focus first.
    void goToPairCommand();

    EditorLayout& form() const { return *form_; }
    FindDialog& findDialog() const { return *find_; }

  signals:
    // The window appeared or went: the main window's hidden items follow it.
    void visibilityChanged();
    // A command of the editor ran: the drill windows and menus may have something new.
    void controllerCalled();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The designed minimum, grown to what the controls need at the desktop's font.
    void fitToControls();
    void wire();
    // A video played by the associated-files page is drawn in a window of its own.
    void attachVideo();
    // Calls the controller, then renders what it left on screen.
    void call(const std::function<void()>& action);
    void edited();
    void goToPair();
    void applyEnabled(const EditorControls& enabled);
    void applyLooks(const EditorView& view);
    void applyFocus(EditorFocus focus);
    void applyTips(bool on);

    Program& program_;
    EditorController& controller_;
    DrillWindows& drill_;
    CharacterMap characterMap_;
    EditorLayout* form_ = nullptr;
    FindDialog* find_ = nullptr;
    QtMediaPlayer* player_ = nullptr;
    std::unique_ptr<QWidget> video_;
    bool rendering_ = false;
};

}  // namespace cardwise::gui
