#include "gui/drill/drill_media_buttons.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QToolButton>

#include <algorithm>

namespace cardwise::gui {
namespace {

// The transport symbols, drawn in the palette's button text colour at any size. The
// style's media icons cost an icon theme search and a dozen pictures read and decoded for
// every drill window: most of the time it took to build one.
class TransportIcon final : public QIconEngine {
  public:
    explicit TransportIcon(MediaButton shape) : shape_(shape) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const QPalette::ColorGroup group =
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QGuiApplication::palette().color(group, QPalette::ButtonText));
        const qreal side = std::min(rect.width(), rect.height()) * 0.6;
        QRectF box(0, 0, side, side);
        box.moveCenter(QRectF(rect).center());
        switch (shape_) {
            case MediaButton::Play:
                painter->drawPolygon(QPolygonF{box.topLeft(), box.bottomLeft(),
                                               QPointF(box.right(), box.center().y())});
                break;
            case MediaButton::Pause: {
                const qreal bar = side * 0.36;
                painter->drawRect(QRectF(box.left(), box.top(), bar, side));
                painter->drawRect(QRectF(box.right() - bar, box.top(), bar, side));
                break;
            }
            case MediaButton::Stop:
                painter->drawRect(box);
                break;
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, picture.rect(), mode, state);
        return picture;
    }

    QIconEngine* clone() const override { return new TransportIcon(shape_); }

  private:
    MediaButton shape_;
};

}  // namespace

DrillMediaButtons::DrillMediaButtons(const char* name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    struct PlayerButton {
        const char* name;
        MediaButton button;
    };
    for (const PlayerButton& b :
         {PlayerButton{"Play", MediaButton::Play}, PlayerButton{"Pause", MediaButton::Pause},
          PlayerButton{"Stop", MediaButton::Stop}}) {
        auto* button = new QToolButton(this);
        button->setObjectName(b.name);
        button->setIcon(QIcon(new TransportIcon(b.button)));
        // The icon alone says nothing to a screen reader.
        button->setAccessibleName(tr(b.name));
        button->setAutoRaise(false);
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        buttons_.push_back(button);
        const MediaButton pressed = b.button;
        connect(button, &QToolButton::clicked, this, [this, pressed] {
            if (media_ != nullptr) media_->buttonPressed(pressed);
            render();
        });
    }
}

void DrillMediaButtons::attach(MediaControl* media) {
    media_ = media;
    if (media_ != nullptr) media_->changed = [this] { render(); };
    render();
}

void DrillMediaButtons::render() {
    const MediaButtons enabled = media_ != nullptr ? media_->buttons() : MediaButtons{};
    buttons_[0]->setEnabled(enabled.play);
    buttons_[1]->setEnabled(enabled.pause);
    buttons_[2]->setEnabled(enabled.stop);
    emit videoShown(media_ != nullptr && media_->showsVideo());
}

}  // namespace cardwise::gui
