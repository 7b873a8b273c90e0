#pragma once

#include <QWidget>

#include <vector>

#include "core/media/media_control.h"

class QToolButton;

namespace cardwise::gui {

// The media player's Play, Pause and Stop buttons, enabled as the side's player allows.
class DrillMediaButtons : public QWidget {
    Q_OBJECT
  public:
    DrillMediaButtons(const char* name, QWidget* parent);

    // The window's media player; the buttons follow it. Null for none.
    void attach(MediaControl* media);

  signals:
    // Whether the player draws video, where the picture would be.
    void videoShown(bool shown);

  private:
    void render();

    std::vector<QToolButton*> buttons_;
    MediaControl* media_ = nullptr;
};

}  // namespace cardwise::gui
