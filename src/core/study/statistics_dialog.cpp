#include "core/study/statistics_dialog.h"

#include "core/program.h"
#include "core/study/dialog_drill.h"

namespace cardwise {

StatisticsDialog::StatisticsDialog(Program& program, DrillController* drill)
    : program_(program), drill_(drill) {
    pauseDrillForDialog(drill_);
}

StatisticsDialog::~StatisticsDialog() {
    close();
}

StatisticsView StatisticsDialog::view() {
    const DeckStatistics stats = computeStatistics(program_.deck, program_.study.categories);
    StatisticsView view;
    view.title = statisticsTitle(program_.deck);
    view.figures = statisticsFigures(stats);
    view.chart = statisticsChart(program_.deck, stats);
    view.categoryRows = categoryChartRows(view.chart);
    return view;
}

void StatisticsDialog::clearToday() {
    clearTodayCounts(program_.document);
}

void StatisticsDialog::clearLongTerm() {
    clearLongTermCounts(program_.document);
}

void StatisticsDialog::close() {
    if (closed_) return;
    closed_ = true;
    resumeDrillAfterDialog(program_, drill_);
}

}  // namespace cardwise
