#include "gui/dialogs/options_window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/program.h"
#include "gui/dialogs/control_tips.h"
#include "gui/dialogs/options_pages/options_colours_page.h"
#include "gui/dialogs/options_pages/options_directories_page.h"
#include "gui/dialogs/options_pages/options_modes_page.h"
#include "gui/dialogs/options_pages/options_pair_order_page.h"
#include "gui/dialogs/options_pages/options_view_page.h"

namespace cardwise::gui {

OptionsWindow::OptionsWindow(Program& program, DrillController* drill, QWidget* parent)
    : QDialog(parent), program_(program), model_(program, drill) {
    setObjectName("TFOptionsDlg");
    setWindowTitle(options_widgets::text(kOptionsCaption));
    auto* layout = new QHBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("TabbedNotebook1");
    layout->addWidget(pages_, 1);
    // Made in the order of the tabs, which is the order Tab visits their controls.
    auto* colours = new OptionsColoursPage(model_, pages_);
    tabs_ = {colours, new OptionsDirectoriesPage(pages_),
             new OptionsPairOrderPage(model_.rangeNames(), pages_),
             new OptionsModesPage(program_, model_, pages_), new OptionsViewPage(pages_)};
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        pages_->addTab(tabs_[i], options_widgets::text(kOptionsPages[i].caption));
        connect(tabs_[i], &OptionsTab::choiceChanged, this, &OptionsWindow::renderEnabling);
    }
    connect(colours, &OptionsColoursPage::lookChanged, this, &OptionsWindow::lookChanged);

    auto* side = new QVBoxLayout;
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("CancelBtn");
    cancel->setAutoDefault(false);
    auto* help = new QPushButton(tr("&Help"), this);
    help->setObjectName("HelpBtn");
    help->setAutoDefault(false);
    side->addWidget(ok);
    side->addWidget(cancel);
    side->addWidget(help);
    side->addStretch(1);
    layout->addLayout(side);
    connect(ok, &QPushButton::clicked, this, &OptionsWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &OptionsWindow::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        model_.showPage(kOptionsPages[static_cast<std::size_t>(pages_->currentIndex())].page);
        model_.help();
    });
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0) model_.showPage(kOptionsPages[static_cast<std::size_t>(index)].page);
    });
    applyTips(*this, optionsDialogTips(), model_.tipsShown());
    render();
}

OptionsWindow::~OptionsWindow() {
    model_.close();
}

void OptionsWindow::render() {
    // A copy: ticking the radio buttons below reports back into the model's controls.
    const OptionsControls c = model_.controls();
    rendering_ = true;
    for (OptionsTab* tab : tabs_) tab->load(c);
    pages_->setCurrentIndex(0);
    for (std::size_t i = 0; i < kOptionsPages.size(); ++i) {
        if (kOptionsPages[i].page == model_.page()) pages_->setCurrentIndex(static_cast<int>(i));
    }
    rendering_ = false;
    renderEnabling();
}

void OptionsWindow::renderEnabling() {
    if (rendering_) return;
    // Only the radio buttons decide; nothing else of the widgets is read.
    OptionsControls& c = model_.controls();
    for (OptionsTab* tab : tabs_) tab->storeChoices(c);
    const OptionsEnabling e = model_.enabling();
    for (OptionsTab* tab : tabs_) tab->showEnabling(e);
}

bool OptionsWindow::collect() {
    OptionsControls& c = model_.controls();
    for (OptionsTab* tab : tabs_) {
        if (tab->store(c)) continue;
        program_.ui().message(kAppTitle, tab->refusal().toStdString(), Icon::Warning);
        pages_->setCurrentWidget(tab);
        tab->refusedField()->setFocus();
        return false;
    }
    return true;
}

void OptionsWindow::focusNumber(OptionsNumber field) {
    for (OptionsTab* tab : tabs_) {
        QLineEdit* bad = tab->numberField(field);
        if (bad == nullptr) continue;
        pages_->setCurrentWidget(tab);
        bad->setFocus(Qt::OtherFocusReason);
        bad->selectAll();
    }
}

void OptionsWindow::accept() {
    if (!collect()) return;
    const OptionsOutcome outcome = model_.ok();
    if (outcome.badNumber) focusNumber(*outcome.badNumber);
    if (outcome.closes) QDialog::accept();
}

void OptionsWindow::reject() {
    // Esc and the close box too: settings a failed OK stored must be put right first.
    if (model_.cancel().closes) QDialog::reject();
}

void OptionsWindow::done(int result) {
    QDialog::done(result);
    model_.close();
}

}  // namespace cardwise::gui
