#include "gui/dialogs/statistics_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

#include "gui/platform/qt_scheme.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

// Object names of the figures, in the order statisticsFigures() gives them.
const char* const kFigureNames[] = {
    "LMaxNumber", "LCategories",   "LDisabled",       "LPriority",   "LUnlearned",   "LShort",
    "LLong",      "LCorrectToday", "LIncorrectToday", "LCorrectSLC", "LIncorrectSLC"};

struct FigureGroup {
    const char* title;
    std::size_t first;
    std::size_t count;
};
const FigureGroup kGroups[] = {{"Deck Information", 0, 4},
                               {"History Mode Status", 4, 3},
                               {"Correct/Incorrect Over Time", 7, 4}};

QString label(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One bar set of a chart: its values top to bottom, and which of them to draw in grey.
struct Bars {
    QString name;
    QColor colour;
    std::vector<std::int64_t> values;
    std::vector<bool> grey;
};

// A chart of horizontal bars, rows listed top to bottom: the row names sit on the left,
// where even long names and a hundred categories' worth of rows keep their room.
QChart* barChart(const QString& title, const QStringList& rows, const std::vector<Bars>& sets,
                 const QPalette& palette) {
    const SchemeColours scheme = schemeColoursOf(palette);
    const QColor text = toQColor(scheme.text);
    auto* series = new QHorizontalBarSeries;
    qreal top = 0;
    for (const Bars& bars : sets) {
        auto* set = new QBarSet(bars.name);
        set->setColor(bars.colour);
        set->setSelectedColor(QColor(150, 150, 150));
        set->setLabelColor(text);
        // The axis puts its first row at the bottom.
        for (std::size_t i = bars.values.size(); i-- > 0;) {
            const auto value = static_cast<qreal>(bars.values[i]);
            *set << value;
            if (i < bars.grey.size() && bars.grey[i]) set->selectBar(set->count() - 1);
            top = std::max(top, value);
        }
        series->append(set);
    }
    series->setBarWidth(0.7);
    series->setLabelsVisible(true);
    // Outside the bars: a short bar has no room for its number.
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->addSeries(series);
    auto* names = new QBarCategoryAxis;
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) names->append(*row);
    chart->addAxis(names, Qt::AlignLeft);
    series->attachAxis(names);
    auto* values = new QValueAxis;
    chart->addAxis(values, Qt::AlignBottom);
    series->attachAxis(values);
    // Room beyond the longest bar for its number.
    values->setRange(0, top < 4 ? 4 : top * 1.15);
    values->setLabelFormat("%d");
    values->applyNiceNumbers();
    chart->legend()->setVisible(sets.size() > 1);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    // The panels follow the desktop's scheme; the bars keep their colours.
    chart->setBackgroundBrush(palette.color(QPalette::Base));
    chart->setBackgroundPen(QPen(toQColor(scheme.grid)));
    chart->setTitleBrush(text);
    chart->legend()->setLabelColor(text);
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsBrush(text);
        axis->setLinePenColor(toQColor(scheme.grid));
        axis->setGridLineColor(toQColor(scheme.grid));
    }
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

}  // namespace

