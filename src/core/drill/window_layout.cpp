#include "core/drill/window_layout.h"

#include <algorithm>

#include "core/content/pair_view.h"

namespace cardwise {

namespace {

constexpr int kCaptionBarLimit = 22;
constexpr WindowSize kMinimumSize{610, 376};
constexpr WindowSize kMinimumSizeLargeFonts{760, 470};

int atLeastZero(int value) {
    return std::max(value, 0);
}

}  // namespace

SideContent sideContentOf(const PairView& view) {
    if (view.TextOnly) return SideContent::TextOnly;
    if (view.NoText) return SideContent::PictureOnly;
    return SideContent::TextAndPicture;
}

WindowSize minimumDrillWindowSize(int captionBarHeight) {
    return captionBarHeight > kCaptionBarLimit ? kMinimumSizeLargeFonts : kMinimumSize;
}

WindowSize fittedDrillWindowSize(int captionBarHeight, DrillControlsSize controls) {
    const WindowSize minimum = minimumDrillWindowSize(captionBarHeight);
    const int height = controls.statusHeight + 12 + kMinimumDrillTextHeight + controls.bottomHeight;
    return WindowSize{std::max(minimum.width, controls.width), std::max(minimum.height, height)};
}

Rect placeDrillWindow(Rect stored, int captionBarHeight) {
    WindowSize minimum = minimumDrillWindowSize(captionBarHeight);
    stored.width = std::max(stored.width, minimum.width);
    stored.height = std::max(stored.height, minimum.height);
    return stored;
}

ContentLayout layoutDrillWindow(SideContent content, int clientWidth, int clientHeight,
                                int statusHeight, int bottomHeight) {
    ContentLayout layout;
    const int boxHeight = atLeastZero(clientHeight - statusHeight - 12 - bottomHeight);
    const int boxTop = statusHeight + 6;
    layout.textBox = Rect{6, boxTop, 0, boxHeight};
    layout.pictureBox = Rect{6, boxTop, 0, boxHeight};
    layout.memo = Rect{6, 6, 0, atLeastZero(boxHeight - 12)};

    switch (content) {
        case SideContent::TextOnly:
            layout.textBoxVisible = true;
            layout.pictureBoxVisible = false;
            layout.textBox.width = atLeastZero(clientWidth - 12);
            break;
        case SideContent::PictureOnly:
            layout.textBoxVisible = false;
            layout.pictureBoxVisible = true;
            layout.pictureBox.width = atLeastZero(clientWidth - 12);
            break;
        case SideContent::TextAndPicture: {
            layout.textBoxVisible = true;
            layout.pictureBoxVisible = true;
            const int half = atLeastZero((clientWidth - 18) / 2);
            layout.textBox.width = half;
            layout.pictureBox.width = half;
            layout.pictureBox.left = layout.textBox.left + half + 6;
            break;
        }
    }
    layout.memo.width = atLeastZero(layout.textBox.width - 12);
    if (content != SideContent::TextOnly) {
        layout.image = Rect{6, 6, atLeastZero(layout.pictureBox.width - 12),
                            atLeastZero(layout.pictureBox.height - 12)};
    }
    return layout;
}

void applyShowWidths(ContentLayout& layout, SideContent content, int windowWidth) {
    switch (content) {
        case SideContent::TextOnly:
            layout.textBoxVisible = true;
            layout.pictureBoxVisible = false;
            layout.textBox.width = atLeastZero(windowWidth - 16);
            layout.memo.width = atLeastZero(layout.textBox.width - 16);
            break;
        case SideContent::PictureOnly:
            layout.textBoxVisible = false;
            layout.pictureBoxVisible = true;
            layout.pictureBox.left = 4;
            layout.pictureBox.width = atLeastZero(windowWidth - 14);
            layout.image.left = 4;
            layout.image.width = atLeastZero(layout.pictureBox.width - 16);
            break;
        case SideContent::TextAndPicture: {
            layout.textBoxVisible = true;
            layout.pictureBoxVisible = true;
            const int half = atLeastZero(windowWidth / 2 - 12);
            layout.pictureBox.width = half;
            layout.textBox.width = half;
            layout.pictureBox.left = half + 12;
            layout.image.left = 7;
            layout.image.width = atLeastZero(half - 16);
            layout.memo.width = atLeastZero(half - 16);
            break;
        }
    }
}

}  // namespace cardwise
