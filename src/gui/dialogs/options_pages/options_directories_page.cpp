#include "gui/dialogs/options_pages/options_directories_page.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace cardwise::gui {
namespace {

using namespace options_widgets;

// Room for the separator the core adds.
constexpr int kDirectoryTyped = 255;

QString directory(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::string directoryBytes(const QLineEdit* field) {
    return QFile::encodeName(field->text()).toStdString();
}

}  // namespace

OptionsDirectoriesPage::OptionsDirectoriesPage(QWidget* parent) : OptionsTab(parent) {
    auto* layout = new QVBoxLayout(this);
    auto directoryGroup = [&](std::string_view title, QRadioButton*& same, const char* sameName,
                              std::string_view sameCaption, QRadioButton*& own, const char* ownName,
                              std::string_view ownCaption, QLineEdit*& field,
                              const char* fieldName) {
        QGroupBox* box = group(this, title);
        auto* grid = new QGridLayout(box);
        same = radio(box, sameName, sameCaption);
        own = radio(box, ownName, ownCaption);
        field = edit(box, fieldName, 0);
        field->setMaxLength(kDirectoryTyped);
        grid->addWidget(same, 0, 0, 1, 2);
        grid->addWidget(own, 1, 0);
        grid->addWidget(field, 1, 1);
        grid->setColumnStretch(1, 1);
        exclusive(box, {same, own});
        layout->addWidget(box);
    };
    directoryGroup(".DKS Directory", useLastOpenDir_, "RBUseLastOpenDIR", "&Last Open .DKS File",
                   useStartDir_, "RBUseStartDIR", "D&irectory:", startDir_, "EditStartDir");
    directoryGroup("Graphics Directory", sameAsDks_, "RBSameAsDKS", "&Same Directory As .DKS File",
                   useGraphicsDir_, "RBUseGraphicsDIR", "Direc&tory:", graphicsDir_,
                   "EditGraphicsDir");
    directoryGroup("Audio/Video Directory", soundSameAsDks_, "RBUseSameAsDKS",
                   "Same Di&rectory As .DKS File", useSoundDir_, "RBUseSoundDIR",
                   "Dir&ectory:", soundDir_, "EditSoundDir");
    layout->addStretch(1);
}

void OptionsDirectoriesPage::load(const OptionsControls& c) {
    (c.useStartDir ? useStartDir_ : useLastOpenDir_)->setChecked(true);
    startDir_->setText(directory(c.startDir));
    (c.useGraphicsDir ? useGraphicsDir_ : sameAsDks_)->setChecked(true);
    graphicsDir_->setText(directory(c.graphicsDir));
    (c.useSoundDir ? useSoundDir_ : soundSameAsDks_)->setChecked(true);
    soundDir_->setText(directory(c.soundDir));
}

bool OptionsDirectoriesPage::store(OptionsControls& c) {
    c.useStartDir = useStartDir_->isChecked();
    c.startDir = directoryBytes(startDir_);
    c.useGraphicsDir = useGraphicsDir_->isChecked();
    c.graphicsDir = directoryBytes(graphicsDir_);
    c.useSoundDir = useSoundDir_->isChecked();
    c.soundDir = directoryBytes(soundDir_);
    return true;
}

}  // namespace cardwise::gui
