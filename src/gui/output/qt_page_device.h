#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

#include <memory>

#include "core/platform/page_device.h"

class QPrinter;

namespace cardwise::gui {

// The report's pages on a QPrinter (paper, PDF or a preview): metrics from the printer,
// fonts at the printer's resolution, pens scaled to it.
class QtPageDevice final : public cardwise::PageDevice {
  public:
    // continuous: the documents of a job follow each other on one painter (a preview);
    // finish() ends it.
    explicit QtPageDevice(QPrinter& printer, bool continuous = false);
    ~QtPageDevice() override;

    void finish();

    void setOrientation(Orientation orientation) override;
    PageMetrics metrics() const override;
    bool beginDocument(const DocumentInfo& info) override;
    void newPage() override;
    void endDocument() override;
    void setFont(const FontSpec& font) override;
    int textWidth(std::string_view text) const override;
    int letterHeight() const override;
    void drawText(int x, int y, std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2, int penWidth) override;
    void drawPicture(const PagePicture& picture, const PixelRect& target) override;

  private:
    QPrinter& printer_;
    bool continuous_;
    QString requestedFile_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
};

}  // namespace cardwise::gui
