// Renders the drill windows for each kind of question and their answers, and the
// promotion window, into PNG files for a person to look at. Not a test, not shipped.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_drill_shots OUT_DIR
//       [--font-size PT] [--dark]     (QT_SCALE_FACTOR=1.5 for 150 %)
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTimer>

#include "look_options.h"
#include "drill_support.h"
#include "gui/drill/promotion_window.h"

using namespace cardwise;
using cardwise::testing::crlf;

namespace {

void save(QWidget* window, const QString& dir, const QString& name) {
    QApplication::processEvents();
    window->grab().save(dir + "/drill-" + name + ".png");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString out = args.size() > 1 ? args[1] : QDir::currentPath();
    QDir().mkpath(out);
    cardwise::testing::applyLookOptions(args, 2);

    cardwise::testing::GuiDrill d;
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor(90, 140, 200));
    {
        QPainter p(&picture);
        p.setBrush(QColor(250, 220, 60));
        p.drawEllipse(QPoint(230, 70), 40, 40);
        p.setBrush(QColor(40, 120, 40));
        p.drawRect(0, 170, 320, 70);
    }
    picture.save(QString::fromStdString(d.decks.file("sky.png")));

    d.open("geography",
           crlf({"[Cardwise]", "Q1=<NAM>Europe%What is the capital of France?^Think of the Seine.",
                 "A1=<HC1>It is also the largest city.%Paris",
                 "Q2=<MC1>Red<MC2>Blue<MC3>Green<MC4>Purple%What colour is a clear sky?",
                 "A2=<FIB>2%", "Q3=<FIB><HC1>It starts with R.%What is the capital of Italy?",
                 "A3=<MC1>Rome<MC2>Roma%The Eternal City",
                 "Q4=<BMP>sky.png%Which season does this picture show?", "A4=Summer"}),
           crlf({"[Cardwise]", "Numerical=  1", "NoPriority=  2", "Center=  1",
                 "QCurBkGndColor=  12632256", "ACurBkGndColor=  12648384", "AFontColor=  8388608",
                 "QFontName=Liberation Serif", "QFontSize=  14", "AFontName=Liberation Sans"}));
    QWidget* q = d.windows.questionWindow();
    QWidget* a = d.windows.answerWindow();

    save(q, out, "standard-question");
    d.controller.displayAnswer();
    d.windows.sync();
    save(a, out, "standard-answer");
    d.controller.markCorrect();
    d.windows.sync();
    save(q, out, "choice-question");
    d.controller.chooseAnswer('1');
    d.windows.sync();
    save(a, out, "choice-answer");
    d.controller.showNextQuestion();
    d.windows.sync();
    q->findChild<QLineEdit*>("EBFillIn")->setText("Rome");
    save(q, out, "fillin-question");
    d.controller.checkFillIn("Rome");
    d.windows.sync();
    save(a, out, "fillin-answer");
    // The same reply without its accent, accepted only leniently.
    d.controller.tryAgain();
    d.program.settings.LenientFillIn = 1;
    d.controller.checkFillIn("roma.");
    d.windows.sync();
    save(a, out, "fillin-answer-lenient");
    d.program.settings.LenientFillIn = 0;
    d.controller.showNextQuestion();
    d.windows.sync();
    d.ui.inputs.push_back(std::string("4"));
    d.controller.goToPair();
    d.windows.sync();
    save(q, out, "picture-question");
    if (auto* menu = q->findChild<QMenu*>("PopupMenu1")) {
        menu->popup(q->mapToGlobal(QPoint(60, 80)));
        save(menu, out, "question-menu");
        menu->close();
    }
    d.program.settings.AutoPilot = 1;
    d.controller.displayAnswer();
    d.controller.tick();
    d.windows.sync();
    save(a, out, "autopilot-answer");

    for (bool timed : {false, true}) {
        gui::PromotionWindow promotion(
            nullptr,
            "Congratulations!! This Question Has Been Promoted To The Short Term Learned Category",
            timed);
        promotion.show();
        save(&promotion, out, timed ? "promotion-timed" : "promotion");
    }
    return 0;
}
