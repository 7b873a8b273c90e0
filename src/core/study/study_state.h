#pragma once

#include <string>
#include <string_view>

#include "core/study/category_list.h"

namespace cardwise {

inline constexpr std::string_view kQAModesPageCaption = "&Q&&A Modes";

// What the study dialogs keep between openings.
struct StudyState {
    // The caption of the options page shown at the next opening.
    std::string LastOptionsPage{kQAModesPageCaption};
    // Rebuilt by the options dialog, the statistics window and the editor.
    CategoryList categories;
};

}  // namespace cardwise
