#pragma once

#include <functional>

#include "gui/drill/drill_window_base.h"

namespace cardwise::gui {

// TFAnswer: shows an AnswerView and forwards the user's grade and toggles.
class AnswerWindow : public DrillWindowBase {
    Q_OBJECT
  public:
    // resizePlacement: where a resize the user asked for puts the window.
    AnswerWindow(DrillController& controller, std::function<Rect(Rect)> resizePlacement);

    void render(const AnswerView& view);

  protected:
    QPushButton* defaultButton() const override;
    QWidget* firstFocus() const override;
    Rect correctedPlacement(Rect requested) const override;

  private:
    ClickableLabel* addPicture(QWidget* panel, const char* name, const QPixmap& picture);

    std::function<Rect(Rect)> resizePlacement_;
    QWidget* gradePanel_ = nullptr;
    QWidget* judgedPanel_ = nullptr;
    ClickableLabel* autopilotGrade_ = nullptr;   // Image1
    ClickableLabel* correctImage_ = nullptr;     // Image2
    ClickableLabel* incorrectImage_ = nullptr;   // Image3
    ClickableLabel* autopilotJudged_ = nullptr;  // Image4
    QPushButton* addToList2_ = nullptr;
    QPushButton* disable2_ = nullptr;
    QPushButton* correct_ = nullptr;
    QPushButton* showAgain_ = nullptr;
    QPushButton* incorrectButton_ = nullptr;
    QPushButton* addToList1_ = nullptr;
    QPushButton* disable1_ = nullptr;
    QPushButton* nextQuestion_ = nullptr;
    QPushButton* tryAgain_ = nullptr;
    AnswerPanel panel_ = AnswerPanel::UserGrades;
};

}  // namespace cardwise::gui
