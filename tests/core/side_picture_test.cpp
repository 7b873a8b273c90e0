#include "core/drill/side_picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/program.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

// Which picture a drill window and a printed card show for a side: the drill's one check
// decides for a shown side, a quiet lookup for a side never shown. The strict fake fails on
// any box, so every row also proves that no lookup here speaks.
TEST(SidePicture, TheFileASideShows) {
    testing::TempDir dir;
    testing::ProgramHarness h;
    Program& p = h.program;
    p.currentDirectory = dir.path();
    dir.write("sky.bmp", "BM");
    std::filesystem::create_directory(dir.file("pictures"));
    dir.write("pictures/moon.bmp", "BM");
    p.settings.GraphicsDIR = dir.file("pictures") + "/";

    struct Row {
        const char* name;
        SideContent content;
        std::string picturePath;
        std::string pictureFile;  // what the drill's check found
        SideFiles files;
        std::string shown;
    };
    const Row rows[] = {
        {"a shown side shows what its check found", SideContent::TextAndPicture, "sky.bmp",
         dir.file("sky.bmp"), SideFiles::Checked, dir.file("sky.bmp")},
        {"a picture-only side too", SideContent::PictureOnly, "sky.bmp", dir.file("sky.bmp"),
         SideFiles::Checked, dir.file("sky.bmp")},
        {"a shown text-only side shows none", SideContent::TextOnly, "sky.bmp", dir.file("sky.bmp"),
         SideFiles::Checked, ""},
        {"a failed check shows none and looks no further", SideContent::TextAndPicture, "sky.bmp",
         "", SideFiles::Checked, ""},
        {"a printed side finds its file beside the deck", SideContent::TextAndPicture, "sky.bmp",
         "", SideFiles::Unchecked, dir.file("sky.bmp")},
        {"a printed side finds its file in the graphics folder", SideContent::PictureOnly,
         "moon.bmp", "", SideFiles::Unchecked, dir.file("pictures") + "/moon.bmp"},
        {"a printed side's missing file is none", SideContent::TextAndPicture, "gone.bmp", "",
         SideFiles::Unchecked, ""},
        {"a printed side without a reference shows none", SideContent::TextAndPicture, "", "",
         SideFiles::Unchecked, ""},
        {"a printed text-only side shows none", SideContent::TextOnly, "sky.bmp", "",
         SideFiles::Unchecked, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DrillWindowView view;
        view.content = row.content;
        view.picturePath = row.picturePath;
        view.pictureFile = row.pictureFile;
        EXPECT_EQ(sidePictureFile(p, view, row.files), row.shown);
    }
    EXPECT_TRUE(h.ui.boxes.empty());
}

}  // namespace
}  // namespace cardwise
