// What the drill tells its front end about windows appearing and going, in order with the
// boxes it shows.
#include <gtest/gtest.h>

#include <functional>

#include "core/drill/core_drill_engine.h"
#include "core/drill/question_view.h"
#include "core/drill/run_control.h"
#include "drill_test_support.h"

namespace cardwise {
namespace {

using testing::DrillHarness;
using testing::ScriptedUserInterface;

// Each notification with the number of boxes and promotion messages shown before it.
class RecordingObserver : public DrillWindowObserver {
  public:
    explicit RecordingObserver(const ScriptedUserInterface& ui) : ui_(ui) {}
    std::vector<std::string> events;

    void showWindow(DrillScreen window, bool posted) override {
        record(std::string(posted ? "post " : "show ") + name(window));
    }
    void hideWindow(DrillScreen window) override { record(std::string("hide ") + name(window)); }

  private:
    static const char* name(DrillScreen window) {
        return window == DrillScreen::Question ? "Q" : window == DrillScreen::Answer ? "A" : "-";
    }
    void record(std::string event) {
        events.push_back(event + " " + std::to_string(ui_.boxes.size()) + "/" +
                         std::to_string(ui_.promotions.size()));
    }
    const ScriptedUserInterface& ui_;
};

using Events = std::vector<std::string>;

// Over the program's own selector and grading.
struct ObservedDrillRun : ::testing::Test {
    testing::ProgramHarness h;
    CoreDrillEngine engine;
    DrillController drill{h.program, engine};
    RecordingObserver observer{h.ui};
    DeckState& deck = h.program.deck;
    DeckSettings& settings = h.program.settings;

    ObservedDrillRun() {
        drill.setObserver(&observer);
        deck.allocate(3);
        deck.QAFileName = "/decks/GEO.DKS";
        for (int n = 1; n <= 3; ++n) {
            deck.PairText.set(static_cast<std::size_t>(n - 1),
                              "Q" + std::to_string(n) + "=Question " + std::to_string(n) + "$#$!A" +
                                  std::to_string(n) + "=Answer " + std::to_string(n));
        }
    }
};

TEST_F(ObservedDrillRun, AnswerWindowGoesBeforeThePromotionMessage) {
    settings.NoPriority = 4;
    settings.ShortThreshold = 1;
    drill.start();
    drill.displayAnswer();
    drill.markCorrect();
    ASSERT_EQ(h.ui.promotions.size(), 1u);
    EXPECT_EQ(observer.events,
              (Events{"show Q 0/0", "hide Q 0/0", "show A 0/0", "hide A 0/0", "show Q 0/1"}));
}

TEST_F(ObservedDrillRun, AnswerWindowGoesBeforeTheContinuationQuestion) {
    settings.OnePass = 1;
    drill.start();
    for (int i = 0; i < 3; ++i) {
        drill.displayAnswer();
        if (i == 2) {
            h.ui.expectBox(testing::continuationBox("GEO.DKS"), Button::No);
        }
        drill.markCorrect();
    }
    EXPECT_EQ(h.ui.captions(), (std::vector<std::string>{"Continuation"}));
    ASSERT_GE(observer.events.size(), 2u);
    // Nothing is shown after the last answer; the deck closes.
    EXPECT_EQ(observer.events.back(), "hide A 0/0");
    EXPECT_EQ(h.frontEnd.count("closeDeck"), 1);
}

// Over scripted pairs.
struct DrillWithObserver {
    DrillHarness h;
    DrillController drill{h.program, h.engine};
    RecordingObserver observer{h.ui};

