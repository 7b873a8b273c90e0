#include "gui/dialogs/options_pages/options_modes_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialogs/mode_windows.h"

namespace cardwise::gui {

using namespace options_widgets;

OptionsModesPage::OptionsModesPage(Program& program, OptionsDialog& model, QWidget* parent)
    : OptionsTab(parent), program_(program), model_(model) {
    auto* layout = new QVBoxLayout(this);
    QGroupBox* modeBox = group(this, "Q&&A Mode");
    auto* modeColumn = new QVBoxLayout(modeBox);
    modes_ = new QButtonGroup(modeBox);
    const std::pair<const char*, std::string_view> modeButtons[] = {
        {"RBNoPriority", "Ask All Questions &Equally Often"},
        {"RBUseList", "Frequency Based On Priority &List"},
        {"RBUseRange", "Frequency Based On &Range"},
        {"RBUseHistory", "Frequency Based On H&istory"},
    };
    int id = 1;
    for (const auto& [name, caption] : modeButtons) {
        QRadioButton* b = radio(modeBox, name, caption);
        modes_->addButton(b, id++);
        modeColumn->addWidget(b);
    }
    connect(modes_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) emit choiceChanged();
    });
    layout->addWidget(modeBox);

    QGroupBox* common = group(this, "Settings Common To All Modes");
    auto* commonColumn = new QVBoxLayout(common);
    ansFirst_ = check(common, "CBAnsFirst", "A &First, Followed By Q");
    includeDisabled_ = check(common, "CBIncludeDisabled", "I&nclude Disabled Pairs");
    useTimer_ = check(common, "CheckBoxUseTimer", "Display Ans&wer After");
    numSeconds_ = edit(common, "EditNumSeconds", 50);
    resume_ = check(common, "CBResume", "Resume Previous &Session On Opening .DKS File");
    commonColumn->addWidget(ansFirst_);
    commonColumn->addWidget(includeDisabled_);
    auto* timerRow = new QHBoxLayout;
    timerRow->addWidget(useTimer_);
    timerRow->addWidget(numSeconds_);
    timerRow->addWidget(new QLabel(tr("Seconds"), common));
    timerRow->addStretch(1);
    commonColumn->addLayout(timerRow);
    commonColumn->addWidget(resume_);
    layout->addWidget(common);

    modeSpecific_ = button(this, "BitBtn4", "&Mode-Specific Frequency Setting");
    QPushButton* reEnable = button(this, "BitBtnReEnableList", "Re-enable All &Pairs In This File");
    auto* row = new QHBoxLayout;
    row->addWidget(modeSpecific_);
    row->addWidget(reEnable);
    layout->addLayout(row);
    layout->addStretch(1);
    connect(modeSpecific_, &QPushButton::clicked, this, &OptionsModesPage::openModeDialog);
    connect(reEnable, &QPushButton::clicked, this, [this] { model_.reEnableAllPairs(); });
}

int OptionsModesPage::mode() const {
    return modes_->checkedId() > 0 ? modes_->checkedId() : 0;
}

void OptionsModesPage::load(const OptionsControls& c) {
    if (QAbstractButton* mode = modes_->button(c.mode)) mode->setChecked(true);
    ansFirst_->setChecked(c.ansFirst);
    includeDisabled_->setChecked(c.includeDisabled);
    useTimer_->setChecked(c.useTimer);
    numSeconds_->setText(number(c.numSeconds));
    resume_->setChecked(c.resume);
}

bool OptionsModesPage::store(OptionsControls& c) {
    c.mode = mode();
    c.ansFirst = ansFirst_->isChecked();
    c.includeDisabled = includeDisabled_->isChecked();
    c.useTimer = useTimer_->isChecked();
    c.numSeconds = numSeconds_->text().toStdString();
    c.resume = resume_->isChecked();
    return true;
}

void OptionsModesPage::storeChoices(OptionsControls& c) {
    c.mode = mode();
}

void OptionsModesPage::showEnabling(const OptionsEnabling& e) {
    modeSpecific_->setEnabled(e.modeSpecific);
}

QLineEdit* OptionsModesPage::numberField(OptionsNumber field) const {
    return field == OptionsNumber::NumSeconds ? numSeconds_ : nullptr;
}

void OptionsModesPage::openModeDialog() {
    // The dialog of the mode ticked now, which the model learns first.
    emit choiceChanged();
    switch (model_.modeSpecificDialog()) {
        case ModeDialog::List: {
            FrequencyWindow window(program_, FrequencyDialog::Kind::List, this->window());
            window.exec();
            break;
        }
        case ModeDialog::Range: {
            FrequencyWindow window(program_, FrequencyDialog::Kind::Range, this->window());
            window.exec();
            break;
        }
        case ModeDialog::History: {
            HistoryWindow window(program_, this->window());
            window.exec();
            break;
        }
        case ModeDialog::None:
            break;
    }
}

}  // namespace cardwise::gui
