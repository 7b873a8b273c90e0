#pragma once

#include <QIcon>
#include <QProxyStyle>

namespace cardwise::gui {

// Symbols drawn at any size in the palette's button text colour (a dark theme gets light
// ones) where a style would read pictures: the first picture read loads Qt's picture format
// plugins, several milliseconds that the first question never needs otherwise.
enum class DrawnSymbol { Play, Pause, Stop, MoreRight, MoreDown };
QIcon drawnIcon(DrawnSymbol symbol);

// The platform's style, with the "more" chevrons of menu and tool bars drawn: every menu bar
// asks for one when it is made, though it shows only when the bar is too narrow.
class DrawnChevronStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace cardwise::gui
