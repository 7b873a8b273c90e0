#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <string_view>

#include "core/drill/drill_window_common.h"
#include "gui/platform/qt_scheme.h"

class QWidget;

namespace cardwise::gui {

// The font of a look; a size of 0 keeps the base font's size.
QFont fontOf(const TextLook& look, const QFont& base);
// Background and text colour of a text field, its font too.
void applyLook(QWidget& field, const TextLook& look);
// Background and text of a status-bar field.
void applyFieldColours(QWidget& field, const FieldColours& colours);

// A fixed caption of the drill windows: access keys are marked with '&' as Qt marks them.
QString captionText(std::string_view caption);

// The small pictures the answer window shows.
QPixmap correctPicture();
QPixmap incorrectPicture();
QPixmap autopilotPicture();

}  // namespace cardwise::gui
