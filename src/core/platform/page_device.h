#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cardwise {

enum class Orientation { Portrait, Landscape };

// A device's geometry in its own pixels. Drawing coordinates start at the printable
// area's top left corner, which lies offsetX/offsetY pixels inside the sheet.
struct PageMetrics {
    int dpiX = 0;
    int dpiY = 0;
    int pageWidth = 0;  // the whole sheet
    int pageHeight = 0;
    int offsetX = 0;  // the part of the sheet the device cannot reach
    int offsetY = 0;
};

struct FontSpec {
    std::string face;
    int points = 10;
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

// A picture as 0xAARRGGBB pixels, row by row.
struct PagePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool empty() const { return width <= 0 || height <= 0; }
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// One document of a job. A two-pass job opens two; pass says which (0 for a one-pass job),
// so that file output can keep them apart.
struct DocumentInfo {
    std::string title;
    int pass = 0;
};

// Where a report's pages go: a printer, a PDF file, a preview, or a recording in tests.
// Texts are the deck's Windows-1252 bytes; y is the top of the text's line.
class PageDevice {
  public:
    virtual ~PageDevice() = default;

    virtual void setOrientation(Orientation orientation) = 0;
    virtual PageMetrics metrics() const = 0;

    // False when the device could not be opened; nothing is drawn then.
    virtual bool beginDocument(const DocumentInfo& info) = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;

    virtual void setFont(const FontSpec& font) = 0;
    // In pixels, with the font set last.
    virtual int textWidth(std::string_view text) const = 0;
    virtual int letterHeight() const = 0;  // the height of "M"

    virtual void drawText(int x, int y, std::string_view text) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, int penWidth) = 0;
    virtual void drawPicture(const PagePicture& picture, const PixelRect& target) = 0;
};

// For a front end without a printer: a Letter sheet at 100 dots per inch that keeps
// nothing and opens no document.
class NoPageDevice final : public PageDevice {
  public:
    void setOrientation(Orientation) override {}
    PageMetrics metrics() const override { return {100, 100, 850, 1100, 0, 0}; }
    bool beginDocument(const DocumentInfo&) override { return false; }
    void newPage() override {}
    void endDocument() override {}
    void setFont(const FontSpec&) override {}
    int textWidth(std::string_view text) const override {
        return static_cast<int>(text.size()) * 8;
    }
    int letterHeight() const override { return 14; }
    void drawText(int, int, std::string_view) override {}
    void drawLine(int, int, int, int, int) override {}
    void drawPicture(const PagePicture&, const PixelRect&) override {}
};

}  // namespace cardwise
