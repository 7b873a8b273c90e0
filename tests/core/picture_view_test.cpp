#include "core/media/picture_view.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ScriptedUserInterface;
using testing::TempDir;

TEST(PictureView, HiddenWithoutAFileElseFittedUnlessNoScale) {
    EXPECT_EQ(pictureViewFor("", 0), PictureView{});
    EXPECT_EQ(pictureViewFor("", 1), PictureView{});
    EXPECT_EQ(pictureViewFor("/d/a.bmp", 0), (PictureView{true, PictureFit::Fitted, "/d/a.bmp"}));
    EXPECT_EQ(pictureViewFor("/d/a.bmp", 1),
              (PictureView{true, PictureFit::NaturalSize, "/d/a.bmp"}));
    EXPECT_EQ(pictureViewFor("/d/a.bmp", 2).fit, PictureFit::Fitted);
}

TEST(PictureView, PlacementKeepsProportionsAndCentres) {
    struct Case {
        PictureSize picture;
        WindowSize area;
        PictureFit fit;
        PicturePlacement expected;
    };
    const Case cases[] = {
        // Wide picture in a square area: full width, centred vertically.
        {{400, 200}, {200, 200}, PictureFit::Fitted, {{0, 50, 200, 100}, {200, 200}}},
        // Tall picture: full height, centred horizontally.
        {{100, 400}, {200, 200}, PictureFit::Fitted, {{75, 0, 50, 200}, {200, 200}}},
        // A small picture is scaled up to fit.
        {{10, 20}, {100, 100}, PictureFit::Fitted, {{25, 0, 50, 100}, {100, 100}}},
        // Same proportions: fills the area.
        {{30, 30}, {90, 90}, PictureFit::Fitted, {{0, 0, 90, 90}, {90, 90}}},
        // A 1-pixel-high sliver stays visible.
        {{10000, 1}, {100, 100}, PictureFit::Fitted, {{0, 49, 100, 1}, {100, 100}}},
        // Natural size, smaller: centred at its own size.
        {{40, 20}, {100, 100}, PictureFit::NaturalSize, {{30, 40, 40, 20}, {100, 100}}},
        // Natural size, larger: the content grows so that every pixel can be scrolled to.
        {{300, 50}, {100, 100}, PictureFit::NaturalSize, {{0, 25, 300, 50}, {300, 100}}},
        // Nothing to show.
        {{0, 0}, {100, 100}, PictureFit::Fitted, {{0, 0, 0, 0}, {100, 100}}},
        {{50, 50}, {0, 0}, PictureFit::Fitted, {{0, 0, 0, 0}, {0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(placePicture(c.picture, c.area, c.fit), c.expected)
            << c.picture.width << "x" << c.picture.height << " in " << c.area.width << "x"
            << c.area.height;
    }
}

TEST(PictureView, FormatByExtensionAndScmCmsByContent) {
    const std::string pcxHeader = std::string("\x0A\x05\x01\x08", 4) + std::string(124, '\0');
    struct Case {
        const char* path;
        std::string bytes;
        PictureFormat format;
    };
    const Case cases[] = {
        {"a.BMP", "", PictureFormat::Bmp},
        {"a.Jpg", "", PictureFormat::Jpg},
        {"a.gif", "", PictureFormat::Gif},
        {"a.ico", "", PictureFormat::Ico},
        {"a.png", "", PictureFormat::Png},
        {"a.pcx", "", PictureFormat::Pcx},
        {"a.wmf", "", PictureFormat::Wmf},
        {"a.bmp", "\x89PNG\r\n\x1A\n", PictureFormat::Bmp},  // the extension decides
        {"a.scm", "BM....", PictureFormat::Bmp},
        {"a.cms", "\xFF\xD8\xFF\xE0", PictureFormat::Jpg},
        {"a.SCM", "GIF89a", PictureFormat::Gif},
        {"a.scm", "\x89PNG\r\n\x1A\n....", PictureFormat::Png},
        {"a.cms", std::string("\0\0\1\0\1\0", 6), PictureFormat::Ico},
        {"a.cms", "\xD7\xCD\xC6\x9A", PictureFormat::Wmf},
        {"a.cms", pcxHeader, PictureFormat::Pcx},
        {"a.cms", pcxHeader.substr(0, 20), PictureFormat::Unknown},  // a cut-off header
        {"a.cms", "junk that is no picture", PictureFormat::Unknown},
        {"a.scm", "", PictureFormat::Unknown},
        {"noextension", "BM", PictureFormat::Bmp},
    };
    for (const Case& c : cases) EXPECT_EQ(pictureFormatOf(c.path, c.bytes), c.format) << c.path;
}

// Knows one made-up format: "PIC w h" as text.
class TextPictureDecoder final : public ImageDecoder {
  public:
    mutable int decoded = 0;
    std::optional<PictureSize> measure(std::string_view bytes, PictureFormat) const override {
        long long w = 0, h = 0;
        if (std::sscanf(std::string(bytes).c_str(), "BM %lld %lld", &w, &h) != 2)
            return std::nullopt;
        return PictureSize{w, h};
    }
    std::optional<DecodedPicture> decode(std::string_view bytes,
                                         PictureFormat format) const override {
        ++decoded;
        if (bytes.find("broken") != std::string_view::npos) return std::nullopt;
        return DecodedPicture{*measure(bytes, format), std::make_shared<int>(1)};
    }
};

TEST(PictureView, LoadRefusesUnreadableOversizedAndUndecodablePictures) {
    TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;  // none: the file does not exist
        bool loads;
        std::string text;  // of the error box
        bool decodes;
    };
    const Case cases[] = {
        {"ok.bmp", "BM 8000 8000", true, "", true},  // exactly 64 megapixels
        {"big.bmp", "BM 8000 8001", false, "The picture is larger than 64 megapixels (8000 x 8001)",
         false},
        {"huge.bmp", "BM 9000000000000 9000000000000", false,
         "The picture is larger than 64 megapixels (9000000000000 x 9000000000000)", false},
        {"empty.bmp", "BM 0 10", false, "Reading bmp file failed", false},
        {"header.png", "garbage", false, "Reading png file failed", false},
        {"broken.gif", "BM 10 10 broken", false, "Reading gif file failed", true},
        {"junk.cms", "junk", false, "Reading resource file failed", false},
        {"gone.pcx", "", false, "Reading pcx file failed", false},
    };
    for (const Case& c : cases) {
        if (!c.bytes.empty()) dir.write(c.name, c.bytes);
        ScriptedUserInterface ui;
        LocalFileSystem files;
        TextPictureDecoder decoder;
        if (!c.loads) {
            ui.expectBox({std::string(kPictureErrorCaption), c.text + ": " + dir.file(c.name),
                          Icon::Error, Buttons::Ok});
        }
        const auto picture = loadPicture(ui, files, decoder, dir.file(c.name));
        EXPECT_EQ(picture.has_value(), c.loads) << c.name;
        EXPECT_EQ(decoder.decoded > 0, c.decodes) << c.name;
        if (c.loads) {
            EXPECT_TRUE(ui.boxes.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(ui.boxes.size(), 1u) << c.name;
        EXPECT_EQ(ui.boxes[0].caption, kPictureErrorCaption);
        EXPECT_EQ(ui.boxes[0].text, c.text + ": " + dir.file(c.name));
        EXPECT_EQ(ui.boxes[0].icon, Icon::Error);
    }
}

// Loading goes straight to the file, after the lookup: a FIFO or a device put there since
// is refused without blocking or reading on, and so is a file above 64 MB, unread.
TEST(PictureView, LoadNeitherOpensSpecialFilesNorReadsHugeOnes) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.bmp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.file("zero.png"));
    dir.write("huge.bmp", "BM 10 10");
    std::filesystem::resize_file(dir.file("huge.bmp"), kMaxPictureFileBytes + 1);
    const struct {
        std::string path;
        std::string text;
    } cases[] = {
        {fifo, "Reading bmp file failed: " + fifo},
        {dir.file("zero.png"), "Reading png file failed: " + dir.file("zero.png")},
        {"/dev/zero", "Reading resource file failed: /dev/zero"},
        {dir.path(), "Reading resource file failed: " + dir.path()},
        {dir.file("huge.bmp"), "The picture file is larger than 64 MB: " + dir.file("huge.bmp")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ScriptedUserInterface ui;
        LocalFileSystem files;
        TextPictureDecoder decoder;
        ui.expectBox({std::string(kPictureErrorCaption), c.text, Icon::Error, Buttons::Ok});
        EXPECT_FALSE(loadPicture(ui, files, decoder, c.path));
        EXPECT_EQ(decoder.decoded, 0);
        ui.checkAllShown();
    }
}

}  // namespace
}  // namespace cardwise