    DrillWithObserver() { drill.setObserver(&observer); }
    void startAt(std::int32_t pair) {
        h.engine.selections.push_back(pair);
        drill.start();
        observer.events.clear();
    }
};

struct ObservedDrill : ::testing::Test, DrillWithObserver {};

TEST_F(ObservedDrill, DeferredFirstShowIsPostedOnce) {
    h.program.drill.DeferredFirstShow = true;
    h.engine.selections = {1, 2};
    drill.start();
    EXPECT_FALSE(h.program.drill.DeferredFirstShow);
    drill.displayAnswer();
    drill.markCorrect();
    EXPECT_EQ(observer.events,
              (Events{"post Q 0/0", "hide Q 0/0", "show A 0/0", "hide A 0/0", "show Q 0/0"}));
}

TEST(DrillWindowNotices, WindowsShownAgainAreHiddenFirst) {
    struct Case {
        const char* name;
        std::function<void(DrillWithObserver&)> act;
        Events events;
    };
    const std::vector<Case> cases{
        {"question only",
         [](DrillWithObserver& t) {
             t.h.program.settings.QOnly = 1;
             t.h.engine.selections.push_back(2);
             t.drill.displayAnswer();
         },
         {"hide Q 0/0", "show Q 0/0"}},
        {"go to pair in the question window",
         [](DrillWithObserver& t) {
             t.h.ui.inputs.push_back(std::string("5"));
             t.drill.goToPair();
         },
         {"hide Q 0/0", "show Q 0/0"}},
        {"go to pair in the answer window",
         [](DrillWithObserver& t) {
             t.drill.displayAnswer();
             t.h.ui.inputs.push_back(std::string("5"));
             t.drill.goToPair();
         },
         {"hide Q 0/0", "show A 0/0", "hide A 0/0", "show Q 0/0"}},
        {"try again",
         [](DrillWithObserver& t) {
             t.drill.displayAnswer();
             t.drill.tryAgain();
         },
         {"hide Q 0/0", "show A 0/0", "hide A 0/0", "show Q 0/0"}},
        {"redisplay", [](DrillWithObserver& t) { t.drill.redisplay(); }, {"show Q 0/0"}},
        {"hide windows", [](DrillWithObserver& t) { t.drill.hideWindows(); }, {"hide Q 0/0"}},
        {"close button",
         [](DrillWithObserver& t) {
             t.drill.displayAnswer();
             t.drill.closeWindow();
         },
         {"hide Q 0/0", "show A 0/0", "hide A 0/0"}},
        {"a go to pair out of range moves nothing",
         [](DrillWithObserver& t) {
             t.h.ui.inputs.push_back(std::string("99"));
             t.h.ui.expectBox({std::string(kAppTitle),
                               "Please Enter A Number Less Than The Highest Number In The Deck "
                               "And Greater Than 0",
                               Icon::None, Buttons::Ok});
             t.drill.goToPair();
         },
         {}},
    };
    for (const Case& c : cases) {
        DrillWithObserver t;
        t.startAt(1);
        c.act(t);
        EXPECT_EQ(t.observer.events, c.events) << c.name;
    }
}

TEST_F(ObservedDrill, SyntaxErrorBoxesComeBeforeTheQuestionWindow) {
    h.engine.pairs[1].questionOk = false;
    h.engine.selections = {1, 2};
    h.ui.expectBox(
        {"Question Syntax Error", questionSyntaxErrorText(1), Icon::Error, Buttons::OkCancel},
        Button::Cancel);
    h.ui.expectBox({"Question Syntax Error",
                    "Just Bypass The Answer And Go To The Next Question...", Icon::Error,
                    Buttons::OkCancel});
    drill.start();
    EXPECT_EQ(observer.events, (Events{"show Q 2/0"}));
    EXPECT_EQ(h.program.deck.CurrentPair, 2);
}

TEST_F(ObservedDrill, AutopilotHidesTheAnswerWhenItsTimeIsUp) {
    h.program.settings.AutoPilot = 1;
    h.program.settings.AutoQTime = 1;
    h.program.settings.AutoATime = 1;
    startAt(1);
    h.engine.selections.push_back(2);
    for (int i = 0; i < 4; ++i) drill.tick();
    EXPECT_EQ(observer.events, (Events{"hide Q 0/0", "show A 0/0", "hide A 0/0", "show Q 0/0"}));
}

}  // namespace
}  // namespace cardwise
