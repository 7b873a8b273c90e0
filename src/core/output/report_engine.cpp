#include "core/output/report_engine.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>

#include "core/platform/user_interface.h"

namespace cardwise {
namespace {

constexpr std::string_view kLetterM = "M";

int rounded(double v) {
    return static_cast<int>(std::lround(v));
}

// The next line of a text and where the one after it starts; CR LF, LF and CR all end one.
std::string_view nextParagraph(std::string_view text, std::size_t& from) {
    const std::size_t start = from;
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
        from = text.size() + 1;
        return text.substr(start);
    }
    from = end + 1;
    if (text[end] == '\r' && from < text.size() && text[from] == '\n') ++from;
    return text.substr(start, end - start);
}

}  // namespace

ReportWorks::ReportWorks(PageDevice& device, UserInterface& ui) : device_(device), ui_(ui) {}

// Every fault of a device operation is shown once; the job then draws nothing more.
template <typename F>
void ReportWorks::guarded(F&& operation) {
    if (failed_) return;
    std::string_view text;
    try {
        operation();
        return;
    } catch (const DeviceFault& fault) {
        text = fault.text;
    } catch (const std::bad_alloc&) {
        text = kOutOfMemoryError;
    } catch (const std::out_of_range&) {
        text = kRangeError;
    } catch (const std::range_error&) {
        text = kRangeError;
    } catch (const std::overflow_error&) {
        text = kOverflowError;
    } catch (const std::underflow_error&) {
        text = kUnderflowError;
    } catch (const std::logic_error&) {
        text = kInvalidOperationError;
    } catch (...) {
        text = kUnhandledError;
    }
    failed_ = true;
    ui_.messageBox(kAppTitle, text, Icon::None, Buttons::Ok);
}

double ReportWorks::factor() const {
    switch (Units) {
        case ReportUnits::Millimetres:
            return 1.0 / 25.4;
        case ReportUnits::Points:
            return 1.0 / 72.0;
        case ReportUnits::Inches:
            break;
    }
    return 1.0;
}

int ReportWorks::across(double v) const {
    return rounded(v * metrics_.dpiX * factor());
}

int ReportWorks::down(double v) const {
    return rounded(v * metrics_.dpiY * factor());
}

bool ReportWorks::drawing() const {
    return open_ && !failed_ && pageNum_ >= PrintPageFirst && pageNum_ <= PrintPageLast;
}

void ReportWorks::readMetrics() {
    metrics_ = device_.metrics();
    if (metrics_.dpiX <= 0 || metrics_.dpiY <= 0) throw DeviceFault{kDivideByZeroError};
}

// Positions count from the printable area's corner; a margin inside the unprintable
// border is moved out to it.
void ReportWorks::applyMargins() {
    if (metrics_.dpiX <= 0 || metrics_.dpiY <= 0) return;
    const int offX = metrics_.offsetX;
    const int offY = metrics_.offsetY;
    leftLine_ = std::max(across(leftMargin_), offX) - offX;
    topLine_ = std::max(down(topMargin_), offY) - offY;
    rightLimit_ = metrics_.pageWidth - std::max(across(rightMargin_), offX) - offX;
    bottomLimit_ = metrics_.pageHeight - std::max(down(bottomMargin_), offY) - offY;
}

void ReportWorks::setOrientation(Orientation orientation) {
    guarded([&] {
        device_.setOrientation(orientation);
        if (open_) {
            readMetrics();
            applyMargins();
            home();
        }
    });
}

void ReportWorks::setTopMargin(double v) {
    topMargin_ = v;
    applyMargins();
}
void ReportWorks::setBottomMargin(double v) {
    bottomMargin_ = v;
    applyMargins();
}
void ReportWorks::setLeftMargin(double v) {
    leftMargin_ = v;
    applyMargins();
}
void ReportWorks::setRightMargin(double v) {
    rightMargin_ = v;
    applyMargins();
}

