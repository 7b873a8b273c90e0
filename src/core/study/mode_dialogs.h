#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

struct Program;

// How OK or Cancel of a mode-specific dialog ended.
struct ModeDialogOutcome {
    bool closes = false;
    // The number field (by its index in the dialog's fields) whose text was not a whole
    // number; it should take the focus.
    std::optional<std::size_t> badField;
};

// TFList and TFRange: the one Frequency setting both modes share.
class FrequencyDialog {
  public:
    enum class Kind { List, Range };
    // Showing: the field takes Frequency.
    FrequencyDialog(Program& program, Kind kind);

    std::string_view caption() const;
    int helpTopic() const;
    Kind kind() const { return kind_; }

    std::string frequency;  // EditFrequency
    // The dialog's pop-up hints, as in the other study dialogs.
    bool tipsShown() const { return tipsShown_; }

    // Frequency takes the field's number, then the settings are checked; unless they pass,
    // the dialog stays open with the number stored.
    ModeDialogOutcome ok();
    // Stores nothing.
    ModeDialogOutcome cancel() { return {true, std::nullopt}; }
    void help();
    // TFList's "Clear All Questions From &Priority List", at once.
    void clearPriorityList();

  private:
    Program& program_;
    Kind kind_;
    bool tipsShown_ = false;
};

// TFHistory: the three frequencies, the three thresholds and the promotion message.
class HistoryDialog {
  public:
    explicit HistoryDialog(Program& program);

    static constexpr std::string_view caption() {
        return "Options For Frequency Based On History Mode";
    }
    static int helpTopic();

    // EditUnFrequency, EditShortFrequency, EditLongFrequency, EditShortThreshold,
    // EditLongAnsThreshold, EditLongDayThreshold.
    std::array<std::string, 6> fields;
    // RGPromo's item 0 "Regular", 1 "Timed", 2 "None"; nothing when none is selected.
    std::optional<int> promo;
    bool tipsShown() const { return tipsShown_; }

    ModeDialogOutcome ok();
    ModeDialogOutcome cancel() { return {true, std::nullopt}; }
    void help();
    // "Reset All Question In This File To &Unlearned", at once after the user's yes.
    void resetToUnlearned();

  private:
    Program& program_;
    bool tipsShown_ = false;
};

}  // namespace cardwise
