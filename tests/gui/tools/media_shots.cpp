// Renders a question with a fitted picture, the zoom window, the picture viewer and a
// question playing a video into PNG files for a person to look at. Not a test, not shipped.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_media_shots OUT_DIR
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include "drill_support.h"
#include "gui/media/picture_viewer.h"
#include "gui/media/picture_widget.h"
#include "gui/media/zoom_window.h"

using namespace cardwise;
using cardwise::testing::crlf;

namespace {

void save(QWidget* window, const QString& dir, const QString& name) {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    window->grab().save(dir + "/media-" + name + ".png");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);

    cardwise::testing::GuiDrill d;
    for (const char* name : {"ireland.pcx", "austria.wmf", "italy.jpg", "flashes.avi"}) {
        QFile::copy(QString(CARDWISE_SOURCE_DIR "/examples/") + name,
                    QString::fromStdString(d.decks.file(name)));
    }
    d.open("flags",
           crlf({"[Cardwise]", "Q1=<BMP>ireland.pcx%Which country's flag is this?",
                 "A1=<BMP>austria.wmf%Ireland; and this one is Austria.", "Q2=Next?", "A2=Yes",
                 "Q3=Last?", "A3=Yes"}),
           crlf({"[Cardwise]", "Numerical=  1"}));
    QWidget* q = d.windows.questionWindow();
    q->show();
    save(q, out, "fitted-question");
    save(d.windows.answerWindow(), out, "unused");  // warms up the style
    QFile::remove(out + "/media-unused.png");

    d.controller.displayAnswer();
    d.windows.sync();
    save(d.windows.answerWindow(), out, "fitted-answer");

    auto* image = d.windows.answerWindow()->findChild<gui::PictureWidget*>("image");
    d.windows.zoom().zoom(image->picture());
    save(&d.windows.zoom(), out, "zoom");
    d.windows.zoom().hide();

    d.windows.viewPicture(d.decks.file("italy.jpg"));
    d.windows.viewer().resize(500, 420);
    save(&d.windows.viewer(), out, "viewer");
    d.windows.viewer().hide();

    // A video plays in the question window's picture area.
    cardwise::testing::GuiDrill v;
    QFile::copy(QString(CARDWISE_SOURCE_DIR "/examples/flashes.avi"),
                QString::fromStdString(v.decks.file("flashes.avi")));
    v.open("video",
           crlf({"[Cardwise]", "Q1=<WAV>flashes.avi%How many flashes?", "A1=3", "Q2=Next?",
                 "A2=Yes", "Q3=Last?", "A3=Yes"}),
           crlf({"[Cardwise]", "Numerical=  1"}));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2100) QApplication::processEvents(QEventLoop::AllEvents, 50);
    save(v.windows.questionWindow(), out, "video-question");
    return 0;
}
