#pragma once

#include "gui/dialogs/options_pages/options_tab.h"

class QLineEdit;
class QRadioButton;

namespace cardwise::gui {

// "&Directories": where decks, pictures and sounds are looked for.
class OptionsDirectoriesPage : public OptionsTab {
    Q_OBJECT
  public:
    explicit OptionsDirectoriesPage(QWidget* parent);

    void load(const OptionsControls& controls) override;
    bool store(OptionsControls& controls) override;

  private:
    QRadioButton* useLastOpenDir_ = nullptr;
    QRadioButton* useStartDir_ = nullptr;
    QLineEdit* startDir_ = nullptr;
    QRadioButton* sameAsDks_ = nullptr;
    QRadioButton* useGraphicsDir_ = nullptr;
    QLineEdit* graphicsDir_ = nullptr;
    QRadioButton* soundSameAsDks_ = nullptr;
    QRadioButton* useSoundDir_ = nullptr;
    QLineEdit* soundDir_ = nullptr;
};

}  // namespace cardwise::gui
