#pragma once

#include <optional>

#include "core/platform/geometry.h"

namespace cardwise {

struct PairView;

// What a drill window shows of a side: the text area, the picture area, or both halves.
enum class SideContent { TextOnly, PictureOnly, TextAndPicture };

SideContent sideContentOf(const PairView& view);

// Large system fonts (a caption bar taller than 22 pixels) need a larger window.
WindowSize minimumDrillWindowSize(int captionBarHeight);

// What the window's controls need at the desktop's font and scale: the widest of the
// status bar and the bottom panels, and the heights of the status bar and bottom panel.
struct DrillControlsSize {
    int width = 0;
    int statusHeight = 0;
    int bottomHeight = 0;
};

// The text area keeps at least this height between the bars.
inline constexpr int kMinimumDrillTextHeight = 80;

// The fixed minimum, grown until every control shows whole with room for the text.
WindowSize fittedDrillWindowSize(int captionBarHeight, DrillControlsSize controls);

// The stored window placement, enlarged to the minimum size.
Rect placeDrillWindow(Rect stored, int captionBarHeight);

// Positions of a drill window's content areas, in its client coordinates. The memo lies in
// the text box and the image in the picture box, relative to their boxes.
struct ContentLayout {
    bool textBoxVisible = true;
    bool pictureBoxVisible = false;
    Rect textBox;
    Rect memo;
    Rect pictureBox;
    Rect image;
    bool operator==(const ContentLayout&) const = default;
};

// The layout of a resize: the two boxes fill the client area between the status panel
// (statusHeight) and the bottom panel (bottomHeight), side by side when both are shown.
ContentLayout layoutDrillWindow(SideContent content, int clientWidth, int clientHeight,
                                int statusHeight, int bottomHeight);

// When a side is shown the widths and left edges are first set from the window width;
// the next resize lays the window out again.
void applyShowWidths(ContentLayout& layout, SideContent content, int windowWidth);

}  // namespace cardwise
