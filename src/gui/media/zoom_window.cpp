#include "gui/media/zoom_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/media/picture_widget.h"

namespace cardwise::gui {

ZoomWindow::ZoomWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), image_(new PictureWidget(this)) {
    setObjectName("TFZoom");
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    image_->setObjectName("PMultiImage1");
    image_->setPalette(black);
    image_->viewport()->setAutoFillBackground(true);
    image_->setMode(PictureWidget::Mode::Stretched);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image_);
    connect(image_, &PictureWidget::clicked, this, &QWidget::hide);
}

void ZoomWindow::zoom(const QImage& picture) {
    image_->setPicture(picture);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(640, 480);
    setGeometry(0, 0, size.width(), size.height());
    show();
    raise();
    activateWindow();
}

void ZoomWindow::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    hide();
}

}  // namespace cardwise::gui
