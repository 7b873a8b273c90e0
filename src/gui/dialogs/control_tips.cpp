#include "gui/dialogs/control_tips.h"

#include <QWidget>

namespace cardwise::gui {

void applyTips(QWidget& dialog, std::span<const ControlTip> tips, bool shown) {
    for (const ControlTip& tip : tips) {
        const QString name =
            QString::fromLatin1(tip.control.data(), static_cast<qsizetype>(tip.control.size()));
        QWidget* control = dialog.findChild<QWidget*>(name);
        if (control == nullptr) continue;
        control->setToolTip(
            shown ? QString::fromUtf8(tip.text.data(), static_cast<qsizetype>(tip.text.size()))
                  : QString());
    }
}

}  // namespace cardwise::gui
