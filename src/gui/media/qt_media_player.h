#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <array>
#include <memory>

#include "core/platform/media_player.h"
#include "gui/media/media_engine.h"

class QLibrary;

namespace cardwise::gui {

class VideoArea;

// Plays sound and video through the multimedia module (Qt Multimedia), loaded on the first
// sound or video; a channel's player is made on its first play. A deck without sound or
// video never loads the module, Qt Multimedia or the back end (GStreamer, the sound
// servers' probes).
class QtMediaPlayer final : public QObject, public MediaPlayer {
    Q_OBJECT
  public:
    // `linked`: the module's entry where it is linked in rather than loaded.
    explicit QtMediaPlayer(MediaEngineEntry linked = nullptr, QObject* parent = nullptr);
    ~QtMediaPlayer() override;

    // False too when the module cannot be loaded: the sound is then reported unplayable.
    bool play(MediaChannel channel, const std::string& path) override;
    void resume(MediaChannel channel) override;
    void pause(MediaChannel channel) override;
    void stop(MediaChannel channel) override;
    void close(MediaChannel channel) override;
    void setListener(MediaChannel channel, Listener listener) override;

    // Where the channel's video is drawn; none draws no video.
    void setVideoOutput(MediaChannel channel, VideoArea* output);

    // The module is loaded (a first play was tried and succeeded in loading it).
    bool engineLoaded() const { return engine_ != nullptr; }
    // False until the channel first plays.
    bool hasPlayer(MediaChannel channel) const;
    QUrl source(MediaChannel channel) const;
    PlaybackState playbackState(MediaChannel channel) const;
    QString errorString(MediaChannel channel) const;

  signals:
    // For windows that follow a channel beyond what the core's listener hears.
    void playbackStateChanged(cardwise::MediaChannel channel, cardwise::PlaybackState state);
    void hasVideoChanged(cardwise::MediaChannel channel, bool hasVideo);

  private:
    struct Channel {
        VideoArea* video = nullptr;
        Listener listener;
    };
    Channel& channel(MediaChannel which);
    // Loads the module on the first call; null when it cannot be loaded.
    MediaEngine* engine();
    MediaEngine::Events events();

    MediaEngineEntry linked_;
    bool engineTried_ = false;
    std::unique_ptr<QLibrary> library_;
    std::unique_ptr<MediaEngine> engine_;
    std::array<Channel, 3> channels_;
};

}  // namespace cardwise::gui
