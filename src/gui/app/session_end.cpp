#include "gui/app/session_end.h"

#include <QApplication>
#include <QSessionManager>
#include <QThread>
#include <QWidget>

#include <cstdio>

#include "core/program.h"
#include "gui/platform/qt_text.h"
#include "gui/platform/qt_user_interface.h"

namespace cardwise::gui {
namespace {

// No command is under way: the slot was called from the main loop itself, with no box, modal
// dialog or menu open (a print walk that paints its progress shows a modal dialog).
bool atQuietPoint() {
    return QThread::currentThread()->loopLevel() <= 1 &&
           QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr;
}

// Closes what can be closed: a print walk's progress dialog cancels the walk, a dialog is
// rejected. A window that refuses (the text editor's note) ends with the event loops.
void closeModalWindows() {
    for (int tries = 0; tries < 16; ++tries) {
        QWidget* open = QApplication::activePopupWidget();
        if (open == nullptr) open = QApplication::activeModalWidget();
        if (open == nullptr || !open->close()) return;
    }
}

}  // namespace

SessionEnd::SessionEnd(Program& program, QtUserInterface& ui) : program_(program), ui_(ui) {
    if (signals_.installed()) {
        notifier_ = new QSocketNotifier(signals_.fd(), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            while (signals_.take() != 0) {
            }
            begin();
        });
    }
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { commitData(); });
}

void SessionEnd::begin() {
    if (began_) return;
    began_ = true;
    ui_.answerUnattended();
    closeModalWindows();
    // Every event loop ends, nested ones too (a box, the text editor's note), and exec()
    // of those started later returns at once.
    QCoreApplication::exit(0);
}

void SessionEnd::commitData() {
    if (began_) return;
    if (atQuietPoint()) {
        ui_.answerUnattended();
        save();
    }
    begin();
}

int SessionEnd::finish() {
    save();
    return saved_ ? 0 : 1;
}

void SessionEnd::save() {
    if (beforeSave_) beforeSave_();
    const SessionEndResult result = endSession(program_);
    saved_ = saved_ && result.saved;
    std::vector<UnshownBox> unshown = ui_.takeUnattendedBoxes();
    unshown.insert(unshown.end(), result.unshown.begin(), result.unshown.end());
    for (const UnshownBox& box : unshown) {
        std::fprintf(stderr, "cardwise: at session end, not shown: [%s] %s\n",
                     qPrintable(fromMessage(box.caption)), qPrintable(fromMessage(box.text)));
    }
}

}  // namespace cardwise::gui
