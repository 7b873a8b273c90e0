#include "gui/drill/drill_windows.h"

#include <QFile>

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "core/drill/answer_view.h"
#include "core/media/picture_view.h"
#include "core/program.h"
#include "gui/drill/answer_window.h"
#include "gui/drill/question_window.h"
#include "gui/media/picture_viewer.h"
#include "gui/media/qt_image_decoder.h"
#include "gui/media/qt_media_player.h"
#include "gui/media/zoom_window.h"

namespace cardwise::gui {
namespace {

// Windows' caption bar at normal font sizes is 18-19 pixels at 96 dots per inch; large
// fonts (120 dpi) make it taller than the 22 pixels the drill windows test for.
int captionBarHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return static_cast<int>(19.0 * dpi / 96.0 + 0.5);
}

}  // namespace

QImage sidePicture(Program& program, const DrillWindowView& view, SideFiles files) {
    const std::string file = sidePictureFile(program, view, files);
    if (file.empty()) return {};
    const auto picture = loadPicture(program.ui(), program.files(), program.platform.images, file);
    return picture ? imageOf(*picture) : QImage();
}

DrillWindows::DrillWindows(Program& program, DrillController& controller, QObject* parent)
    : QObject(parent),
      program_(program),
      controller_(controller),
      questionMedia_(program.ui(), program.platform.media, MediaChannel::Question),
      answerMedia_(program.ui(), program.platform.media, MediaChannel::Answer),
      zoom_(std::make_unique<ZoomWindow>()),
      viewer_(std::make_unique<PictureViewer>(program.platform.help)) {
    controller_.setCaptionBarHeight(captionBarHeight());
    question_ = std::make_unique<QuestionWindow>(controller_, program_.ui());
    answer_ = std::make_unique<AnswerWindow>(controller_, [this](Rect requested) {
        return answerResizePlacement(requested, program_.settings, controller_.captionBarHeight());
    });
    connect(question_.get(), &DrillWindowBase::controllerCalled, this, &DrillWindows::sync);
    connect(answer_.get(), &DrillWindowBase::controllerCalled, this, &DrillWindows::sync);
    connect(question_.get(), &DrillWindowBase::pictureClicked, this,
            [this] { zoom_->zoom(question_->picture()); });
    connect(answer_.get(), &DrillWindowBase::pictureClicked, this,
            [this] { zoom_->zoom(answer_->picture()); });
    question_->attachMedia(&questionMedia_);
    answer_->attachMedia(&answerMedia_);
    // Video needs a widget to be drawn in, which only the Qt player can take.
    if (auto* player = dynamic_cast<QtMediaPlayer*>(&program.platform.media)) {
        player->setVideoOutput(MediaChannel::Question, question_->videoOutput());
        player->setVideoOutput(MediaChannel::Answer, answer_->videoOutput());
    }
    connect(question_.get(), &DrillWindowBase::optionsRequested, this,
            &DrillWindows::optionsRequested);
    connect(answer_.get(), &DrillWindowBase::optionsRequested, this,
            &DrillWindows::optionsRequested);
    for (DrillWindowBase* window : {static_cast<DrillWindowBase*>(question_.get()),
                                    static_cast<DrillWindowBase*>(answer_.get())}) {
        connect(window, &DrillWindowBase::editorCommandRequested, this,
                &DrillWindows::editorCommandRequested);
    }
    controller_.setObserver(this);
}

void DrillWindows::offerEditor() {
    question_->offerEditor(true);
    answer_->offerEditor(true);
}

DrillWindows::~DrillWindows() {
    controller_.setObserver(nullptr);
    question_->attachMedia(nullptr);
    answer_->attachMedia(nullptr);
    if (auto* player = dynamic_cast<QtMediaPlayer*>(&program_.platform.media)) {
        player->setVideoOutput(MediaChannel::Question, nullptr);
        player->setVideoOutput(MediaChannel::Answer, nullptr);
    }
}

QWidget* DrillWindows::questionWindow() const {
    return question_.get();
}

QWidget* DrillWindows::answerWindow() const {
    return answer_.get();
}

void DrillWindows::sync() {
    switch (controller_.screen()) {
        case DrillScreen::Question:
            if (question_->isVisible()) question_->render(controller_.question());
            break;
        case DrillScreen::Answer:
            if (answer_->isVisible()) answer_->render(controller_.answer());
            break;
        case DrillScreen::None:
            break;
    }
    keepTicking();
}

void DrillWindows::keepTicking() {
    const DrillScreen screen = controller_.screen();
    question_->keepTicking(screen == DrillScreen::Question && controller_.tickNeeded());
    answer_->keepTicking(screen == DrillScreen::Answer && controller_.tickNeeded());
}

void DrillWindows::restyle() {
    question_->setMemoLook(questionLook(program_.settings));
    answer_->setMemoLook(answerLook(program_.settings));
}

void DrillWindows::showWindow(DrillScreen window, bool posted) {
    if (!posted) {
        appear(window);
        return;
    }
    // The first window of a deck named at start waits for the event loop.
    QTimer::singleShot(0, this, [this, window] {
        if (controller_.screen() == window) appear(window);
    });
}

void DrillWindows::viewPicture(const std::string& path) {
    const auto picture =
        loadPicture(program_.ui(), program_.files(), program_.platform.images, path);
    if (picture) viewer_->display(imageOf(*picture));
}

void DrillWindows::appear(DrillScreen window) {
    if (window == DrillScreen::Question) {
        const QuestionView& view = controller_.question();
        question_->render(view, true);
        question_->showPicture(sidePicture(program_, view, SideFiles::Checked), view.pictureFit);
        question_->startShow(view.placement);
        questionMedia_.showSide(view.mediaFile);
    } else if (window == DrillScreen::Answer) {
        const AnswerView& view = controller_.answer();
        answer_->render(controller_.answer());
        answer_->showPicture(sidePicture(program_, view, SideFiles::Checked), view.pictureFit);
        answer_->startShow(view.placement);
        answerMedia_.showSide(view.mediaFile);
    }
    keepTicking();
}

void DrillWindows::hideWindow(DrillScreen window) {
    if (window == DrillScreen::Question) {
        questionMedia_.hide();
        question_->stopShow();
    } else if (window == DrillScreen::Answer) {
        answerMedia_.hide();
        answer_->stopShow();
    }
}

}  // namespace cardwise::gui
