#pragma once

#include <QDialog>

#include <vector>

#include "core/study/statistics_dialog.h"

class QLabel;

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace cardwise::gui {

// TFStats: the deck's figures, the two clear buttons and, beside the figures, a chart of
// the pairs per learning category and per category name and of the right and wrong answers.
class StatisticsWindow : public QDialog {
    Q_OBJECT
  public:
    // The drill's timers wait while the window is open.
    StatisticsWindow(Program& program, DrillController* drill, QWidget* parent = nullptr);
    ~StatisticsWindow() override;
    void done(int result) override;

    // Shows every figure and the chart anew from the deck.
    void refresh();

  private:
    StatisticsDialog model_;
    QLabel* title_ = nullptr;
    std::vector<QLabel*> figures_;
    QChartView* learningChart_ = nullptr;
    QChartView* answersChart_ = nullptr;
    QChartView* categoriesChart_ = nullptr;
};

}  // namespace cardwise::gui
