#include "core/output/print_pass.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/shell/clipboard_text.h"

namespace cardwise::print_steps {
namespace {

// Card rows of a sheet: where each row's text must end and where the next row begins,
// in inches below the top margin.
struct CardRows {
    std::vector<double> limits;
    std::vector<double> nextTops;
};

const CardRows& textCardRows(CardSize size) {
    static const std::array<CardRows, 3> rows{
        CardRows{{4.5, 10.0}, {5.5}},
        CardRows{{3.25, 7.5}, {4.25}},
        CardRows{{1.83, 4.66, 7.5}, {2.83, 5.66}},
    };
    return rows[static_cast<std::size_t>(size)];
}

// Graphics card places on the sheet, row by row, left then right; size 0 has one column.
const std::vector<SheetRect>& graphicsPlaces(CardSize size) {
    static const std::array<std::vector<SheetRect>, 3> places{
        std::vector<SheetRect>{{0.5, 0.5, 8, 5}, {0.5, 6, 8, 10.5}},
        std::vector<SheetRect>{
            {0.5, 0.5, 5, 3.75}, {6, 0.5, 10.5, 3.75}, {0.5, 4.75, 5, 8}, {6, 4.75, 10.5, 8}},
        std::vector<SheetRect>{{0.5, 0.5, 5, 2.33},
                               {6, 0.5, 10.5, 2.33},
                               {0.5, 3.33, 5, 5.16},
                               {6, 3.33, 10.5, 5.16},
                               {0.5, 6.16, 5, 8},
                               {6, 6.16, 10.5, 8}},
    };
    return places[static_cast<std::size_t>(size)];
}

}  // namespace

std::string fileNameOnly(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool PassPrinter::run(int pass) {
    pass_ = pass;
    const bool portrait =
        choices_.style == PrintStyle::TextTable || choices_.size == CardSize::OneByTwo;
    report_.setOrientation(portrait ? Orientation::Portrait : Orientation::Landscape);
    report_.beginDocument(pass);
    if (report_.failed()) return false;
    setUpPage();
    for (std::int32_t pair : pairs_) {
        if (stop_ || report_.failed()) break;
        startPendingPage();
        switch (choices_.style) {
            case PrintStyle::TextTable:
                printTablePair(pair);
                break;
            case PrintStyle::TextCards:
                printTextCardPair(pair);
                break;
            case PrintStyle::GraphicsCards:
                printGraphicsPair(pair);
                break;
        }
        if (!program_.platform.printer.progress(++done_, total_)) {
            cancelled_ = true;
            stop_ = true;
        }
    }
    if (choices_.style == PrintStyle::TextCards && twoColumn() && !cancelled_) flushWaitingCard();
    report_.endDocument();
    return !cancelled_ && !report_.failed();
}

void PassPrinter::setUpPage() {
    report_.resetTable();
    switch (choices_.style) {
        case PrintStyle::TextTable:
            report_.setTopMargin(0.5);
            report_.setBottomMargin(choices_.marginTenths / 10.0);
            report_.setLeftMargin(0.5);
            report_.setRightMargin(0);
            report_.home();
            report_.setFont("Times New Roman", 24);
            report_.printText(fileNameOnly(program_.deck.QAFileName));
            report_.newLine();
            report_.setFont("Arial", 14);
            report_.printText("Q&A Table");
            report_.newLine();
            report_.setColumns(3);
            report_.setColumnWidth(1, 0.7);
            report_.setColumnWidth(2, 3.4);
            report_.setColumnWidth(3, 3.4);
            report_.setColumnTitle(1, "Pair");
            report_.setColumnTitle(2, "Question");
            report_.setColumnTitle(3, "Answer");
            report_.setHeadingRule(HeadingRule::Thick);
            break;
        case PrintStyle::TextCards:
            report_.setHeadingRule(HeadingRule::Thick);
            report_.setTopMargin(0.5);
            report_.setBottomMargin(0);
            report_.setLeftMargin(0.5);
            report_.setRightMargin(0);
            report_.home();
            break;
        case PrintStyle::GraphicsCards:
            report_.setTopMargin(0);
            report_.setBottomMargin(0);
            report_.setLeftMargin(0);
            report_.setRightMargin(0);
            report_.home();
            break;
    }
    report_.startTable();
}

// A single test sheet ends with its first page; otherwise the next page waits for the next
// pair, so that no blank page follows the last one.
void PassPrinter::pageEnd() {
    slot_ = 1;
    if (choices_.range == PrintRange::SingleSheet) {
        stop_ = true;
        return;
    }
    pageEndPending_ = true;
}

void PassPrinter::startPendingPage() {
    if (!pageEndPending_) return;
    pageEndPending_ = false;
    report_.newPage();
    if (choices_.style == PrintStyle::TextTable) report_.startTable();
}

std::string PassPrinter::copyText(bool question, std::int32_t pair) {
    std::string text = question ? questionCopyText(program_, pair) : answerCopyText(program_, pair);
    program_.platform.clipboard.setText(text);
    return text;
}

void PassPrinter::printTablePair(std::int32_t pair) {
    const std::string number = std::to_string(pair);
    const FontSpec numberFont{"Arial", 10, false};
    const std::string question = copyText(true, pair);
    const std::string answer = copyText(false, pair);
    useFont(numberFont);
    int height = report_.cellHeight(1, number);
    useFont(qFont_);
    height = std::max(height, report_.cellHeight(2, question));
    useFont(aFont_);
    height = std::max(height, report_.cellHeight(3, answer));
    // A row that would run past the bottom margin goes to the next page whole.
    if (report_.rowWouldOverflow(height)) {
        pageEnd();
        if (stop_) return;
        startPendingPage();
    }
    useFont(numberFont);
    report_.putCell(1, number);
    useFont(qFont_);
    report_.putCell(2, question);
    useFont(aFont_);
    report_.putCell(3, answer);
    report_.finishRow();
    if (report_.pageFull()) pageEnd();
}

// Moves below a finished row of cards, or ends the page after the last row.
void PassPrinter::afterCardRow(std::size_t row, std::size_t rows) {
    const CardRows& layout = textCardRows(choices_.size);
    if (row + 1 < rows) {
        report_.setPositionDown(layout.nextTops[row]);
    } else {
        pageEnd();
    }
}

void PassPrinter::printTextCardPair(std::int32_t pair) {
    const CardRows& layout = textCardRows(choices_.size);
    const std::size_t rows = layout.limits.size();
    const int slot = slot_;
    if (pass_ == 0) {
        if (!twoColumn()) {
            textCard(Side::Q, 0, layout.limits[0], pair);
            report_.setPositionDown(layout.nextTops[0]);
            textCard(Side::A, 0, layout.limits[1], pair);
            pageEnd();
            return;
        }
        const auto row = static_cast<std::size_t>(slot - 1);
        textCard(Side::Q, 0, layout.limits[row], pair);
        textCard(Side::A, 0, layout.limits[row], pair);
        ++slot_;
        afterCardRow(row, rows);
        return;
    }
    if (!twoColumn()) {
        const auto row = static_cast<std::size_t>(slot - 1);
        textCard(pass_ == 1 ? Side::Q : Side::A, pass_, layout.limits[row], pair);
        ++slot_;
        afterCardRow(row, rows);
        return;
    }
    // Two columns: a left card waits for its right-hand partner. Pass 1 puts questions in
    // both; pass 2 puts each answer behind its question, in the other column.
    const auto row = static_cast<std::size_t>((slot - 1) / 2);
    const bool left = slot % 2 == 1;
    const Side side = (left == (pass_ == 1)) ? Side::Q : Side::A;
    textCard(side, pass_, layout.limits[row], pair);
    ++slot_;
    if (!left) afterCardRow(row, rows);
}

void PassPrinter::loadCard(Side side, int mode, double limit, std::int32_t pair) {
    lastLimit_ = limit;
    const FontSpec& font =
        mode == 0 ? (side == Side::Q ? qFont_ : aFont_) : (mode == 1 ? qFont_ : aFont_);
    const bool question = mode == 1 || (mode == 0 && side == Side::Q);
    const std::string text = copyText(question, pair);
    useFont(font);
    const double memoWidth = twoColumn() ? 4.3 : 7.2;
    auto lines = report_.breakLines(text, report_.pixelsAcross(memoWidth));
    (side == Side::Q ? memoQ_ : memoA_) = std::move(lines);
}

void PassPrinter::textCard(Side side, int mode, double limit, std::int32_t pair) {
    loadCard(side, mode, limit, pair);
    if (twoColumn()) {
        const bool print = (side == Side::A && mode != 2) || (side == Side::Q && mode == 2);
        if (!print) return;
        printCardLines(&memoQ_, mode == 2 ? aFont_ : qFont_, &memoA_, mode == 1 ? qFont_ : aFont_);
        return;
    }
    if (side == Side::A) {
        printCardLines(&memoA_, aFont_, nullptr, aFont_);
    } else {
        printCardLines(&memoQ_, qFont_, nullptr, qFont_);
    }
}

// Line by line, one row per line; the line that reaches the card's bottom limit is its last.
void PassPrinter::printCardLines(const std::vector<std::string>* left, const FontSpec& leftFont,
                                 const std::vector<std::string>* right, const FontSpec& rightFont) {
    if (right) {
        report_.setColumns(3);
        report_.setColumnWidth(1, 4.5);
        report_.setColumnWidth(2, 1);
        report_.setColumnWidth(3, 4.5);
    } else {
        report_.setColumns(1);
        report_.setColumnWidth(1, 7.5);
    }
    report_.setGridLines(false);
    report_.setTitleRow(false);
    report_.setWrap(false);
    report_.setInnerMargin(0.1);
    report_.startTable();
    const std::size_t count = std::max(left->size(), right ? right->size() : 0);
    for (std::size_t i = 0; i < count; ++i) {
        if (i < left->size()) {
            useFont(leftFont);
            report_.putCell(1, (*left)[i]);
        }
        if (right && i < right->size()) {
            useFont(rightFont);
            report_.putCell(3, (*right)[i]);
        }
        const bool last = report_.positionDown() > lastLimit_ - report_.lineHeightInUnits();
        report_.finishRow();
        if (last) break;
    }
    memoQ_.clear();
    memoA_.clear();
}

// The last pair of an odd count still waits in its memo for a partner.
void PassPrinter::flushWaitingCard() {
    if (memoQ_.empty() && memoA_.empty()) return;
    startPendingPage();
    const int mode = pass_;
    printCardLines(&memoQ_, mode == 2 ? aFont_ : qFont_, &memoA_, mode == 1 ? qFont_ : aFont_);
}

void PassPrinter::printGraphicsPair(std::int32_t pair) {
    const auto& places = graphicsPlaces(choices_.size);
    const auto slots = static_cast<int>(choices_.size == CardSize::OneByTwo ? 2 : places.size());
    if (pass_ == 0) {
        if (choices_.size == CardSize::OneByTwo) {
            graphicsCard(true, pair, places[0]);
            graphicsCard(false, pair, places[1]);
            pageEnd();
            return;
        }
        const auto row = static_cast<std::size_t>(slot_ - 1);
        graphicsCard(true, pair, places[2 * row]);
        graphicsCard(false, pair, places[2 * row + 1]);
        if (++slot_ > slots / 2) pageEnd();
        return;
    }
    const auto index = static_cast<std::size_t>(slot_ - 1);
    if (choices_.size == CardSize::OneByTwo) {
        graphicsCard(pass_ == 1, pair, places[index]);
    } else {
        // Odd slots: question left, answer right; even slots the other way round, so that
        // every answer lies behind its question.
        const std::size_t row = index / 2;
        const bool odd = index % 2 == 0;
        const bool leftPlace = (pass_ == 1) == odd;
        graphicsCard(pass_ == 1, pair, places[2 * row + (leftPlace ? 0 : 1)]);
    }
    if (++slot_ > slots) pageEnd();
}

// Places count from the sheet's corner and the layout is centred across the sheet, so the
// backs of a two-pass job fall behind their fronts on any paper size.
void PassPrinter::graphicsCard(bool question, std::int32_t pair, const SheetRect& place) {
    const std::int32_t remembered = program_.deck.CurrentPair;
    program_.deck.CurrentPair = pair;
    const auto picture = program_.platform.printer.captureCard(question);
    program_.deck.CurrentPair = remembered;
    if (!picture) return;
    const PageMetrics m = report_.metrics();
    const double layoutWidth = choices_.size == CardSize::OneByTwo ? 8.5 : 11.0;
    const double sheetWidth = m.dpiX > 0 ? static_cast<double>(m.pageWidth) / m.dpiX : layoutWidth;
    const double shift = (sheetWidth - layoutWidth) / 2;
    report_.drawPictureOnSheet(*picture, place.left + shift, place.top, place.right + shift,
                               place.bottom);
}

}  // namespace cardwise::print_steps
