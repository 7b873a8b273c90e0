#include "core/media/file_validation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempDir;

ShownBox missingPicture(const std::string& name) {
    return {"Missing Graphics File",
            "Cardwise Cannot Locate The Graphics File " + name +
                " Referenced By The Currently-Displayed Question Or Answer. Please Check Its Path "
                "In The Editor's Associated Files Page.",
            Icon::Warning, Buttons::Ok};
}

ShownBox incompatibleMedia(const std::string& name) {
    return {"Incompatible Multi-Media File",
            "The Multi-Media File " + name +
                " Referenced By The Currently-Displayed Question Or Answer Is Not One Of The "
                "Types (.AVI, .MOV, .MID, .RMI or .WAV) That Is Compatible With Cardwise.",
            Icon::Warning, Buttons::Ok};
}

struct Fixture {
    TempDir deckDir, programDir, graphicsDir, soundDir;
    ScriptedUserInterface ui;
    LocalFileSystem files;
    FileLookupPlaces places{deckDir.path(), programDir.path(), graphicsDir.path() + "/",
                            soundDir.path()};
};

TEST(FileValidation, AcceptedExtensionsIgnoreCase) {
    struct Case {
        MediaKind kind;
        const char* reference;
        bool accepted;
    };
    const Case cases[] = {
        {MediaKind::AudioVideo, "tune.rmi", true},  {MediaKind::AudioVideo, "tune.RMI", true},
        {MediaKind::AudioVideo, "a.wav", true},     {MediaKind::AudioVideo, "a.Mid", true},
        {MediaKind::AudioVideo, "clip.avi", true},  {MediaKind::AudioVideo, "clip.MOV", true},
        {MediaKind::AudioVideo, "song.mp3", false}, {MediaKind::AudioVideo, "a.bmp", false},
        {MediaKind::Picture, "p.Jpg", true},        {MediaKind::Picture, "p.jpeg", false},
        {MediaKind::Picture, "p.png", true},        {MediaKind::Picture, "p.ICO", true},
        {MediaKind::Picture, "p.wmf", true},        {MediaKind::Picture, "p.pcx", true},
        {MediaKind::Picture, "p.scm", true},        {MediaKind::Picture, "p.cms", true},
        {MediaKind::Picture, "p.gif", true},        {MediaKind::Picture, "p.bmp", true},
        {MediaKind::Picture, "noextension", false}, {MediaKind::Picture, "dir.bmp/x", false},
        {MediaKind::Picture, "p.wav", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isAcceptedExtension(c.kind, c.reference), c.accepted) << c.reference;
    }
}

TEST(FileValidation, LooksInDeckFolderThenProgramThenConfiguredDirectory) {
    Fixture f;
    f.graphicsDir.write("g.gif", "x");
    f.programDir.write("g.gif", "x");
    f.deckDir.write("g.gif", "x");
    EXPECT_EQ(findReferencedFile(f.files, f.places, MediaKind::Picture, "g.gif"),
              f.deckDir.file("g.gif"));
    std::filesystem::remove(f.deckDir.file("g.gif"));
    EXPECT_EQ(findReferencedFile(f.files, f.places, MediaKind::Picture, "g.gif"),
              f.programDir.file("g.gif"));
    std::filesystem::remove(f.programDir.file("g.gif"));
    EXPECT_EQ(findReferencedFile(f.files, f.places, MediaKind::Picture, "g.gif"),
              f.graphicsDir.file("g.gif"));
}

TEST(FileValidation, PicturesAreNotLookedForInTheSoundDirectoryNorSoundsInGraphics) {
    Fixture f;
    f.soundDir.write("p.bmp", "x");
    f.graphicsDir.write("s.wav", "x");
    EXPECT_FALSE(findReferencedFile(f.files, f.places, MediaKind::Picture, "p.bmp"));
    EXPECT_FALSE(findReferencedFile(f.files, f.places, MediaKind::AudioVideo, "s.wav"));
    f.soundDir.write("s.wav", "x");
    EXPECT_EQ(findReferencedFile(f.files, f.places, MediaKind::AudioVideo, "s.wav"),
              f.soundDir.file("s.wav"));
}

