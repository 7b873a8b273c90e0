#pragma once

#include <QDialog>

#include "core/shell/main_menu.h"

namespace cardwise::gui {

// TFAbout: the product and version, and the close button.
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(const AboutView& view, QWidget* parent = nullptr);
};

}  // namespace cardwise::gui
