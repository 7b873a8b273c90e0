#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/page_device.h"

namespace cardwise {

class UserInterface;

// The texts of the faults a device operation can raise; each is shown in a plain box and
// the operation is abandoned.
inline constexpr std::string_view kDivideByZeroError = "Divide by zero error";
inline constexpr std::string_view kRangeError = "Range error";
inline constexpr std::string_view kIntegerOverflowError = "Integer overflow error";
inline constexpr std::string_view kInvalidOperationError = "Invalide operation error";
inline constexpr std::string_view kOverflowError = "Overflow error";
inline constexpr std::string_view kUnderflowError = "Underflow error";
inline constexpr std::string_view kOutOfMemoryError = "Out of memory error";
inline constexpr std::string_view kUnhandledError = "Unhandled Exception Error occurred";

// A device can raise one of the faults above by name.
struct DeviceFault {
    std::string_view text;
};

enum class ReportUnits { Inches = 0, Millimetres = 1, Points = 2 };
enum class ColumnAlign { Left = 0, Right = 1, Centre = 2 };
enum class HeadingRule { Plain = 0, Double = 1, Thick = 2 };

// The report component: lays out text lines, simple tables and pictures on the pages of a
// PageDevice, in Units measured inside the margins.
class ReportWorks {
  public:
    ReportWorks(PageDevice& device, UserInterface& ui);

    // Design-time properties.
    ReportUnits Units = ReportUnits::Inches;
    FontSpec ReportFont{"System", 10, false};
    int LineMeasure = 0;
    double LinesPerInch = 0;
    bool AutoPage = false;
    int ZoomPercent = 50;
    int PrintPageFirst = 1;
    int PrintPageLast = 999;
    std::string Title;
    std::function<void()> OnNewPage;

    int PageNum() const { return pageNum_; }
    int PageTotal() const { return pageTotal_; }
    bool documentOpen() const { return open_; }
    // A device operation failed (and was reported) since the document began.
    bool failed() const { return failed_; }

    void setOrientation(Orientation orientation);
    void setTopMargin(double v);
    void setBottomMargin(double v);
    void setLeftMargin(double v);
    void setRightMargin(double v);

    // pass tells file output which pass of a two-pass job this document is.
    void beginDocument(int pass = 0);
    void newPage();
    void endDocument();
    void home();
    void setFont(std::string_view face, int points);
    void printText(std::string_view text);
    void newLine();

    void setColumns(int n);
    void setColumnWidth(int column, double width);
    void setColumnTitle(int column, std::string_view title);
    void setColumnAlign(int column, ColumnAlign align);
    void setInnerMargin(double width);
    void setGridLines(bool on) { grid_ = on; }
    void setTitleRow(bool on) { titles_ = on; }
    void setWrap(bool on) { wrap_ = on; }
    void setHeadingRule(HeadingRule style) { headingRule_ = style; }
    // Forgets the table, the switches and the rule style, as when the component was new.
    void resetTable();

    void startTable();
    void putCell(int column, std::string_view text);
    void finishRow();
    void finishPendingRow();
    // The rows the next row holds when the cell text goes into the column with the font
    // set now, in pixels: its text lines times the line advance.
    int cellHeight(int column, std::string_view text);
    // The next row, cellHeight() tall, would pass the bottom limit; never for the first row
    // under the table's top, which could not fit anywhere else.
    bool rowWouldOverflow(int height) const;

    bool pageFull() const;
    void setPositionDown(double v);
    double positionDown() const;
    // The height of a text line of the report font, in Units.
    double lineHeightInUnits() const;

    // The picture stretched into the rectangle whose corners are positions inside the
    // margins, clipped to them.
    void drawPicture(const PagePicture& picture, double left, double top, double right,
                     double bottom);
    // The picture stretched into a rectangle given from the sheet's top left corner, in
    // Units, so that it lands on the same spot of every sheet whatever the device's
    // unprintable border.
    void drawPictureOnSheet(const PagePicture& picture, double left, double top, double right,
                            double bottom);
    PageMetrics metrics() const { return metrics_; }
    // A distance across in device pixels.
    int pixelsAcross(double v) const { return across(v); }

    // Breaks a text into the lines that fit `width` pixels with the font set now: at
    // blanks where it can, inside a word that is wider than the line, always at line
    // breaks.
    std::vector<std::string> breakLines(std::string_view text, int width) const;

  private:
    struct Column {
        int left = 0;
        int width = 0;
        ColumnAlign align = ColumnAlign::Left;
        std::string title;
    };

    bool drawing() const;
    double factor() const;
    int across(double v) const;
    int down(double v) const;
    void readMetrics();
    void applyMargins();
    int advance() const;
    int letterWidth() const;
    void printTitleRow();
    void drawRowRules(int penWidth);
    template <typename F>
    void guarded(F&& operation);

    PageDevice& device_;
    UserInterface& ui_;

    double topMargin_ = 1.0, bottomMargin_ = 1.0, leftMargin_ = 1.0, rightMargin_ = 1.0;
    PageMetrics metrics_{};
    int leftLine_ = 0, topLine_ = 0, rightLimit_ = 0, bottomLimit_ = 0;
    int x_ = 0, y_ = 0;
    int lineCount_ = 0;
    bool open_ = false;
    bool failed_ = false;
    int pageNum_ = 0;
    int pageTotal_ = 0;

    std::vector<Column> columns_;
    int tableLeft_ = 0, tableWidth_ = 0;
    int innerMargin_ = 0, rowSpacing_ = 0;
    bool grid_ = true, titles_ = true, wrap_ = true;
    HeadingRule headingRule_ = HeadingRule::Plain;
    int rowTop_ = 0, rowBottom_ = 0, textTop_ = 0;
    bool rowPending_ = false;
    bool rowOnPage_ = false;
};

}  // namespace cardwise
