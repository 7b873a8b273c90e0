#pragma once

#include <span>

#include "core/study/dialog_tips.h"

class QWidget;

namespace cardwise::gui {

// Puts each hint on the dialog's control of that name when the hints are shown, and takes
// them off when they are not.
void applyTips(QWidget& dialog, std::span<const ControlTip> tips, bool shown);

}  // namespace cardwise::gui
