#pragma once

#include <QObject>

#include <array>

#include "core/platform/media_player.h"

class QAudioOutput;
class QMediaPlayer;
class QVideoSink;

namespace cardwise::gui {

// Plays sound and video through Qt Multimedia, one QMediaPlayer per channel.
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
    void setVideoOutput(MediaChannel channel, QVideoSink* output);
    QMediaPlayer* player(MediaChannel channel) const;

  private:
    struct Channel {
        QMediaPlayer* player = nullptr;
        QAudioOutput* audio = nullptr;
        Listener listener;
    };
    Channel& channel(MediaChannel which);

    std::array<Channel, 3> channels_;
};

}  // namespace cardwise::gui
