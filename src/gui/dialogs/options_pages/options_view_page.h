#pragma once

#include "gui/dialogs/options_pages/options_tab.h"

class QCheckBox;
class QLineEdit;

namespace cardwise::gui {

// "&View": what the drill windows show, and the auto pilot.
class OptionsViewPage : public OptionsTab {
    Q_OBJECT
  public:
    explicit OptionsViewPage(QWidget* parent);

    void load(const OptionsControls& controls) override;
    bool store(OptionsControls& controls) override;
    QLineEdit* numberField(OptionsNumber field) const override;

  private:
    QCheckBox* checkCase_ = nullptr;
    QCheckBox* lenientFillIn_ = nullptr;
    QCheckBox* center_ = nullptr;
    QCheckBox* qOnly_ = nullptr;
    QCheckBox* noScale_ = nullptr;
    QCheckBox* syncWin_ = nullptr;
    QCheckBox* enableHints_ = nullptr;
    QCheckBox* enableComments_ = nullptr;
    QCheckBox* enableGraphics_ = nullptr;
    QCheckBox* enableAudioVideo_ = nullptr;
    QCheckBox* enableTips_ = nullptr;
    QCheckBox* autoPilot_ = nullptr;
    QLineEdit* autoQTime_ = nullptr;
    QLineEdit* autoATime_ = nullptr;
};

}  // namespace cardwise::gui