void ReportWorks::beginDocument(int pass) {
    failed_ = false;
    guarded([&] {
        readMetrics();
        applyMargins();
        home();
        lineCount_ = 0;
        pageNum_ = 1;
        rowOnPage_ = false;
        if (!device_.beginDocument(DocumentInfo{Title, pass})) {
            throw DeviceFault{kInvalidOperationError};
        }
        open_ = true;
        device_.setFont(ReportFont);
    });
}

void ReportWorks::newPage() {
    guarded([&] {
        home();
        lineCount_ = 0;
        ++pageNum_;
        rowOnPage_ = false;
        if (open_ && pageNum_ > PrintPageFirst && pageNum_ <= PrintPageLast) device_.newPage();
        if (OnNewPage) OnNewPage();
    });
}

// Closes the device even after a fault, so that no document stays half open.
void ReportWorks::endDocument() {
    pageTotal_ = pageNum_;
    if (!open_) return;
    open_ = false;
    try {
        device_.endDocument();
    } catch (...) {
        if (!failed_) {
            failed_ = true;
            ui_.messageBox(kAppTitle, kUnhandledError, Icon::None, Buttons::Ok);
        }
    }
}

void ReportWorks::home() {
    x_ = leftLine_;
    y_ = topLine_;
}

void ReportWorks::setFont(std::string_view face, int points) {
    ReportFont = FontSpec{std::string(face), points, false};
    if (open_) device_.setFont(ReportFont);
}

void ReportWorks::printText(std::string_view text) {
    guarded([&] {
        if (!drawing()) return;
        device_.drawText(x_, y_, text);
        x_ += device_.textWidth(text);
    });
}

int ReportWorks::advance() const {
    return rounded(device_.letterHeight() * 1.1);
}

int ReportWorks::letterWidth() const {
    return device_.textWidth(kLetterM);
}

void ReportWorks::newLine() {
    x_ = leftLine_;
    ++lineCount_;
    if (LineMeasure == 1 && LinesPerInch > 0) {
        y_ = topLine_ + rounded(lineCount_ * metrics_.dpiY / LinesPerInch);
    } else {
        y_ += advance();
    }
    if (AutoPage && pageFull()) newPage();
}

void ReportWorks::setColumns(int n) {
    columns_.clear();
    tableLeft_ = leftLine_;
    tableWidth_ = rightLimit_ - leftLine_;
    if (n < 1) return;
    const int width = tableWidth_ / n;
    for (int i = 0; i < n; ++i) {
        columns_.push_back(Column{tableLeft_ + i * width, width, ColumnAlign::Left,
                                  "Column " + std::to_string(i + 1)});
    }
    innerMargin_ = rounded(letterWidth() / 2.0 * ZoomPercent / 100.0);
    rowSpacing_ = innerMargin_;
}

void ReportWorks::setColumnWidth(int column, double width) {
    if (column < 1 || column > static_cast<int>(columns_.size())) return;
    auto& target = columns_[static_cast<std::size_t>(column - 1)];
    const int change = across(width) - target.width;
    target.width += change;
    for (auto i = static_cast<std::size_t>(column); i < columns_.size(); ++i) {
        columns_[i].left += change;
    }
    tableWidth_ += change;
}

void ReportWorks::setColumnTitle(int column, std::string_view title) {
    if (column < 1 || column > static_cast<int>(columns_.size())) return;
    columns_[static_cast<std::size_t>(column - 1)].title = title;
}

void ReportWorks::setColumnAlign(int column, ColumnAlign align) {
    if (column < 1 || column > static_cast<int>(columns_.size())) return;
    columns_[static_cast<std::size_t>(column - 1)].align = align;
}

void ReportWorks::setInnerMargin(double width) {
    innerMargin_ = across(width);
}

