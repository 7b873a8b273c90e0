// Shows every kind of window of the program at once and waits to be ended: the AT-SPI walk
// (atspi_walk.py) reads their accessibility tree. Prints "ready" when all are up.
// For a person to look at them instead:
//   xvfb-run -a -s "-screen 0 1280x1024x24" gui_a11y_windows --shots DIR [--font-size PT]
//       [--dark]     (QT_SCALE_FACTOR=1.5 for 150 %)
// saves each window as DIR/<window>.png and ends.
#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QTimer>

#include <cstdio>

#include "look_options.h"
#include "core/shell/main_menu.h"
#include "editor_support.h"
#include "gui/app/gui_resources.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/mode_windows.h"
#include "gui/dialogs/options_window.h"
#include "gui/dialogs/statistics_window.h"
#include "gui/platform/atspi_guard.h"
#include "gui/platform/qt_help_viewer.h"

using namespace cardwise;
using cardwise::testing::crlf;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    QString shots;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--shots" && i + 1 < args.size()) shots = args[++i];
    }
    cardwise::testing::applyLookOptions(args, 1);
    gui::loadGuiResources();
    if (qEnvironmentVariableIsEmpty("CARDWISE_UNGUARDED")) gui::guardAccessibilityBridge();
    cardwise::testing::GuiEditor d;
    d.open("a11y",
           crlf({"[Cardwise]", "Q1=<NAM>Verbs<MC1>comer<MC2>beber%to eat", "A1=<FIB>1%",
                 "Q2=<NAM>Nouns%the house", "A2=la casa", "Q3=<FIB>%the dog", "A3=el perro"}),
           crlf({"[CARDWISE]", "HighRange=  3", "Numerical=  1"}));
    d.controller.displayAnswer();
    d.windows.sync();
    d.editor.EditCurrentPairClick();
    gui::OptionsWindow options(d.program, nullptr);
    options.show();
    gui::StatisticsWindow stats(d.program, nullptr);
    stats.show();
    gui::FrequencyWindow list(d.program, FrequencyDialog::Kind::List);
    list.show();
    gui::AboutBox about(aboutBox());
    about.show();
    gui::QtHelpViewer help;
    help.showContents();
    QTimer::singleShot(500, [&shots] {
        if (shots.isEmpty()) {
            std::printf("ready\n");
            std::fflush(stdout);
            return;
        }
        QDir().mkpath(shots);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && !window->objectName().isEmpty()) {
                window->grab().save(shots + "/" + window->objectName() + ".png");
            }
        }
        QApplication::quit();
    });
    return QApplication::exec();
}
