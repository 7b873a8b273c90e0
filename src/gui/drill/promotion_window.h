#pragma once

#include <QDialog>

#include "core/drill/promotion_message.h"

class QLabel;
class QPushButton;
class QTimer;

namespace cardwise::gui {

// TFTimPromo: the promotion or demotion text in a small window; a timed one has no OK
// button and closes itself on the third tick of its one-second timer.
class PromotionWindow : public QDialog {
    Q_OBJECT
  public:
    PromotionWindow(QWidget* parent, const QString& text, bool timed);

  public slots:
    void tick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    PromotionMessageWindow window_;
    QLabel* label_ = nullptr;
    QWidget* okPanel_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTimer* timer_ = nullptr;
};

// Shows the window modally until OK, or until it closes itself when timed.
void runPromotionWindow(QWidget* parent, const QString& text, bool timed);

}  // namespace cardwise::gui
