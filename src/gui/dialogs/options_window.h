#pragma once

#include <QDialog>

#include <array>

#include "core/study/options_dialog.h"

class QTabWidget;

namespace cardwise::gui {

class OptionsTab;

// TFOptionsDlg: five pages over the core's options dialog. The pages' widgets are copied
// into the model before every question put to it and loaded from it afterwards.
class OptionsWindow : public QDialog {
    Q_OBJECT
  public:
    // The opening steps run here (the drill's timers stop).
    OptionsWindow(Program& program, DrillController* drill, QWidget* parent = nullptr);
    // A window destroyed without closing still gives the drill its timers back.
    ~OptionsWindow() override;

    OptionsDialog& model() { return model_; }
    QTabWidget* pages() const { return pages_; }

    void accept() override;
    void reject() override;
    void done(int result) override;

  signals:
    // A colour or font button changed the look at once: the main window repaints.
    void lookChanged();

  private:
    void render();
    void renderEnabling();
    // The pages into the model's controls; false when a text cannot be held (told).
    bool collect();
    void focusNumber(OptionsNumber field);

    Program& program_;
    OptionsDialog model_;
    QTabWidget* pages_ = nullptr;
    std::array<OptionsTab*, 5> tabs_{};
    bool rendering_ = false;
};

}  // namespace cardwise::gui
