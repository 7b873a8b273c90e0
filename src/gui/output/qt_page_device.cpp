#include "gui/output/qt_page_device.h"

#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>

#include "core/output/print_settings.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {

QtPageDevice::QtPageDevice(QPrinter& printer, bool continuous)
    : printer_(printer), continuous_(continuous), font_(QStringLiteral("Arial")) {
    font_.setPointSizeF(10);
}

QtPageDevice::~QtPageDevice() {
    finish();
}

void QtPageDevice::finish() {
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
    if (!requestedFile_.isEmpty()) printer_.setOutputFileName(requestedFile_);
    requestedFile_.clear();
}

void QtPageDevice::setOrientation(Orientation orientation) {
    // A preview's painter is open for the whole job; its pages keep the first orientation.
    if (painter_ && painter_->isActive()) return;
    printer_.setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
}

PageMetrics QtPageDevice::metrics() const {
    const QRect paper = printer_.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer_.pageRect(QPrinter::DevicePixel).toRect();
    return PageMetrics{printer_.resolution(), printer_.resolution(),      paper.width(),
                       paper.height(),        page.left() - paper.left(), page.top() - paper.top()};
}

// Two passes printed to a file go to two files, so the answers never overwrite the
// questions.
bool QtPageDevice::beginDocument(const DocumentInfo& info) {
    if (painter_ && painter_->isActive()) {
        printer_.newPage();
        return true;
    }
    if (printer_.outputFormat() == QPrinter::PdfFormat && info.pass > 0 && !continuous_) {
        if (requestedFile_.isEmpty()) requestedFile_ = printer_.outputFileName();
        printer_.setOutputFileName(
            QString::fromStdString(passFileName(requestedFile_.toStdString(), info.pass)));
    }
    printer_.setDocName(fromDeckText(info.title));
    printer_.setFullPage(false);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
        painter_.reset();
        return false;
    }
    painter_->setRenderHint(QPainter::Antialiasing);
    painter_->setBackgroundMode(Qt::TransparentMode);
    painter_->setFont(font_);
    return true;
}

void QtPageDevice::newPage() {
    if (painter_) printer_.newPage();
}

void QtPageDevice::endDocument() {
    if (continuous_) return;
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
}

void QtPageDevice::setFont(const FontSpec& font) {
    font_ = QFont(fromDeckText(font.face));
    font_.setPointSizeF(font.points > 0 ? font.points : 10);
    font_.setBold(font.bold);
    if (painter_) painter_->setFont(font_);
}

int QtPageDevice::textWidth(std::string_view text) const {
    return QFontMetrics(font_, &printer_).horizontalAdvance(fromDeckText(text));
}

int QtPageDevice::letterHeight() const {
    return QFontMetrics(font_, &printer_).height();
}

void QtPageDevice::drawText(int x, int y, std::string_view text) {
    if (!painter_) return;
    painter_->setPen(Qt::black);
    painter_->drawText(x, y + QFontMetrics(font_, &printer_).ascent(), fromDeckText(text));
}

// Pen widths are given in screen pixels of 96 to the inch.
void QtPageDevice::drawLine(int x1, int y1, int x2, int y2, int penWidth) {
    if (!painter_) return;
    QPen pen(Qt::black);
    pen.setWidthF(penWidth * printer_.resolution() / 96.0);
    painter_->setPen(pen);
    painter_->drawLine(x1, y1, x2, y2);
}

void QtPageDevice::drawPicture(const PagePicture& picture, const PixelRect& target) {
    if (!painter_ || picture.empty()) return;
    if (picture.pixels.size() <
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
        return;
    const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                       picture.height, picture.width * 4, QImage::Format_ARGB32);
    painter_->drawImage(QRect(QPoint(target.left, target.top), QPoint(target.right, target.bottom)),
                        image);
}

}  // namespace cardwise::gui
