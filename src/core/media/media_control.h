#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/platform/media_player.h"
#include "core/platform/user_interface.h"

namespace cardwise {

enum class MediaButton { Play, Pause, Stop };

// Which of the player's three buttons can be pressed.
struct MediaButtons {
    bool play = false;
    bool pause = false;
    bool stop = false;
    bool operator==(const MediaButtons&) const = default;
};

// A video (".AVI", ".MOV", any case) is drawn in the window's picture area; the other
// types are heard only.
bool isVideoFile(std::string_view path);

inline constexpr std::string_view kCantPlayCaption = "Can't Play Multi-Media File";
std::string cantPlayText(std::string_view fileName);

// The media player of one drill window: plays the side's file as soon as the side shows,
// with only pause and stop enabled until the user presses a button (after which the
// player enables its buttons by its own state, AutoEnable), and closes when the window
// hides. A file that cannot be played is reported once per showing, however often the
// platform reports the failure.
class MediaControl {
  public:
    MediaControl(UserInterface& ui, MediaPlayer& player, MediaChannel channel);
    ~MediaControl();
    // The player calls back into this object.
    MediaControl(const MediaControl&) = delete;
    MediaControl& operator=(const MediaControl&) = delete;

    // The side's file found by the one lookup; empty disables every button.
    void showSide(const std::string& mediaFile);
    void hide();
    void buttonPressed(MediaButton button);

    // From the platform player.
    void stateChanged(PlaybackState state);
    void failed();

    MediaButtons buttons() const;
    // The picture area shows the video while one plays or may be played again, not after
    // it failed.
    bool showsVideo() const;
    bool autoEnable() const { return autoEnable_; }
    const std::string& file() const { return file_; }

    // Told after every change of the buttons, for the window that shows them.
    std::function<void()> changed;

  private:
    void notify();

    UserInterface& ui_;
    MediaPlayer& player_;
    MediaChannel channel_;
    std::string file_;
    bool autoEnable_ = false;
    bool reported_ = false;
    PlaybackState state_ = PlaybackState::Stopped;
};

}  // namespace cardwise
