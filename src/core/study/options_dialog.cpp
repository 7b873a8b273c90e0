#include "core/study/options_dialog.h"

#include <algorithm>

#include "core/deck/reenable.h"
#include "core/deck/setup_file.h"
#include "core/program.h"
#include "core/study/dialog_drill.h"
#include "core/study/whole_number.h"

namespace cardwise {

const std::array<OptionsPageInfo, 5> kOptionsPages{{
    {OptionsPage::ColorsFonts, "&Colors &&Fonts", 29},
    {OptionsPage::Directories, "&Directories", 41},
    {OptionsPage::PairOrder, "P&air Order", 3},
    {OptionsPage::QAModes, kQAModesPageCaption, 40},
    {OptionsPage::View, "&View", 39},
}};

const OptionsPageInfo& optionsPageInfo(OptionsPage page) {
    for (const OptionsPageInfo& info : kOptionsPages) {
        if (info.page == page) return info;
    }
    return kOptionsPages[3];
}

std::string& OptionsControls::number(OptionsNumber field) {
    switch (field) {
        case OptionsNumber::NumSeconds:
            return numSeconds;
        case OptionsNumber::LowRange:
            return lowRange;
        case OptionsNumber::HighRange:
            return highRange;
        case OptionsNumber::AutoQTime:
            return autoQTime;
        case OptionsNumber::AutoATime:
            break;
    }
    return autoATime;
}

std::string directoryWithSeparator(std::string text) {
    if (!text.empty() && text.back() != '/' && text.back() != '\\') text += '/';
    return text;
}

std::string chosenFontName(const std::string& stored, const std::string& shown,
                           const std::string& chosen) {
    return chosen == shown ? stored : chosen;
}

namespace {

bool ticked(std::int32_t value) {
    return value == 1;
}

std::int32_t flag(bool on) {
    return on ? 1 : 0;
}

FontChoice fontOf(const std::string& name, std::int32_t size, const FontStyle& style,
                  std::int32_t colour) {
    return FontChoice{name, size, style, colour};
}

void storeFont(const FontChoice& font, std::string& name, std::int32_t& size, FontStyle& style,
               std::int32_t& colour) {
    name = font.name.substr(0, std::min(font.name.size(), kFontNameMax));
    size = font.size;
    style = font.style;
    colour = font.colour;
}

}  // namespace

OptionsDialog::OptionsDialog(Program& program, DrillController* drill)
    : program_(program), drill_(drill) {
    DeckSettings& s = program_.settings;
    pauseDrillForDialog(drill_);
    openingUseNamedRange_ = s.UseNamedRange;
    tipsShown_ = s.EnableTips == 1;
    for (const OptionsPageInfo& info : kOptionsPages) {
        if (info.caption == program_.study.LastOptionsPage) page_ = info.page;
    }

    OptionsControls& c = controls_;
    c.useStartDir = ticked(s.UseStartDIR);
    c.startDir = s.StartDIR;
    c.useGraphicsDir = ticked(s.UseGraphicsDIR);
    c.graphicsDir = s.GraphicsDIR;
    c.useSoundDir = ticked(s.UseSoundDIR);
    c.soundDir = s.SoundDIR;

    c.mode = s.NoPriority >= 1 && s.NoPriority <= 4 ? s.NoPriority : 0;
    openingNoPriority_ = s.NoPriority;
    c.ansFirst = ticked(s.AnsFirst);
    c.includeDisabled = ticked(s.IncludeDisabled);
    c.useTimer = ticked(s.UseTimer);
    c.resume = ticked(s.Resume);
    c.numSeconds = std::to_string(s.NumSeconds);

    openingOnePass_ = s.OnePass;
    openingNumerical_ = s.Numerical;
    openingReverse_ = s.Reverse;
    c.onePass = ticked(s.OnePass);
    c.numerical = ticked(s.Numerical);
    c.reverse = ticked(s.Reverse);
    c.lowRange = std::to_string(s.LowRange);
    c.highRange = std::to_string(s.HighRange);

    CategoryList& categories = program_.study.categories;
    categories.rebuild(program_.deck);
    rangeNames_ = categories.names();
    std::sort(rangeNames_.begin(), rangeNames_.end());
    categoriesEmpty_ = categories.empty();
    if (categoriesEmpty_) {
        // No category to name a range by; this stands even if the dialog is cancelled.
        if (s.UseNamedRange == 1) s.UseNamedRange = 3;
        c.rangeName.clear();
    } else {
        c.rangeName = s.RangeName;
    }
    c.range = s.UseNamedRange == 1   ? RangeChoice::Named
              : s.UseNamedRange == 3 ? RangeChoice::EntireFile
                                     : RangeChoice::FromQuestion;

    c.checkCase = ticked(s.CheckCase);
    c.lenientFillIn = ticked(s.LenientFillIn);
    c.center = ticked(s.Center);
    c.qOnly = ticked(s.QOnly);
    c.noScale = ticked(s.NoScale);
    c.syncWin = ticked(s.SyncWin);
    c.enableHints = ticked(s.EnableHints);
    c.enableComments = ticked(s.EnableComments);
    c.enableGraphics = ticked(s.EnableGraphics);
    c.enableAudioVideo = ticked(s.EnableAudioVideo);
    c.enableTips = ticked(s.EnableTips);
    c.autoPilot = ticked(s.AutoPilot);
    c.autoQTime = std::to_string(s.AutoQTime);
    c.autoATime = std::to_string(s.AutoATime);
}

OptionsEnabling OptionsDialog::enabling() const {
    OptionsEnabling e;
    e.direction = controls_.numerical;
    e.rangeFields = controls_.range == RangeChoice::FromQuestion;
    e.namedRangeButton = !categoriesEmpty_;
    e.rangeCombo = controls_.range == RangeChoice::Named && !categoriesEmpty_;
    e.modeSpecific = controls_.mode >= 2 && controls_.mode <= 4;
    return e;
}

Colour OptionsDialog::mainWindowColour() const {
    return Colour::fromStored(program_.settings.MWCurBkGndColor);
}
Colour OptionsDialog::questionBackground() const {
    return Colour::fromStored(program_.settings.QCurBkGndColor);
}
Colour OptionsDialog::answerBackground() const {
    return Colour::fromStored(program_.settings.ACurBkGndColor);
}
FontChoice OptionsDialog::questionFont() const {
    const DeckSettings& s = program_.settings;
    return fontOf(s.QFontName, s.QFontSize, s.QFontStyle, s.QFontColor);
}
FontChoice OptionsDialog::answerFont() const {
    const DeckSettings& s = program_.settings;
    return fontOf(s.AFontName, s.AFontSize, s.AFontStyle, s.AFontColor);
}
void OptionsDialog::setMainWindowColour(Colour colour) {
    program_.settings.MWCurBkGndColor = colour.stored();
}
void OptionsDialog::setQuestionBackground(Colour colour) {
    program_.settings.QCurBkGndColor = colour.stored();
}
void OptionsDialog::setAnswerBackground(Colour colour) {
    program_.settings.ACurBkGndColor = colour.stored();
}
void OptionsDialog::setQuestionFont(const FontChoice& font) {
    DeckSettings& s = program_.settings;
    storeFont(font, s.QFontName, s.QFontSize, s.QFontStyle, s.QFontColor);
}
void OptionsDialog::setAnswerFont(const FontChoice& font) {
    DeckSettings& s = program_.settings;
    storeFont(font, s.AFontName, s.AFontSize, s.AFontStyle, s.AFontColor);
}

void OptionsDialog::reEnableAllPairs() {
    ReEnableAllPairs(program_);
}

ModeDialog OptionsDialog::modeSpecificDialog() const {
    switch (controls_.mode) {
        case 2:
            return ModeDialog::List;
        case 3:
            return ModeDialog::Range;
        case 4:
            return ModeDialog::History;
        default:
            return ModeDialog::None;
    }
}

bool OptionsDialog::readNumbers(std::array<std::int32_t, 5>& numbers, OptionsOutcome& outcome) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto field = static_cast<OptionsNumber>(i);
        const std::optional<std::int32_t> value =
            readNumberField(program_, controls_.number(field));
        if (!value) {
            outcome.badNumber = field;
            return false;
        }
        numbers[i] = *value;
    }
    return true;
}

