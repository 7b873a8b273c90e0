#pragma once

#include <QWidget>

namespace cardwise::gui {

class PictureWidget;

// TFZoom: a drill window's picture stretched over the whole screen, on black, without
// border or caption. A click anywhere hides it.
class ZoomWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ZoomWindow(QWidget* parent = nullptr);

    void zoom(const QImage& picture);
    PictureWidget* image() const { return image_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    PictureWidget* image_;
};

}  // namespace cardwise::gui
