#pragma once

#include <QFrame>

#include <string_view>

#include "core/drill/drill_window_common.h"

class QLabel;
class QToolButton;

namespace cardwise::gui {

class DrillMediaButtons;

// The drill window's status bar: the note button (hint or comment), the pair's figures and
// the media player's buttons.
class DrillStatusBar : public QFrame {
    Q_OBJECT
  public:
    // The names that differ between the two windows.
    struct Names {
        const char* noteButton;     // SBHint
        const char* pairNumber;     // PQNumber
        const char* mediaPlayer;    // MP1
        std::string_view noteName;  // what a screen reader calls the note button
    };
    // The tool-tips that differ between the two windows.
    struct Tips {
        std::string_view category;
        std::string_view number;
        std::string_view note;
    };

    DrillStatusBar(const Names& names, QWidget* parent);

    void render(const StatusFields& status, bool noteEnabled, bool tipsEnabled, const Tips& tips);

    QToolButton* noteButton() const { return noteButton_; }
    DrillMediaButtons* mediaButtons() const { return mediaButtons_; }

  private:
    QToolButton* noteButton_ = nullptr;
    QLabel* percent_ = nullptr;
    QLabel* category_ = nullptr;
    QLabel* pairNumber_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* correct_ = nullptr;
    QLabel* incorrect_ = nullptr;
    QLabel* left_ = nullptr;
    DrillMediaButtons* mediaButtons_ = nullptr;
};

}  // namespace cardwise::gui
