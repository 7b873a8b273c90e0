#pragma once

#include <QLabel>
#include <QWidget>

#include <functional>
#include <vector>

#include "core/drill/run_control.h"
#include "core/media/media_control.h"
#include "core/media/picture_view.h"
#include "gui/drill/drill_status_bar.h"
#include "gui/media/video_area.h"

class QFrame;
class QPushButton;
class QTextEdit;
class QTimer;

namespace cardwise::gui {

class AccessKeyFilter;
class DrillPopupMenus;
class PictureWidget;

// A label that can be clicked (the answer window's autopilot pictures).
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// What the question and answer windows share: the text and picture boxes, the bottom
// panels, the one-second timer, the window's place and the close button, with a status bar,
// pop-up menus and access keys of their own classes. Every user action calls the controller
// and then emits controllerCalled(), after which the owner renders the window in use.
class DrillWindowBase : public QWidget {
    Q_OBJECT
  public:
    // The names that differ between the two windows.
    struct Names {
        const char* window;         // TFQuestion
        const char* noteButton;     // SBHint
        const char* pairNumber;     // PQNumber
        const char* mediaPlayer;    // MP1
        std::string_view noteName;  // what a screen reader calls the note button
    };

    DrillWindowBase(DrillController& controller, DrillScreen screen, const Names& names);

    // The window appears for a pair: placed where the view says, timer stopped (keepTicking
    // starts it afresh when needed), focus on the panel's first control.
    void startShow(Rect placement);
    // The window goes: its timer stops.
    void stopShow();
    // Runs the tick timer only while the shown window needs it.
    void keepTicking(bool needed);
    // The side's picture, decoded once per show; a null image shows none.
    void showPicture(const QImage& picture, PictureFit fit);
    QImage picture() const;
    // The window's media player; its buttons follow it.
    void attachMedia(MediaControl* media);
    VideoArea* videoOutput() const { return video_; }

    // The text area takes a new background and font at once, as the options dialog's
    // colour and font buttons ask; the next show applies the view's look again.
    void setMemoLook(const TextLook& look);

    // The pop-up menu's editor items: enabled when the program has an editor.
    void offerEditor(bool on);

    // A box or modal dialog of the program is open, or a pop-up menu: the timers wait.
    static bool programBusy();

  signals:
    void controllerCalled();
    // imageClick: the picture is to be zoomed.
    void pictureClicked();
    // "&Options" of the pop-up menu: the options dialog belongs to the main window.
    void optionsRequested();
    // An editor item of the pop-up menu, by its component name ("EditCurrentQAPair1").
    void editorCommandRequested(const QString& name);

  public slots:
    // One tick of the window's one-second timer.
    void timerTick();

  protected:
    static constexpr int kStatusHeight = 30;
    static constexpr int kBottomHeight = 64;

    // Calls the controller, then lets the owner render.
    void call(const std::function<void()>& action);

    void renderCommon(const DrillWindowView& view, const StatusFields& status, bool noteEnabled,
                      const DrillStatusBar::Tips& tips);
    QPushButton* addButton(QWidget* panel, const char* name, std::string_view caption);
    QWidget* addBottomPanel(const char* name);
    void showOnlyPanel(QWidget* panel);

    // The button Enter presses in the panel shown; none when the panel has none.
    virtual QPushButton* defaultButton() const = 0;
    // Where the keyboard focus goes when the window appears.
    virtual QWidget* firstFocus() const = 0;
    // A resize the user asked for may be corrected (the answer window follows the
    // question window's place when the windows are kept in step).
    virtual Rect correctedPlacement(Rect requested) const { return requested; }

    // Grows the window's minimum to its controls; after captions change.
    void fitToControls();
    // The window watches its own controls' keys and clicks; a window that takes more keys
    // extends this.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    DrillController& controller_;
    DrillScreen screen_;
    int statusHeight_ = kStatusHeight;
    int bottomHeight_ = kBottomHeight;

    DrillStatusBar* statusBar_ = nullptr;
    QFrame* textBox_ = nullptr;
    QTextEdit* memo_ = nullptr;
    QFrame* pictureBox_ = nullptr;
    PictureWidget* image_ = nullptr;
    VideoArea* video_ = nullptr;
    DrillPopupMenus* menus_ = nullptr;
    AccessKeyFilter* keys_ = nullptr;
    QTimer* timer_ = nullptr;
    std::vector<QWidget*> bottomPanels_;

  private:
    void layoutContent();
    void reportGeometry();

    SideContent content_ = SideContent::TextOnly;
    bool placing_ = false;
};

}  // namespace cardwise::gui
