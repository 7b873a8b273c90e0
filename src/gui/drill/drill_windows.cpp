#include "gui/drill/drill_windows.h"

#include <QFile>

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "core/drill/answer_view.h"
#include "core/media/file_validation.h"
#include "core/program.h"
#include "gui/drill/answer_window.h"
#include "gui/drill/question_window.h"

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

DrillWindows::DrillWindows(Program& program, DrillController& controller, QObject* parent)
    : QObject(parent), program_(program), controller_(controller) {
    controller_.setCaptionBarHeight(captionBarHeight());
    question_ = std::make_unique<QuestionWindow>(controller_, program_.ui());
    answer_ = std::make_unique<AnswerWindow>(controller_, [this](Rect requested) {
        return answerResizePlacement(requested, program_.settings, controller_.captionBarHeight());
    });
    connect(question_.get(), &DrillWindowBase::controllerCalled, this, &DrillWindows::sync);
    connect(answer_.get(), &DrillWindowBase::controllerCalled, this, &DrillWindows::sync);
    connect(question_.get(), &DrillWindowBase::optionsRequested, this,
            &DrillWindows::optionsRequested);
    connect(answer_.get(), &DrillWindowBase::optionsRequested, this,
            &DrillWindows::optionsRequested);
    controller_.setObserver(this);
}

DrillWindows::~DrillWindows() {
    controller_.setObserver(nullptr);
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

QString DrillWindows::pictureFile(const DrillWindowView& view) const {
    // The core found (and reported on) the file when the side was shown.
    if (view.content == SideContent::TextOnly) return {};
    return QFile::decodeName(QByteArray::fromStdString(view.pictureFile));
}

void DrillWindows::appear(DrillScreen window) {
    if (window == DrillScreen::Question) {
        question_->render(controller_.question(), true);
        question_->setPictureFile(pictureFile(controller_.question()));
        question_->startShow(controller_.question().placement);
    } else if (window == DrillScreen::Answer) {
        answer_->render(controller_.answer());
        answer_->setPictureFile(pictureFile(controller_.answer()));
        answer_->startShow(controller_.answer().placement);
    }
}

void DrillWindows::hideWindow(DrillScreen window) {
    if (window == DrillScreen::Question)
        question_->stopShow();
    else if (window == DrillScreen::Answer)
        answer_->stopShow();
}

}  // namespace cardwise::gui
