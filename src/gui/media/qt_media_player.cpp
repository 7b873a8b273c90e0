#include "gui/media/qt_media_player.h"

#include <QFile>
#include <QLibrary>

#include "core/media/media_control.h"
#include "gui/media/module_library.h"
#include "gui/media/video_area.h"

namespace cardwise::gui {

QtMediaPlayer::QtMediaPlayer(MediaEngineEntry linked, QObject* parent)
    : QObject(parent), linked_(linked) {}

QtMediaPlayer::~QtMediaPlayer() {
    // Stops the players before the windows they report to go.
    engine_.reset();
}

QtMediaPlayer::Channel& QtMediaPlayer::channel(MediaChannel which) {
    return channels_[static_cast<std::size_t>(which)];
}

MediaEngine* QtMediaPlayer::engine() {
    if (engineTried_) return engine_.get();
    engineTried_ = true;
    MediaEngineEntry entry = linked_;
    QString errors;
    if (entry == nullptr) {
        entry = reinterpret_cast<MediaEngineEntry>(
            loadModuleEntry(CARDWISE_MULTIMEDIA_MODULE_FROM_BIN, CARDWISE_MULTIMEDIA_MODULE_BUILT,
                            kMediaEngineEntry, library_, errors));
    }
    if (entry == nullptr) {
        qWarning("cardwise: sound and video cannot be played: %s", qPrintable(errors));
        return nullptr;
    }
    engine_.reset(entry());
    engine_->setEvents(events());
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        if (channels_[i].video != nullptr) {
            engine_->setVideoWanted(static_cast<MediaChannel>(i), true);
        }
    }
    return engine_.get();
}

MediaEngine::Events QtMediaPlayer::events() {
    MediaEngine::Events e;
    e.stateChanged = [this](MediaChannel which, PlaybackState state) {
        if (const Listener& l = channel(which).listener; l.stateChanged)
            l.stateChanged(which, state);
        emit playbackStateChanged(which, state);
    };
    e.failed = [this](MediaChannel which) {
        if (const Listener& l = channel(which).listener; l.failed) l.failed(which);
    };
    e.hasVideoChanged = [this](MediaChannel which, bool video) {
        emit hasVideoChanged(which, video);
    };
    e.framesWanted = [this](MediaChannel which) {
        const VideoArea* area = channel(which).video;
        return area != nullptr && area->isVisible();
    };
    e.frame = [this](MediaChannel which, const QImage& frame) {
        if (VideoArea* area = channel(which).video) area->showFrame(frame);
    };
    return e;
}

bool QtMediaPlayer::play(MediaChannel which, const std::string& path) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    if (!QFile::exists(file)) return false;
    MediaEngine* e = engine();
    if (e == nullptr) return false;
    // With no sound output at all the backend plays into a dummy sink: silence that looks
    // like success. A video still shows its pictures.
    if (!isVideoFile(path) && !e->soundOutputExists()) return false;
    e->play(which, QUrl::fromLocalFile(file));
    return true;
}

// Before the first play there is no engine, and nothing to resume, pause, stop or close.
void QtMediaPlayer::resume(MediaChannel which) {
    if (engine_) engine_->resume(which);
}

void QtMediaPlayer::pause(MediaChannel which) {
    if (engine_) engine_->pause(which);
}

void QtMediaPlayer::stop(MediaChannel which) {
    if (engine_) engine_->stop(which);
}

void QtMediaPlayer::close(MediaChannel which) {
    if (engine_) engine_->close(which);
}

void QtMediaPlayer::setListener(MediaChannel which, Listener listener) {
    channel(which).listener = std::move(listener);
}

void QtMediaPlayer::setVideoOutput(MediaChannel which, VideoArea* output) {
    channel(which).video = output;
    if (engine_) engine_->setVideoWanted(which, output != nullptr);
}

bool QtMediaPlayer::hasPlayer(MediaChannel which) const {
    return engine_ && engine_->hasPlayer(which);
}

QUrl QtMediaPlayer::source(MediaChannel which) const {
    return engine_ ? engine_->source(which) : QUrl();
}

PlaybackState QtMediaPlayer::playbackState(MediaChannel which) const {
    return engine_ ? engine_->playbackState(which) : PlaybackState::Stopped;
}

QString QtMediaPlayer::errorString(MediaChannel which) const {
    return engine_ ? engine_->errorString(which) : QString();
}

}  // namespace cardwise::gui
