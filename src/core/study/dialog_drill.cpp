#include "core/study/dialog_drill.h"

#include "core/drill/run_control.h"
#include "core/program.h"

namespace cardwise {

void pauseDrillForDialog(DrillController* drill) {
    if (drill != nullptr) drill->setTimersRunning(false);
}

void resumeDrillAfterDialog(Program& program, DrillController* drill) {
    if (drill == nullptr) return;
    // Always back on: a drill started later would otherwise never tick.
    drill->setTimersRunning(true);
    if (program.drill.DrillActive) drill->redisplay();
}

}  // namespace cardwise
