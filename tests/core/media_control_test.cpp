#include "core/media/media_control.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ScriptedUserInterface;
using testing::ShownBox;

class RecordingPlayer final : public MediaPlayer {
  public:
    std::vector<std::string> calls;
    bool opens = true;
    Listener listener;

    bool play(MediaChannel, const std::string& path) override {
        calls.push_back("play " + path);
        return opens;
    }
    void resume(MediaChannel) override { calls.emplace_back("resume"); }
    void pause(MediaChannel) override { calls.emplace_back("pause"); }
    void stop(MediaChannel) override { calls.emplace_back("stop"); }
    void close(MediaChannel) override { calls.emplace_back("close"); }
    void setListener(MediaChannel, Listener l) override { listener = std::move(l); }
};

constexpr MediaButtons kNone{false, false, false};
constexpr MediaButtons kPauseStop{false, true, true};
constexpr MediaButtons kPlayOnly{true, false, false};
constexpr MediaButtons kPlayStop{true, false, true};

struct Fixture {
    ScriptedUserInterface ui;
    RecordingPlayer player;
    MediaControl control{ui, player, MediaChannel::Question};
};

TEST(MediaControl, NoFileDisablesEveryButtonAndPlaysNothing) {
    Fixture f;
    f.control.showSide("");
    EXPECT_EQ(f.control.buttons(), kNone);
    f.control.buttonPressed(MediaButton::Play);
    EXPECT_EQ(f.player.calls, (std::vector<std::string>{"close"}));
    EXPECT_FALSE(f.control.autoEnable());
}

TEST(MediaControl, PlaysOnShowWithPauseAndStopUntilAButtonIsPressed) {
    Fixture f;
    f.control.showSide("/d/a.wav");
    EXPECT_EQ(f.player.calls, (std::vector<std::string>{"close", "play /d/a.wav"}));
    EXPECT_EQ(f.control.buttons(), kPauseStop);
    EXPECT_FALSE(f.control.autoEnable());
    // Playback ends by itself: without AutoEnable the buttons stay as they were set.
    f.player.listener.stateChanged(MediaChannel::Question, PlaybackState::Stopped);
    EXPECT_EQ(f.control.buttons(), kPauseStop);
}

TEST(MediaControl, AfterAButtonPressTheButtonsFollowThePlayer) {
    struct Step {
        MediaButton press;
        const char* call;
        MediaButtons buttons;
    };
    const Step steps[] = {
        {MediaButton::Pause, "pause", kPlayStop},
        {MediaButton::Play, "resume", kPauseStop},
        {MediaButton::Stop, "stop", kPlayOnly},
        {MediaButton::Play, "play /d/a.wav", kPauseStop},
    };
    Fixture f;
    f.control.showSide("/d/a.wav");
    for (const Step& step : steps) {
        f.control.buttonPressed(step.press);
        EXPECT_TRUE(f.control.autoEnable());
        EXPECT_EQ(f.player.calls.back(), step.call);
        EXPECT_EQ(f.control.buttons(), step.buttons) << step.call;
    }
    f.player.listener.stateChanged(MediaChannel::Question, PlaybackState::Stopped);
    EXPECT_EQ(f.control.buttons(), kPlayOnly);
    // The next side starts again with AutoEnable off.
    f.control.showSide("/d/b.wav");
    EXPECT_FALSE(f.control.autoEnable());
    EXPECT_EQ(f.control.buttons(), kPauseStop);
}

TEST(MediaControl, HidingClosesThePlayer) {
    Fixture f;
    f.control.showSide("/d/a.avi");
    f.control.hide();
    EXPECT_EQ(f.player.calls.back(), "close");
}

// The report of a file the system cannot play.
ShownBox cantPlayBox(const std::string& file) {
    return {"Can't Play Multi-Media File",
            "Your System Indicates It Doesn't Know How To Play The File " + file +
                ". The File May Be Damaged, Of An Unrecognizable Sub-Format, Or The Multi-Media "
                "Drivers For This File Type May Not Installed. To Check For The Latter, Try "
                "Double-Clicking On The Indicated File In FileManager Or Explorer.",
            Icon::Error, Buttons::Ok};
}

TEST(MediaControl, AFailureIsReportedOncePerShowing) {
    Fixture f;
    f.ui.expectBox(cantPlayBox("/d/bad.mid"));
    f.control.showSide("/d/bad.mid");
    f.player.listener.failed(MediaChannel::Question);
    f.player.listener.failed(MediaChannel::Question);  // the backend says it twice
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].caption, "Can't Play Multi-Media File");
    EXPECT_EQ(f.ui.boxes[0].text,
              "Your System Indicates It Doesn't Know How To Play The File /d/bad.mid. The File "
              "May Be Damaged, Of An Unrecognizable Sub-Format, Or The Multi-Media Drivers For "
              "This File Type May Not Installed. To Check For The Latter, Try Double-Clicking On "
              "The Indicated File In FileManager Or Explorer.");
    EXPECT_EQ(f.ui.boxes[0].icon, Icon::Error);
    EXPECT_EQ(f.control.buttons(), kNone);
    // Shown again, the same file is reported again.
    f.ui.expectBox(cantPlayBox("/d/bad.mid"));
    f.control.showSide("/d/bad.mid");
    f.player.listener.failed(MediaChannel::Question);
    EXPECT_EQ(f.ui.boxes.size(), 2u);
}

TEST(MediaControl, AFileThatCannotBeOpenedIsReportedAtOnce) {
    Fixture f;
    f.player.opens = false;
    f.ui.expectBox(cantPlayBox("/d/x.mov"));
    f.control.showSide("/d/x.mov");
    f.player.listener.failed(MediaChannel::Question);
    EXPECT_EQ(f.ui.captions(), (std::vector<std::string>{"Can't Play Multi-Media File"}));
}

TEST(MediaControl, TheVideoGivesThePictureAreaBackWhenItCannotPlay) {
    Fixture f;
    f.control.showSide("/d/a.wav");
    EXPECT_FALSE(f.control.showsVideo());
    f.control.showSide("/d/clip.AVI");
    EXPECT_TRUE(f.control.showsVideo());
    f.control.buttonPressed(MediaButton::Stop);
    EXPECT_TRUE(f.control.showsVideo());  // stopped, it can be played again
    f.ui.expectBox(cantPlayBox("/d/clip.AVI"));
    f.player.listener.failed(MediaChannel::Question);
    EXPECT_FALSE(f.control.showsVideo());
    f.control.showSide("");
    EXPECT_FALSE(f.control.showsVideo());
}

TEST(MediaControl, VideosAreTheAviAndMovFiles) {
    EXPECT_TRUE(isVideoFile("/d/clip.avi"));
    EXPECT_TRUE(isVideoFile("clip.MOV"));
    EXPECT_TRUE(isVideoFile("clip.Avi"));
    EXPECT_FALSE(isVideoFile("a.wav"));
    EXPECT_FALSE(isVideoFile("a.mid"));
    EXPECT_FALSE(isVideoFile("avi"));
    EXPECT_FALSE(isVideoFile("x.avi/a.wav"));
}

}  // namespace
}  // namespace cardwise
