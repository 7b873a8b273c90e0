#include "core/study/mode_dialogs.h"

#include "core/deck/setup_file.h"
#include "core/platform/help_viewer.h"
#include "core/program.h"
#include "core/study/list_operations.h"
#include "core/study/whole_number.h"

namespace cardwise {

FrequencyDialog::FrequencyDialog(Program& program, Kind kind)
    : frequency(std::to_string(program.settings.Frequency)),
      program_(program),
      kind_(kind),
      tipsShown_(program.settings.EnableTips == 1) {}

std::string_view FrequencyDialog::caption() const {
    return kind_ == Kind::List ? "Options For Frequency Based On Priority List Mode"
                               : "Options For Frequency Based On Range Mode";
}

int FrequencyDialog::helpTopic() const {
    return kind_ == Kind::List ? HelpTopic::ListMode : HelpTopic::RangeMode;
}

ModeDialogOutcome FrequencyDialog::ok() {
    const std::optional<std::int32_t> value = readNumberField(program_, frequency);
    if (!value) return {false, 0};
    program_.settings.Frequency = *value;
    program_.document.markChanged();
    return {CheckSetUp(program_) == kSetUpValid, std::nullopt};
}

void FrequencyDialog::help() {
    program_.platform.help.showTopic(helpTopic());
}

void FrequencyDialog::clearPriorityList() {
    ClearPriorityList(program_);
}

HistoryDialog::HistoryDialog(Program& program) : program_(program) {
    const DeckSettings& s = program.settings;
    tipsShown_ = s.EnableTips == 1;
    if (s.PromoMessage >= 0 && s.PromoMessage <= 2) promo = s.PromoMessage;
    const std::array<std::int32_t, 6> values{s.UnFrequency,      s.ShortFrequency,
                                             s.LongFrequency,    s.ShortThreshold,
                                             s.LongAnsThreshold, s.LongDayThreshold};
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = std::to_string(values[i]);
}

int HistoryDialog::helpTopic() {
    return HelpTopic::HistoryMode;
}

ModeDialogOutcome HistoryDialog::ok() {
    // All six are checked first, so a mistyped number stores none of them.
    std::array<std::int32_t, 6> values{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<std::int32_t> value = readNumberField(program_, fields[i]);
        if (!value) return {false, i};
        values[i] = *value;
    }
    DeckSettings& s = program_.settings;
    s.UnFrequency = values[0];
    s.ShortFrequency = values[1];
    s.LongFrequency = values[2];
    s.ShortThreshold = values[3];
    s.LongAnsThreshold = values[4];
    s.LongDayThreshold = values[5];
    if (promo && *promo >= 0 && *promo <= 2) s.PromoMessage = *promo;
    program_.document.markChanged();
    return {CheckSetUp(program_) == kSetUpValid, std::nullopt};
}

void HistoryDialog::help() {
    program_.platform.help.showTopic(helpTopic());
}

void HistoryDialog::resetToUnlearned() {
    ResetToUnlearned(program_);
}

}  // namespace cardwise
