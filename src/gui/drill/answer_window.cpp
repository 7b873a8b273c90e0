#include "gui/drill/answer_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

#include "core/drill/drill_window_texts.h"
#include "core/drill/pair_toggles.h"
#include "gui/drill/drill_look.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {

AnswerWindow::AnswerWindow(DrillController& controller, std::function<Rect(Rect)> resizePlacement)
    : DrillWindowBase(controller, DrillScreen::Answer,
                      Names{"TFAnswer", "SBComment", "PANumber", "MP2", "Comment"}),
      resizePlacement_(std::move(resizePlacement)) {
    connect(statusBar_->noteButton(), &QToolButton::clicked, this,
            [this] { call([this] { controller_.commentClick(); }); });
    auto forward = [this](QPushButton* button, void (DrillController::*action)()) {
        connect(button, &QPushButton::clicked, this,
                [this, action] { call([this, action] { (controller_.*action)(); }); });
    };
    auto stopAutoPilot = [this](ClickableLabel* picture) {
        connect(picture, &ClickableLabel::clicked, this,
                [this] { call([this] { controller_.stopAutoPilot(); }); });
    };

    gradePanel_ = addBottomPanel("DE");
    autopilotGrade_ = addPicture(gradePanel_, "Image1", autopilotPicture());
    addToList2_ = addButton(gradePanel_, "BBAddToList2", kAddToListCaption);
    disable2_ = addButton(gradePanel_, "BBDisable2", kDisableCaption);
    static_cast<QHBoxLayout*>(gradePanel_->layout())->addStretch(1);
    correct_ = addButton(gradePanel_, "BBCorrect", kCorrectCaption);
    showAgain_ = addButton(gradePanel_, "BBShowAgain", kTryQuestionAgainCaption);
    incorrectButton_ = addButton(gradePanel_, "BBIncorrect", kIncorrectCaption);
    forward(addToList2_, &DrillController::togglePriorityList);
    forward(disable2_, &DrillController::toggleDisabled);
    forward(correct_, &DrillController::markCorrect);
    forward(showAgain_, &DrillController::tryAgain);
    forward(incorrectButton_, &DrillController::markIncorrect);
    stopAutoPilot(autopilotGrade_);

    judgedPanel_ = addBottomPanel("MC");
    // The verdict pictures and the autopilot picture take turns in one place.
    auto* pictures = new QWidget(judgedPanel_);
    pictures->setFixedSize(correctPicture().size());
    judgedPanel_->layout()->addWidget(pictures);
    correctImage_ = addPicture(pictures, "Image2", correctPicture());
    incorrectImage_ = addPicture(pictures, "Image3", incorrectPicture());
    autopilotJudged_ = addPicture(pictures, "Image4", autopilotPicture());
    addToList1_ = addButton(judgedPanel_, "BBAddToList1", kAddToListCaption);
    disable1_ = addButton(judgedPanel_, "BBDisable1", kDisableCaption);
    static_cast<QHBoxLayout*>(judgedPanel_->layout())->addStretch(1);
    nextQuestion_ = addButton(judgedPanel_, "BBNextQ", kShowNextQuestionCaption);
    tryAgain_ = addButton(judgedPanel_, "BBTryAgain", kTryQuestionAgainCaption);
    forward(addToList1_, &DrillController::togglePriorityList);
    forward(disable1_, &DrillController::toggleDisabled);
    forward(nextQuestion_, &DrillController::showNextQuestion);
    forward(tryAgain_, &DrillController::tryAgain);
    stopAutoPilot(autopilotJudged_);

    showOnlyPanel(gradePanel_);
}

ClickableLabel* AnswerWindow::addPicture(QWidget* panel, const char* name, const QPixmap& picture) {
    auto* label = new ClickableLabel(panel);
    label->setObjectName(name);
    label->setPixmap(picture);
    label->setFixedSize(picture.size());
    // Blinking must not shift the buttons beside it.
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    if (panel->layout()) panel->layout()->addWidget(label);
    return label;
}

void AnswerWindow::render(const AnswerView& view) {
    renderCommon(view, view.status, view.commentEnabled,
                 {kAnswerCategoryTip, kAnswerNumberTip, kCommentTip});
    panel_ = view.panel;
    showOnlyPanel(view.panel == AnswerPanel::UserGrades ? gradePanel_ : judgedPanel_);

    autopilotGrade_->setVisible(view.autopilotPictures);
    autopilotJudged_->setVisible(view.autopilotPictures);
    correctImage_->setVisible(view.correctPicture);
    incorrectImage_->setVisible(view.incorrectPicture);

    for (QPushButton* button : {addToList1_, addToList2_}) {
        button->setText(fromDeckText(view.listCaption));
        button->setEnabled(view.listEnabled);
    }
    for (QPushButton* button : {disable1_, disable2_}) {
        button->setText(fromDeckText(view.disableCaption));
    }
    fitToControls();
}

QPushButton* AnswerWindow::defaultButton() const {
    return panel_ == AnswerPanel::UserGrades ? correct_ : nextQuestion_;
}

QWidget* AnswerWindow::firstFocus() const {
    return defaultButton();
}

Rect AnswerWindow::correctedPlacement(Rect requested) const {
    return resizePlacement_ ? resizePlacement_(requested) : requested;
}

}  // namespace cardwise::gui
