// The desktop session ends while a deck is drilled and edited: a real SIGTERM, through the
// program's own handler, leaves every grade and every edit on disk and asks nothing.
//
// In-process on purpose: a separate cardwise process cannot be made to grade or edit
// without synthesising input on a display, which the offscreen platform has not; here the
// real windows are driven by their buttons and the signal goes through the installed
// handler, the socket notifier and the unwinding of any open box, as in the program.
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "core/editor/editor_controller.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "gui/app/session_end.h"
#include "gui/drill/drill_windows.h"
#include "gui/editor/editor_window.h"
#include "gui/platform/qt_user_interface.h"
#include "support/fakes.h"

using namespace cardwise;
using cardwise::testing::crlf;

namespace {

// The program's windows over the real boxes of the Qt interface.
struct Desktop : NoFrontEnd {
    gui::QtUserInterface ui;
    cardwise::testing::FixedClock clock;
    cardwise::testing::SeededRandom random;
    LocalFileSystem files;
    cardwise::testing::TempDir decks;
    cardwise::testing::TempDir programFolder;
    AbsentServices absent;
    Program program{absent.platform(ui, clock, random, files)};
    CoreDrillEngine engine;
    DrillController controller{program, engine};
    gui::DrillWindows windows{program, controller};
    EditorController editor{program, controller};
    gui::QtEditorWindow editorWindow{program, editor, windows, gui::CharacterMap({}, {})};
    gui::SessionEnd sessionEnd{program, ui};

    Desktop() {
        program.programDirectory = programFolder.path();
        programFolder.write(std::string(kPortableMarkerFileName), "");
        locateAppSettings(program, std::nullopt);
        program.attachFrontEnd(*this);
        decks.write("deck.DKS", crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", "A2=dos",
                                      "Q3=three", "A3=tres", "Q4=four", "A4=cuatro"}));
        decks.write("deck.DKD", crlf({"[CARDWISE]", "Numerical=  1"}));
        program.deck.QAFileName = decks.file("deck.DKS");
        InitDKSFile(program);
    }

    void RunDKSFile() override {
        controller.start();
        windows.sync();
    }
    void closeDrillWindows() override { controller.hideWindows(); }
    void closeDeck() override { FileExitQAClick(program); }
    bool closeEditor() override { return editor.deckClosing(); }
    void returnToEditor() override { editor.returnFromRun(); }

    void press(QWidget* window, const char* name) {
        auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY2(button != nullptr && button->isVisible(), name);
        button->click();
        windows.sync();
    }
    void grade(const char* button) {
        press(windows.questionWindow(), "BBDispAns");
        press(windows.answerWindow(), button);
    }
    // Edits the current pair's question in the editor window, as typed.
    void typeQuestion(const QString& text) {
        editor.EditCurrentPairClick();
        auto* memo = editorWindow.findChild<QPlainTextEdit*>(QStringLiteral("QMemo"));
        QVERIFY(memo != nullptr);
        memo->selectAll();
        QTest::keyClicks(memo, text);
        QVERIFY(program.editor.PairDirty);
    }

    // Runs the event loop until the session end ends it: its exit status, or 2 after ten
    // seconds without one.
    int runUntilSessionEnd() {
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(2); });
        deadline.start(10000);
        const int status = QCoreApplication::exec();
        if (status != 0 || !sessionEnd.began()) return 2;
        return sessionEnd.finish();
    }

    // Right and wrong totals of a pair on disk.
    std::string totals(int pair) const {
        const std::string setup = decks.read("deck.DKD");
        const std::size_t at = setup.find("\r\nQ&A" + std::to_string(pair) + "=");
        return at == std::string::npos ? "" : setup.substr(at + 7 + 10, 9);
    }
};

void sendSigterm() {
    ::kill(::getpid(), SIGTERM);
}

}  // namespace

class SessionEndTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { QApplication::setQuitOnLastWindowClosed(false); }

    // Grades, then an editor save: change a question, Save, Close the editor; then SIGTERM.
    void gradesAndAnEditorSaveAreOnDiskAfterSigterm() {
        Desktop d;
        QVERIFY(d.sessionEnd.listening());
        QVERIFY(d.program.shell.deckOpen);
        d.grade("BBCorrect");    // pair 1
        d.grade("BBIncorrect");  // pair 2, within the save interval: pending
        QCOMPARE(d.program.deck.CurrentPair, 3);
        d.typeQuestion(QStringLiteral("three, edited"));
        d.press(&d.editorWindow, "BBSave");
        d.press(&d.editorWindow, "BBClose");
        QVERIFY(!d.editorWindow.isVisible());

        QTimer::singleShot(0, sendSigterm);
        QCOMPARE(d.runUntilSessionEnd(), 0);

        QVERIFY(!d.program.shell.deckOpen);
        QCOMPARE(d.totals(1), std::string("    1 0 0"));
        QCOMPARE(d.totals(2), std::string("    0 1 1"));
        const std::string qa = d.decks.read("deck.DKS");
        QVERIFY2(qa.find("Q3=three, edited\r\n") != std::string::npos, qa.c_str());
    }

    // The signal comes while the deck's close asks whether to save the editor's changed
    // pair, in the box's own event loop: the box goes, the pair is saved, nothing else is
    // asked.
    void aSignalWhileTheEditorAsksAboutItsEditSavesTheEdit() {
        Desktop d;
        d.grade("BBCorrect");
        d.typeQuestion(QStringLiteral("two, typed but not saved"));
        QString askedAbout;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            askedAbout = box->windowTitle();
            watch.stop();
            sendSigterm();
        });
        watch.start(10);
        // "Exit This Q&A File": the close asks Yes or No, and No would drop the edit.
        QTimer::singleShot(0, &d.editorWindow, [&d] { FileExitQAClick(d.program); });
        QCOMPARE(d.runUntilSessionEnd(), 0);

        QCOMPARE(askedAbout, QStringLiteral("Save Current Changes?"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(d.totals(1), std::string("    1 0 0"));
        const std::string qa = d.decks.read("deck.DKS");
        QVERIFY2(qa.find("Q2=two, typed but not saved\r\n") != std::string::npos, qa.c_str());
    }
};

QTEST_MAIN(SessionEndTest)
#include "session_end_test.moc"
