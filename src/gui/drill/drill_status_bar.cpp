#include "gui/drill/drill_status_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "core/drill/drill_window_texts.h"
#include "gui/drill/drill_look.h"
#include "gui/drill/drill_media_buttons.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

QLabel* addField(QWidget* panel, const char* name, const QString& accessibleName,
                 int minimumWidth) {
    auto* field = new QLabel(panel);
    field->setObjectName(name);
    // A screen reader names the box, then reads its figure.
    field->setAccessibleName(accessibleName);
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setAlignment(Qt::AlignCenter);
    field->setMinimumWidth(minimumWidth);
    field->setAutoFillBackground(true);
    panel->layout()->addWidget(field);
    return field;
}

}  // namespace

DrillStatusBar::DrillStatusBar(const Names& names, QWidget* parent) : QFrame(parent) {
    setObjectName("StatusPanel");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    noteButton_ = new QToolButton(this);
    noteButton_->setObjectName(names.noteButton);
    noteButton_->setText(QStringLiteral("?"));
    noteButton_->setMinimumWidth(26);
    noteButton_->setAccessibleName(captionText(names.noteName));
    layout->addWidget(noteButton_);
    percent_ = addField(this, "PPercent", tr("Percent learned"), 50);
    category_ = addField(this, "PCategory", tr("Category"), 110);
    pairNumber_ = addField(this, names.pairNumber, tr("Pair number"), 44);
    total_ = addField(this, "PTotal", tr("Pairs in the run"), 40);
    correct_ = addField(this, "PCorrect", tr("Correct"), 40);
    incorrect_ = addField(this, "PIncorrect", tr("Incorrect"), 40);
    left_ = addField(this, "PLeft", tr("Pairs left"), 40);
    layout->addStretch(1);
    mediaButtons_ = new DrillMediaButtons(names.mediaPlayer, this);
    layout->addWidget(mediaButtons_);
}

void DrillStatusBar::render(const StatusFields& status, bool noteEnabled, bool tipsEnabled,
                            const Tips& tips) {
    noteButton_->setEnabled(noteEnabled);
    percent_->setText(fromDeckText(status.percent));
    category_->setText(fromDeckText(status.category));
    pairNumber_->setText(fromDeckText(status.pairNumber));
    applyFieldColours(*pairNumber_, status.pairNumberColours);
    total_->setText(fromDeckText(status.total));
    correct_->setText(fromDeckText(status.correct));
    incorrect_->setText(fromDeckText(status.incorrect));
    left_->setText(fromDeckText(status.left));

    auto tip = [tipsEnabled](std::string_view text) {
        return tipsEnabled ? captionText(text) : QString();
    };
    noteButton_->setToolTip(tip(tips.note));
    percent_->setToolTip(tip(kPercentTip));
    category_->setToolTip(tip(tips.category));
    pairNumber_->setToolTip(tip(tips.number));
    total_->setToolTip(tip(kTotalTip));
    correct_->setToolTip(tip(kCorrectTip));
    incorrect_->setToolTip(tip(kIncorrectTip));
    left_->setToolTip(tip(kLeftTip));
}

}  // namespace cardwise::gui