void ReportWorks::resetTable() {
    columns_.clear();
    tableLeft_ = leftLine_;
    tableWidth_ = 0;
    innerMargin_ = 0;
    rowSpacing_ = 0;
    grid_ = titles_ = wrap_ = true;
    headingRule_ = HeadingRule::Plain;
    rowPending_ = false;
}

void ReportWorks::startTable() {
    if (grid_ && drawing() && tableWidth_ > 0) {
        guarded([&] { device_.drawLine(tableLeft_, y_, tableLeft_ + tableWidth_, y_, 1); });
    }
    rowTop_ = y_;
    y_ += rowSpacing_;
    textTop_ = y_;
    rowBottom_ = y_ + device_.letterHeight() + rowSpacing_;
    if (titles_ && !columns_.empty()) printTitleRow();
    rowOnPage_ = false;
}

void ReportWorks::printTitleRow() {
    const FontSpec normal = ReportFont;
    FontSpec bold = normal;
    bold.bold = true;
    guarded([&] { device_.setFont(bold); });
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        putCell(static_cast<int>(i + 1), columns_[i].title);
    }
    guarded([&] { device_.setFont(normal); });
    if (!grid_) {
        finishRow();
        return;
    }
    switch (headingRule_) {
        case HeadingRule::Thick:
            drawRowRules(2);
            break;
        case HeadingRule::Double:
            drawRowRules(1);
            guarded([&] {
                if (!drawing()) return;
                const int second = rowBottom_ + 3;
                device_.drawLine(tableLeft_, second, tableLeft_ + tableWidth_, second, 3);
            });
            rowBottom_ += 3;
            break;
        case HeadingRule::Plain:
            drawRowRules(1);
            break;
    }
    rowPending_ = false;
    rowTop_ = rowBottom_;
    y_ = rowBottom_ + rowSpacing_;
    textTop_ = y_;
    rowBottom_ = y_ + device_.letterHeight() + rowSpacing_;
}

void ReportWorks::drawRowRules(int penWidth) {
    guarded([&] {
        if (!drawing()) return;
        for (const auto& column : columns_) {
            device_.drawLine(column.left, rowTop_, column.left, rowBottom_, 1);
        }
        const int right = tableLeft_ + tableWidth_;
        device_.drawLine(right, rowTop_, right, rowBottom_, 1);
        device_.drawLine(tableLeft_, rowBottom_, right, rowBottom_, penWidth);
    });
}

std::vector<std::string> ReportWorks::breakLines(std::string_view text, int width) const {
    width = std::max(width, 1);
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::string_view paragraph = nextParagraph(text, from);
        std::string line;
        bool lineUsed = false;
        std::size_t pos = 0;
        while (pos <= paragraph.size()) {
            std::size_t blank = paragraph.find(' ', pos);
            if (blank == std::string_view::npos) blank = paragraph.size();
            std::string_view word = paragraph.substr(pos, blank - pos);
            pos = blank + 1;
            std::string candidate = lineUsed ? line + " " + std::string(word) : std::string(word);
            if (device_.textWidth(candidate) <= width) {
                line = std::move(candidate);
                lineUsed = true;
                continue;
            }
            if (lineUsed) lines.push_back(std::move(line));
            line.clear();
            lineUsed = true;
            // A word wider than the line is cut where the line ends.
            for (char c : word) {
                std::string longer = line + c;
                if (!line.empty() && device_.textWidth(longer) > width) {
                    lines.push_back(std::move(line));
                    longer = std::string(1, c);
                }
                line = std::move(longer);
            }
        }
        lines.push_back(std::move(line));
    }
    // Text that ends with a line break opens no further line.
    if (lines.size() > 1 && lines.back().empty() && !text.empty() &&
        (text.back() == '\n' || text.back() == '\r')) {
        lines.pop_back();
    }
    return lines;
}

