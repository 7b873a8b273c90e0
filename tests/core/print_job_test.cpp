#include "core/output/print_job.h"
#include "learning_column.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/deck/deck_state.h"
#include "core/program.h"
#include "support/fakes.h"
#include "support/print_fakes.h"

namespace cardwise {
namespace {

using testing::RecordingPageDevice;
using testing::ScriptedPrinter;

struct PrintFixture : ::testing::Test {
    testing::ScriptedUserInterface ui;
    testing::FixedClock clock;
    testing::SeededRandom random;
    LocalFileSystem files;
    testing::RecordedServices services;
    ScriptedPrinter printer;
    Program program{Platform{.ui = ui,
                             .clock = clock,
                             .random = random,
                             .files = files,
                             .clipboard = services.clipboard,
                             .editor = services.editor,
                             .help = services.help,
                             .images = services.images,
                             .media = services.media,
                             .printer = printer}};
    RecordingPageDevice& device = printer.device;

    PrintFixture() {
        printer.currentPair = &program.deck.CurrentPair;
        makeDeck(5);
    }
    void makeDeck(std::int32_t pairs) {
        program.deck.allocate(pairs);
        program.deck.QAFileName = "/decks/CAPITALS.DKS";
        for (std::int32_t i = 1; i <= pairs; ++i) {
            const std::string k = std::to_string(i);
            program.deck.PairText.set(static_cast<std::size_t>(i - 1),
                                      "Q" + k + "=Question " + k + "$#$!A" + k + "=Answer " + k);
        }
        program.deck.CurrentPair = 1;
    }
    void print(PrintStyle style, CardSize size, bool twoPasses,
               PrintRange range = PrintRange::All) {
        PrintChoices choices;
        choices.style = style;
        choices.size = size;
        choices.twoPasses = twoPasses;
        choices.range = range;
        if (twoPasses && style != PrintStyle::TextTable && !pairsToPrint(program, range).empty()) {
            expectWarning(Button::Ok);
            expectAnswerPass(Button::Ok);
        }
        runPrintJob(program, choices, device);
    }
    void expectWarning(Button answer) {
        ui.expectBox({std::string(kTwoPassCaption), twoPassWarningText(), Icon::Information,
                      Buttons::OkCancel},
                     answer);
    }
    void expectAnswerPass(Button answer) {
        ui.expectBox(
            {std::string(kAnswerPassCaption), answerPassText(), Icon::Warning, Buttons::OkCancel},
            answer);
    }
    // The pairs whose text appears in a document, in drawing order.
    std::vector<std::string> textsOf(int document, std::string_view prefix) const {
        std::vector<std::string> out;
        for (const auto& t : device.texts()) {
            if (t.document == document && t.text.rfind(prefix, 0) == 0) out.push_back(t.text);
        }
        return out;
    }
};

struct LayoutCase {
    const char* name;
    PrintStyle style;
    CardSize size;
    bool twoPasses;
    std::int32_t pairs;
    std::vector<int> pages;  // per document
};

class PrintLayouts : public PrintFixture, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(PrintLayouts, PageCountPerDocumentAndEveryPairOnce) {
    const LayoutCase& c = GetParam();
    makeDeck(c.pairs);
    print(c.style, c.size, c.twoPasses);
    EXPECT_EQ(device.pages, c.pages);
    EXPECT_EQ(device.ended, static_cast<int>(c.pages.size()));
    if (c.style == PrintStyle::GraphicsCards) {
        const auto pictures = device.pictures();
        EXPECT_EQ(pictures.size(), static_cast<std::size_t>(c.pairs * 2));
        for (const auto& p : pictures) {
            EXPECT_LE(p.at.left, p.at.right);
            EXPECT_LE(p.at.bottom, device.metrics().pageHeight);
        }
        return;
    }
    for (std::int32_t n = 1; n <= c.pairs; ++n) {
        const std::string k = std::to_string(n);
        const int answerDocument = c.twoPasses && c.style != PrintStyle::TextTable ? 2 : 1;
        EXPECT_NE(device.findText("Question " + k, 1), nullptr) << k;
        EXPECT_NE(device.findText("Answer " + k, answerDocument), nullptr) << k;
    }
    // Nothing is drawn below the sheet.
    for (const auto& t : device.texts()) EXPECT_LE(t.at.bottom, device.metrics().pageHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintLayouts,
    ::testing::Values(
        LayoutCase{"Table", PrintStyle::TextTable, CardSize::TwoByTwo, false, 5, {1}},
        LayoutCase{"TableNeverTwice", PrintStyle::TextTable, CardSize::TwoByTwo, true, 5, {1}},
        LayoutCase{"TableLong", PrintStyle::TextTable, CardSize::TwoByTwo, false, 90, {3}},
        LayoutCase{"Text0OneSide", PrintStyle::TextCards, CardSize::OneByTwo, false, 3, {3}},
        LayoutCase{"Text1OneSide", PrintStyle::TextCards, CardSize::TwoByTwo, false, 5, {3}},
        LayoutCase{"Text2OneSide", PrintStyle::TextCards, CardSize::TwoByThree, false, 7, {3}},
        LayoutCase{"Text0TwoPass", PrintStyle::TextCards, CardSize::OneByTwo, true, 3, {2, 2}},
        LayoutCase{"Text1TwoPass", PrintStyle::TextCards, CardSize::TwoByTwo, true, 5, {2, 2}},
        LayoutCase{"Text1TwoPassFull", PrintStyle::TextCards, CardSize::TwoByTwo, true, 8, {2, 2}},
        LayoutCase{"Text2TwoPass", PrintStyle::TextCards, CardSize::TwoByThree, true, 7, {2, 2}},
        LayoutCase{"Graphic0OneSide", PrintStyle::GraphicsCards, CardSize::OneByTwo, false, 3, {3}},
        LayoutCase{"Graphic1OneSide", PrintStyle::GraphicsCards, CardSize::TwoByTwo, false, 4, {2}},
        LayoutCase{
            "Graphic2OneSide", PrintStyle::GraphicsCards, CardSize::TwoByThree, false, 4, {2}},
        LayoutCase{
            "Graphic0TwoPass", PrintStyle::GraphicsCards, CardSize::OneByTwo, true, 3, {2, 2}},
        LayoutCase{
            "Graphic1TwoPass", PrintStyle::GraphicsCards, CardSize::TwoByTwo, true, 5, {2, 2}},
        LayoutCase{
            "Graphic2TwoPass", PrintStyle::GraphicsCards, CardSize::TwoByThree, true, 6, {1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintFixture, LongTableRowsStartANewPageWithTheTitlesInsteadOfPassingTheMargin) {
    makeDeck(40);
    program.deck.PairText.set(20, "Q21=" + std::string(1500, 'w') + "$#$!A21=short");
    print(PrintStyle::TextTable, CardSize::TwoByTwo, false);
    const int bottomLimit = 1100 - 150;  // 1.5-inch bottom margin
    for (const auto& t : device.texts()) EXPECT_LE(t.at.bottom, bottomLimit) << t.text;
    ASSERT_GE(device.pages.front(), 2);
    int titles = 0;
    for (const auto& t : device.texts()) titles += t.text == "Question" ? 1 : 0;
    EXPECT_EQ(titles, device.pages.front());
    // The deck's name and "Q&A Table" stand above the table.
    const auto* name = device.findText("CAPITALS.DKS");
    const auto* heading = device.findText("Q&A Table");
    ASSERT_TRUE(name && heading);
    EXPECT_EQ(name->at.top, 50);
    EXPECT_GE(heading->at.top, name->at.bottom);
    EXPECT_GE(device.findText("Pair")->at.top, heading->at.bottom);
    EXPECT_EQ(textsOf(1, "Answer ").size(), 39u);  // pair 21's answer reads "short"
}

TEST_F(PrintFixture, SingleTestSheetStopsAtTheFirstPageEnd) {
    makeDeck(90);
    print(PrintStyle::TextTable, CardSize::TwoByTwo, false, PrintRange::SingleSheet);
    EXPECT_EQ(device.pages, std::vector<int>{1});
    EXPECT_LT(textsOf(1, "Question ").size(), 90u);
    device = RecordingPageDevice{};
    print(PrintStyle::TextCards, CardSize::TwoByThree, false, PrintRange::SingleSheet);
    EXPECT_EQ(device.pages, std::vector<int>{1});
    EXPECT_EQ(textsOf(1, "Question ").size(), 3u);
}

TEST_F(PrintFixture, TwoPassTextCardsPutEachAnswerBehindItsQuestion) {
    print(PrintStyle::TextCards, CardSize::TwoByTwo, true);
    EXPECT_EQ(device.passes, (std::vector<int>{1, 2}));
    EXPECT_EQ(device.orientations.front(), Orientation::Landscape);
    EXPECT_TRUE(textsOf(1, "Answer ").empty());
    EXPECT_TRUE(textsOf(2, "Question ").empty());
    const int sheetWidth = 1100;
    const int textLeft = 50 + 10;  // left margin + inner cell margin
    const int rightColumn = 50 + 550 + 10;
    // Front: question 1 left, question 2 right; back: answer 2 left, answer 1 right.
    EXPECT_EQ(device.findText("Question 1", 1)->at.left, textLeft);
    EXPECT_EQ(device.findText("Question 2", 1)->at.left, rightColumn);
    EXPECT_EQ(device.findText("Answer 2", 2)->at.left, textLeft);
    EXPECT_EQ(device.findText("Answer 1", 2)->at.left, rightColumn);
    EXPECT_EQ(device.findText("Answer 1", 2)->at.top, device.findText("Question 1", 1)->at.top);
    EXPECT_LT(textLeft, sheetWidth / 2);
    // The odd pair out: its question alone on the left, its answer alone on the right.
    EXPECT_EQ(device.findText("Question 5", 1)->at.left, textLeft);
    EXPECT_EQ(device.findText("Answer 5", 2)->at.left, rightColumn);
    EXPECT_EQ(device.findText("Question 5", 1)->page, 2);
}

TEST_F(PrintFixture, CardTextIsCutAfterTheLineThatReachesTheCardsLimit) {
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "line" + std::to_string(i) + "\r\n";
    program.deck.PairText.set(0, "Q1=" + longText + "$#$!A1=short");
    print(PrintStyle::TextCards, CardSize::TwoByThree, false);
    // Row 1's limit is 1.83 inch below the 0.5-inch top margin; row 2 starts at 2.83.
    int lowest = 0;
    int lines = 0;
    for (const auto& t : device.texts()) {
        if (t.text.rfind("line", 0) != 0) continue;
        ++lines;
        lowest = std::max(lowest, t.at.top);
    }
    EXPECT_GT(lines, 5);
    EXPECT_LT(lines, 60);
    EXPECT_LE(lowest, 50 + 183);
    EXPECT_GT(lowest + 17, 50 + 183 - 17);  // the card is used down to its limit
    EXPECT_GT(device.findText("Question 2")->at.top, 50 + 283 - 1);
}

TEST_F(PrintFixture, GraphicsCardsMirrorOnTheBackAndCaptureTheirOwnPair) {
    print(PrintStyle::GraphicsCards, CardSize::TwoByTwo, true);
    const auto pictures = device.pictures();
    ASSERT_EQ(pictures.size(), 10u);
    // Pass 1 captured questions 1..5, pass 2 answers 1..5, each with CurrentPair set to it.
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(printer.captures[i].first, static_cast<std::int32_t>(i % 5 + 1));
        EXPECT_EQ(printer.captures[i].second, i < 5);
    }
    const int sheetWidth = 1100;
    for (std::size_t i = 0; i < 5; ++i) {
        const auto& front = pictures[i].at;
        const auto& back = pictures[i + 5].at;
        EXPECT_EQ(front.top, back.top) << i;
        EXPECT_EQ(front.left, sheetWidth - back.right) << i;
        EXPECT_EQ(pictures[i].page, pictures[i + 5].page);
    }
    EXPECT_EQ(program.deck.CurrentPair, 1);
}

TEST_F(PrintFixture, GraphicsCardsKeepTheirPlaceOnTheSheetWhateverTheBorderAndPaper) {
    device.portrait.offsetX = device.portrait.offsetY = 25;
    device.portrait.pageWidth = 827;  // A4
    device.portrait.pageHeight = 1169;
    print(PrintStyle::GraphicsCards, CardSize::TwoByTwo, true);
    const auto pictures = device.pictures();
    ASSERT_EQ(pictures.size(), 10u);
    const int sheetWidth = 1169;
    for (std::size_t i = 0; i < 5; ++i) {
        const auto front = pictures[i].at;
        const auto back = pictures[i + 5].at;
        // Sheet positions: device positions plus the unprintable border.
        EXPECT_NEAR(front.left + 25, sheetWidth - (back.right + 25), 1) << i;
        EXPECT_EQ(front.top, back.top);
    }
    EXPECT_EQ(pictures[0].at.top + 25, 50);  // half an inch from the sheet's top
}

TEST_F(PrintFixture, TwoPassesAskBeforeAndBetweenThePasses) {
    print(PrintStyle::TextCards, CardSize::TwoByTwo, true);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].caption, "Print Entire Deck");
    EXPECT_EQ(ui.boxes[0].icon, Icon::Information);
    EXPECT_EQ(ui.boxes[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(ui.boxes[0].text, twoPassWarningText());
    EXPECT_EQ(ui.boxes[1].caption, "Continue With Answer Pass");
    EXPECT_EQ(ui.boxes[1].icon, Icon::Warning);
    EXPECT_NE(ui.boxes[1].text.find("ONLY After This Has Been Done Should You Then Press The OK "
                                    "Button Below.\r\n\r\n!!!! PLEASE"),
              std::string::npos);
}

TEST_F(PrintFixture, OnePairDeckPrintsItOnce) {
    makeDeck(1);
    print(PrintStyle::TextTable, CardSize::TwoByTwo, false);
    EXPECT_EQ(textsOf(1, "Question ").size(), 1u);
    EXPECT_EQ(textsOf(1, "Answer ").size(), 1u);
}

TEST_F(PrintFixture, CurrentRangePrintsItsPairsInOrder) {
    makeDeck(9);
    program.settings.UseNamedRange = 2;
    program.settings.LowRange = 4;
    program.settings.HighRange = 6;
    print(PrintStyle::TextTable, CardSize::TwoByTwo, false, PrintRange::CurrentRange);
    EXPECT_EQ(textsOf(1, "Question "),
              (std::vector<std::string>{"Question 4", "Question 5", "Question 6"}));
    device = RecordingPageDevice{};
    program.settings.LowRange = program.settings.HighRange = 7;
    print(PrintStyle::TextTable, CardSize::TwoByTwo, false, PrintRange::CurrentRange);
    EXPECT_EQ(textsOf(1, "Question "), std::vector<std::string>{"Question 7"});
}

TEST_F(PrintFixture, EmptyRangePrintsNothingAndChangesNoFlags) {
    program.settings.UseNamedRange = 2;
    program.settings.LowRange = program.settings.HighRange = 3;
    program.deck.Learning[3].ListFlags = 2;  // disabled, and disabled pairs are left out
    const auto flags = learningColumn(program.deck, &PairLearning::ListFlags);
    print(PrintStyle::TextCards, CardSize::TwoByTwo, true, PrintRange::CurrentRange);
    EXPECT_TRUE(device.pages.empty());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(learningColumn(program.deck, &PairLearning::ListFlags), flags);
}

TEST_F(PrintFixture, ClipboardKeepsTheLastPrintedAnswer) {
    print(PrintStyle::TextTable, CardSize::TwoByTwo, false);
    ASSERT_FALSE(services.clipboard.texts.empty());
    EXPECT_EQ(services.clipboard.texts.back(), "Answer 5");
}

TEST_F(PrintFixture, EachJobStartsFromACleanTable) {
    print(PrintStyle::TextCards, CardSize::TwoByTwo, false);
    EXPECT_TRUE(device.of("line").empty());  // cards have no grid
    device = RecordingPageDevice{};
    print(PrintStyle::TextTable, CardSize::TwoByTwo, false);
    EXPECT_FALSE(device.of("line").empty());
    EXPECT_NE(device.findText("Pair"), nullptr);
}

TEST_F(PrintFixture, ADeviceThatCannotOpenEndsTheJobWithOneBox) {
    device.refuseDocuments = true;
    // print() expects the two-pass warning and the answer pass; the job ends after the
    // first, so the fault takes the second's place.
    expectWarning(Button::Ok);
    ui.expectBox({"Cardwise", "Invalide operation error", Icon::None, Buttons::Ok});
    PrintChoices choices;
    choices.style = PrintStyle::TextCards;
    choices.size = CardSize::TwoByTwo;
    choices.twoPasses = true;
    choices.range = PrintRange::All;
    runPrintJob(program, choices, device);
    ASSERT_EQ(ui.boxes.size(), 2u);  // the two-pass warning, then the fault
    EXPECT_EQ(ui.boxes[1].text, "Invalide operation error");
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"hide", "show", "ended"}));
}

// How a job can end before it is done; each must leave the drill as it was.
enum class Ending { Finished, CancelWarning, CancelAnswerPass, CancelProgress };

class PrintRestores : public PrintFixture, public ::testing::WithParamInterface<Ending> {};

TEST_P(PrintRestores, TheDrillAsItWas) {
    makeDeck(9);
    program.settings.NoPriority = 3;
    program.settings.OnePass = 1;
    program.settings.Numerical = 0;
    program.settings.Reverse = 1;
    program.settings.RangeRollover = {1, 0};
    program.deck.CurrentPair = 4;
    program.deck.Learning[2].AskedInRun = program.deck.Learning[5].AskedInRun = 1;
    program.drill.QuestionShowing = true;
    program.drill.DrillActive = true;
    program.restart.ModeChanged = true;
    program.selector.PreviousPair = 2;
    program.selector.list(SelectionClass::InRange) = {1, 3, 4};
    const DeckSettings settings = program.settings;
    const auto asked = learningColumn(program.deck, &PairLearning::AskedInRun);

    PrintChoices choices;
    choices.style = PrintStyle::GraphicsCards;
    choices.twoPasses = true;
    choices.range = PrintRange::CurrentRange;
    switch (GetParam()) {
        case Ending::Finished:
            expectWarning(Button::Ok);
            expectAnswerPass(Button::Ok);
            break;
        case Ending::CancelWarning:
            expectWarning(Button::Cancel);
            break;
        case Ending::CancelAnswerPass:
            expectWarning(Button::Ok);
            expectAnswerPass(Button::Cancel);
            break;
        case Ending::CancelProgress:
            expectWarning(Button::Ok);
            printer.cancelAfter = 3;
            break;
    }
    runPrintJob(program, choices, device);

    EXPECT_EQ(program.settings.NoPriority, 3);
    EXPECT_EQ(program.settings.OnePass, 1);
    EXPECT_EQ(program.settings.Numerical, 0);
    EXPECT_EQ(program.settings.Reverse, 1);
    EXPECT_EQ(program.settings.RangeRollover, settings.RangeRollover);
    EXPECT_EQ(program.deck.CurrentPair, 4);
    EXPECT_EQ(learningColumn(program.deck, &PairLearning::AskedInRun), asked);
    EXPECT_TRUE(program.drill.QuestionShowing);
    EXPECT_TRUE(program.drill.DrillActive);
    EXPECT_FALSE(program.drill.JumpingToPair);
    EXPECT_TRUE(program.restart.ModeChanged);
    EXPECT_FALSE(program.restart.OrderBecameNumerical);
    EXPECT_EQ(program.selector.PreviousPair, 2);
    EXPECT_EQ(program.selector.list(SelectionClass::InRange), (std::vector<std::int32_t>{1, 3, 4}));
    if (GetParam() == Ending::CancelWarning) {
        EXPECT_TRUE(printer.calls.empty());
        EXPECT_TRUE(device.pages.empty());
    } else {
        EXPECT_EQ(printer.calls, (std::vector<std::string>{"hide", "show", "ended"}));
    }
    if (GetParam() == Ending::CancelAnswerPass || GetParam() == Ending::CancelProgress) {
        EXPECT_EQ(device.pages.size(), 1u);
        EXPECT_EQ(device.ended, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Endings, PrintRestores,
                         ::testing::Values(Ending::Finished, Ending::CancelWarning,
                                           Ending::CancelAnswerPass, Ending::CancelProgress));

TEST_F(PrintFixture, DialogRemembersTheChoicesAndCancelPrintsNothing) {
    PrintPairsClick(program);
    EXPECT_EQ(printer.dialogOpenedWith, std::vector<std::string>{""});
    EXPECT_TRUE(device.pages.empty());
    printer.dialogAnswer = "00001501";
    PrintPairsClick(program);
    EXPECT_EQ(program.PrintSettings, "00001501");
    EXPECT_EQ(device.pages, std::vector<int>{1});
    PrintPairsClick(program);
    EXPECT_EQ(printer.dialogOpenedWith.back(), "00001501");
}

}  // namespace
}  // namespace cardwise
