// Renders each page of the pair editor and the find dialog into PNG files for a person to
// look at. Not a test, not shipped.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_editor_shots OUT_DIR
#include <QApplication>
#include <QDir>
#include <QLineEdit>

#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/shell/deck_loader.h"

#include "editor_support.h"
#include "gui/editor/editor_layout.h"
#include "gui/editor/find_dialog.h"

using namespace cardwise;
using cardwise::testing::crlf;

namespace {

void save(QWidget& window, const QString& dir, const QString& name) {
    window.show();
    QApplication::processEvents();
    window.grab().save(dir + "/editor-" + name + ".png");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);

    cardwise::testing::GuiEditor d;
    d.open("spanish",
           crlf({"[Cardwise]", "Q1=<NAM>Verbs<HC1>think of food%to eat", "A1=comer",
                 "Q2=<NAM>Colours<MC1>rojo<MC2>azul<MC3>verde<BMP>sky.png%Which colour is the "
                 "sky?^(pick one)",
                 "A2=<FIB>2<HC1>like the sea<WAV>azul.wav%", "Q3=<FIB>%the house",
                 "A3=<MC1>la casa<MC2>casa", "Q4=caf\xe9", "A4=coffee",
                 "Q5=<XYZ>odd tag%a pair with a fault", "A5=answer"}),
           crlf({"[CARDWISE]", "QCurBkGndColor=  13434879", "ACurBkGndColor=  15794175",
                 "QFontColor=  8388608"}));
    d.program.deck.CurrentPair = 2;
    d.editor.EditCurrentPairClick();
    d.window.resize(kEditorMinWidth, kEditorMinHeight);
    const char* pages[] = {"question", "answer", "files", "hints"};
    for (int i = 0; i < 4; ++i) {
        d.window.form().turnTo(static_cast<gui::EditorLayout::Page>(i));
        save(d.window, out, pages[i]);
    }
    // A fill-in pair, larger.
    d.editor.BBUpClick();
    d.window.form().turnTo(gui::EditorLayout::AnswerPage);
    d.window.resize(820, 600);
    save(d.window, out, "fill-in-answer");
    d.editor.BBFindClick();
    d.window.findDialog().findChild<QLineEdit*>("EFind")->setText("casa");
    save(d.window.findDialog(), out, "find");
    std::printf("%s\n", d.window.windowTitle().toUtf8().constData());
    // A pair with a markup fault shows the warning over the pages.
    d.ui.expectBoxWhere("Unidentified Tag Encountered", Icon::Error, Buttons::Ok,
                        [](const std::string&) { return true; });
    d.editor.BBUpClick();
    d.editor.BBUpClick();
    d.window.resize(kEditorMinWidth, kEditorMinHeight);
    save(d.window, out, "fault-notice");
    // A video of the example deck, played from the associated-files page.
    {
        cardwise::testing::GuiEditor e;
        const std::string examples = std::string(CARDWISE_SOURCE_DIR) + "/examples/";
        for (const char* file : {"CRDWSE50.DKS", "flashes.avi"}) {
            std::ifstream in(examples + file, std::ios::binary);
            e.decks.write(file, std::string(std::istreambuf_iterator<char>(in), {}));
        }
        e.program.deck.QAFileName = e.decks.file("CRDWSE50.DKS");
        InitDKSFile(e.program);
        e.editor.EditCurrentPairClick();
        e.editor.BBGoToPairClick("47");
        e.window.form().turnTo(gui::EditorLayout::FilesPage);
        e.window.form().questionFiles.play->click();
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 50);
        save(e.window, out, "files-playing");
        // Video frames are not in a widget's grab: the whole screen is taken.
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "EDMP1" && top->isVisible()) {
                std::printf("video window: %s\n", top->windowTitle().toUtf8().constData());
                QProcess::execute("import", {"-window", "root", out + "/editor-video-screen.png"});
            }
        }
    }
    return 0;
}
