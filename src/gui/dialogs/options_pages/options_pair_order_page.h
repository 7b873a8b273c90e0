#pragma once

#include <string>
#include <vector>

#include "gui/dialogs/options_pages/options_tab.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace cardwise::gui {

// "&Pair Order": repetition, order, direction and the range of pairs asked.
class OptionsPairOrderPage : public OptionsTab {
    Q_OBJECT
  public:
    // The named ranges the combo box offers.
    OptionsPairOrderPage(std::vector<std::string> rangeNames, QWidget* parent);

    void load(const OptionsControls& controls) override;
    bool store(OptionsControls& controls) override;
    void storeChoices(OptionsControls& controls) override;
    void showEnabling(const OptionsEnabling& enabling) override;
    QLineEdit* numberField(OptionsNumber field) const override;

  private:
    RangeChoice range() const;

    std::vector<std::string> rangeNames_;
    QRadioButton* onePass_ = nullptr;
    QRadioButton* continuous_ = nullptr;
    QRadioButton* numerical_ = nullptr;
    QRadioButton* random_ = nullptr;
    QRadioButton* forward_ = nullptr;
    QRadioButton* reverse_ = nullptr;
    QRadioButton* entireFile_ = nullptr;
    QRadioButton* notNamed_ = nullptr;
    QRadioButton* namedRange_ = nullptr;
    QLineEdit* lowRange_ = nullptr;
    QLineEdit* highRange_ = nullptr;
    QComboBox* rangeName_ = nullptr;
};

}  // namespace cardwise::gui
