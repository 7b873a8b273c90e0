// The scripted box fake is what makes every other test notice a stray or wrong message box.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ScriptedUserInterface;
using testing::ShownBox;

const ShownBox kNote{"Note", "Some text", Icon::Information, Buttons::Ok};

TEST(ScriptedUserInterface, AnUnexpectedOkBoxFails) {
    ScriptedUserInterface ui;
    EXPECT_NONFATAL_FAILURE(ui.message("Note", "Some text", Icon::Information),
                            "unexpected box: {\"Note\", \"Some text\", Icon::Information");
}

TEST(ScriptedUserInterface, AnUnexpectedQuestionIsClosedWithoutAChoice) {
    ScriptedUserInterface ui;
    Button answer = Button::Yes;
    EXPECT_NONFATAL_FAILURE(
        answer = ui.messageBox("Sure?", "Really?", Icon::Question, Buttons::YesNo),
        "unexpected box");
    EXPECT_EQ(answer, Button::No);
}

TEST(ScriptedUserInterface, ABoxThatDiffersInAnyFieldFails) {
    const ShownBox shown[] = {{"Other", "Some text", Icon::Information, Buttons::Ok},
                              {"Note", "Some text.", Icon::Information, Buttons::Ok},
                              {"Note", "Some text", Icon::Warning, Buttons::Ok},
                              {"Note", "Some text", Icon::Information, Buttons::OkCancel}};
    for (const ShownBox& box : shown) {
        ScriptedUserInterface ui;
        ui.expectBox(kNote, Button::Cancel);
        EXPECT_NONFATAL_FAILURE(ui.messageBox(box.caption, box.text, box.icon, box.buttons),
                                "differs");
    }
}

TEST(ScriptedUserInterface, ExpectedBoxesAreAnsweredInOrder) {
    ScriptedUserInterface ui;
    const ShownBox question{"Sure?", "Really?", Icon::Question, Buttons::YesNoCancel};
    ui.expectBox(question, Button::No);
    ui.expectBox(kNote);
    EXPECT_EQ(ui.messageBox("Sure?", "Really?", Icon::Question, Buttons::YesNoCancel), Button::No);
    EXPECT_EQ(ui.message("Note", "Some text", Icon::Information), Button::Ok);
    EXPECT_EQ(ui.boxes, (std::vector<ShownBox>{question, kNote}));
}

TEST(ScriptedUserInterface, AnExpectedBoxThatNeverCameFails) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUserInterface ui;
            ui.expectBox(kNote);
        },
        "expected box never shown");
    ScriptedUserInterface ui;
    ui.expectBox(kNote);
    EXPECT_NONFATAL_FAILURE(ui.checkAllShown(), "expected box never shown");
}

TEST(ScriptedUserInterface, ABoxExpectedByATextCheckMustPassItAndMatchTheRest) {
    const auto hasTemporaryName = [](const std::string& text) {
        return text.rfind("Kept As .deck.old-", 0) == 0;
    };
    const ShownBox shown[] = {{"Note", "Kept As .deck.old-x1Y2", Icon::Information, Buttons::Ok},
                              {"Note", "Kept As deck.DKD", Icon::Information, Buttons::Ok},
                              {"Other", "Kept As .deck.old-x1Y2", Icon::Information, Buttons::Ok},
                              {"Note", "Kept As .deck.old-x1Y2", Icon::Error, Buttons::Ok}};
    for (std::size_t i = 0; i < std::size(shown); ++i) {
        ScriptedUserInterface ui;
        ui.expectBoxWhere("Note", Icon::Information, Buttons::Ok, hasTemporaryName);
        const ShownBox& box = shown[i];
        if (i == 0) {
            EXPECT_EQ(ui.messageBox(box.caption, box.text, box.icon, box.buttons), Button::Ok);
        } else {
            EXPECT_NONFATAL_FAILURE(ui.messageBox(box.caption, box.text, box.icon, box.buttons),
                                    "differs");
        }
    }
}

TEST(ScriptedUserInterface, AStandingBoxMayComeAnyNumberOfTimesButNoOther) {
    ScriptedUserInterface ui;
    const ShownBox again{"Continuation", "Again?", Icon::Question, Buttons::YesNo};
    ui.allowBoxAnyTimes(again, Button::Yes);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ui.messageBox("Continuation", "Again?", Icon::Question, Buttons::YesNo),
                  Button::Yes);
    }
    EXPECT_NONFATAL_FAILURE(ui.message("Note", "Some text", Icon::Information), "unexpected box");
}

TEST(ScriptedUserInterface, FailuresPrintTheBoxAsALiteralToPaste) {
    std::ostringstream out;
    out << ShownBox{"A \"quoted\" caption", "Line\r\nbreak \xe9", Icon::Error,
                    Buttons::YesNoCancel};
    EXPECT_EQ(out.str(),
              "{\"A \\\"quoted\\\" caption\", \"Line\\r\\nbreak \\xE9\"\"\", Icon::Error, "
              "Buttons::YesNoCancel}");
}

}  // namespace
}  // namespace cardwise
