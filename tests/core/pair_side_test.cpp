#include "core/content/pair_side.h"
#include "core/drill/pair_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/content/marks.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::kUnknownTagTail;
using testing::ProgramHarness;
using testing::ShownBox;

// Formats a side into the shared view as the drill windows keep it; an answer side is read
// against the question formatted there before.
bool formatSide(Program& program, std::string_view side, std::int32_t n,
                FaultReports reports = FaultReports::Shown) {
    FormattedSide formatted = FormatPairSide(program, side, n, program.view, reports);
    program.view = std::move(formatted.view);
    return formatted.ok;
}

// One pair numbered n (with n-1 filler pairs ahead of it) holding question q and answer a.
void setPair(Program& program, std::int32_t n, const std::string& q, const std::string& a) {
    program.deck.allocate(n);
    for (std::int32_t i = 1; i < n; ++i) program.deck.PairText.set(i - 1, newPairText(i));
    std::string k = std::to_string(n);
    program.deck.PairText.set(n - 1, "Q" + k + "=" + q + "$#$!A" + k + "=" + a);
    program.deck.CurrentPair = n;
}

struct SideCase {
    const char* name;
    std::string side;
    std::string text;
    std::vector<std::string> notes;
    std::vector<std::string> choices;
    std::string category;
    std::string picture;
    std::string media;
    bool textOnly;
    bool noText;
    std::int32_t enableGraphics = 1;
    std::int32_t enableAudioVideo = 1;
};

class QuestionSideTable : public ::testing::TestWithParam<SideCase> {};

