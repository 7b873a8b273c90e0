#pragma once

#include <QDialog>

#include "core/study/options_dialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace cardwise::gui {

// TFOptionsDlg: five pages over the core's options dialog. Widgets are copied into the
// model before every question put to it and rendered from it afterwards.
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
    void buildColoursPage();
    void buildDirectoriesPage();
    void buildPairOrderPage();
    void buildModesPage();
    void buildViewPage();
    void render();
    void renderEnabling();
    // The widgets into the model's controls; false when a text cannot be held (told).
    bool collect();
    void focusNumber(OptionsNumber field);
    void chooseColour(Colour current, bool customColours, void (OptionsDialog::*store)(Colour));
    void chooseFont(bool question);
    void openModeDialog();

    Program& program_;
    OptionsDialog model_;
    QTabWidget* pages_ = nullptr;
    bool rendering_ = false;

    QRadioButton* useLastOpenDir_ = nullptr;
    QRadioButton* useStartDir_ = nullptr;
    QLineEdit* startDir_ = nullptr;
    QRadioButton* sameAsDks_ = nullptr;
    QRadioButton* useGraphicsDir_ = nullptr;
    QLineEdit* graphicsDir_ = nullptr;
    QRadioButton* soundSameAsDks_ = nullptr;
    QRadioButton* useSoundDir_ = nullptr;
    QLineEdit* soundDir_ = nullptr;

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

    QButtonGroup* modes_ = nullptr;
    QCheckBox* ansFirst_ = nullptr;
    QCheckBox* includeDisabled_ = nullptr;
    QCheckBox* useTimer_ = nullptr;
    QLineEdit* numSeconds_ = nullptr;
    QCheckBox* resume_ = nullptr;
    QPushButton* modeSpecific_ = nullptr;

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
