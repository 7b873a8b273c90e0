#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QObject>
#include <QVideoFrame>
#include <QVideoSink>

#include <array>
#include <cctype>

#include "gui/media/media_engine.h"
#include "modules/multimedia/video_frame_image.h"

namespace cardwise::gui {
namespace {

PlaybackState stateOf(QMediaPlayer::PlaybackState state) {
    switch (state) {
        case QMediaPlayer::PlayingState:
            return PlaybackState::Playing;
        case QMediaPlayer::PausedState:
            return PlaybackState::Paused;
        case QMediaPlayer::StoppedState:
            break;
    }
    return PlaybackState::Stopped;
}

// One QMediaPlayer with its QAudioOutput per channel, made on the channel's first play: a
// player loads the back end (GStreamer, the sound servers' probes).
class QtMultimediaEngine final : public MediaEngine {
  public:
    ~QtMultimediaEngine() override {
        events_ = {};
        for (Channel& c : channels_) {
            if (c.player != nullptr) c.player->stop();
        }
    }

    void setEvents(Events events) override { events_ = std::move(events); }

    // Qt lists the sound server's outputs; without a server GStreamer can still play to a
    // sound card directly, which the kernel lists.
    bool soundOutputExists() const override {
        if (!QMediaDevices::audioOutputs().isEmpty()) return true;
        QFile cards("/proc/asound/cards");
        if (!cards.open(QIODevice::ReadOnly)) return false;
        for (const QByteArray& line : cards.readAll().split('\n')) {
            const QByteArray trimmed = line.trimmed();
            if (!trimmed.isEmpty() && std::isdigit(static_cast<unsigned char>(trimmed[0]))) {
                return true;
            }
        }
        return false;
    }

    void play(MediaChannel which, const QUrl& source) override {
        QMediaPlayer* p = playerMade(which);
        if (p->source() != source) p->setSource(source);
        p->play();
    }

    void resume(MediaChannel which) override {
        if (QMediaPlayer* p = channel(which).player) p->play();
    }

    void pause(MediaChannel which) override {
        if (QMediaPlayer* p = channel(which).player) p->pause();
    }

    void stop(MediaChannel which) override {
        if (QMediaPlayer* p = channel(which).player) p->stop();
    }

    void close(MediaChannel which) override {
        QMediaPlayer* p = channel(which).player;
        if (p == nullptr) return;
        p->stop();
        p->setSource(QUrl());
    }

    void setVideoWanted(MediaChannel which, bool wanted) override {
        Channel& c = channel(which);
        c.videoWanted = wanted;
        if (c.player != nullptr) c.player->setVideoSink(wanted ? sinkMade(which) : nullptr);
    }

    bool hasPlayer(MediaChannel which) const override { return channel(which).player != nullptr; }

    QUrl source(MediaChannel which) const override {
        const QMediaPlayer* p = channel(which).player;
        return p != nullptr ? p->source() : QUrl();
    }

    PlaybackState playbackState(MediaChannel which) const override {
        const QMediaPlayer* p = channel(which).player;
        return p != nullptr ? stateOf(p->playbackState()) : PlaybackState::Stopped;
    }

    QString errorString(MediaChannel which) const override {
        const QMediaPlayer* p = channel(which).player;
        return p != nullptr ? p->errorString() : QString();
    }

  private:
    struct Channel {
        QMediaPlayer* player = nullptr;
        QAudioOutput* audio = nullptr;
        QVideoSink* sink = nullptr;
        bool videoWanted = false;
    };

    Channel& channel(MediaChannel which) { return channels_[static_cast<std::size_t>(which)]; }
    const Channel& channel(MediaChannel which) const {
        return channels_[static_cast<std::size_t>(which)];
    }

    QVideoSink* sinkMade(MediaChannel which) {
        Channel& c = channel(which);
        if (c.sink != nullptr) return c.sink;
        c.sink = new QVideoSink(&owner_);
        QObject::connect(c.sink, &QVideoSink::videoFrameChanged, &owner_,
                         [this, which](const QVideoFrame& frame) {
                             // The player keeps delivering to a hidden area; only frames
                             // that are shown are converted.
                             if (!frame.isValid() || !events_.frame) return;
                             if (!events_.framesWanted || !events_.framesWanted(which)) return;
                             events_.frame(which, videoFrameImage(frame));
                         });
        return c.sink;
    }

    QMediaPlayer* playerMade(MediaChannel which) {
        Channel& c = channel(which);
        if (c.player != nullptr) return c.player;
        c.player = new QMediaPlayer(&owner_);
        c.audio = new QAudioOutput(&owner_);
        c.player->setAudioOutput(c.audio);
        if (c.videoWanted) c.player->setVideoSink(sinkMade(which));
        QObject::connect(c.player, &QMediaPlayer::playbackStateChanged, &owner_,
                         [this, which](QMediaPlayer::PlaybackState state) {
                             if (events_.stateChanged) events_.stateChanged(which, stateOf(state));
                         });
        QObject::connect(c.player, &QMediaPlayer::errorOccurred, &owner_, [this, which] {
            if (events_.failed) events_.failed(which);
        });
        QObject::connect(c.player, &QMediaPlayer::mediaStatusChanged, &owner_,
                         [this, which](QMediaPlayer::MediaStatus status) {
                             if (status == QMediaPlayer::InvalidMedia && events_.failed) {
                                 events_.failed(which);
                             }
                         });
        QObject::connect(c.player, &QMediaPlayer::hasVideoChanged, &owner_,
                         [this, which](bool video) {
                             if (events_.hasVideoChanged) events_.hasVideoChanged(which, video);
                         });
        return c.player;
    }

    // Parent of the players, outputs and sinks; its connections end before they are deleted.
    QObject owner_;
    Events events_;
    std::array<Channel, 3> channels_;
};

}  // namespace
}  // namespace cardwise::gui

extern "C" __attribute__((visibility("default"))) cardwise::gui::MediaEngine*
cardwise_multimedia_engine() {
    return new cardwise::gui::QtMultimediaEngine;
}
