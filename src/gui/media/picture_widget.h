#pragma once

#include <QAbstractScrollArea>
#include <QImage>

#include "core/media/picture_view.h"

namespace cardwise::gui {

// The image component: draws one picture fitted (keeping its proportions) or at its own
// size, centred, with scroll bars when a natural-size picture is larger than the widget;
// or stretched over the whole widget (the zoom window). A click is reported.
class PictureWidget : public QAbstractScrollArea {
    Q_OBJECT
  public:
    enum class Mode { Fitted, NaturalSize, Stretched };

    explicit PictureWidget(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void setMode(Mode mode);
    void setMode(PictureFit fit);
    const QImage& picture() const { return picture_; }
    Mode mode() const { return mode_; }
    // Where the picture is drawn, in the widget's viewport.
    QRect pictureRect() const;

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    PicturePlacement placement() const;
    void updateScrollBars();

    QImage picture_;
    Mode mode_ = Mode::Fitted;
};

}  // namespace cardwise::gui
