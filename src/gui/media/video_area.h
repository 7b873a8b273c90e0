#pragma once

#include <QImage>
#include <QWidget>

namespace cardwise::gui {

// Where a drill window draws video: each frame the player delivers, as a picture, is painted
// fitted to the widget, keeping its proportions, centred on black. Painted with QPainter
// like any widget, so video shows wherever widgets do (a virtual display without OpenGL,
// offscreen), unlike QVideoWidget, which needs a native GL surface.
class VideoArea : public QWidget {
    Q_OBJECT
  public:
    explicit VideoArea(QWidget* parent = nullptr);

    // Shows the next frame of the video.
    void showFrame(const QImage& frame);
    // The frame on show; null before the first frame and after the area was hidden.
    const QImage& frame() const { return frame_; }
    QRect frameRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QImage frame_;
};

}  // namespace cardwise::gui