TEST(FileValidation, AbsoluteReferenceIsTakenAsWritten) {
    Fixture f;
    f.graphicsDir.write("abs.png", "x");
    std::string path = f.graphicsDir.file("abs.png");
    EXPECT_TRUE(validateReference(f.ui, f.files, f.places, MediaKind::Picture, path));
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST(FileValidation, MissingFileReportsMissingOnlyEvenWithAWrongType) {
    Fixture f;
    f.ui.expectBox(missingPicture("nowhere.gif"));
    f.ui.expectBox(missingPicture("x.jpeg"));
    EXPECT_FALSE(validateReference(f.ui, f.files, f.places, MediaKind::Picture, "nowhere.gif"));
    EXPECT_FALSE(validateReference(f.ui, f.files, f.places, MediaKind::Picture, "x.jpeg"));
}

TEST(FileValidation, ExistingFileOfAnotherTypeIsIncompatible) {
    Fixture f;
    f.deckDir.write("photo.jpeg", "x");
    f.deckDir.write("song.mp3", "x");
    f.ui.expectBox({"Incompatible Graphics File",
                    "The Graphics File photo.jpeg Referenced By The Currently-Displayed Question "
                    "Or Answer Is Not One Of The Types (BMP, CMS, ICO, GIF, JPG, PCX, PNG, SCM, "
                    "and  WMF) That Is Compatible With Cardwise.",
                    Icon::Warning, Buttons::Ok});
    f.ui.expectBox(incompatibleMedia("song.mp3"));
    EXPECT_FALSE(validateReference(f.ui, f.files, f.places, MediaKind::Picture, "photo.jpeg"));
    EXPECT_FALSE(validateReference(f.ui, f.files, f.places, MediaKind::AudioVideo, "song.mp3"));
}

TEST(FileValidation, MissingMediaMessageNamesTheReferenceAsWritten) {
    Fixture f;
    // No full stop after "Answer", unlike the picture's message.
    f.ui.expectBox({"Missing Multi-Media File",
                    "Cardwise Cannot Locate The Multi-Media File sub/x.wav Referenced By The "
                    "Currently-Displayed Question Or Answer Please Check Its Path In The Editor's "
                    "Associated Files Page.",
                    Icon::Warning, Buttons::Ok});
    EXPECT_FALSE(validateReference(f.ui, f.files, f.places, MediaKind::AudioVideo, "sub/x.wav"));
}

TEST(FileValidation, TagsPickTheirReferenceAndKind) {
    Fixture f;
    f.deckDir.write("q.bmp", "x");
    f.deckDir.write("a.wav", "x");
    PairView view;
    view.PicturePath = "q.bmp";
    view.MediaPath = "a.wav";
    AssociatedFileFields editor{"q.bmp", "missing.bmp", "a.wav", "q.bmp"};
    EXPECT_TRUE(validateFile(f.ui, f.files, f.places, "BMP", view, editor));
    EXPECT_TRUE(validateFile(f.ui, f.files, f.places, "MM", view, editor));
    EXPECT_TRUE(validateFile(f.ui, f.files, f.places, "BMPEQ", view, editor));
    EXPECT_TRUE(validateFile(f.ui, f.files, f.places, "MMEQ", view, editor));
    EXPECT_TRUE(f.ui.boxes.empty());
    f.ui.expectBox(missingPicture("missing.bmp"));
    f.ui.expectBox(incompatibleMedia("q.bmp"));
    EXPECT_FALSE(validateFile(f.ui, f.files, f.places, "BMPEA", view, editor));
    EXPECT_FALSE(validateFile(f.ui, f.files, f.places, "MMEA", view, editor));  // a picture
}

TEST(FileValidation, UnknownTagIsACallerError) {
    Fixture f;
    PairView view;
    f.ui.expectBox({"Invalid Call", "Invalid Call To Validate File!!", Icon::Error, Buttons::Ok});
    EXPECT_FALSE(validateFile(f.ui, f.files, f.places, "WAV", view));
}

}  // namespace
}  // namespace cardwise
