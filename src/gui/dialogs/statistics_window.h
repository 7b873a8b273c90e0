#pragma once

#include <QDialog>

#include <vector>

class QLabel;

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace cardwise {
struct Program;
class DrillController;
}  // namespace cardwise

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

    // Computes every figure and the chart anew from the deck.
    void refresh();

  private:
    void finish();

    Program& program_;
    DrillController* drill_;
    QLabel* title_ = nullptr;
    std::vector<QLabel*> figures_;
    QChartView* learningChart_ = nullptr;
    QChartView* answersChart_ = nullptr;
    QChartView* categoriesChart_ = nullptr;
    bool closed_ = false;
};

}  // namespace cardwise::gui
