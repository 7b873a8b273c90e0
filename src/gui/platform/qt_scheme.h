#pragma once

#include <QColor>
#include <QPalette>

#include "core/platform/scheme_colours.h"

namespace cardwise::gui {

// The desktop's colour scheme as the core reads it.
Scheme schemeOf(const QPalette& palette);
// The program's own colours over that scheme.
SchemeColours schemeColoursOf(const QPalette& palette);
QColor toQColor(Colour colour);

}  // namespace cardwise::gui
