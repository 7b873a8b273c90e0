#pragma once

#include <array>

#include "gui/drill/drill_window_base.h"

class QLineEdit;

namespace cardwise {
class UserInterface;
}

namespace cardwise::gui {

// TFQuestion: shows a QuestionView and forwards the user's reply.
class QuestionWindow : public DrillWindowBase {
    Q_OBJECT
  public:
    QuestionWindow(DrillController& controller, UserInterface& ui);

    // appearing: the window is being shown for a pair, so the entry field takes the view's
    // text; otherwise the user's typing stays.
    void render(const QuestionView& view, bool appearing = false);

  protected:
    QPushButton* defaultButton() const override;
    QWidget* firstFocus() const override;

  private:
    void checkFillIn();

    UserInterface& ui_;
    QWidget* displayPanel_ = nullptr;
    QWidget* fillInPanel_ = nullptr;
    QWidget* choicePanel_ = nullptr;
    QPushButton* displayAnswer_ = nullptr;
    QLineEdit* fillIn_ = nullptr;
    QPushButton* checkFillIn_ = nullptr;
    std::array<QPushButton*, 6> choices_{};
    QPushButton* allOfTheAbove_ = nullptr;
    QPushButton* noneOfTheAbove_ = nullptr;
    QuestionPanel panel_ = QuestionPanel::DisplayAnswer;
};

}  // namespace cardwise::gui
