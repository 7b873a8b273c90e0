#pragma once

#include <QWidget>

namespace cardwise {
class HelpViewer;
}

namespace cardwise::gui {

class PictureWidget;

// TFBmpview: the editor's picture viewer. Stays on top of the other windows; the picture
// is fitted to the window keeping its proportions and centred. Hidden and shown again for
// every picture, so it keeps the size the user gave it.
class PictureViewer : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMinimumSize = 377;

    PictureViewer(HelpViewer& help, QWidget* parent = nullptr);

    // Shows the picture, bringing the viewer to the front.
    void display(const QImage& picture);
    PictureWidget* image() const { return image_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    HelpViewer& help_;
    PictureWidget* image_;
};

}  // namespace cardwise::gui
