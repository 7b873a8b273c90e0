// The yardstick for the program's start-up: a bare Qt window that says when it is shown.
#include <QApplication>
#include <QWidget>

#include "gui/app/startup_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare");
    window.resize(610, 376);
    cardwise::gui::reportFirstShow(&window);
    window.show();
    return app.exec();
}
