#pragma once

#include <QImage>
#include <QString>
#include <QUrl>

#include <functional>

#include "core/platform/media_player.h"

namespace cardwise::gui {

// Qt Multimedia behind a plain interface, in a module of its own that is loaded on the first
// sound or video: linking the library would load it and twenty-odd more (the network
// library, the sound server's client, codecs) at every start, and most decks play nothing.
// Nothing here names a Qt Multimedia type, so the program never links it.
class MediaEngine {
  public:
    // Called on the engine's thread (the GUI thread), from within the event loop.
    struct Events {
        std::function<void(MediaChannel, PlaybackState)> stateChanged;
        // An error, or a file the back end cannot play; possibly more than once.
        std::function<void(MediaChannel)> failed;
        std::function<void(MediaChannel, bool hasVideo)> hasVideoChanged;
        // Asked before each video frame is converted: a hidden area wants none.
        std::function<bool(MediaChannel)> framesWanted;
        std::function<void(MediaChannel, const QImage& frame)> frame;
    };

    virtual ~MediaEngine() = default;
    virtual void setEvents(Events events) = 0;

    // A sound server's output or a sound card the back end can play to.
    virtual bool soundOutputExists() const = 0;
    // Makes the channel's player on its first use, opens the file when it is not the one
    // open, and plays it.
    virtual void play(MediaChannel channel, const QUrl& source) = 0;
    // A channel that never played has nothing to resume, pause, stop or close.
    virtual void resume(MediaChannel channel) = 0;
    virtual void pause(MediaChannel channel) = 0;
    virtual void stop(MediaChannel channel) = 0;
    // Stops and lets go of the file.
    virtual void close(MediaChannel channel) = 0;
    // Whether the channel's video is decoded into frames at all: only where a window can
    // draw it.
    virtual void setVideoWanted(MediaChannel channel, bool wanted) = 0;

    virtual bool hasPlayer(MediaChannel channel) const = 0;
    virtual QUrl source(MediaChannel channel) const = 0;
    virtual PlaybackState playbackState(MediaChannel channel) const = 0;
    // The back end's words for the last failure; empty when none.
    virtual QString errorString(MediaChannel channel) const = 0;
};

// Returns a new engine, owned by the caller.
using MediaEngineEntry = MediaEngine* (*)();
inline constexpr const char* kMediaEngineEntry = "cardwise_multimedia_engine";

}  // namespace cardwise::gui

// The module's one exported symbol; linked in directly where no module is loaded (tests).
extern "C" cardwise::gui::MediaEngine* cardwise_multimedia_engine();
