#pragma once

#include "gui/dialogs/options_pages/options_tab.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace cardwise::gui {

// "Q&&A &Modes": the drill mode, the settings common to all modes and the mode's own
// frequency dialog.
class OptionsModesPage : public OptionsTab {
    Q_OBJECT
  public:
    OptionsModesPage(Program& program, OptionsDialog& model, QWidget* parent);

    void load(const OptionsControls& controls) override;
    bool store(OptionsControls& controls) override;
    void storeChoices(OptionsControls& controls) override;
    void showEnabling(const OptionsEnabling& enabling) override;
    QLineEdit* numberField(OptionsNumber field) const override;

  private:
    int mode() const;
    void openModeDialog();

    Program& program_;
    OptionsDialog& model_;
    QButtonGroup* modes_ = nullptr;
    QCheckBox* ansFirst_ = nullptr;
    QCheckBox* includeDisabled_ = nullptr;
    QCheckBox* useTimer_ = nullptr;
    QLineEdit* numSeconds_ = nullptr;
    QCheckBox* resume_ = nullptr;
    QPushButton* modeSpecific_ = nullptr;
};

}  // namespace cardwise::gui
