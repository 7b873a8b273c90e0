#include "gui/editor/find_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/content/windows1252.h"
#include "core/program.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {

FindDialog::FindDialog(Program& program, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), program_(program) {
    setObjectName("TFFind");
    setWindowTitle(tr("Find"));
    setModal(false);

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* label = new QLabel(tr("Find what:"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName("EFind");
    // Longer search texts are cut as they are typed or pasted.
    text_->setMaxLength(static_cast<int>(kFindTextMax));
    text_->setMinimumWidth(260);
    label->setBuddy(text_);
    left->addWidget(label);
    left->addWidget(text_);

    auto* direction = new QGroupBox(tr("Direction"), this);
    direction->setObjectName("RGDirection");
    auto* directions = new QHBoxLayout(direction);
    up_ = new QRadioButton(tr("Up"), direction);
    up_->setObjectName("RGDirectionUp");
    down_ = new QRadioButton(tr("Down"), direction);
    down_->setObjectName("RGDirectionDown");
    directions->addWidget(up_);
    directions->addWidget(down_);
    directions->addStretch(1);
    up_->setChecked(true);
    left->addWidget(direction);
    left->addStretch(1);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    find_ = new QPushButton(tr("Find"), this);
    find_->setObjectName("BBFind");
    find_->setDefault(true);
    findNext_ = new QPushButton(tr("Find Next"), this);
    findNext_->setObjectName("BBFindNext");
    findNext_->setAutoDefault(false);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName("BitBtn2");
    cancel_->setAutoDefault(false);
    buttons->addWidget(find_);
    buttons->addWidget(findNext_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(find_, &QPushButton::clicked, this, [this] { search(FindButton::Find); });
    connect(findNext_, &QPushButton::clicked, this, [this] { search(FindButton::FindNext); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<FindState> FindDialog::state() {
    QString refusal;
    std::optional<std::string> text = toDeckText(text_->text(), &refusal);
    if (!text) {
        program_.ui().message(kCharacterNotAllowedCaption, refusal.toStdString(), Icon::Warning);
        return std::nullopt;
    }
    return FindState{.SearchText = std::move(*text),
                     .Direction = down_->isChecked() ? FindDirection::Down : FindDirection::Up};
}

void FindDialog::search(FindButton button) {
    std::optional<FindState> request = state();
    if (!request) return;
    if (search_) {
        search_(*request, button);
        return;
    }
    const std::int32_t found = FindOrFindNext(program_, *request, button);
    if (found > 0) emit pairFound(found);
}

}  // namespace cardwise::gui
