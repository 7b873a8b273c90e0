#include "gui/media/video_area.h"

#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>

#include "core/media/picture_view.h"
#include "gui/media/video_frame_image.h"

namespace cardwise::gui {

VideoArea::VideoArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QVideoSink* VideoArea::videoSink() {
    if (sink_ != nullptr) return sink_;
    sink_ = new QVideoSink(this);
    connect(sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        // The player keeps delivering to a hidden area; only shown frames are converted.
        if (!isVisible() || !frame.isValid()) return;
        frame_ = videoFrameImage(frame);
        update();
    });
    return sink_;
}

QRect VideoArea::frameRect() const {
    if (frame_.isNull()) return {};
    const Rect r = placePicture(PictureSize{frame_.width(), frame_.height()},
                                WindowSize{width(), height()}, PictureFit::Fitted)
                       .picture;
    return QRect(r.left, r.top, r.width, r.height);
}

void VideoArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (frame_.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(frameRect(), frame_);
}

void VideoArea::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // The next video must not open on the last picture of this one.
    frame_ = QImage();
}

}  // namespace cardwise::gui
