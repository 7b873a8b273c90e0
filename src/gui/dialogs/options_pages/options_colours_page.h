#pragma once

#include "gui/dialogs/options_pages/options_tab.h"

namespace cardwise::gui {

// "&Colors": its buttons act at once through the core's dialog; nothing waits for OK.
class OptionsColoursPage : public OptionsTab {
    Q_OBJECT
  public:
    OptionsColoursPage(OptionsDialog& model, QWidget* parent);

    void load(const OptionsControls&) override {}
    bool store(OptionsControls&) override { return true; }

  signals:
    // A colour or font changed the look at once.
    void lookChanged();

  private:
    void chooseColour(Colour current, void (OptionsDialog::*store)(Colour));
    void chooseFont(bool question);

    OptionsDialog& model_;
};

}  // namespace cardwise::gui
