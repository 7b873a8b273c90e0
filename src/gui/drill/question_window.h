#pragma once

#include <array>

#include "gui/drill/drill_window_base.h"

class QAction;
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
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QPushButton* defaultButton() const override;
    QWidget* firstFocus() const override;

  private:
    void checkFillIn();
    // Ctrl+Z: true when it was taken as the undo of the last grade or delete.
    bool undoKey(QObject* receiver, QKeyEvent* event);

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
    QAction* undoGrade_ = nullptr;
};

}  // namespace cardwise::gui