OptionsOutcome OptionsDialog::ok() {
    OptionsOutcome outcome;
    // Every number field is checked before anything is stored, so a mistyped number
    // leaves the settings as they were.
    std::array<std::int32_t, 5> numbers{};
    if (!readNumbers(numbers, outcome)) return outcome;
    auto number = [&](OptionsNumber field) { return numbers[static_cast<std::size_t>(field)]; };

    DeckSettings& s = program_.settings;
    RunRestartFlags& restart = program_.restart;
    const OptionsControls& c = controls_;

    s.UseLastOpenDIR = flag(!c.useStartDir);
    s.UseStartDIR = flag(c.useStartDir);
    s.StartDIR = directoryWithSeparator(c.startDir);
    s.UseGraphicsDIR = flag(c.useGraphicsDir);
    s.GraphicsDIR = directoryWithSeparator(c.graphicsDir);
    s.UseSoundDIR = flag(c.useSoundDir);
    s.SoundDIR = directoryWithSeparator(c.soundDir);

    if (c.mode >= 1 && c.mode <= 4) s.NoPriority = c.mode;
    if (s.NoPriority != openingNoPriority_) restart.ModeChanged = true;

    s.AnsFirst = flag(c.ansFirst);
    s.IncludeDisabled = flag(c.includeDisabled);
    s.UseTimer = flag(c.useTimer);
    s.Resume = flag(c.resume);

    s.NumSeconds = number(OptionsNumber::NumSeconds);
    s.LowRange = number(OptionsNumber::LowRange);
    s.HighRange = number(OptionsNumber::HighRange);

    if (c.onePass) {
        s.OnePass = 1;
        if (openingOnePass_ != 1) restart.OnePassTurnedOn = true;
    } else {
        s.OnePass = 0;
    }
    if (c.numerical) {
        s.Numerical = 1;
        if (openingNumerical_ != 1) restart.OrderBecameNumerical = true;
    } else {
        s.Numerical = 0;
        if (openingNumerical_ != 0) restart.OrderBecameRandom = true;
    }
    s.Reverse = flag(c.reverse);
    if (s.Reverse == 1 ? openingReverse_ != 1 : openingReverse_ != 0) {
        restart.DirectionChanged = true;
    }
    if (c.range == RangeChoice::Named) {
        s.UseNamedRange = 1;
        s.RangeName = c.rangeName;
    } else {
        s.UseNamedRange = c.range == RangeChoice::EntireFile ? 3 : 2;
    }
    if (s.UseNamedRange != openingUseNamedRange_ && s.UseNamedRange != 1) {
        restart.RangeChoiceChanged = true;
    }

    // The window in use takes the alignment when it shows itself again at closing.
    s.Center = flag(c.center);
    s.CheckCase = flag(c.checkCase);
    s.LenientFillIn = flag(c.lenientFillIn);
    s.QOnly = flag(c.qOnly);
    s.NoScale = flag(c.noScale);
    s.SyncWin = flag(c.syncWin);
    s.EnableHints = flag(c.enableHints);
    s.EnableComments = flag(c.enableComments);
    s.EnableTips = flag(c.enableTips);
    s.EnableGraphics = flag(c.enableGraphics);
    s.EnableAudioVideo = flag(c.enableAudioVideo);
    s.AutoPilot = flag(c.autoPilot);
    s.AutoQTime = number(OptionsNumber::AutoQTime);
    s.AutoATime = number(OptionsNumber::AutoATime);

    program_.document.markChanged();
    outcome.closes = CheckSetUp(program_) == kSetUpValid;
    return outcome;
}

OptionsOutcome OptionsDialog::cancel() {
    // Values a failed OK stored must be put right before the dialog may close.
    OptionsOutcome outcome;
    outcome.closes = CheckSetUp(program_) == kSetUpValid;
    return outcome;
}

void OptionsDialog::help() {
    program_.platform.help.showTopic(optionsPageInfo(page_).helpTopic);
}

void OptionsDialog::close() {
    if (closed_) return;
    closed_ = true;
    program_.study.LastOptionsPage = std::string(optionsPageInfo(page_).caption);
    resumeDrillAfterDialog(program_, drill_);
}

}  // namespace cardwise
