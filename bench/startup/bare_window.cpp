// The yardstick for the program's start-up: a bare Qt window that says when it is shown.
// It shows one line of text, as every real window does: without text Qt never loads its
// fonts, and the comparison would be with a window nobody could use.
#include <QApplication>
#include <QLabel>

#include "gui/app/startup_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window("Bare");
    window.setWindowTitle("Bare");
    window.resize(610, 376);
    cardwise::gui::reportFirstShow(&window);
    window.show();
    return app.exec();
}