TEST_P(QuestionSideTable, FillsView) {
    const SideCase& c = GetParam();
    ProgramHarness h;
    h.program.settings.EnableGraphics = c.enableGraphics;
    h.program.settings.EnableAudioVideo = c.enableAudioVideo;
    setPair(h.program, 3, c.side, "answer");
    ASSERT_TRUE(formatSide(h.program, "Q", 3));
    const PairView& v = h.program.view;
    EXPECT_EQ(v.Text, c.text);
    for (std::size_t i = 0; i < v.Notes.size(); ++i)
        EXPECT_EQ(v.Notes[i], i < c.notes.size() ? c.notes[i] : "") << "note " << i + 1;
    for (std::size_t i = 0; i < v.Choices.size(); ++i)
        EXPECT_EQ(v.Choices[i], i < c.choices.size() ? c.choices[i] : "") << "choice " << i + 1;
    EXPECT_EQ(v.ChoiceCount, static_cast<std::int32_t>(c.choices.size()));
    EXPECT_EQ(v.Category, c.category);
    EXPECT_EQ(v.PicturePath, c.picture);
    EXPECT_EQ(v.MediaPath, c.media);
    EXPECT_EQ(v.TextOnly, c.textOnly);
    EXPECT_EQ(v.NoText, c.noText);
    EXPECT_TRUE(h.ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuestionSideTable,
    ::testing::Values(
        SideCase{"NotesNumberedByOrder",
                 "<HC1>first<HC3>second%What is it?",
                 "What is it?",
                 {"first", "second"},
                 {},
                 "",
                 "",
                 "",
                 true,
                 false},
        SideCase{"ChoicesCounted",
                 "<MC1>Paris<MC2>London%Capital of France?",
                 "Capital of France?",
                 {},
                 {"Paris", "London"},
                 "",
                 "",
                 "",
                 true,
                 false},
        SideCase{"PictureOnlySide", "<BMP>pic.bmp", "", {}, {}, "", "pic.bmp", "", false, true},
        SideCase{"PictureOffStillNoText", "<BMP>pic.bmp", "", {}, {}, "", "", "", true, true, 0},
        SideCase{"DoubledAngleStartsText", "<<b>>", "<<b>>", {}, {}, "", "", "", true, false},
        SideCase{"PercentEndsHint", "<HC1>50% off", " off", {"50"}, {}, "", "", "", true, false},
        SideCase{"MovAndPictureTogether",
                 "<WAV>clip.MOV<BMP>p.bmp%x",
                 "x",
                 {},
                 {},
                 "",
                 "p.bmp",
                 "clip.MOV",
                 false,
                 false},
        SideCase{
            "SoundKeepsTextOnly", "<WAV>song.wav%x", "x", {}, {}, "", "", "song.wav", true, false},
        SideCase{"VideoOffDropped", "<WAV>clip.avi%x", "x", {}, {}, "", "", "", true, false, 1, 0},
        SideCase{"MixedCaseAviNotVideo",
                 "<WAV>clip.Avi%x",
                 "x",
                 {},
                 {},
                 "",
                 "",
                 "clip.Avi",
                 true,
                 false},
        SideCase{
            "LowerCaseLetters", "<nam>Geo<hi1>h%x", "x", {"h"}, {}, "Geo", "", "", true, false},
        SideCase{"CategoryCut",
                 "<NAM>abcdefghijklmnopqrstuvwxyz%x",
                 "x",
                 {},
                 {},
                 "abcdefghijklmnopqrst",
                 "",
                 "",
                 true,
                 false},
        SideCase{"LastChoiceRunningToEndIsNotNoText",
                 "<MC1>a<MC2>b",
                 "",
                 {},
                 {"a", "b"},
                 "",
                 "",
                 "",
                 true,
                 false},
        SideCase{
            "FirstChoiceRunningToEndIsNoText", "<MC1>a", "", {}, {"a"}, "", "", "", true, true},
        SideCase{"DoubledAngleAfterContentEndsTags",
                 "<HC1>hint<<b>",
                 "<<b>",
                 {"hint"},
                 {},
                 "",
                 "",
                 "",
                 true,
                 false},
        SideCase{"NoTagsPercentIsText", "50% of it", "50% of it", {}, {}, "", "", "", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatPairSide, FillInQuestionMarkIsNotNoText) {
    ProgramHarness h;
    setPair(h.program, 1, "<FIB>", "<MC1>blue");
    ASSERT_TRUE(formatSide(h.program, "Q", 1));
    EXPECT_TRUE(h.program.view.FillInQuestion);
    EXPECT_FALSE(h.program.view.NoText);
    // The answer's accepted answers of a fill-in pair are not media-only either.
    ASSERT_TRUE(formatSide(h.program, "A", 1));
    EXPECT_EQ(h.program.view.Choices[0], "blue");
    EXPECT_FALSE(h.program.view.NoText);
    EXPECT_TRUE(h.program.view.FillInQuestion);
}

TEST(FormatPairSide, AnswerPictureOfStandardPairIsNoText) {
    ProgramHarness h;
    setPair(h.program, 2, "Look", "<BMP>a.bmp");
    ASSERT_TRUE(formatSide(h.program, "Q", 2));
    ASSERT_TRUE(formatSide(h.program, "A", 2));
    EXPECT_TRUE(h.program.view.NoText);
    EXPECT_FALSE(h.program.view.TextOnly);
}

TEST(FormatPairSide, CorrectChoiceRunningToEndIsNotNoText) {
    ProgramHarness h;
    setPair(h.program, 2, "<MC1>x<MC2>y%Pick", "<FIB>2");
    ASSERT_TRUE(formatSide(h.program, "Q", 2));
    ASSERT_TRUE(formatSide(h.program, "A", 2));
    EXPECT_EQ(h.program.view.CorrectChoice, "2");
    EXPECT_FALSE(h.program.view.NoText);
}

struct ChoiceCase {
    const char* name;
    std::string answer;
    std::string correct;
};

class CorrectChoiceTable : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(CorrectChoiceTable, ReadFromAnswerTag) {
    ProgramHarness h;
    setPair(h.program, 4, "<MC1>a<MC2>b<MC3>c%Pick", GetParam().answer);
    ASSERT_TRUE(formatSide(h.program, "Q", 4));
    ASSERT_TRUE(formatSide(h.program, "A", 4));
    EXPECT_EQ(h.program.view.CorrectChoice, GetParam().correct);
    EXPECT_TRUE(h.ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, CorrectChoiceTable,
                         ::testing::Values(ChoiceCase{"AllLower", "<fib>a%t", "A"},
                                           ChoiceCase{"None", "<FIB>N", "N"},
                                           ChoiceCase{"Number", "<FIB>3%t", "3"},
                                           ChoiceCase{"OtherLeftEmpty", "<FIB>x", ""},
                                           ChoiceCase{"EmptyContent", "<FIB>%t", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormatPairSide, CategoryKeptForAnswerAndOverwrittenByIt) {
    ProgramHarness h;
    setPair(h.program, 1, "<NAM>Geo%x", "y");
    formatSide(h.program, "Q", 1);
    formatSide(h.program, "A", 1);
    EXPECT_EQ(h.program.view.Category, "Geo");
    setPair(h.program, 1, "<NAM>Geo%x", "<NAM>Other%y");
    formatSide(h.program, "Q", 1);
    formatSide(h.program, "A", 1);
    EXPECT_EQ(h.program.view.Category, "Other");
}

TEST(FormatPairSide, AnswerPrefixCountedFromPairNumber) {
    ProgramHarness h;
    h.program.deck.allocate(12);
    h.program.deck.PairText.set(11, "Q5=x$#$!A5=yes");
    formatSide(h.program, "A", 12);
    EXPECT_EQ(h.program.view.Text, "es");
}

TEST(FormatPairSide, HandMadeSidesNeverReadOutside) {
    ProgramHarness h;
    h.program.deck.allocate(10);
    h.program.deck.PairText.set(9, "Q10 no equals$#$!A1");
    EXPECT_TRUE(formatSide(h.program, "Q", 10));
    EXPECT_EQ(h.program.view.Text, "");
    EXPECT_TRUE(formatSide(h.program, "A", 10));
    EXPECT_EQ(h.program.view.Text, "");
    h.program.deck.PairText.set(9, "Q10=only a question");
    EXPECT_TRUE(formatSide(h.program, "Q", 10));
    EXPECT_EQ(h.program.view.Text, "only a question");
    EXPECT_TRUE(formatSide(h.program, "A", 10));
    EXPECT_EQ(h.program.view.Text, "");
    // A side ending in a bare "<" or a short tag.
    h.program.deck.PairText.set(9, "Q10=<BM$#$!A10=<");
    EXPECT_TRUE(formatSide(h.program, "Q", 10));
    EXPECT_EQ(h.program.view.PicturePath, "");
    h.ui.expectBox({"Unidentified Tag Encountered",
                    "Cardwise Has Found An Unreadable Tag In Answer    10" + kUnknownTagTail,
                    Icon::Error, Buttons::Ok});
    EXPECT_FALSE(formatSide(h.program, "A", 10));
}

TEST(FormatPairSide, EditedTextComesFirst) {
    ProgramHarness h;
    setPair(h.program, 2, "stored", "a");
    h.program.deck.EditorUsed = true;
    h.program.deck.EditSlot[2] = 1;
    h.program.deck.EditedText[1] = "Q2=edited$#$!A2=b";
    formatSide(h.program, "Q", 2);
    EXPECT_EQ(h.program.view.Text, "edited");
}

// Each fault: its exact box, the rest of the side as text, false returned.
struct FaultCase {
    const char* name;
    std::int32_t pair;
    std::string question;
    std::string answer;
    bool onAnswer;
    std::string caption;
    std::string message;
    std::string text;
};

class FaultTable : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultTable, ReportedOnceWithExactText) {
    const FaultCase& c = GetParam();
    ProgramHarness h;
    h.ui.expectBox({c.caption, c.message, Icon::Error, Buttons::Ok});
    setPair(h.program, c.pair, c.question, c.answer);
    bool questionOk = formatSide(h.program, "Q", c.pair);
    bool ok = questionOk;
    if (c.onAnswer) {
        ASSERT_TRUE(questionOk);
        ok = formatSide(h.program, "A", c.pair);
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(h.program.view.Text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaultTable,
    ::testing::Values(
        FaultCase{"FourthHint", 7, "<HC1>a<HC2>b<HC3>c<HC4>d%Why?", "x", false,
                  "Too Many Hints Or Comments",
                  "Cardwise Has Found More Than Three Hints In Question     7.  Please Limit The "
                  "Hints Or Comments To Three. ",
                  "Why?"},
        FaultCase{"FourthComment", 123, "q", "<HC1>a<HC2>b<HC3>c<HC4>d<HC5>e%Because", true,
                  "Too Many Hints Or Comments",
                  "Cardwise Has Found More Than Three Comments In Answer   123.  Please Limit The "
                  "Hints Or Comments To Three. ",
                  "<HC5>e%Because"},
        FaultCase{"SeventhChoice", 7, "<MC1>1<MC2>2<MC3>3<MC4>4<MC5>5<MC6>6<MC7>7%Pick", "x", false,
                  "Too Many Multiple Choice Or Fill-In Answers",
                  "Cardwise Has Found More Than Six Multiple Choice Possibilities In Question     "
                  "7.  Please Limit The Number Of Choices To Six. ",
                  "Pick"},
        FaultCase{"SeventhFillIn", 7, "<FIB>%Gap", "<MC1>1<MC2>2<MC3>3<MC4>4<MC5>5<MC6>6<MC7>7",
                  true, "Too Many Multiple Choice Or Fill-In Answers",
                  "Cardwise Has Found More Than Six Fill-In-The-Blank Answers In Answer     7.  "
                  "Please Limit The Number Of Choices To Six. ",
                  ""},
        FaultCase{"InvalidAnswerNumber", 7, "<MC1>Paris<MC2>London%Capital of France?", "<FIB>3",
                  true, "Invalid Multiple Choice Answer Number",
                  "The Indicated Multiple Choice Answer Number For Answer   7 Did Not Have A "
                  "Corresponding Choice In The Question Section. ",
                  ""},
        FaultCase{"UnknownTag", 7, "<XYZ>foo%bar", "x", false, "Unidentified Tag Encountered",
                  "Cardwise Has Found An Unreadable Tag In Question     7" + kUnknownTagTail,
                  "bar"},
        FaultCase{"UnknownTagOnAnswer", 4321, "q", "<QQQ>foo", true, "Unidentified Tag Encountered",
                  "Cardwise Has Found An Unreadable Tag In Answer  4321" + kUnknownTagTail, ""},
        FaultCase{
            "PictureAndVideo", 7, "<BMP>p.bmp<WAV>c.avi%x", "y", false, ".BMP/.AVI Conflict",
            "Cardwise Has Found Both A .BMP Path And A .AVI Path Specified For Question     "
            "7.  These Cannot Be Displayed Simultaneously Since They Use The Same \"Screen\". "
            "Please Modify The Question Or Answer To Contain Only A .BMP OR A .AVI File.",
            "x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatPairSide, FaultKeepsWhatWasReadAndCountsNoDroppedChoice) {
    ProgramHarness h;
    setPair(h.program, 7, "<MC1>1<MC2>2<MC3>3<MC4>4<MC5>5<MC6>6<MC7>7<HC1>h%Pick", "x");
    h.ui.expectBox(
        {"Too Many Multiple Choice Or Fill-In Answers",
         "Cardwise Has Found More Than Six Multiple Choice Possibilities In Question     "
         "7.  Please Limit The Number Of Choices To Six. ",
         Icon::Error, Buttons::Ok});
    EXPECT_FALSE(formatSide(h.program, "Q", 7));
    EXPECT_EQ(h.program.view.Choices[5], "6");
    EXPECT_EQ(h.program.view.ChoiceCount, 6);
    EXPECT_EQ(h.program.view.Notes[0], "");
    EXPECT_EQ(h.program.view.Text, "<HC1>h%Pick");
}

TEST(FormatPairSide, InvalidAnswerNumberSilentWhileJumping) {
    ProgramHarness h;
    setPair(h.program, 7, "<MC1>Paris<MC2>London%Capital?", "<FIB>3%text");
    h.program.drill.JumpingToPair = true;
    ASSERT_TRUE(formatSide(h.program, "Q", 7));
    EXPECT_TRUE(formatSide(h.program, "A", 7));
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_EQ(h.program.view.CorrectChoice, "");
    EXPECT_EQ(h.program.view.Text, "text");
}

TEST(FormatPairSide, QuietFormattingShowsNoBox) {
    ProgramHarness h;
    setPair(h.program, 1, "<XYZ>a%b", "x");
    EXPECT_FALSE(formatSide(h.program, "Q", 1, FaultReports::Quiet));
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST(FormatPairSide, StoredSpaceLineDecodesToSpaceLine) {
    ProgramHarness h;
    setPair(h.program, 1, "x^ ^y", "a");
    formatSide(h.program, "Q", 1);
    DecodeMarks(h.program.view.Text);
    EXPECT_EQ(h.program.view.Text, "x\r\n \r\ny");
}

TEST(FormatPairSide, LeavesTheSharedViewAlone) {
    ProgramHarness h;
    setPair(h.program, 1, "<NAM>Geo<MC1>a<MC2>b%Pick", "<FIB>2");
    h.program.view.Text = "shown";
    const FormattedSide question = FormatPairSide(h.program, "Q", 1, {});
    EXPECT_EQ(question.view.ChoiceCount, 2);
    EXPECT_EQ(h.program.view.Text, "shown");
}

struct ChoiceCountCase {
    std::int32_t questionChoices;
    bool ok;
};

class AnswerAgainstQuestion : public ::testing::TestWithParam<ChoiceCountCase> {};

// The answer is judged by the question it is given, not by what was formatted last.
TEST_P(AnswerAgainstQuestion, ChoiceNumberMustHaveAChoice) {
    ProgramHarness h;
    setPair(h.program, 1, "q", "<FIB>3");
    formatSide(h.program, "Q", 1);
    PairView question;
    question.ChoiceCount = GetParam().questionChoices;
    question.FillInQuestion = true;
    question.Category = "Geo";
    if (!GetParam().ok) {
        h.ui.expectBox({"Invalid Multiple Choice Answer Number",
                        "The Indicated Multiple Choice Answer Number For Answer   1 Did Not Have "
                        "A Corresponding Choice In The Question Section. ",
                        Icon::Error, Buttons::Ok});
    }
    const FormattedSide answer = FormatPairSide(h.program, "A", 1, question);
    EXPECT_EQ(answer.ok, GetParam().ok);
    EXPECT_EQ(answer.view.CorrectChoice, GetParam().ok ? "3" : "");
    EXPECT_EQ(answer.view.ChoiceCount, GetParam().questionChoices);
    EXPECT_TRUE(answer.view.FillInQuestion);
    EXPECT_EQ(answer.view.Category, "Geo");
}

INSTANTIATE_TEST_SUITE_P(Counts, AnswerAgainstQuestion,
                         ::testing::Values(ChoiceCountCase{0, false}, ChoiceCountCase{2, false},
                                           ChoiceCountCase{3, true}, ChoiceCountCase{6, true}));

TEST(FormatAnswerOf, ReadsItsOwnQuestionQuietly) {
    ProgramHarness h;
    setPair(h.program, 2, "<MC1>a<MC2>b<MC3>c<XYZ>%Pick", "<FIB>3");
    h.program.view.ChoiceCount = 0;
    const FormattedSide answer = FormatAnswerOf(h.program, 2);
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.view.CorrectChoice, "3");
    EXPECT_TRUE(h.ui.boxes.empty());
}

}  // namespace
}  // namespace cardwise
