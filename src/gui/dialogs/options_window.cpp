#include "gui/dialogs/options_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/program.h"
#include "gui/dialogs/control_tips.h"
#include "gui/dialogs/mode_windows.h"
#include "gui/drill/drill_look.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

// Typed text of the named-range combo box.
constexpr int kRangeNameTyped = 12;
// Room for the separator the core adds.
constexpr int kDirectoryTyped = 255;

QString text(std::string_view caption) {
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

QRadioButton* radio(QWidget* parent, const char* name, std::string_view caption) {
    auto* button = new QRadioButton(text(caption), parent);
    button->setObjectName(name);
    return button;
}

QCheckBox* check(QWidget* parent, const char* name, std::string_view caption) {
    auto* box = new QCheckBox(text(caption), parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* edit(QWidget* parent, const char* name, int width) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    if (width > 0) field->setFixedWidth(width);
    return field;
}

QPushButton* button(QWidget* parent, const char* name, std::string_view caption) {
    auto* b = new QPushButton(text(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QGroupBox* group(QWidget* parent, std::string_view title) {
    auto* box = new QGroupBox(text(title), parent);
    return box;
}

// Radio buttons of one group exclude each other even when they sit in different rows.
void exclusive(QObject* owner, std::initializer_list<QRadioButton*> buttons) {
    auto* together = new QButtonGroup(owner);
    for (QRadioButton* b : buttons) together->addButton(b);
}

QString number(const std::string& digits) {
    return QString::fromStdString(digits);
}

QString directory(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::string directoryBytes(const QLineEdit* field) {
    return QFile::encodeName(field->text()).toStdString();
}

QColor qColour(Colour c) {
    return QColor(c.r, c.g, c.b);
}

Colour colourOf(const QColor& c) {
    return Colour{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                  static_cast<std::uint8_t>(c.blue())};
}

// Qt's font dialog has no colour: the colour control sits beside it.
class FontColourDialog : public QDialog {
  public:
    FontColourDialog(const QFont& font, const QColor& colour, QWidget* parent)
        : QDialog(parent), colour_(colour) {
        setObjectName("FontDialog1");
        setWindowTitle(tr("Font"));
        auto* layout = new QVBoxLayout(this);
        fonts_ = new QFontDialog(font, this);
        fonts_->setWindowFlags(Qt::Widget);
        fonts_->setOptions(QFontDialog::NoButtons);
        layout->addWidget(fonts_);
        auto* row = new QHBoxLayout;
        swatch_ = new QLabel(this);
        swatch_->setFixedSize(40, 20);
        swatch_->setFrameStyle(QFrame::Box | QFrame::Plain);
        swatch_->setAutoFillBackground(true);
        auto* pick = button(this, "FontColour", "Font &Colour...");
        row->addWidget(new QLabel(tr("Colour:"), this));
        row->addWidget(swatch_);
        row->addWidget(pick);
        row->addStretch(1);
        layout->addLayout(row);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(pick, &QPushButton::clicked, this, [this] {
            const QColor chosen = QColorDialog::getColor(colour_, this);
            if (chosen.isValid()) {
                colour_ = chosen;
                showColour();
            }
        });
        showColour();
    }
    QFont font() const { return fonts_->currentFont(); }
    QColor colour() const { return colour_; }

  private:
    void showColour() {
        QPalette palette = swatch_->palette();
        palette.setColor(QPalette::Window, colour_);
        swatch_->setPalette(palette);
    }
    QFontDialog* fonts_ = nullptr;
    QLabel* swatch_ = nullptr;
    QColor colour_;
};

}  // namespace

OptionsWindow::OptionsWindow(Program& program, DrillController* drill, QWidget* parent)
    : QDialog(parent), program_(program), model_(program, drill) {
    setObjectName("TFOptionsDlg");
    setWindowTitle(text(kOptionsCaption));
    auto* layout = new QHBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("TabbedNotebook1");
    layout->addWidget(pages_, 1);
    buildColoursPage();
    buildDirectoriesPage();
    buildPairOrderPage();
    buildModesPage();
    buildViewPage();

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

void OptionsWindow::buildColoursPage() {
    auto* page = new QWidget(pages_);
    auto* layout = new QVBoxLayout(page);
    auto add = [&](const char* name, std::string_view caption) {
        QPushButton* b = button(page, name, caption);
        layout->addWidget(b);
        return b;
    };
    QPushButton* mainColour = add("BitBtnMWColor", "Set &Main Window Color");
    QPushButton* questionColour = add("BitBtnQColor", "&Set Question Background Color");
    QPushButton* answerColour = add("BitAColor", "S&et Answer Background Color");
    QPushButton* questionFont = add("BitBtnQFont", "Set &Font For Questions");
    QPushButton* answerFont = add("BitBtnAFont", "Set F&ont For Answers");
    layout->addStretch(1);
    connect(mainColour, &QPushButton::clicked, this, [this] {
        chooseColour(model_.mainWindowColour(), true, &OptionsDialog::setMainWindowColour);
    });
    connect(questionColour, &QPushButton::clicked, this, [this] {
        chooseColour(model_.questionBackground(), false, &OptionsDialog::setQuestionBackground);
    });
    connect(answerColour, &QPushButton::clicked, this, [this] {
        chooseColour(model_.answerBackground(), false, &OptionsDialog::setAnswerBackground);
    });
    connect(questionFont, &QPushButton::clicked, this, [this] { chooseFont(true); });
    connect(answerFont, &QPushButton::clicked, this, [this] { chooseFont(false); });
    pages_->addTab(page, text(kOptionsPages[0].caption));
}

void OptionsWindow::buildDirectoriesPage() {
    auto* page = new QWidget(pages_);
    auto* layout = new QVBoxLayout(page);
    auto directoryGroup = [&](std::string_view title, QRadioButton*& same, const char* sameName,
                              std::string_view sameCaption, QRadioButton*& own, const char* ownName,
                              std::string_view ownCaption, QLineEdit*& field,
                              const char* fieldName) {
        QGroupBox* box = group(page, title);
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
    pages_->addTab(page, text(kOptionsPages[1].caption));
}

void OptionsWindow::buildPairOrderPage() {
    auto* page = new QWidget(pages_);
    auto* layout = new QGridLayout(page);
    auto pairGroup = [&](std::string_view title, QRadioButton*& first, const char* firstName,
                         std::string_view firstCaption, QRadioButton*& second,
                         const char* secondName, std::string_view secondCaption) {
        QGroupBox* box = group(page, title);
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

    QGroupBox* range = group(page, "Range");
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
            if (on) renderEnabling();
        });
    }
    pages_->addTab(page, text(kOptionsPages[2].caption));
}

void OptionsWindow::buildModesPage() {
    auto* page = new QWidget(pages_);
    auto* layout = new QVBoxLayout(page);
    QGroupBox* modeBox = group(page, "Q&&A Mode");
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
        if (on) renderEnabling();
    });
    layout->addWidget(modeBox);

    QGroupBox* common = group(page, "Settings Common To All Modes");
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

    modeSpecific_ = button(page, "BitBtn4", "&Mode-Specific Frequency Setting");
    QPushButton* reEnable = button(page, "BitBtnReEnableList", "Re-enable All &Pairs In This File");
    auto* row = new QHBoxLayout;
    row->addWidget(modeSpecific_);
    row->addWidget(reEnable);
    layout->addLayout(row);
    layout->addStretch(1);
    connect(modeSpecific_, &QPushButton::clicked, this, &OptionsWindow::openModeDialog);
    connect(reEnable, &QPushButton::clicked, this, [this] { model_.reEnableAllPairs(); });
    pages_->addTab(page, text(kOptionsPages[3].caption));
}

void OptionsWindow::buildViewPage() {
    auto* page = new QWidget(pages_);
    auto* layout = new QGridLayout(page);
    QGroupBox* misc = group(page, "Miscellaneous");
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

    QGroupBox* notes = group(page, "Hints, Comments, Tips && Associated Files");
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

    QGroupBox* pilot = group(page, "Auto Pilot");
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
    pages_->addTab(page, text(kOptionsPages[4].caption));
}

void OptionsWindow::render() {
    // A copy: ticking the radio buttons below reports back into the model's controls.
    const OptionsControls c = model_.controls();
    rendering_ = true;
    (c.useStartDir ? useStartDir_ : useLastOpenDir_)->setChecked(true);
    startDir_->setText(directory(c.startDir));
    (c.useGraphicsDir ? useGraphicsDir_ : sameAsDks_)->setChecked(true);
    graphicsDir_->setText(directory(c.graphicsDir));
    (c.useSoundDir ? useSoundDir_ : soundSameAsDks_)->setChecked(true);
    soundDir_->setText(directory(c.soundDir));

    (c.onePass ? onePass_ : continuous_)->setChecked(true);
    (c.numerical ? numerical_ : random_)->setChecked(true);
    (c.reverse ? reverse_ : forward_)->setChecked(true);
    lowRange_->setText(number(c.lowRange));
    highRange_->setText(number(c.highRange));
    rangeName_->clear();
    for (const std::string& name : model_.rangeNames()) rangeName_->addItem(fromDeckText(name));
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

    if (QAbstractButton* mode = modes_->button(c.mode)) mode->setChecked(true);
    ansFirst_->setChecked(c.ansFirst);
    includeDisabled_->setChecked(c.includeDisabled);
    useTimer_->setChecked(c.useTimer);
    numSeconds_->setText(number(c.numSeconds));
    resume_->setChecked(c.resume);

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
    c.numerical = numerical_->isChecked();
    c.range = namedRange_->isChecked() ? RangeChoice::Named
              : notNamed_->isChecked() ? RangeChoice::FromQuestion
                                       : RangeChoice::EntireFile;
    c.mode = modes_->checkedId() > 0 ? modes_->checkedId() : 0;
    const OptionsEnabling e = model_.enabling();
    forward_->setEnabled(e.direction);
    reverse_->setEnabled(e.direction);
    lowRange_->setEnabled(e.rangeFields);
    highRange_->setEnabled(e.rangeFields);
    rangeName_->setEnabled(e.rangeCombo);
    namedRange_->setEnabled(e.namedRangeButton);
    modeSpecific_->setEnabled(e.modeSpecific);
}

bool OptionsWindow::collect() {
    OptionsControls& c = model_.controls();
    c.useStartDir = useStartDir_->isChecked();
    c.startDir = directoryBytes(startDir_);
    c.useGraphicsDir = useGraphicsDir_->isChecked();
    c.graphicsDir = directoryBytes(graphicsDir_);
    c.useSoundDir = useSoundDir_->isChecked();
    c.soundDir = directoryBytes(soundDir_);

    c.onePass = onePass_->isChecked();
    c.numerical = numerical_->isChecked();
    c.reverse = reverse_->isChecked();
    c.lowRange = lowRange_->text().toStdString();
    c.highRange = highRange_->text().toStdString();
    QString refusal;
    std::optional<std::string> name = toDeckText(rangeName_->currentText(), &refusal);
    if (!name) {
        program_.ui().message(kAppTitle, refusal.toStdString(), Icon::Warning);
        pages_->setCurrentIndex(2);
        rangeName_->setFocus();
        return false;
    }
    c.rangeName = *name;
    c.range = namedRange_->isChecked() ? RangeChoice::Named
              : notNamed_->isChecked() ? RangeChoice::FromQuestion
                                       : RangeChoice::EntireFile;

    c.mode = modes_->checkedId() > 0 ? modes_->checkedId() : 0;
    c.ansFirst = ansFirst_->isChecked();
    c.includeDisabled = includeDisabled_->isChecked();
    c.useTimer = useTimer_->isChecked();
    c.numSeconds = numSeconds_->text().toStdString();
    c.resume = resume_->isChecked();

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

void OptionsWindow::focusNumber(OptionsNumber field) {
    QLineEdit* edits[] = {numSeconds_, lowRange_, highRange_, autoQTime_, autoATime_};
    QLineEdit* bad = edits[static_cast<std::size_t>(field)];
    for (QWidget* w = bad; w != nullptr; w = w->parentWidget()) {
        const int index = pages_->indexOf(w);
        if (index >= 0) pages_->setCurrentIndex(index);
    }
    bad->setFocus(Qt::OtherFocusReason);
    bad->selectAll();
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

void OptionsWindow::chooseColour(Colour current, bool customColours,
                                 void (OptionsDialog::*store)(Colour)) {
    QColorDialog dialog(qColour(current), this);
    dialog.setObjectName("ColorDialog1");
    // Qt's colour dialog offers no way to forbid defining custom colours.
    (void)customColours;
    if (dialog.exec() != QDialog::Accepted) return;
    (model_.*store)(colourOf(dialog.selectedColor()));
    emit lookChanged();
}

void OptionsWindow::chooseFont(bool question) {
    const FontChoice current = question ? model_.questionFont() : model_.answerFont();
    TextLook look;
    look.fontName = current.name;
    look.fontSize = current.size;
    look.fontStyle = current.style;
    QFont preset = fontOf(look, font());
    preset.setFamily(fromDeckText(current.name));
    // A font this system lacks is preset as the one drawn in its place, which the dialog
    // lists, with its style; the dialog would otherwise fall back to a plain default.
    const QString shown = QFontInfo(preset).family();
    preset.setFamily(shown);
    FontColourDialog dialog(preset, qColour(Colour::fromStored(current.colour)), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const QFont chosen = dialog.font();
    FontChoice font;
    const std::optional<std::string> family = toDeckText(chosen.family());
    font.name = family ? chosenFontName(current.name, toDeckText(shown).value_or(""), *family)
                       : current.name;
    font.size = chosen.pointSize() > 0 ? chosen.pointSize() : current.size;
    font.style = FontStyle{chosen.bold(), chosen.italic(), chosen.underline(), chosen.strikeOut()};
    font.colour = colourOf(dialog.colour()).stored();
    if (question)
        model_.setQuestionFont(font);
    else
        model_.setAnswerFont(font);
    emit lookChanged();
}

void OptionsWindow::openModeDialog() {
    renderEnabling();
    switch (model_.modeSpecificDialog()) {
        case ModeDialog::List: {
            FrequencyWindow window(program_, FrequencyDialog::Kind::List, this);
            window.exec();
            break;
        }
        case ModeDialog::Range: {
            FrequencyWindow window(program_, FrequencyDialog::Kind::Range, this);
            window.exec();
            break;
        }
        case ModeDialog::History: {
            HistoryWindow window(program_, this);
            window.exec();
            break;
        }
        case ModeDialog::None:
            break;
    }
}

}  // namespace cardwise::gui
