#pragma once

#include <functional>
#include <string>

namespace cardwise {

// The players of the program: one per drill window, one for the editor.
enum class MediaChannel { Question, Answer, Editor };

enum class PlaybackState { Stopped, Playing, Paused };

// Plays sound and video files. Each channel plays one file at a time; a channel of a drill
// window draws video in that window's picture area.
class MediaPlayer {
  public:
    virtual ~MediaPlayer() = default;
    // Starts playing the file at once; false when the file cannot be opened at all. A
    // failure found later (a missing codec, no sound device) is reported through the
    // listener, possibly more than once.
    virtual bool play(MediaChannel channel, const std::string& path) = 0;
    virtual void resume(MediaChannel channel) = 0;
    virtual void pause(MediaChannel channel) = 0;
    virtual void stop(MediaChannel channel) = 0;
    // Ends playback and lets go of the file.
    virtual void close(MediaChannel channel) = 0;

    struct Listener {
        std::function<void(MediaChannel, PlaybackState)> stateChanged;
        std::function<void(MediaChannel)> failed;
    };
    virtual void setListener(MediaChannel channel, Listener listener) = 0;
};

// For a front end that plays nothing (a terminal): every file fails to open.
class NoMediaPlayer final : public MediaPlayer {
  public:
    bool play(MediaChannel, const std::string&) override { return false; }
    void resume(MediaChannel) override {}
    void pause(MediaChannel) override {}
    void stop(MediaChannel) override {}
    void close(MediaChannel) override {}
    void setListener(MediaChannel, Listener) override {}
};

}  // namespace cardwise
