#include "gui/dialogs/options_pages/options_pair_order_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

using namespace options_widgets;

// Typed text of the named-range combo box.
constexpr int kRangeNameTyped = 12;

}  // namespace

OptionsPairOrderPage::OptionsPairOrderPage(std::vector<std::string> rangeNames, QWidget* parent)
    : OptionsTab(parent), rangeNames_(std::move(rangeNames)) {
    auto* layout = new QGridLayout(this);
    auto pairGroup = [&](std::string_view title, QRadioButton*& first, const char* firstName,
                         std::string_view firstCaption, QRadioButton*& second,
                         const char* secondName, std::string_view secondCaption) {
        QGroupBox* box = group(this, title);
        auto* column = new QVBoxLayout(box);
        first = radio(box, firstName, firstCaption);
        second = radio(box, secondName, secondCaption);
        column->addWidget(first);
        column->addWidget(second);
        exclusive(box, {first, second});
        return box;
    };
    layout->addWidget(pairGroup("Repetition", onePass_, "RBOnePass", "One &Pass", continuous_,
                                "RBContinuous", "C&ontinuous"),
                      0, 0);
    layout->addWidget(pairGroup("Order", numerical_, "RBNumerical", "&Numerical", random_,
                                "RBRandomOrder", "Rando&m"),
                      0, 1);
    layout->addWidget(pairGroup("Direction", forward_, "RBForward", "&Forward", reverse_,
                                "RBReverse", "&Reverse"),
                      0, 2);

    QGroupBox* range = group(this, "Range");
    auto* grid = new QGridLayout(range);
    entireFile_ = radio(range, "RBUseEntireFile", "Use &Entire File");
    notNamed_ = radio(range, "RBNotNamed", "From Que&stion");
    namedRange_ = radio(range, "RBUseNamedRange", "&Use Named Range");
    lowRange_ = edit(range, "EditLowRange", 60);
    highRange_ = edit(range, "EditHighRange", 60);
    rangeName_ = new QComboBox(range);
    rangeName_->setObjectName("CBUseNamedRange");
    rangeName_->setEditable(true);
    rangeName_->setInsertPolicy(QComboBox::NoInsert);
    rangeName_->lineEdit()->setMaxLength(kRangeNameTyped);
    rangeName_->setMinimumWidth(140);
    grid->addWidget(entireFile_, 0, 0);
    grid->addWidget(notNamed_, 1, 0);
    auto* fromTo = new QHBoxLayout;
    fromTo->addWidget(lowRange_);
    fromTo->addWidget(new QLabel(tr("To "), range));
    fromTo->addWidget(highRange_);
    fromTo->addStretch(1);
    grid->addLayout(fromTo, 1, 1);
    grid->addWidget(namedRange_, 2, 0);
    grid->addWidget(rangeName_, 2, 1, Qt::AlignLeft);
    exclusive(range, {entireFile_, notNamed_, namedRange_});
    layout->addWidget(range, 1, 0, 1, 3);
    layout->setRowStretch(2, 1);

    for (QRadioButton* b : {numerical_, random_, entireFile_, notNamed_, namedRange_}) {
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) emit choiceChanged();
        });
    }
}

void OptionsPairOrderPage::load(const OptionsControls& c) {
    (c.onePass ? onePass_ : continuous_)->setChecked(true);
    (c.numerical ? numerical_ : random_)->setChecked(true);
    (c.reverse ? reverse_ : forward_)->setChecked(true);
    lowRange_->setText(number(c.lowRange));
    highRange_->setText(number(c.highRange));
    rangeName_->clear();
    for (const std::string& name : rangeNames_) rangeName_->addItem(fromDeckText(name));
    switch (c.range) {
        case RangeChoice::Named:
            namedRange_->setChecked(true);
            break;
        case RangeChoice::FromQuestion:
            notNamed_->setChecked(true);
            break;
        case RangeChoice::EntireFile:
            entireFile_->setChecked(true);
            break;
    }
    rangeName_->setEditText(fromDeckText(c.rangeName));
}

bool OptionsPairOrderPage::store(OptionsControls& c) {
    c.onePass = onePass_->isChecked();
    c.numerical = numerical_->isChecked();
    c.reverse = reverse_->isChecked();
    c.lowRange = lowRange_->text().toStdString();
    c.highRange = highRange_->text().toStdString();
    std::optional<std::string> name = toDeckText(rangeName_->currentText(), &refusal_);
    if (!name) {
        refusedField_ = rangeName_;
        return false;
    }
    c.rangeName = *name;
    c.range = range();
    return true;
}

RangeChoice OptionsPairOrderPage::range() const {
    return namedRange_->isChecked() ? RangeChoice::Named
           : notNamed_->isChecked() ? RangeChoice::FromQuestion
                                    : RangeChoice::EntireFile;
}

void OptionsPairOrderPage::storeChoices(OptionsControls& c) {
    c.numerical = numerical_->isChecked();
    c.range = range();
}

void OptionsPairOrderPage::showEnabling(const OptionsEnabling& e) {
    forward_->setEnabled(e.direction);
    reverse_->setEnabled(e.direction);
    lowRange_->setEnabled(e.rangeFields);
    highRange_->setEnabled(e.rangeFields);
    rangeName_->setEnabled(e.rangeCombo);
    namedRange_->setEnabled(e.namedRangeButton);
}

QLineEdit* OptionsPairOrderPage::numberField(OptionsNumber field) const {
    switch (field) {
        case OptionsNumber::LowRange:
            return lowRange_;
        case OptionsNumber::HighRange:
            return highRange_;
        default:
            return nullptr;
    }
}

}  // namespace cardwise::gui
