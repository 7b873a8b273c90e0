#include "core/drill/window_layout.h"

#include <gtest/gtest.h>

#include "core/content/pair_view.h"

namespace cardwise {
namespace {

TEST(DrillWindowMinimum, LargerWhenTheCaptionBarIsTallerThan22) {
    EXPECT_EQ(minimumDrillWindowSize(22), (WindowSize{610, 376}));
    EXPECT_EQ(minimumDrillWindowSize(18), (WindowSize{610, 376}));
    EXPECT_EQ(minimumDrillWindowSize(23), (WindowSize{760, 470}));
}

// Large fonts widen the button bars and heighten the bars: the window grows to them.
TEST(DrillWindowMinimum, GrowsToItsControls) {
    struct Row {
        const char* name;
        int captionBar;
        DrillControlsSize controls;
        WindowSize minimum;
    };
    const Row rows[] = {
        {"small controls keep the fixed minimum", 22, {500, 30, 64}, {610, 376}},
        {"a wide button bar widens", 22, {905, 30, 64}, {905, 376}},
        {"exactly the fixed width", 22, {610, 30, 64}, {610, 376}},
        // 40 + 12 + 80 + 250 = 382
        {"tall bars heighten", 22, {600, 40, 250}, {610, 382}},
        {"large-font minimum still holds", 30, {700, 30, 64}, {760, 470}},
        {"both grow", 30, {1000, 60, 400}, {1000, 552}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(fittedDrillWindowSize(row.captionBar, row.controls), row.minimum);
    }
}

TEST(DrillWindowPlacement, EnlargesOnlyWhatIsBelowTheMinimum) {
    EXPECT_EQ(placeDrillWindow(Rect{30, 52, 400, 200}, 22), (Rect{30, 52, 610, 376}));
    EXPECT_EQ(placeDrillWindow(Rect{30, 52, 800, 200}, 22), (Rect{30, 52, 800, 376}));
    EXPECT_EQ(placeDrillWindow(Rect{5, 6, 700, 500}, 30), (Rect{5, 6, 760, 500}));
}

TEST(SideContent, TextOnlyWinsOverNoText) {
    PairView view;
    view.TextOnly = true;
    view.NoText = true;
    EXPECT_EQ(sideContentOf(view), SideContent::TextOnly);
    view.TextOnly = false;
    EXPECT_EQ(sideContentOf(view), SideContent::PictureOnly);
    view.NoText = false;
    EXPECT_EQ(sideContentOf(view), SideContent::TextAndPicture);
}

TEST(DrillWindowLayout, TextAndPictureShareTheWidthInHalves) {
    // client 601 wide: (601 - 18) / 2 = 291, rounded toward zero
    ContentLayout layout = layoutDrillWindow(SideContent::TextAndPicture, 601, 340, 30, 50);
    EXPECT_TRUE(layout.textBoxVisible);
    EXPECT_TRUE(layout.pictureBoxVisible);
    EXPECT_EQ(layout.textBox, (Rect{6, 36, 291, 248}));  // 340 - 30 - 12 - 50
    EXPECT_EQ(layout.pictureBox, (Rect{303, 36, 291, 248}));
    EXPECT_EQ(layout.memo, (Rect{6, 6, 279, 236}));
    EXPECT_EQ(layout.image, (Rect{6, 6, 279, 236}));
}

TEST(DrillWindowLayout, TextOnlyFillsTheWidthAndHidesThePicture) {
    ContentLayout layout = layoutDrillWindow(SideContent::TextOnly, 600, 340, 30, 50);
    EXPECT_TRUE(layout.textBoxVisible);
    EXPECT_FALSE(layout.pictureBoxVisible);
    EXPECT_EQ(layout.textBox, (Rect{6, 36, 588, 248}));
    EXPECT_EQ(layout.memo, (Rect{6, 6, 576, 236}));
}

TEST(DrillWindowLayout, PictureOnlyFillsTheWidthAndHidesTheText) {
    ContentLayout layout = layoutDrillWindow(SideContent::PictureOnly, 600, 340, 30, 50);
    EXPECT_FALSE(layout.textBoxVisible);
    EXPECT_TRUE(layout.pictureBoxVisible);
    EXPECT_EQ(layout.pictureBox, (Rect{6, 36, 588, 248}));
    EXPECT_EQ(layout.image, (Rect{6, 6, 576, 236}));
}

TEST(DrillWindowLayout, ATinyClientAreaGivesEmptyBoxesNotNegativeOnes) {
    ContentLayout layout = layoutDrillWindow(SideContent::TextAndPicture, 10, 20, 30, 50);
    EXPECT_EQ(layout.textBox.width, 0);
    EXPECT_EQ(layout.textBox.height, 0);
    EXPECT_EQ(layout.memo.height, 0);
    EXPECT_EQ(layout.image.width, 0);
}

TEST(DrillWindowShowWidths, FollowTheWindowWidth) {
    ContentLayout both = layoutDrillWindow(SideContent::TextAndPicture, 600, 340, 30, 50);
    applyShowWidths(both, SideContent::TextAndPicture, 611);
    EXPECT_EQ(both.textBox.width, 293);  // 611 / 2 - 12
    EXPECT_EQ(both.pictureBox.width, 293);
    EXPECT_EQ(both.pictureBox.left, 305);
    EXPECT_EQ(both.image.left, 7);
    EXPECT_EQ(both.image.width, 277);
    EXPECT_EQ(both.memo.width, 277);

    ContentLayout text = layoutDrillWindow(SideContent::TextOnly, 600, 340, 30, 50);
    applyShowWidths(text, SideContent::TextOnly, 610);
    EXPECT_EQ(text.textBox.width, 594);
    EXPECT_EQ(text.memo.width, 578);
    EXPECT_FALSE(text.pictureBoxVisible);

    ContentLayout picture = layoutDrillWindow(SideContent::PictureOnly, 600, 340, 30, 50);
    applyShowWidths(picture, SideContent::PictureOnly, 610);
    EXPECT_EQ(picture.pictureBox.left, 4);
    EXPECT_EQ(picture.pictureBox.width, 596);
    EXPECT_EQ(picture.image.left, 4);
    EXPECT_EQ(picture.image.width, 580);
    EXPECT_FALSE(picture.textBoxVisible);
}

}  // namespace
}  // namespace cardwise