StatisticsWindow::StatisticsWindow(Program& program, DrillController* drill, QWidget* parent)
    : QDialog(parent), model_(program, drill) {
    setObjectName("TFStats");
    setWindowTitle(label(kStatisticsCaption));

    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName("Panel2");
    title_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    title_->setWordWrap(true);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    layout->addWidget(title_);

    auto* body = new QHBoxLayout;
    auto* figuresColumn = new QVBoxLayout;
    const DeckStatistics none;
    const std::vector<StatisticsFigure> captions = statisticsFigures(none);
    for (const FigureGroup& g : kGroups) {
        auto* box = new QGroupBox(label(g.title), this);
        auto* grid = new QGridLayout(box);
        for (std::size_t i = g.first; i < g.first + g.count; ++i) {
            auto* value = new QLabel(box);
            value->setObjectName(kFigureNames[i]);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            value->setMinimumWidth(60);
            const int row = static_cast<int>(i - g.first);
            grid->addWidget(new QLabel(label(captions[i].label), box), row, 0);
            grid->addWidget(value, row, 1);
            figures_.push_back(value);
        }
        figuresColumn->addWidget(box);
    }
    figuresColumn->addStretch(1);
    body->addLayout(figuresColumn);

    auto* charts = new QGridLayout;
    learningChart_ = new QChartView(this);
    learningChart_->setObjectName("LearningChart");
    answersChart_ = new QChartView(this);
    answersChart_->setObjectName("AnswersChart");
    categoriesChart_ = new QChartView(this);
    categoriesChart_->setObjectName("CategoriesChart");
    for (QChartView* view : {learningChart_, answersChart_, categoriesChart_}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(220, 150);
    }
    charts->addWidget(learningChart_, 0, 0);
    charts->addWidget(answersChart_, 1, 0);
    charts->addWidget(categoriesChart_, 0, 1, 2, 1);
    charts->setColumnStretch(0, 1);
    charts->setColumnStretch(1, 1);
    body->addLayout(charts, 1);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    auto* clearToday = new QPushButton(tr("Clear &Today"), this);
    clearToday->setObjectName("BClearToday");
    clearToday->setAutoDefault(false);
    auto* clearLongTerm = new QPushButton(tr("Clear &Long Term"), this);
    clearLongTerm->setObjectName("BClearLongTerm");
    clearLongTerm->setAutoDefault(false);
    buttons->addWidget(clearToday);
    buttons->addWidget(clearLongTerm);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(clearToday, &QPushButton::clicked, this, [this] {
        model_.clearToday();
        refresh();
    });
    connect(clearLongTerm, &QPushButton::clicked, this, [this] {
        model_.clearLongTerm();
        refresh();
    });
    refresh();
}

void StatisticsWindow::refresh() {
    const StatisticsView view = model_.view();
    title_->setText(fromMessage(view.title));
    for (std::size_t i = 0; i < view.figures.size() && i < figures_.size(); ++i) {
        figures_[i]->setText(QString::number(view.figures[i].value));
    }

    const StatisticsChart& chart = view.chart;
    const QColor blue(70, 130, 180);
    Bars pairs{tr("Pairs"), blue, {}, {}};
    QStringList learning;
    for (const ChartCount& c : chart.learning) {
        pairs.values.push_back(c.value);
        learning << label(c.label);
    }
    QChart* old = learningChart_->chart();
    learningChart_->setChart(
        barChart(tr("Pairs Per Learning Category"), learning, {pairs}, palette()));
    delete old;

    const Bars right{
        tr("Correct"), QColor(0, 128, 0), {chart.rightToday.value, chart.rightLongTerm.value}, {}};
    const Bars wrong{tr("Incorrect"),
                     QColor(200, 0, 0),
                     {chart.wrongToday.value, chart.wrongLongTerm.value},
                     {}};
    old = answersChart_->chart();
    answersChart_->setChart(barChart(tr("Answers"), {tr("Today"), tr("Since Last Cleared")},
                                     {right, wrong}, palette()));
    delete old;

    Bars perName{tr("Pairs"), blue, {}, {}};
    QStringList names;
    for (const ChartCount& row : view.categoryRows) {
        perName.values.push_back(row.value);
        // Rows standing for several names or for none stand apart in grey.
        perName.grey.push_back(row.grouped);
        names << fromDeckText(row.label);
    }
    old = categoriesChart_->chart();
    categoriesChart_->setChart(barChart(tr("Pairs Per Category"), names, {perName}, palette()));
    delete old;
}

StatisticsWindow::~StatisticsWindow() {
    model_.close();
}

void StatisticsWindow::done(int result) {
    QDialog::done(result);
    model_.close();
}

}  // namespace cardwise::gui
