#include "core/output/report_engine.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "support/fakes.h"
#include "support/print_fakes.h"

namespace cardwise {
namespace {

using testing::RecordingPageDevice;
using testing::ScriptedUserInterface;

struct ReportFixture : ::testing::Test {
    ScriptedUserInterface ui;
    RecordingPageDevice device;
    ReportWorks report{device, ui};
};

TEST_F(ReportFixture, MarginsInsideTheUnprintableBorderMoveOutToIt) {
    device.portrait.offsetX = device.portrait.offsetY = 25;  // a quarter inch
    report.setTopMargin(0);
    report.setLeftMargin(0);
    report.beginDocument();
    report.printText("corner");
    report.setLeftMargin(1.0);
    report.setTopMargin(1.0);
    report.home();
    report.printText("inch");
    ASSERT_EQ(device.texts().size(), 2u);
    EXPECT_EQ(device.texts()[0].at.left, 0);
    EXPECT_EQ(device.texts()[0].at.top, 0);
    // Positions count from the printable corner: one inch from the sheet's edge.
    EXPECT_EQ(device.texts()[1].at.left, 75);
    EXPECT_EQ(device.texts()[1].at.top, 75);
}

TEST_F(ReportFixture, PagesOutsideThePageRangeAreLaidOutButNotSent) {
    report.PrintPageFirst = 2;
    report.PrintPageLast = 2;
    report.beginDocument();
    report.printText("one");
    report.newPage();
    report.printText("two");
    report.newPage();
    report.printText("three");
    report.endDocument();
    ASSERT_EQ(device.texts().size(), 1u);
    EXPECT_EQ(device.texts()[0].text, "two");
    EXPECT_EQ(device.pages, std::vector<int>{1});
    EXPECT_EQ(report.PageTotal(), 3);
}

TEST_F(ReportFixture, WrappedCellTextStaysInsideItsRowsRules) {
    report.beginDocument();
    report.setColumns(2);
    report.setTitleRow(false);
    report.startTable();
    // Columns of 325 px less two 2-px margins hold 53 letters of 6 px: three lines.
    const std::string text(30, 'x');
    report.putCell(1, text + " " + text + " " + text);
    report.finishRow();
    const auto texts = device.texts();
    ASSERT_EQ(texts.size(), 3u);
    int lowestText = 0;
    for (const auto& t : texts) lowestText = std::max(lowestText, t.at.bottom);
    int bottomRule = 0;
    for (const auto& l : device.of("line")) {
        if (l.at.top == l.at.bottom) bottomRule = std::max(bottomRule, l.at.top);
    }
    EXPECT_GT(bottomRule, lowestText);
}

TEST_F(ReportFixture, WithoutWrappingOnlyTheFirstLineIsDrawn) {
    report.beginDocument();
    report.setColumns(2);
    report.setTitleRow(false);
    report.setWrap(false);
    report.startTable();
    const std::string text(30, 'x');
    report.putCell(1, text + " second line here " + text);
    ASSERT_EQ(device.texts().size(), 1u);
    EXPECT_EQ(device.texts()[0].text, text + " second line here");
}

TEST_F(ReportFixture, WideningAColumnMovesTheLaterOnes) {
    report.setLeftMargin(0.5);
    report.setRightMargin(0.5);
    report.beginDocument();
    report.setColumns(3);  // 750 px: 250 each
    report.setTitleRow(false);
    report.setInnerMargin(0);
    report.setColumnWidth(1, 0.7);
    report.startTable();
    report.putCell(1, "a");
    report.putCell(2, "b");
    report.putCell(3, "c");
    const auto texts = device.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].at.left, 50);
    EXPECT_EQ(texts[1].at.left, 120);
    EXPECT_EQ(texts[2].at.left, 370);
}

TEST_F(ReportFixture, TitleRowRepeatsTheColumnTitlesInBoldUnderAThickRule) {
    report.beginDocument();
    report.setColumns(2);
    report.setColumnTitle(1, "Pair");
    report.setHeadingRule(HeadingRule::Thick);
    report.startTable();
    const auto* title = device.findText("Pair");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->font.bold);
    ASSERT_NE(device.findText("Column 2"), nullptr);
    bool thick = false;
    for (const auto& l : device.of("line")) thick = thick || l.pen == 2;
    EXPECT_TRUE(thick);
}

TEST_F(ReportFixture, LinesThatWouldPassTheBottomLimitAreLeftOff) {
    report.setBottomMargin(8.0);  // 200 px of room below the 1-inch top margin
    report.beginDocument();
    report.setColumns(1);
    report.setTitleRow(false);
    report.startTable();
    std::string text;
    for (int i = 0; i < 30; ++i) text += "line\r\n";
    report.putCell(1, text);
    ASSERT_FALSE(device.texts().empty());
    for (const auto& t : device.texts()) EXPECT_LE(t.at.bottom, 300);
    EXPECT_LT(device.texts().size(), 30u);
}

TEST_F(ReportFixture, BreaksAtBlanksAndInsideOverlongWordsAndAtLineBreaks) {
    report.beginDocument();  // 10 points: 13 px high, 6 px a letter
    EXPECT_EQ(report.breakLines("aa bb cc", 30), (std::vector<std::string>{"aa bb", "cc"}));
    EXPECT_EQ(report.breakLines("abcdefghij", 30), (std::vector<std::string>{"abcde", "fghij"}));
    EXPECT_EQ(report.breakLines("a\r\n\r\nb\nc", 30),
              (std::vector<std::string>{"a", "", "b", "c"}));
    EXPECT_EQ(report.breakLines("", 30), (std::vector<std::string>{""}));
}

struct FaultCase {
    const char* name;
    std::function<void()> thrower;
    std::string_view message;
};

class ReportFaults : public ReportFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ReportFaults, AreReportedOnceAndTheRestIsAbandoned) {
    device.failOn = "text";
    device.thrower = GetParam().thrower;
    ui.expectBox({"Cardwise", std::string(GetParam().message), Icon::None, Buttons::Ok});
    report.beginDocument();
    report.printText("first");
    report.printText("second");
    report.endDocument();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, GetParam().message);
    EXPECT_EQ(ui.boxes[0].caption, "Cardwise");
    EXPECT_TRUE(report.failed());
    EXPECT_EQ(device.ended, 1);  // the document is closed all the same
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportFaults,
    ::testing::Values(
        FaultCase{"Named", [] { throw DeviceFault{kIntegerOverflowError}; },
                  "Integer overflow error"},
        FaultCase{"Memory", [] { throw std::bad_alloc(); }, "Out of memory error"},
        FaultCase{"Range", [] { throw std::out_of_range("r"); }, "Range error"},
        FaultCase{"Overflow", [] { throw std::overflow_error("o"); }, "Overflow error"},
        FaultCase{"Underflow", [] { throw std::underflow_error("u"); }, "Underflow error"},
        FaultCase{"Logic", [] { throw std::invalid_argument("i"); }, "Invalide operation error"},
        FaultCase{"Other", [] { throw 42; }, "Unhandled Exception Error occurred"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReportFixture, ADeviceWithoutResolutionIsADivisionByZero) {
    device.portrait.dpiX = 0;
    ui.expectBox({"Cardwise", "Divide by zero error", Icon::None, Buttons::Ok});
    report.beginDocument();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Divide by zero error");
    EXPECT_FALSE(report.documentOpen());
}

}  // namespace
}  // namespace cardwise
