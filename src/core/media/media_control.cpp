#include "core/media/media_control.h"

#include "core/profile/profile.h"

namespace cardwise {

bool isVideoFile(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = path.substr(dot);
    return equalsIgnoreCase(extension, ".AVI") || equalsIgnoreCase(extension, ".MOV");
}

std::string cantPlayText(std::string_view fileName) {
    return "Your System Indicates It Doesn't Know How To Play The File " + std::string(fileName) +
           ". The File May Be Damaged, Of An Unrecognizable Sub-Format, Or "
           "The Multi-Media Drivers For This File Type May Not Installed. "
           "To Check For The Latter, Try Double-Clicking On The Indicated File In "
           "FileManager Or Explorer.";
}

MediaControl::MediaControl(UserInterface& ui, MediaPlayer& player, MediaChannel channel)
    : ui_(ui), player_(player), channel_(channel) {
    player_.setListener(channel_, MediaPlayer::Listener{
                                      [this](MediaChannel, PlaybackState s) { stateChanged(s); },
                                      [this](MediaChannel) { failed(); },
                                  });
}

MediaControl::~MediaControl() {
    player_.setListener(channel_, {});
    player_.close(channel_);
}

void MediaControl::showSide(const std::string& mediaFile) {
    player_.close(channel_);
    file_ = mediaFile;
    autoEnable_ = false;
    reported_ = false;
    state_ = PlaybackState::Stopped;
    if (file_.empty()) {
        notify();
        return;
    }
    state_ = PlaybackState::Playing;
    if (!player_.play(channel_, file_)) failed();
    notify();
}

void MediaControl::hide() {
    player_.close(channel_);
    state_ = PlaybackState::Stopped;
    notify();
}

void MediaControl::buttonPressed(MediaButton button) {
    if (file_.empty() || reported_) return;
    autoEnable_ = true;
    switch (button) {
        case MediaButton::Play:
            if (state_ == PlaybackState::Paused) {
                player_.resume(channel_);
            } else if (!player_.play(channel_, file_)) {
                failed();
                return;
            }
            state_ = PlaybackState::Playing;
            break;
        case MediaButton::Pause:
            player_.pause(channel_);
            state_ = PlaybackState::Paused;
            break;
        case MediaButton::Stop:
            player_.stop(channel_);
            state_ = PlaybackState::Stopped;
            break;
    }
    notify();
}

void MediaControl::stateChanged(PlaybackState state) {
    // Closing the player stops it; that is no news after a failure.
    if (reported_) return;
    state_ = state;
    notify();
}

void MediaControl::notify() {
    if (changed) changed();
}

void MediaControl::failed() {
    if (file_.empty() || reported_) return;
    reported_ = true;
    state_ = PlaybackState::Stopped;
    player_.close(channel_);
    notify();
    ui_.message(kCantPlayCaption, cantPlayText(file_), Icon::Error);
}

bool MediaControl::showsVideo() const {
    return !file_.empty() && !reported_ && isVideoFile(file_);
}

MediaButtons MediaControl::buttons() const {
    if (file_.empty() || reported_) return {};
    if (!autoEnable_) return MediaButtons{false, true, true};
    switch (state_) {
        case PlaybackState::Playing:
            return MediaButtons{false, true, true};
        case PlaybackState::Paused:
            return MediaButtons{true, false, true};
        case PlaybackState::Stopped:
            break;
    }
    return MediaButtons{true, false, false};
}

}  // namespace cardwise
