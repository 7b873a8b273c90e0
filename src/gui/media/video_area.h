#pragma once

#include <QImage>
#include <QWidget>

class QVideoSink;

namespace cardwise::gui {

// Where a drill window draws video: each frame the player delivers is painted fitted to the
// widget, keeping its proportions, centred on black. Painted with QPainter like any widget,
// so video shows wherever widgets do (a virtual display without OpenGL, offscreen), unlike
// QVideoWidget, which needs a native GL surface.
class VideoArea : public QWidget {
    Q_OBJECT
  public:
    explicit VideoArea(QWidget* parent = nullptr);

    // The player's video output, made on the first call: a sink loads the multimedia back
    // end, which only a video needs.
    QVideoSink* videoSink();
    // The frame on show; null before the first frame and after the area was hidden.
    const QImage& frame() const { return frame_; }
    QRect frameRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QVideoSink* sink_ = nullptr;
    QImage frame_;
};

}  // namespace cardwise::gui
