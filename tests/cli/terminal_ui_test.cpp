#include "cli/terminal_ui.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>

#include "cli/terminal_text.h"

namespace cardwise::cli {
namespace {

struct Terminal {
    std::istringstream in;
    StreamLineInput lines{in};
    std::ostringstream out;
    TerminalUserInterface ui;
    Terminal(std::string input, TerminalUserInterface::Mode mode = TerminalUserInterface::Mode::Ask)
        : in(std::move(input)), ui(lines, out, mode) {}
};

TEST(TerminalUi, OkBoxPrintsCaptionAndTextAndReadsNothing) {
    Terminal t("y\n");
    EXPECT_EQ(t.ui.messageBox("Data Error", "Bad value", Icon::Warning, Buttons::Ok), Button::Ok);
    EXPECT_EQ(t.out.str(), "[Data Error] Bad value\n");
    EXPECT_EQ(*t.ui.readLine(), "y");
}

TEST(TerminalUi, ChoiceIsTheFirstLetterOfAButton) {
    struct Case {
        Buttons buttons;
        const char* input;
        Button expected;
    };
    const Case cases[] = {
        {Buttons::YesNo, "y\n", Button::Yes},           {Buttons::YesNo, "No thanks\n", Button::No},
        {Buttons::YesNo, "x\nY\n", Button::Yes},        {Buttons::YesNo, "", Button::No},
        {Buttons::OkCancel, "o\n", Button::Ok},         {Buttons::OkCancel, "c\n", Button::Cancel},
        {Buttons::OkCancel, "", Button::Cancel},        {Buttons::YesNoCancel, "n\n", Button::No},
        {Buttons::YesNoCancel, "\n\n", Button::Cancel}, {Buttons::YesNoCancel, "", Button::Cancel},
    };
    for (const Case& c : cases) {
        Terminal t(c.input);
        EXPECT_EQ(t.ui.messageBox("Q", "Go on?", Icon::Question, c.buttons), c.expected) << c.input;
    }
}

TEST(TerminalUi, ChoicePromptNamesTheKeys) {
    Terminal t("n\n");
    t.ui.messageBox("Replace Existing File?", "Replace it?", Icon::Question, Buttons::YesNoCancel);
    EXPECT_EQ(t.out.str(), "[Replace Existing File?] Replace it?\n[y]es [n]o [c]ancel> ");
}

TEST(TerminalUi, NeverAskModeReadsNothingAndDeclines) {
    Terminal t("y\n", TerminalUserInterface::Mode::NeverAsk);
    t.ui.setPrefix("Pair 3: ");
    EXPECT_EQ(t.ui.messageBox("Q", "Sure?", Icon::Question, Buttons::YesNo), Button::No);
    EXPECT_EQ(t.ui.messageBox("Q", "Sure?", Icon::Question, Buttons::OkCancel), Button::Cancel);
    EXPECT_FALSE(t.ui.inputBox("Go To", "Pair Number", ""));
    EXPECT_EQ(*t.ui.readLine(), "y");
    EXPECT_EQ(t.ui.boxesShown(), 2);
    EXPECT_EQ(t.out.str(), "Pair 3: [Q] Sure?\nPair 3: [Q] Sure?\nPair 3: [Go To] Pair Number\n");
}

TEST(TerminalUi, InputBoxAnswersTheLineOrNothingAtEndOfInput) {
    Terminal t("12\n");
    EXPECT_EQ(t.ui.inputBox("Enter The Number Of The Pair To Jump To", "Pair Number", ""), "12");
    EXPECT_FALSE(t.ui.inputBox("Enter The Number Of The Pair To Jump To", "Pair Number", ""));
}

TEST(TerminalUi, InputBoxTakesAnAnswerGivenAheadOnce) {
    Terminal t("7\n");
    t.ui.answerNextInputBox("3");
    EXPECT_EQ(t.ui.inputBox("Go", "Pair Number", ""), "3");
    EXPECT_EQ(t.ui.inputBox("Go", "Pair Number", ""), "7");
    EXPECT_EQ(t.out.str(), "[Go] Pair Number\n[Go] Pair Number\n> ");
}

TEST(LineInput, DescriptorInputSplitsLinesAndWaits) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    DescriptorLineInput input(fds[0]);
    EXPECT_FALSE(input.waitForLine(10));
    ASSERT_EQ(::write(fds[1], "one\ntw", 6), 6);
    EXPECT_TRUE(input.waitForLine(10));
    EXPECT_EQ(input.readLine(), "one");
    EXPECT_FALSE(input.waitForLine(10));  // half a line
    ASSERT_EQ(::write(fds[1], "o\nlast", 6), 6);
    ::close(fds[1]);
    EXPECT_EQ(input.readLine(), "two");
    EXPECT_EQ(input.readLine(), "last");
    EXPECT_FALSE(input.readLine());
    ::close(fds[0]);
}

TEST(TerminalText, DeckBytesBecomeUtf8AndBack) {
    EXPECT_EQ(toTerminal("caf\xE9 \x80 line\r\nnext\rlast"),
              "caf\xC3\xA9 \xE2\x82\xAC line\nnext\nlast");
    EXPECT_EQ(fromTerminal("caf\xC3\xA9 \xE2\x82\xAC\r").text, "caf\xE9 \x80");
    // A UTF-8 file name inside a message is not encoded twice.
    EXPECT_EQ(toTerminal("/home/jos\xC3\xA9/a.DKS Has \xE9"),
              "/home/jos\xC3\xA9/a.DKS Has \xC3\xA9");
    EXPECT_EQ(fromTerminal("\xE6\x97\xA5 ok").refused, U'\u65E5');  // not in the code page
    EXPECT_FALSE(fromTerminal("\xC3").ok());                           // cut short
}

TEST(TerminalText, ALineWithACharacterDecksCannotHoldIsAskedAgain) {
    std::istringstream in("\xE6\x97\xA5\nok\n");
    StreamLineInput input(in);
    std::ostringstream out;
    TerminalUserInterface ui(input, out, TerminalUserInterface::Mode::Ask);
    EXPECT_EQ(ui.readLine(), "ok");
    EXPECT_NE(out.str().find("[Character Not Allowed] The Character \"\xE6\x97\xA5\" (U+65E5)"),
              std::string::npos);
}

}  // namespace
}  // namespace cardwise::cli
