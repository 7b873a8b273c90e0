#include "gui/media/picture_viewer.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/platform/help_viewer.h"
#include "gui/media/picture_widget.h"
#include "gui/platform/qt_help_viewer.h"

namespace cardwise::gui {

PictureViewer::PictureViewer(HelpViewer& help, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      help_(help) {
    setObjectName("TFBmpview");
    setProperty(kHelpTopicProperty, HelpTopic::PictureViewer);
    setWindowTitle(".BMP Viewer");
    setMinimumSize(kMinimumSize, kMinimumSize);
    resize(kMinimumSize, kMinimumSize);
    auto* box = new QScrollArea(this);
    box->setObjectName("ScrollBox1");
    box->setWidgetResizable(true);
    image_ = new PictureWidget(box);
    image_->setObjectName("image");
    image_->setMode(PictureWidget::Mode::Fitted);
    box->setWidget(image_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
}

void PictureViewer::display(const QImage& picture) {
    hide();
    image_->setPicture(picture);
    show();
    raise();
    activateWindow();
}

void PictureViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        help_.showTopic(HelpTopic::PictureViewer);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace cardwise::gui
