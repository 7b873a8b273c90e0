// Renders every page of the options dialog, the three mode-specific dialogs and the
// statistics window into PNG files for a person to look at. Not a test, not shipped.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_dialog_shots OUT_DIR
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <string>

#include "core/shell/deck_close.h"
#include "drill_support.h"
#include "gui/dialogs/mode_windows.h"
#include "gui/dialogs/options_window.h"
#include "gui/dialogs/statistics_window.h"

using namespace cardwise;
using cardwise::testing::crlf;

namespace {

void save(QWidget& window, const QString& dir, const QString& name) {
    window.show();
    window.adjustSize();
    QApplication::processEvents();
    window.grab().save(dir + "/dialogs-" + name + ".png");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);

    cardwise::testing::GuiDrill d;
    d.open("spanish",
           crlf({"[Cardwise]", "Q1=<NAM>Verbs%to eat", "A1=comer", "Q2=<NAM>Verbs%to drink",
                 "A2=beber", "Q3=<NAM>Nouns%the house", "A3=la casa", "Q4=<NAM>Nouns%the dog",
                 "A4=el perro", "Q5=<NAM>Colours%red", "A5=rojo", "Q6=good morning",
                 "A6=buenos dias"}),
           crlf({"[CARDWISE]", "NoPriority=  2", "Numerical=  0", "UseNamedRange=  1",
                 "RangeName=Verbs", "HighRange=  6", "LastDayUsed=20261207"}));
    DeckState& deck = d.program.deck;
    const std::int32_t status[] = {0, 2, 1, 1, 0, 0, 2};
    for (std::size_t n = 1; n <= 6; ++n) {
        deck.Learning[n].LearnStatus = status[n];
        deck.Learning[n].RightToday = static_cast<std::int32_t>(n % 3);
        deck.Learning[n].WrongToday = static_cast<std::int32_t>(n % 2);
        deck.Learning[n].RightTotal = static_cast<std::int32_t>(4 * n);
        deck.Learning[n].WrongTotal = static_cast<std::int32_t>(n);
    }
    deck.Learning[2].ListFlags = 1;
    deck.Learning[4].ListFlags = 3;

    {
        gui::OptionsWindow options(d.program, &d.controller);
        const char* pages[] = {"options-colours-fonts", "options-directories", "options-pair-order",
                               "options-qa-modes", "options-view"};
        for (int i = 0; i < 5; ++i) {
            options.pages()->setCurrentIndex(i);
            save(options, out, pages[i]);
        }
        // The font dialog with the colour control beside it.
        options.pages()->setCurrentIndex(0);
        QTimer::singleShot(0, [&out] {
            if (auto* font = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                QApplication::processEvents();
                font->grab().save(out + "/dialogs-font.png");
                font->reject();
            }
        });
        if (auto* fontButton = options.findChild<QPushButton*>("BitBtnQFont")) fontButton->click();
        options.reject();
    }
    {
        gui::FrequencyWindow list(d.program, FrequencyDialog::Kind::List);
        save(list, out, "list");
    }
    {
        gui::FrequencyWindow range(d.program, FrequencyDialog::Kind::Range);
        save(range, out, "range");
    }
    {
        gui::HistoryWindow history(d.program);
        save(history, out, "history");
    }
    {
        gui::StatisticsWindow stats(d.program, &d.controller);
        save(stats, out, "statistics");
    }
    closeOpenDeck(d.program);

    // Many category names: the chart shows the largest and sums the rest.
    std::string qa = "[Cardwise]\r\n";
    int pair = 1;
    for (int name = 0; name < 60; ++name) {
        for (int k = 0; k <= (name * 7) % 9; ++k, ++pair) {
            const std::string n = std::to_string(pair);
            qa += "Q" + n + "=<NAM>Lesson " + std::to_string(name + 1) + "%question " + n + "\r\n";
            qa += "A" + n + "=answer " + n + "\r\n";
        }
    }
    d.open("lessons", qa,
           crlf({"[CARDWISE]", "NoPriority=  1", "HighRange=  " + std::to_string(pair - 1),
                 "LastDayUsed=20261207"}));
    {
        gui::StatisticsWindow stats(d.program, &d.controller);
        save(stats, out, "statistics-many-categories");
    }
    return 0;
}
