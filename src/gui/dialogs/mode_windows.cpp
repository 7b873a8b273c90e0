#include "gui/dialogs/mode_windows.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

#include "gui/dialogs/control_tips.h"

namespace cardwise::gui {
namespace {

QString text(std::string_view caption) {
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

QLineEdit* numberField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFixedWidth(50);
    return field;
}

// OK, Cancel and Help down the right-hand side, as the options dialog has them.
QVBoxLayout* sideButtons(QDialog* dialog, const std::function<void()>& help) {
    auto* side = new QVBoxLayout;
    auto* ok = new QPushButton(QObject::tr("OK"), dialog);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton(QObject::tr("Cancel"), dialog);
    cancel->setObjectName("CancelBtn");
    cancel->setAutoDefault(false);
    auto* helpButton = new QPushButton(QObject::tr("&Help"), dialog);
    helpButton->setObjectName("HelpBtn");
    helpButton->setAutoDefault(false);
    side->addWidget(ok);
    side->addWidget(cancel);
    side->addWidget(helpButton);
    side->addStretch(1);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(helpButton, &QPushButton::clicked, dialog, help);
    return side;
}

void focus(QLineEdit* field) {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

}  // namespace

FrequencyWindow::FrequencyWindow(Program& program, FrequencyDialog::Kind kind, QWidget* parent)
    : QDialog(parent), model_(program, kind) {
    const bool list = kind == FrequencyDialog::Kind::List;
    setObjectName(list ? "TFList" : "TFRange");
    setWindowTitle(text(model_.caption()));
    auto* layout = new QHBoxLayout(this);
    auto* pages = new QTabWidget(this);
    auto* page = new QWidget(pages);
    auto* column = new QVBoxLayout(page);
    auto* box = new QGroupBox(tr("Frequency"), page);
    auto* row = new QHBoxLayout(box);
    frequency_ = numberField(box, "EditFrequency");
    frequency_->setText(QString::fromStdString(model_.frequency));
    row->addWidget(
        new QLabel(list ? tr("Ask A Priority Question ") : tr("Ask An In-range Question "), box));
    row->addWidget(frequency_);
    row->addWidget(new QLabel(tr(" % "), box));
    row->addWidget(new QLabel(tr("Of  The Time"), box));
    row->addStretch(1);
    column->addWidget(box);
    if (list) {
        auto* clear = new QPushButton(tr("Clear All Questions From &Priority List"), page);
        clear->setObjectName("BitBtnResetPriorityList");
        clear->setAutoDefault(false);
        column->addWidget(clear);
        connect(clear, &QPushButton::clicked, this, [this] { model_.clearPriorityList(); });
    }
    column->addStretch(1);
    pages->addTab(page, tr("Options"));
    layout->addWidget(pages, 1);
    layout->addLayout(sideButtons(this, [this] { model_.help(); }));
    applyTips(*this, list ? listDialogTips() : rangeDialogTips(), model_.tipsShown());
}

void FrequencyWindow::accept() {
    model_.frequency = frequency_->text().toStdString();
    const ModeDialogOutcome outcome = model_.ok();
    if (outcome.badField) focus(frequency_);
    if (outcome.closes) QDialog::accept();
}

void FrequencyWindow::reject() {
    model_.cancel();
    QDialog::reject();
}

HistoryWindow::HistoryWindow(Program& program, QWidget* parent) : QDialog(parent), model_(program) {
    setObjectName("TFHistory");
    setWindowTitle(text(HistoryDialog::caption()));
    auto* layout = new QHBoxLayout(this);
    auto* pages = new QTabWidget(this);
    pages->setObjectName("FHistory");
    auto* page = new QWidget(pages);
    auto* column = new QVBoxLayout(page);

    const char* names[] = {"EditUnFrequency",    "EditShortFrequency",   "EditLongFrequency",
                           "EditShortThreshold", "EditLongAnsThreshold", "EditLongDayThreshold"};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = numberField(page, names[i]);
        fields_[i]->setText(QString::fromStdString(model_.fields[i]));
    }

    auto* shares = new QGroupBox(tr(" Percentage Of Time To Ask:"), page);
    auto* sharesGrid = new QGridLayout(shares);
    const char* shareLabels[] = {"An Unlearned Pair", "A Short-Term-Learned Pair",
                                 "A Long-Term-Learned Pair"};
    for (int i = 0; i < 3; ++i) {
        sharesGrid->addWidget(new QLabel(tr(shareLabels[i]), shares), i, 0);
        sharesGrid->addWidget(fields_[static_cast<std::size_t>(i)], i, 1);
    }
    sharesGrid->setColumnStretch(2, 1);
    column->addWidget(shares);

    auto* thresholds = new QGroupBox(tr("Learning Threshold Settings"), page);
    auto* grid = new QGridLayout(thresholds);
    grid->addWidget(new QLabel(tr("Promote An Unlearned Pair After"), thresholds), 0, 0);
    grid->addWidget(fields_[3], 0, 1);
    grid->addWidget(new QLabel(tr("Correct Answers"), thresholds), 0, 2);
    grid->addWidget(new QLabel(tr("Promote A Short-Term-Learned Pair After"), thresholds), 1, 0);
    grid->addWidget(fields_[4], 1, 1);
    grid->addWidget(new QLabel(tr("More "), thresholds), 1, 2);
    grid->addWidget(new QLabel(tr("   Correct Answers Occuring On At Least "), thresholds), 2, 0);
    grid->addWidget(fields_[5], 2, 1);
    grid->addWidget(new QLabel(tr("More Different Days "), thresholds), 2, 2);
    grid->setColumnStretch(3, 1);
    column->addWidget(thresholds);

    auto* promo = new QGroupBox(tr("Promo Messages"), page);
    promo->setObjectName("RGPromo");
    auto* promoRow = new QHBoxLayout(promo);
    promo_ = new QButtonGroup(promo);
    const char* items[] = {"Regular", "Timed", "None"};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(tr(items[i]), promo);
        promo_->addButton(item, i);
        promoRow->addWidget(item);
    }
    promoRow->addStretch(1);
    if (model_.promo) promo_->button(*model_.promo)->setChecked(true);
    column->addWidget(promo);

    auto* reset = new QPushButton(tr("Reset All Question In This File To &Unlearned"), page);
    reset->setObjectName("BitBtnResetToUnlearned");
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this] { model_.resetToUnlearned(); });
    column->addWidget(reset);
    column->addStretch(1);

    pages->addTab(page, tr("&Frequency/Threshold"));
    layout->addWidget(pages, 1);
    layout->addLayout(sideButtons(this, [this] { model_.help(); }));
    applyTips(*this, historyDialogTips(), model_.tipsShown());
}

void HistoryWindow::accept() {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        model_.fields[i] = fields_[i]->text().toStdString();
    }
    if (promo_->checkedId() >= 0) model_.promo = promo_->checkedId();
    const ModeDialogOutcome outcome = model_.ok();
    if (outcome.badField && *outcome.badField < fields_.size()) focus(fields_[*outcome.badField]);
    if (outcome.closes) QDialog::accept();
}

void HistoryWindow::reject() {
    model_.cancel();
    QDialog::reject();
}

}  // namespace cardwise::gui
