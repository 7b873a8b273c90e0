#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <set>
#include <string>
#include <utility>

#include "core/drill/drill_engine.h"
#include "core/drill/drill_windows_state.h"
#include "core/output/print_settings.h"
#include "core/platform/printer.h"

class QPrinter;
class QProgressDialog;
class QWidget;

namespace cardwise {
struct Program;
class DrillController;
}  // namespace cardwise

namespace cardwise::gui {

class DrillWindows;
class PrintDialog;
class QtPageDevice;
class QuestionWindow;
class AnswerWindow;

// A drill engine for taking pictures of cards: a side that could not be read is reported
// once per job, not again on the second pass.
class CaptureEngine final : public DrillEngine {
  public:
    explicit CaptureEngine(DrillEngine& engine) : engine_(engine) {}
    void forget() { failed_.clear(); }

    bool formatPairSide(Program& program, std::string_view side) override;
    void decodeMarks(std::string& text) override { engine_.decodeMarks(text); }
    bool selectNextPair(Program& program) override { return engine_.selectNextPair(program); }
    std::int32_t pairsLeftInRun(Program& program) override {
        return engine_.pairsLeftInRun(program);
    }
    void gradeCorrect(Program& program) override { engine_.gradeCorrect(program); }
    void gradeIncorrect(Program& program) override { engine_.gradeIncorrect(program); }
    std::optional<std::string> togglePriorityList(Program& program) override {
        return engine_.togglePriorityList(program);
    }
    std::optional<std::string> toggleDisabled(Program& program) override {
        return engine_.toggleDisabled(program);
    }

  private:
    DrillEngine& engine_;
    std::set<std::pair<std::int32_t, std::string>> failed_;
};

// The desktop's printing: the print dialog, the QPrinter chosen in set-up (or a PDF file),
// pictures of the drill windows and a progress dialog with Cancel for long jobs.
class QtPrinter final : public cardwise::Printer {
  public:
    QtPrinter();
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // Printing needs the program and its drill windows, which come after the platform.
    void bind(Program& program, DrillEngine& engine, DrillController& controller,
              DrillWindows* windows, QWidget* parent);

    // The next job goes to this PDF file instead of the printer (tests, the PDF button).
    void printToPdf(const QString& fileName);
    QPrinter& printer() const;
    // A printer to print to, or a file chosen for it in set-up.
    bool printerReady() const;
    PrintDialog& dialog();

    std::optional<std::string> showPrintDialog(std::string_view settings) override;
    PageDevice& pageDevice() override;
    std::optional<PagePicture> captureCard(bool question) override;
    void hideDrillWindows() override;
    void showDrillWindow() override;
    bool progress(int done, int total) override;
    void jobEnded() override;

  private:
    void preview(const PrintChoices& choices);
    QString choosePdfFile();

    mutable std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPageDevice> device_;
    NoPageDevice noDevice_;
    Program* program_ = nullptr;
    std::unique_ptr<CaptureEngine> engine_;
    DrillController* controller_ = nullptr;
    DrillWindows* windows_ = nullptr;
    QPointer<QWidget> parent_;
    std::unique_ptr<PrintDialog> dialog_;
    std::unique_ptr<QuestionWindow> questionCamera_;
    std::unique_ptr<AnswerWindow> answerCamera_;
    std::unique_ptr<QProgressDialog> progress_;
    DrillScreen hidden_ = DrillScreen::None;
    bool toPdf_ = false;
};

}  // namespace cardwise::gui
