#pragma once

#include <string>
#include <vector>

#include "core/study/statistics.h"

namespace cardwise {

struct Program;
class DrillController;

// What the statistics window shows: the title, the figures and the charts' rows.
struct StatisticsView {
    std::string title;
    std::vector<StatisticsFigure> figures;
    StatisticsChart chart;
    // The per-name chart's rows, top to bottom.
    std::vector<ChartCount> categoryRows;
};

// TFStats: opening stops the drill's timers; the clear buttons change the open deck at once
// (the close saves them); closing, however the window went, gives the drill back once.
class StatisticsDialog {
  public:
    StatisticsDialog(Program& program, DrillController* drill);
    ~StatisticsDialog();
    StatisticsDialog(const StatisticsDialog&) = delete;
    StatisticsDialog& operator=(const StatisticsDialog&) = delete;

    // Every figure and chart row anew from the deck.
    StatisticsView view();
    // "Clear &Today" and "Clear &Long Term".
    void clearToday();
    void clearLongTerm();
    void close();

  private:
    Program& program_;
    DrillController* drill_;
    bool closed_ = false;
};

}  // namespace cardwise
