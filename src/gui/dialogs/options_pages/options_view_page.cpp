#include "gui/dialogs/options_pages/options_view_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace cardwise::gui {

using namespace options_widgets;

OptionsViewPage::OptionsViewPage(QWidget* parent) : OptionsTab(parent) {
    auto* layout = new QGridLayout(this);
    QGroupBox* misc = group(this, "Miscellaneous");
    auto* miscColumn = new QVBoxLayout(misc);
    // Made in the order they stand, which is the order Tab visits them.
    checkCase_ = check(misc, "CBCheckCase", "Check Case In &Fill-In-The-Blank Answers");
    lenientFillIn_ = check(misc, "CBLenientFillIn", kLenientFillInCaption);
    center_ = check(misc, "CBCenter", "Center &Text");
    qOnly_ = check(misc, "CBQOnly", "Questions Onl&y *");
    noScale_ = check(misc, "CBNoScale", "Do Not &Scale Graphics");
    syncWin_ = check(misc, "CBSyncWin", "Wi&ndows For Q&&A  Same Size/Location");
    for (QCheckBox* b : {checkCase_, lenientFillIn_, center_, qOnly_, noScale_, syncWin_}) {
        miscColumn->addWidget(b);
    }
    layout->addWidget(misc, 0, 0);

    QGroupBox* notes = group(this, "Hints, Comments, Tips && Associated Files");
    auto* notesColumn = new QVBoxLayout(notes);
    enableHints_ = check(notes, "CBEnableHints", "&Enable Hints");
    enableComments_ = check(notes, "CBEnableComments", "Enable Co&mments");
    enableGraphics_ = check(notes, "CBEnableGraphics", "Enable &Graphics");
    enableAudioVideo_ = check(notes, "CBEnableAudioVideo", "Enable Audio/Vide&o");
    enableTips_ = check(notes, "CBEnableTips", "Enable &Cardwise Program Tips");
    for (QCheckBox* b :
         {enableHints_, enableComments_, enableGraphics_, enableAudioVideo_, enableTips_}) {
        notesColumn->addWidget(b);
    }
    layout->addWidget(notes, 0, 1);

    QGroupBox* pilot = group(this, "Auto Pilot");
    auto* pilotGrid = new QGridLayout(pilot);
    autoPilot_ = check(pilot, "CBAutoPilot", "D&isplay Questions And Answers Continuously With A");
    autoQTime_ = edit(pilot, "EditAutoQTime", 50);
    autoATime_ = edit(pilot, "EditAutoATime", 50);
    pilotGrid->addWidget(autoPilot_, 0, 0, 1, 3);
    pilotGrid->addWidget(new QLabel(tr("Viewing Time Of "), pilot), 1, 0);
    pilotGrid->addWidget(autoQTime_, 1, 1);
    auto* questionSeconds = new QLabel(tr("Seconds For Questions And"), pilot);
    pilotGrid->addWidget(questionSeconds, 1, 2);
    pilotGrid->addWidget(autoATime_, 2, 1);
    auto* answerSeconds =
        new QLabel(tr("Seconds For Answers* (* = Not Available In History Mode)"), pilot);
    pilotGrid->addWidget(answerSeconds, 2, 2);
    // The fields are named by the words after them.
    autoQTime_->setAccessibleName(tr("Viewing time of questions in seconds"));
    autoATime_->setAccessibleName(tr("Viewing time of answers in seconds"));
    pilotGrid->setColumnStretch(3, 1);
    layout->addWidget(pilot, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
}

void OptionsViewPage::load(const OptionsControls& c) {
    checkCase_->setChecked(c.checkCase);
    lenientFillIn_->setChecked(c.lenientFillIn);
    center_->setChecked(c.center);
    qOnly_->setChecked(c.qOnly);
    noScale_->setChecked(c.noScale);
    syncWin_->setChecked(c.syncWin);
    enableHints_->setChecked(c.enableHints);
    enableComments_->setChecked(c.enableComments);
    enableGraphics_->setChecked(c.enableGraphics);
    enableAudioVideo_->setChecked(c.enableAudioVideo);
    enableTips_->setChecked(c.enableTips);
    autoPilot_->setChecked(c.autoPilot);
    autoQTime_->setText(number(c.autoQTime));
    autoATime_->setText(number(c.autoATime));
}

bool OptionsViewPage::store(OptionsControls& c) {
    c.checkCase = checkCase_->isChecked();
    c.lenientFillIn = lenientFillIn_->isChecked();
    c.center = center_->isChecked();
    c.qOnly = qOnly_->isChecked();
    c.noScale = noScale_->isChecked();
    c.syncWin = syncWin_->isChecked();
    c.enableHints = enableHints_->isChecked();
    c.enableComments = enableComments_->isChecked();
    c.enableGraphics = enableGraphics_->isChecked();
    c.enableAudioVideo = enableAudioVideo_->isChecked();
    c.enableTips = enableTips_->isChecked();
    c.autoPilot = autoPilot_->isChecked();
    c.autoQTime = autoQTime_->text().toStdString();
    c.autoATime = autoATime_->text().toStdString();
    return true;
}

QLineEdit* OptionsViewPage::numberField(OptionsNumber field) const {
    switch (field) {
        case OptionsNumber::AutoQTime:
            return autoQTime_;
        case OptionsNumber::AutoATime:
            return autoATime_;
        default:
            return nullptr;
    }
}

}  // namespace cardwise::gui
