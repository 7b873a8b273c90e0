#pragma once

// One pass of a print job over the pairs: the pages of a table, text cards or graphics
// cards as the report engine draws them.

#include <cstdint>
#include <string>
#include <vector>

#include "core/output/print_job.h"
#include "core/output/report_engine.h"
#include "core/program.h"

namespace cardwise::print_steps {

struct SheetRect {
    double left, top, right, bottom;
};

enum class Side { Q, A };

std::string fileNameOnly(const std::string& path);

class PassPrinter {
  public:
    PassPrinter(Program& program, const PrintChoices& choices, PageDevice& device,
                const std::vector<std::int32_t>& pairs, int& done, int total)
        : program_(program),
          choices_(choices),
          report_(device, program.ui()),
          pairs_(pairs),
          done_(done),
          total_(total),
          qFont_{program.settings.QFontName, program.settings.QFontSize, false},
          aFont_{program.settings.AFontName, program.settings.AFontSize, false} {
        report_.Title = fileNameOnly(program.deck.QAFileName);
    }

    // pass: 0 for one side, else 1 or 2. False when the user cancelled or the device failed.
    bool run(int pass);

  private:
    bool twoColumn() const { return choices_.size != CardSize::OneByTwo; }
    void setUpPage();
    void pageEnd();
    void startPendingPage();
    void printTablePair(std::int32_t pair);
    void printTextCardPair(std::int32_t pair);
    void printGraphicsPair(std::int32_t pair);
    void afterCardRow(std::size_t row, std::size_t rows);
    std::string copyText(bool question, std::int32_t pair);
    void loadCard(Side side, int mode, double limit, std::int32_t pair);
    void textCard(Side side, int mode, double limit, std::int32_t pair);
    void printCardLines(const std::vector<std::string>* left, const FontSpec& leftFont,
                        const std::vector<std::string>* right, const FontSpec& rightFont);
    void flushWaitingCard();
    void graphicsCard(bool question, std::int32_t pair, const SheetRect& place);
    void useFont(const FontSpec& font) { report_.setFont(font.face, font.points); }

    Program& program_;
    const PrintChoices& choices_;
    ReportWorks report_;
    const std::vector<std::int32_t>& pairs_;
    int& done_;
    int total_;
    FontSpec qFont_;
    FontSpec aFont_;

    int pass_ = 0;
    int slot_ = 1;
    bool stop_ = false;
    bool cancelled_ = false;
    bool pageEndPending_ = false;
    double lastLimit_ = 0;
    std::vector<std::string> memoQ_;
    std::vector<std::string> memoA_;
};

}  // namespace cardwise::print_steps
