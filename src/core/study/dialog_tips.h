#pragma once

#include <span>
#include <string_view>

namespace cardwise {

// A pop-up hint and the control (by its name) that shows it.
struct ControlTip {
    std::string_view control;
    std::string_view text;
};

// The hints of the options dialog's controls, page by page.
std::span<const ControlTip> optionsDialogTips();
// TFList, TFRange and TFHistory.
std::span<const ControlTip> listDialogTips();
std::span<const ControlTip> rangeDialogTips();
std::span<const ControlTip> historyDialogTips();

}  // namespace cardwise
