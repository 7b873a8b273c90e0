#include "gui/drill/drill_look.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QWidget>

namespace cardwise::gui {

QFont fontOf(const TextLook& look, const QFont& base) {
    QFont font = base;
    if (!look.fontName.empty()) font.setFamily(QString::fromStdString(look.fontName));
    if (look.fontSize > 0) font.setPointSize(look.fontSize);
    font.setBold(look.fontStyle.bold);
    font.setItalic(look.fontStyle.italic);
    font.setUnderline(look.fontStyle.underline);
    font.setStrikeOut(look.fontStyle.strikeOut);
    return font;
}

void applyLook(QWidget& field, const TextLook& look) {
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, toQColor(look.background));
    palette.setColor(QPalette::Text, toQColor(look.fontColour));
    field.setPalette(palette);
    field.setFont(fontOf(look, field.font()));
}

void applyFieldColours(QWidget& field, const FieldColours& colours) {
    QPalette palette = field.palette();
    palette.setColor(QPalette::Window, toQColor(colours.background));
    palette.setColor(QPalette::WindowText, toQColor(colours.text));
    field.setAutoFillBackground(true);
    field.setPalette(palette);
}

QString captionText(std::string_view caption) {
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

namespace {

constexpr int kPictureSize = 32;

QPixmap blankPicture() {
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap correctPicture() {
    QPixmap pixmap = blankPicture();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(6, 17);
    tick.lineTo(13, 25);
    tick.lineTo(26, 7);
    p.drawPath(tick);
    return pixmap;
}

QPixmap incorrectPicture() {
    QPixmap pixmap = blankPicture();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(220, 0, 0), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(8, 8, 24, 24);
    p.drawLine(24, 8, 8, 24);
    return pixmap;
}

QPixmap autopilotPicture() {
    // A steering wheel: the program is driving.
    QPixmap pixmap = blankPicture();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 160), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 12, 12);
    p.setBrush(QColor(0, 0, 160));
    p.drawEllipse(QPointF(16, 16), 3, 3);
    p.drawLine(QPointF(4, 16), QPointF(28, 16));
    p.drawLine(QPointF(16, 16), QPointF(16, 28));
    return pixmap;
}

}  // namespace cardwise::gui
