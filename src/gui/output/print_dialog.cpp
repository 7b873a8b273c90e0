#include "gui/output/print_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/platform/help_viewer.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

QString text(std::string_view s) {
    return fromMessage(s);
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

PrintDialog::PrintDialog(HelpViewer& help, Actions actions, QWidget* parent)
    : QDialog(parent), help_(help), actions_(std::move(actions)) {
    setObjectName(QStringLiteral("TFWFPrint"));
    setWindowTitle(text(kPrintDialogCaption));
    setModal(true);

    auto* note = new QLabel(text(kPrintDialogNote), this);
    note->setObjectName(QStringLiteral("Label1"));

    QGroupBox* styleBox = radioGroup(
        "RGStyle", "Style", {"&Text-only Table", "Text-only &Cards", "&Graphics Cards"}, style_);
    QGroupBox* rangeBox = radioGroup("RGPrintRange", "Print range",
                                     {"&All", "&Use Current Range", "&Single Test Sheet"}, range_);
    cardOptionsBox_ =
        radioGroup("RGCardOptions", "Card Options",
                   {"Print &One Side (1-pass)", "Print &Both Sides (2-pass)"}, cardOptions_);
    sizeBox_ = radioGroup("RGSize", "Size",
                          {"&1 x 2 (Portrait)", "&2 x 2 (Landscape)", "2 x &3 (Landscape)"}, size_);

    marginLabel_ = new QLabel(QStringLiteral("Bottom Margin (in):"), this);
    marginLabel_->setObjectName(QStringLiteral("Label2"));
    margin_ = new QLineEdit(this);
    margin_->setObjectName(QStringLiteral("EBottomMargin"));
    margin_->setMaximumWidth(60);
    marginLabel_->setBuddy(margin_);
    copiesLabel_ = new QLabel(QStringLiteral("Copies:"), this);
    copiesLabel_->setObjectName(QStringLiteral("Label3"));
    copies_ = new QLineEdit(this);
    copies_->setObjectName(QStringLiteral("ECopies"));
    // The copies are remembered but print nothing extra: the field stays hidden.
    copiesLabel_->hide();
    copies_->hide();

    printerNote_ = new QLabel(this);
    printerNote_->setObjectName(QStringLiteral("PrinterNote"));
    printerNote_->setWordWrap(true);
    QPushButton* ok = button(this, "BitBtn1", "OK");
    ok->setDefault(true);
    ok_ = ok;
    QPushButton* cancel = button(this, "BitBtn2", "Cancel");
    QPushButton* setup = button(this, "BitBtn4", "&Setup");
    QPushButton* helpButton = button(this, "BitBtn3", "&Help");
    QPushButton* preview = button(this, "BBPreview", "Print Pre&view");
    QPushButton* pdf = button(this, "BBPdf", "Print To P&DF...");

    auto* grid = new QGridLayout;
    grid->addWidget(styleBox, 0, 0);
    grid->addWidget(rangeBox, 0, 1);
    grid->addWidget(cardOptionsBox_, 1, 0);
    grid->addWidget(sizeBox_, 1, 1);
    auto* marginRow = new QHBoxLayout;
    marginRow->addWidget(marginLabel_);
    marginRow->addWidget(margin_);
    marginRow->addWidget(copiesLabel_);
    marginRow->addWidget(copies_);
    marginRow->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ok, cancel, setup, helpButton}) buttons->addWidget(b);
    auto* extras = new QHBoxLayout;
    extras->addStretch();
    extras->addWidget(preview);
    extras->addWidget(pdf);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(grid);
    layout->addLayout(marginRow);
    layout->addLayout(extras);
    layout->addWidget(printerNote_);
    layout->addLayout(buttons);

    connect(style_, &QButtonGroup::idClicked, this, [this](int id) {
        applyPrintStyle(view_, static_cast<PrintStyle>(id));
        render();
    });
    connect(range_, &QButtonGroup::idClicked, this,
            [this](int id) { view_.choices.range = static_cast<PrintRange>(id); });
    connect(cardOptions_, &QButtonGroup::idClicked, this,
            [this](int id) { view_.choices.twoPasses = id == 1; });
    connect(size_, &QButtonGroup::idClicked, this,
            [this](int id) { view_.choices.size = static_cast<CardSize>(id); });
    connect(margin_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        view_.marginText = checkedMarginText(typed.toStdString());
        if (QString::fromStdString(view_.marginText) != typed) render();
    });
    connect(copies_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        view_.copiesText = checkedCopiesText(typed.toStdString());
        if (QString::fromStdString(view_.copiesText) != typed) render();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        outcome_ = Outcome::Print;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(setup, &QPushButton::clicked, this, [this] {
        if (actions_.setup) actions_.setup();
        checkPrinter();
    });
    connect(helpButton, &QPushButton::clicked, this,
            [this] { help_.showTopic(HelpTopic::Printing); });
    connect(preview, &QPushButton::clicked, this, [this] {
        if (actions_.preview) actions_.preview(choices());
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        pdfFile_ = actions_.choosePdfFile ? actions_.choosePdfFile() : QString();
        if (pdfFile_.isEmpty()) return;
        outcome_ = Outcome::Pdf;
        accept();
    });
}

QGroupBox* PrintDialog::radioGroup(const char* name, const char* title,
                                   std::initializer_list<std::string_view> items,
                                   QButtonGroup*& group) {
    auto* box = new QGroupBox(QString::fromUtf8(title), this);
    box->setObjectName(QString::fromUtf8(name));
    group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    int id = 0;
    for (std::string_view item : items) {
        auto* radio = new QRadioButton(text(item), box);
        radio->setObjectName(QStringLiteral("%1Item%2").arg(QString::fromUtf8(name)).arg(id));
        group->addButton(radio, id++);
        layout->addWidget(radio);
    }
    return box;
}

PrintChoices PrintDialog::choices() const {
    return printChoicesFrom(printDialogAccepted(view_));
}

void PrintDialog::load(std::string_view settings) {
    view_ = printDialogOpened(settings);
    outcome_ = Outcome::Cancelled;
    pdfFile_.clear();
    checkPrinter();
}

void PrintDialog::checkPrinter() {
    applyPrinterReady(view_, !actions_.printerReady || actions_.printerReady());
    render();
}

PrintDialog::Outcome PrintDialog::run(std::string_view settings) {
    load(settings);
    exec();
    return outcome_;
}

void PrintDialog::render() {
    const PrintChoices& c = view_.choices;
    style_->button(static_cast<int>(c.style))->setChecked(true);
    range_->button(static_cast<int>(c.range))->setChecked(true);
    cardOptions_->button(c.twoPasses ? 1 : 0)->setChecked(true);
    size_->button(static_cast<int>(c.size))->setChecked(true);
    margin_->setText(QString::fromStdString(view_.marginText));
    copies_->setText(QString::fromStdString(view_.copiesText));
    margin_->setEnabled(view_.marginEnabled);
    marginLabel_->setEnabled(view_.marginEnabled);
    cardOptionsBox_->setEnabled(view_.cardOptionsEnabled);
    sizeBox_->setEnabled(view_.cardOptionsEnabled);
    ok_->setEnabled(view_.printEnabled);
    printerNote_->setText(text(view_.printerNote));
    printerNote_->setVisible(!view_.printerNote.empty());
}

}  // namespace cardwise::gui
