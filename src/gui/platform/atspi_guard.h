#pragma once

namespace cardwise::gui {

// Qt 6.4's AT-SPI bridge reads a second argument of every D-Bus Properties call, and
// Properties.GetAll has only one: a screen reader's GetAll ends the program (QTBUG-107897).
// This puts a guard in front of the bridge once it is up, which answers GetAll with an
// error (clients then read each property with Get) and passes everything else on.
// Call once after the QApplication is made; harmless without a screen reader or D-Bus.
void guardAccessibilityBridge();

}  // namespace cardwise::gui
