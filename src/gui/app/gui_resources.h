#pragma once

namespace cardwise::gui {

// Registers the resources compiled into the cardwise_gui library (icons, help pages). A static
// library's resources are linked only when something names them, so the program and the tests call
// this once at start.
void loadGuiResources();

}  // namespace cardwise::gui
