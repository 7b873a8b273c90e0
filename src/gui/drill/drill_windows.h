#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <memory>

#include "core/drill/run_control.h"
#include "core/drill/side_picture.h"
#include "core/media/media_control.h"

class QWidget;

namespace cardwise {
struct Program;
}

namespace cardwise::gui {

class QuestionWindow;
class AnswerWindow;
class PictureViewer;
class ZoomWindow;

// The picture a drill window shows for a side, decoded; a null image for none. A file that
// cannot be decoded is reported and shows none.
QImage sidePicture(Program& program, const DrillWindowView& view, SideFiles files);

// Owns the question and answer windows and shows, hides and renders them as the drill
// controller says. Whoever calls the controller from outside the windows (menus, dialogs)
// calls sync() afterwards.
class DrillWindows : public QObject, public DrillWindowObserver {
    Q_OBJECT
  public:
    DrillWindows(Program& program, DrillController& controller, QObject* parent = nullptr);
    ~DrillWindows() override;

    QWidget* questionWindow() const;
    QWidget* answerWindow() const;
    QuestionWindow& question() const { return *question_; }
    AnswerWindow& answer() const { return *answer_; }
    ZoomWindow& zoom() const { return *zoom_; }
    // The picture viewer the editor's display buttons use.
    PictureViewer& viewer() const { return *viewer_; }
    // Loads a file into the picture viewer and shows it; a file that cannot be decoded
    // is reported and leaves the viewer as it was.
    void viewPicture(const std::string& path);

    // The editor items of both pop-up menus can be chosen.
    void offerEditor();

    // Renders the window in use from the controller's view model.
    void sync();
    // The shown window's tick timer runs only while the controller needs it.
    void keepTicking();
    // Each text area takes its own background and font from the settings at once.
    void restyle();

    void showWindow(DrillScreen window, bool posted) override;

  signals:
    // "&Options" was chosen in either window's pop-up menu.
    void optionsRequested();
    // An editor item of either pop-up menu, by its component name.
    void editorCommandRequested(const QString& name);

  public:
    void hideWindow(DrillScreen window) override;

  private:
    void appear(DrillScreen window);

    Program& program_;
    DrillController& controller_;
    std::unique_ptr<QuestionWindow> question_;
    std::unique_ptr<AnswerWindow> answer_;
    MediaControl questionMedia_;
    MediaControl answerMedia_;
    std::unique_ptr<ZoomWindow> zoom_;
    std::unique_ptr<PictureViewer> viewer_;
};

}  // namespace cardwise::gui
