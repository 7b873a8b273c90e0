#include "gui/media/video_area.h"

#include <QPainter>

#include "core/media/picture_view.h"

namespace cardwise::gui {

VideoArea::VideoArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoArea::showFrame(const QImage& frame) {
    frame_ = frame;
    update();
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
