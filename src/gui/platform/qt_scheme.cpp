#include "gui/platform/qt_scheme.h"

namespace cardwise::gui {
namespace {

Colour fromQColor(const QColor& c) {
    return Colour{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                  static_cast<std::uint8_t>(c.blue())};
}

}  // namespace

Scheme schemeOf(const QPalette& palette) {
    return Scheme{.base = fromQColor(palette.color(QPalette::Base)),
                  .text = fromQColor(palette.color(QPalette::Text)),
                  .accent = fromQColor(palette.color(QPalette::Link))};
}

SchemeColours schemeColoursOf(const QPalette& palette) {
    return schemeColours(schemeOf(palette));
}

QColor toQColor(Colour colour) {
    return QColor(colour.r, colour.g, colour.b);
}

}  // namespace cardwise::gui
