#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/deck/deck_settings.h"
#include "core/platform/colour.h"

namespace cardwise {

struct Program;
class DrillController;

inline constexpr std::string_view kOptionsCaption = "Cardwise Options";
inline constexpr std::string_view kLenientFillInCaption =
    "Ignore Accents And Punctuation In Fill-In-The-Blank Answers";

enum class OptionsPage { ColorsFonts, Directories, PairOrder, QAModes, View };

struct OptionsPageInfo {
    OptionsPage page;
    std::string_view caption;
    int helpTopic;
};

// The notebook's pages in their order.
extern const std::array<OptionsPageInfo, 5> kOptionsPages;
const OptionsPageInfo& optionsPageInfo(OptionsPage page);

// The range choice radio buttons; the values are those of UseNamedRange.
enum class RangeChoice { Named = 1, FromQuestion = 2, EntireFile = 3 };

// The mode-specific dialog the "&Mode-Specific Frequency Setting" button opens.
enum class ModeDialog { None, List, Range, History };

// The number fields, in the order OK reads them.
enum class OptionsNumber { NumSeconds, LowRange, HighRange, AutoQTime, AutoATime };

// What the dialog's controls hold. Texts of the directory fields are file-system bytes,
// the range name deck text.
struct OptionsControls {
    // "&Directories"
    bool useStartDir = false;  // RBUseStartDIR, else RBUseLastOpenDIR
    std::string startDir;
    bool useGraphicsDir = false;  // RBUseGraphicsDIR, else RBSameAsDKS
    std::string graphicsDir;
    bool useSoundDir = false;  // RBUseSoundDIR, else RBUseSameAsDKS
    std::string soundDir;

    // "P&air Order"
    bool onePass = false;   // RBOnePass, else RBContinuous
    bool numerical = true;  // RBNumerical, else RBRandomOrder
    bool reverse = false;   // RBReverse, else RBForward
    RangeChoice range = RangeChoice::EntireFile;
    std::string lowRange;
    std::string highRange;
    std::string rangeName;  // the combo box text

    // "&Q&&A Modes": 1..4 for the mode button ticked, 0 for none.
    int mode = 1;
    bool ansFirst = false;
    bool includeDisabled = false;
    bool useTimer = false;
    std::string numSeconds;
    bool resume = false;

    // "&View"
    bool checkCase = false;
    bool lenientFillIn = false;  // CBLenientFillIn
    bool center = false;
    bool qOnly = false;
    bool noScale = false;
    bool syncWin = false;
    bool enableHints = false;
    bool enableComments = false;
    bool enableGraphics = false;
    bool enableAudioVideo = false;
    bool enableTips = false;
    bool autoPilot = false;
    std::string autoQTime;
    std::string autoATime;

    std::string& number(OptionsNumber field);
    bool operator==(const OptionsControls&) const = default;
};

// Which controls can be used, from the radio buttons ticked.
struct OptionsEnabling {
    bool direction = true;         // RBForward, RBReverse
    bool rangeFields = false;      // EditLowRange, EditHighRange
    bool rangeCombo = false;       // CBUseNamedRange
    bool namedRangeButton = true;  // RBUseNamedRange
    bool modeSpecific = false;     // BitBtn4
    bool operator==(const OptionsEnabling&) const = default;
};

// A font as the font dialog and the colour control beside it give it.
struct FontChoice {
    std::string name;
    std::int32_t size = 12;
    FontStyle style;
    std::int32_t colour = 0;  // the settings' integer form
};

// How OK or Cancel ended.
struct OptionsOutcome {
    bool closes = false;
    // The number field whose text was not a whole number; it should take the focus.
    std::optional<OptionsNumber> badNumber;
};

// TFOptionsDlg's logic over DeckSettings. Creating it runs the opening steps (the drill's
// timers stop); close() runs the closing steps once, however the dialog ends.
class OptionsDialog {
  public:
    OptionsDialog(Program& program, DrillController* drill);
    OptionsDialog(const OptionsDialog&) = delete;
    OptionsDialog& operator=(const OptionsDialog&) = delete;

    const OptionsControls& controls() const { return controls_; }
    // The front end copies what the user changed in here before asking anything.
    OptionsControls& controls() { return controls_; }
    OptionsEnabling enabling() const;

    OptionsPage page() const { return page_; }
    void showPage(OptionsPage page) { page_ = page; }
    // The dialog's own pop-up hints.
    bool tipsShown() const { return tipsShown_; }
    // The combo box's items, sorted.
    const std::vector<std::string>& rangeNames() const { return rangeNames_; }

    // The colour and font buttons act at once; Cancel does not undo them.
    Colour mainWindowColour() const;
    Colour questionBackground() const;
    Colour answerBackground() const;
    FontChoice questionFont() const;
    FontChoice answerFont() const;
    void setMainWindowColour(Colour colour);
    void setQuestionBackground(Colour colour);
    void setAnswerBackground(Colour colour);
    void setQuestionFont(const FontChoice& font);
    void setAnswerFont(const FontChoice& font);

    // "Re-enable All &Pairs In This File", at once and without a question.
    void reEnableAllPairs();
    // The dialog of the mode button ticked now, not of the stored mode.
    ModeDialog modeSpecificDialog() const;

    OptionsOutcome ok();
    OptionsOutcome cancel();
    // The help topic of the page shown, asked of the help viewer.
    void help();
    // The closing steps: the page is remembered, the timers run again and the drill window
    // in use shows itself with the new settings. Runs once.
    void close();

  private:
    bool readNumbers(std::array<std::int32_t, 5>& numbers, OptionsOutcome& outcome);

    Program& program_;
    DrillController* drill_;
    OptionsControls controls_;
    OptionsPage page_ = OptionsPage::QAModes;
    bool tipsShown_ = false;
    bool categoriesEmpty_ = true;
    std::vector<std::string> rangeNames_;
    bool closed_ = false;

    // Values at opening, for the run-restart flags.
    std::int32_t openingUseNamedRange_ = 0;
    std::int32_t openingNoPriority_ = 0;
    std::int32_t openingOnePass_ = 0;
    std::int32_t openingNumerical_ = 0;
    std::int32_t openingReverse_ = 0;
};

// The font name the font dialog's choice stores. A stored font this system lacks shows in
// the dialog as the font drawn in its place; keeping that one keeps the stored name, so a
// deck does not lose its font by passing through a system without it.
std::string chosenFontName(const std::string& stored, const std::string& shown,
                           const std::string& chosen);

// A directory as stored: the folder separator is added unless the text is empty or ends
// in one already.
std::string directoryWithSeparator(std::string text);

}  // namespace cardwise