void ReportWorks::putCell(int column, std::string_view text) {
    if (column < 1 || column > static_cast<int>(columns_.size()) || text.empty()) return;
    const Column& cell = columns_[static_cast<std::size_t>(column - 1)];
    y_ = textTop_;
    guarded([&] {
        auto lines = breakLines(text, cell.width - 2 * innerMargin_);
        if (!wrap_) lines.resize(1);
        const int height = device_.letterHeight();
        const int step = advance();
        for (const auto& line : lines) {
            // A line that would run past the bottom limit is left off.
            if (drawing() && y_ + height <= bottomLimit_) {
                int x = cell.left + innerMargin_;
                if (cell.align == ColumnAlign::Right) {
                    x = cell.left + cell.width - device_.textWidth(line) - innerMargin_;
                } else if (cell.align == ColumnAlign::Centre) {
                    x = cell.left + (cell.width - device_.textWidth(line)) / 2;
                }
                device_.drawText(x, y_, line);
            }
            if (wrap_) {
                y_ += step;
                rowBottom_ = std::max(rowBottom_, std::min(y_, bottomLimit_) + rowSpacing_);
            }
        }
        rowPending_ = true;
    });
}

int ReportWorks::cellHeight(int column, std::string_view text) {
    if (column < 1 || column > static_cast<int>(columns_.size()) || text.empty()) return 0;
    const Column& cell = columns_[static_cast<std::size_t>(column - 1)];
    const auto count = wrap_ ? breakLines(text, cell.width - 2 * innerMargin_).size() : 1;
    return static_cast<int>(count) * advance();
}

bool ReportWorks::rowWouldOverflow(int height) const {
    return rowOnPage_ && textTop_ + height > bottomLimit_;
}

void ReportWorks::finishRow() {
    if (grid_) drawRowRules(1);
    rowPending_ = false;
    rowOnPage_ = true;
    rowTop_ = rowBottom_;
    y_ = rowBottom_ + rowSpacing_;
    textTop_ = y_;
    rowBottom_ = y_ + device_.letterHeight() + rowSpacing_;
}

void ReportWorks::finishPendingRow() {
    if (grid_ && rowPending_) finishRow();
}

bool ReportWorks::pageFull() const {
    return y_ + device_.letterHeight() > bottomLimit_;
}

void ReportWorks::setPositionDown(double v) {
    y_ = std::clamp(topLine_ + down(v), topLine_, std::max(topLine_, bottomLimit_));
}

double ReportWorks::positionDown() const {
    if (metrics_.dpiY <= 0) return 0;
    return (y_ - topLine_) / (metrics_.dpiY * factor());
}

double ReportWorks::lineHeightInUnits() const {
    if (metrics_.dpiY <= 0) return 0;
    return advance() / (metrics_.dpiY * factor());
}

void ReportWorks::drawPicture(const PagePicture& picture, double left, double top, double right,
                              double bottom) {
    auto x = [&](double v) { return std::clamp(leftLine_ + across(v), leftLine_, rightLimit_); };
    auto y = [&](double v) { return std::clamp(topLine_ + down(v), topLine_, bottomLimit_); };
    guarded([&] {
        if (!drawing() || picture.empty()) return;
        device_.drawPicture(picture, PixelRect{x(left), y(top), x(right), y(bottom)});
    });
}

void ReportWorks::drawPictureOnSheet(const PagePicture& picture, double left, double top,
                                     double right, double bottom) {
    const int maxX = metrics_.pageWidth - 2 * metrics_.offsetX;
    const int maxY = metrics_.pageHeight - 2 * metrics_.offsetY;
    auto x = [&](double v) { return std::clamp(across(v) - metrics_.offsetX, 0, maxX); };
    auto y = [&](double v) { return std::clamp(down(v) - metrics_.offsetY, 0, maxY); };
    guarded([&] {
        if (!drawing() || picture.empty()) return;
        device_.drawPicture(picture, PixelRect{x(left), y(top), x(right), y(bottom)});
    });
}

}  // namespace cardwise
