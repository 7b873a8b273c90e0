#pragma once

#include <QDialog>

#include <array>

#include "core/study/mode_dialogs.h"

class QButtonGroup;
class QLineEdit;

namespace cardwise::gui {

// TFList and TFRange: the shared frequency; TFList also clears the priority list.
class FrequencyWindow : public QDialog {
    Q_OBJECT
  public:
    FrequencyWindow(Program& program, FrequencyDialog::Kind kind, QWidget* parent = nullptr);
    void accept() override;
    void reject() override;

  private:
    FrequencyDialog model_;
    QLineEdit* frequency_ = nullptr;
};

// TFHistory: frequencies, thresholds, the promotion message and the reset to Unlearned.
class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HistoryWindow(Program& program, QWidget* parent = nullptr);
    void accept() override;
    void reject() override;

  private:
    HistoryDialog model_;
    std::array<QLineEdit*, 6> fields_{};
    QButtonGroup* promo_ = nullptr;
};

}  // namespace cardwise::gui
