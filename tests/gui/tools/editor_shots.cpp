// Renders each page of the pair editor and the find dialog into PNG files for a person to
// look at. Not a test, not shipped.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_editor_shots OUT_DIR
#include <QApplication>
#include <QDir>

#include "drill_support.h"
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

    cardwise::testing::GuiDrill d;
    d.open("spanish", crlf({"[Cardwise]", "Q1=<NAM>Verbs%to eat", "A1=comer", "Q2=to drink",
                            "A2=beber", "Q3=the house", "A3=la casa"}));
    {
        gui::EditorLayout form;
        form.resize(gui::EditorLayout::kMinimumWidth, gui::EditorLayout::kMinimumHeight);
        const char* pages[] = {"question", "answer", "files", "hints"};
        for (int i = 0; i < 4; ++i) {
            form.turnTo(static_cast<gui::EditorLayout::Page>(i));
            save(form, out, pages[i]);
        }
    }
    {
        gui::FindDialog find(d.program);
        save(find, out, "find");
    }
    return 0;
}
