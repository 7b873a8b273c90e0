#include "gui/media/qt_media_player.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoSink>

#include <cctype>

#include "core/media/media_control.h"
#include "gui/media/video_area.h"

namespace cardwise::gui {

namespace {

// Qt lists the sound server's outputs; without a server GStreamer can still play to a sound
// card directly, which the kernel lists.
bool soundOutputExists() {
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

}  // namespace

QtMediaPlayer::QtMediaPlayer(QObject* parent) : QObject(parent) {}

QtMediaPlayer::~QtMediaPlayer() {
    for (Channel& c : channels_) {
        c.listener = {};
        if (c.player != nullptr) c.player->stop();
    }
}

QtMediaPlayer::Channel& QtMediaPlayer::channel(MediaChannel which) {
    return channels_[static_cast<std::size_t>(which)];
}

QMediaPlayer* QtMediaPlayer::player(MediaChannel which) const {
    return channels_[static_cast<std::size_t>(which)].player;
}

QMediaPlayer* QtMediaPlayer::playerMade(MediaChannel which) {
    Channel& c = channel(which);
    if (c.player != nullptr) return c.player;
    c.player = new QMediaPlayer(this);
    c.audio = new QAudioOutput(this);
    c.player->setAudioOutput(c.audio);
    if (c.video != nullptr) c.player->setVideoSink(c.video->videoSink());
    connect(c.player, &QMediaPlayer::playbackStateChanged, this,
            [this, which](QMediaPlayer::PlaybackState state) {
                const Listener& l = channel(which).listener;
                if (!l.stateChanged) return;
                l.stateChanged(which, state == QMediaPlayer::PlayingState  ? PlaybackState::Playing
                                      : state == QMediaPlayer::PausedState ? PlaybackState::Paused
                                                                           : PlaybackState::Stopped);
            });
    connect(c.player, &QMediaPlayer::errorOccurred, this, [this, which] {
        if (channel(which).listener.failed) channel(which).listener.failed(which);
    });
    connect(c.player, &QMediaPlayer::mediaStatusChanged, this,
            [this, which](QMediaPlayer::MediaStatus status) {
                if (status != QMediaPlayer::InvalidMedia) return;
                if (channel(which).listener.failed) channel(which).listener.failed(which);
            });
    emit playerCreated(which, c.player);
    return c.player;
}

bool QtMediaPlayer::play(MediaChannel which, const std::string& path) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    if (!QFile::exists(file)) return false;
    // With no sound output at all the backend plays into a dummy sink: silence that looks
    // like success. A video still shows its pictures.
    if (!isVideoFile(path) && !soundOutputExists()) return false;
    QMediaPlayer* p = playerMade(which);
    const QUrl source = QUrl::fromLocalFile(file);
    if (p->source() != source) p->setSource(source);
    p->play();
    return true;
}

// A channel that never played has nothing to resume, pause, stop or close.
void QtMediaPlayer::resume(MediaChannel which) {
    if (QMediaPlayer* p = player(which)) p->play();
}

void QtMediaPlayer::pause(MediaChannel which) {
    if (QMediaPlayer* p = player(which)) p->pause();
}

void QtMediaPlayer::stop(MediaChannel which) {
    if (QMediaPlayer* p = player(which)) p->stop();
}

void QtMediaPlayer::close(MediaChannel which) {
    QMediaPlayer* p = player(which);
    if (p == nullptr) return;
    p->stop();
    p->setSource(QUrl());
}

void QtMediaPlayer::setListener(MediaChannel which, Listener listener) {
    channel(which).listener = std::move(listener);
}

void QtMediaPlayer::setVideoOutput(MediaChannel which, VideoArea* output) {
    Channel& c = channel(which);
    c.video = output;
    if (c.player != nullptr) c.player->setVideoSink(output != nullptr ? output->videoSink() : nullptr);
}

}  // namespace cardwise::gui
