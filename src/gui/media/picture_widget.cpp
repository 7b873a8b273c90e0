#include "gui/media/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace cardwise::gui {

PictureWidget::PictureWidget(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Window);
}

void PictureWidget::setPicture(const QImage& picture) {
    picture_ = picture;
    updateScrollBars();
    viewport()->update();
}

void PictureWidget::setMode(Mode mode) {
    mode_ = mode;
    // Only a picture at its own size can be larger than the widget.
    const Qt::ScrollBarPolicy bars =
        mode == Mode::NaturalSize ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(bars);
    setVerticalScrollBarPolicy(bars);
    updateScrollBars();
    viewport()->update();
}

void PictureWidget::setMode(PictureFit fit) {
    setMode(fit == PictureFit::NaturalSize ? Mode::NaturalSize : Mode::Fitted);
}

PicturePlacement PictureWidget::placement() const {
    const QSize area = viewport()->size();
    if (mode_ == Mode::Stretched) {
        return PicturePlacement{Rect{0, 0, area.width(), area.height()},
                                WindowSize{area.width(), area.height()}};
    }
    return placePicture(PictureSize{picture_.width(), picture_.height()},
                        WindowSize{area.width(), area.height()},
                        mode_ == Mode::NaturalSize ? PictureFit::NaturalSize : PictureFit::Fitted);
}

QRect PictureWidget::pictureRect() const {
    if (picture_.isNull()) return {};
    const Rect r = placement().picture;
    return QRect(r.left, r.top, r.width, r.height)
        .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

void PictureWidget::updateScrollBars() {
    const QSize area = viewport()->size();
    const WindowSize content = placement().content;
    horizontalScrollBar()->setRange(0, std::max(0, content.width - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, content.height - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (picture_.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, mode_ != Mode::NaturalSize);
    painter.drawImage(pictureRect(), picture_);
}

void PictureWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PictureWidget::scrollContentsBy(int, int) {
    viewport()->update();
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QAbstractScrollArea::mousePressEvent(event);
}

}  // namespace cardwise::gui
