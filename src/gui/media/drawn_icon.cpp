#include "gui/media/drawn_icon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace cardwise::gui {
namespace {

class DrawnIconEngine final : public QIconEngine {
  public:
    explicit DrawnIconEngine(DrawnSymbol symbol) : symbol_(symbol) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const QPalette::ColorGroup group =
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        const QColor colour = QGuiApplication::palette().color(group, QPalette::ButtonText);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        const qreal side = std::min(rect.width(), rect.height()) * 0.6;
        QRectF box(0, 0, side, side);
        box.moveCenter(QRectF(rect).center());
        switch (symbol_) {
            case DrawnSymbol::Play:
                painter->drawPolygon(QPolygonF{box.topLeft(), box.bottomLeft(),
                                               QPointF(box.right(), box.center().y())});
                break;
            case DrawnSymbol::Pause: {
                const qreal bar = side * 0.36;
                painter->drawRect(QRectF(box.left(), box.top(), bar, side));
                painter->drawRect(QRectF(box.right() - bar, box.top(), bar, side));
                break;
            }
            case DrawnSymbol::Stop:
                painter->drawRect(box);
                break;
            case DrawnSymbol::MoreRight:
            case DrawnSymbol::MoreDown: {
                // Two chevrons, ">>" or their turn downwards.
                painter->setBrush(Qt::NoBrush);
                painter->setPen(QPen(colour, std::max<qreal>(1.0, side / 8)));
                const qreal half = side / 2;
                for (qreal shift : {-side / 4, side / 4}) {
                    if (symbol_ == DrawnSymbol::MoreRight) {
                        const qreal x = box.center().x() + shift - half / 4;
                        painter->drawPolyline(QPolygonF{QPointF(x, box.top()),
                                                        QPointF(x + half / 2, box.center().y()),
                                                        QPointF(x, box.bottom())});
                    } else {
                        const qreal y = box.center().y() + shift - half / 4;
                        painter->drawPolyline(QPolygonF{QPointF(box.left(), y),
                                                        QPointF(box.center().x(), y + half / 2),
                                                        QPointF(box.right(), y)});
                    }
                }
                break;
            }
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

    QIconEngine* clone() const override { return new DrawnIconEngine(symbol_); }

  private:
    DrawnSymbol symbol_;
};

}  // namespace

QIcon drawnIcon(DrawnSymbol symbol) {
    return QIcon(new DrawnIconEngine(symbol));
}

QIcon DrawnChevronStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton) return drawnIcon(DrawnSymbol::MoreRight);
    if (icon == SP_ToolBarVerticalExtensionButton) return drawnIcon(DrawnSymbol::MoreDown);
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace cardwise::gui
