#include "core/media/file_validation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

// A reference to a FIFO, a device or a folder finds no file: nothing is opened, so nothing
// can hang or read on for ever, and the missing-file box is shown.
TEST(FileValidation, FifosDevicesAndFoldersAreNotFiles) {
    Fixture f;
    ASSERT_EQ(::mkfifo(f.deckDir.file("pipe.bmp").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(f.deckDir.file("pipe.wav").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", f.deckDir.file("zero.png"));
    std::filesystem::create_symlink("/dev/zero", f.deckDir.file("zero.avi"));
    std::filesystem::create_directory(f.deckDir.file("folder.gif"));
    const struct {
        MediaKind kind;
        std::string reference;
    } cases[] = {
        {MediaKind::Picture, "pipe.bmp"},     {MediaKind::AudioVideo, "pipe.wav"},
        {MediaKind::Picture, "zero.png"},     {MediaKind::AudioVideo, "zero.avi"},
        {MediaKind::Picture, "/dev/zero"},    {MediaKind::AudioVideo, "/dev/zero"},
        {MediaKind::Picture, "folder.gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reference);
        const bool picture = c.kind == MediaKind::Picture;
        f.ui.expectBoxWhere(picture ? "Missing Graphics File" : "Missing Multi-Media File",
                            Icon::Warning, Buttons::Ok, [&](const std::string& text) {
                                return text.find(" " + c.reference + " ") != std::string::npos;
                            });
        EXPECT_FALSE(checkedReferencedFile(f.ui, f.files, f.places, c.kind, c.reference));
    }
    f.ui.checkAllShown();
}

TEST(FileValidation, SoundsAndVideosLargerThanAGigabyteAreRefused) {
    Fixture f;
    f.deckDir.write("film.avi", "");
    f.deckDir.write("long.wav", "");
    std::filesystem::resize_file(f.deckDir.file("film.avi"), kMaxMediaFileBytes + 1);
    std::filesystem::resize_file(f.deckDir.file("long.wav"), kMaxMediaFileBytes);
    f.ui.expectBox({"Can't Play Multi-Media File",
                    "The Multi-Media File film.avi Is Larger Than 1 GB, Far Larger Than Any Sound "
                    "Or Video Of A Deck.",
                    Icon::Error, Buttons::Ok});
    EXPECT_FALSE(checkedReferencedFile(f.ui, f.files, f.places, MediaKind::AudioVideo, "film.avi"));
    EXPECT_EQ(checkedReferencedFile(f.ui, f.files, f.places, MediaKind::AudioVideo, "long.wav"),
              f.deckDir.file("long.wav"));
    f.ui.checkAllShown();
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

TEST(FileValidation, WindowsReferencesBecomePathsHere) {
    struct Case {
        const char* reference;
        const char* path;
    };
    const Case cases[] = {
        {"flag.bmp", "flag.bmp"},
        {"pics\\flag.bmp", "pics/flag.bmp"},
        {"..\\shared\\flag.bmp", "../shared/flag.bmp"},
        {"C:\\Decks\\Flags\\fr.bmp", "fr.bmp"},  // a drive: the name alone
        {"d:fr.bmp", "fr.bmp"},
        {"\\\\server\\share\\fr.bmp", "fr.bmp"},  // a server: the name alone
        {"/home/u/fr.bmp", "/home/u/fr.bmp"},
        {"1:x.bmp", "1:x.bmp"},  // not a drive letter
    };
    for (const Case& c : cases) EXPECT_EQ(referenceAsPath(c.reference), c.path) << c.reference;
}

TEST(FileValidation, WindowsReferencesAreFound) {
    Fixture f;
    std::filesystem::create_directories(f.deckDir.file("pics"));
    f.deckDir.write("pics/flag.bmp", "x");
    f.graphicsDir.write("fr.bmp", "x");
    EXPECT_EQ(findReferencedFile(f.files, f.places, MediaKind::Picture, "pics\\flag.bmp"),
              f.deckDir.file("pics/flag.bmp"));
    EXPECT_EQ(findReferencedFile(f.files, f.places, MediaKind::Picture, "C:\\Decks\\fr.bmp"),
              f.graphicsDir.file("fr.bmp"));
}

TEST(FileValidation, LetterCaseDiffersFindsTheOneMatchingFile) {
    Fixture f;
    std::filesystem::create_directories(f.deckDir.file("Pics"));
    f.deckDir.write("Pics/Flag.BMP", "x");
    f.programDir.write("Tune.WAV", "x");
    struct Case {
        MediaKind kind;
        std::string reference;
        std::string found;
    };
    const Case cases[] = {
        {MediaKind::Picture, "pics\\flag.bmp", f.deckDir.file("Pics/Flag.BMP")},
        {MediaKind::Picture, "PICS/FLAG.bmp", f.deckDir.file("Pics/Flag.BMP")},
        {MediaKind::Picture, f.deckDir.path() + "/pics/flag.bmp", f.deckDir.file("Pics/Flag.BMP")},
        {MediaKind::AudioVideo, "tune.wav", f.programDir.file("Tune.WAV")},
        {MediaKind::Picture, "pics/other.bmp", ""},
        {MediaKind::Picture, "flag.bmp", ""},  // only below Pics
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findReferencedFile(f.files, f.places, c.kind, c.reference).value_or(""), c.found)
            << c.reference;
    }
    EXPECT_TRUE(validateReference(f.ui, f.files, f.places, MediaKind::Picture, "PICS\\FLAG.BMP"));
    EXPECT_TRUE(f.ui.boxes.empty());
}

TEST(FileValidation, TwoFilesMatchingIgnoringCaseFindNeither) {
    Fixture f;
    f.deckDir.write("Map.png", "x");
    f.deckDir.write("MAP.png", "x");
    EXPECT_FALSE(findReferencedFile(f.files, f.places, MediaKind::Picture, "map.png"));
    // As written it is found at once.
    EXPECT_EQ(findReferencedFile(f.files, f.places, MediaKind::Picture, "MAP.png"),
              f.deckDir.file("MAP.png"));
}

TEST(FileValidation, ExactNameInALaterPlaceWinsOverCaseMatchInAnEarlierOne) {
    Fixture f;
    f.deckDir.write("G.GIF", "x");
    f.graphicsDir.write("g.gif", "x");
    EXPECT_EQ(findReferencedFile(f.files, f.places, MediaKind::Picture, "g.gif"),
              f.graphicsDir.file("g.gif"));
}

TEST(FileValidation, CheckedReferenceAnswersTheFileThatIsLoaded) {
    Fixture f;
    f.programDir.write("only-here.png", "x");
    f.ui.expectBox(missingPicture("gone.png"));
    EXPECT_EQ(checkedReferencedFile(f.ui, f.files, f.places, MediaKind::Picture, "only-here.png"),
              f.programDir.file("only-here.png"));
    EXPECT_FALSE(checkedReferencedFile(f.ui, f.files, f.places, MediaKind::Picture, "gone.png"));
    EXPECT_EQ(f.ui.captions(), (std::vector<std::string>{"Missing Graphics File"}));
}

}  // namespace
}  // namespace cardwise
