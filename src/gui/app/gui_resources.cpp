#include "gui/app/gui_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function in the global namespace.
static void loadAppResources() {
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(help);
}

namespace cardwise::gui {

void loadGuiResources() {
    loadAppResources();
}

}  // namespace cardwise::gui
