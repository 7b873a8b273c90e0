#pragma once

#include <QObject>

#include <array>

#include "core/platform/media_player.h"

class QAudioOutput;
class QMediaPlayer;

namespace cardwise::gui {

class VideoArea;

// Plays sound and video through Qt Multimedia, one QMediaPlayer per channel. A channel's
// player is made on its first sound or video: making one loads the multimedia back end
// (GStreamer, the sound servers' probes), which a deck without sound or video never needs.
class QtMediaPlayer final : public QObject, public MediaPlayer {
    Q_OBJECT
  public:
    explicit QtMediaPlayer(QObject* parent = nullptr);
    ~QtMediaPlayer() override;

    bool play(MediaChannel channel, const std::string& path) override;
    void resume(MediaChannel channel) override;
    void pause(MediaChannel channel) override;
    void stop(MediaChannel channel) override;
    void close(MediaChannel channel) override;
    void setListener(MediaChannel channel, Listener listener) override;

    // Where the channel's video is drawn; none draws no video.
    void setVideoOutput(MediaChannel channel, VideoArea* output);
    // Null until the channel first plays.
    QMediaPlayer* player(MediaChannel channel) const;

  signals:
    // The channel's player now exists, for windows that follow its own signals.
    void playerCreated(cardwise::MediaChannel channel, QMediaPlayer* player);

  private:
    struct Channel {
        QMediaPlayer* player = nullptr;
        QAudioOutput* audio = nullptr;
        VideoArea* video = nullptr;
        Listener listener;
    };
    Channel& channel(MediaChannel which);
    QMediaPlayer* playerMade(MediaChannel which);

    std::array<Channel, 3> channels_;
};

}  // namespace cardwise::gui
