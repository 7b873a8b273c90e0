#include "core/output/print_job.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/drill/pair_selector.h"
#include "core/output/print_pass.h"
#include "core/program.h"
#include "core/shell/clipboard_text.h"

namespace cardwise {
namespace {

constexpr std::string_view kTwoBreaks = "\r\n\r\n";
constexpr std::string_view kHarmWarning =
    "!!!! PLEASE BE SURE THAT YOUR PRINTER WILL NOT BE HARMED BY THIS TWO-PASS OPERATION !!!! ";
constexpr std::string_view kResponsibility =
    "Brightmoor Cannot Be Responsible For Problems Caused By This Two-Pass "
    "Operation.  Consult Your Printer's Owner's Manual If You Have Any Doubt!";
constexpr std::string_view kContinueOrCancel =
    "Press OK To Continue With Printing Your Cards Or Cancel To Abort The Operation.";

// Everything a job changes, put back however it ends.
class DrillSnapshot {
  public:
    explicit DrillSnapshot(Program& program)
        : program_(program),
          settings_(program.settings),
          selector_(program.selector),
          learning_(program.deck.Learning),
          restart_(program.restart),
          hold_(program.document),
          drill_(program.drill),
          currentPair_(program.deck.CurrentPair) {}
    DrillSnapshot(const DrillSnapshot&) = delete;
    DrillSnapshot& operator=(const DrillSnapshot&) = delete;
    ~DrillSnapshot() {
        program_.settings = settings_;
        program_.selector = selector_;
        program_.deck.Learning = learning_;
        program_.restart = restart_;
        program_.drill = drill_;
        program_.deck.CurrentPair = currentPair_;
    }

  private:
    Program& program_;
    DeckSettings settings_;
    SelectorState selector_;
    std::vector<PairLearning> learning_;
    RunRestartFlags restart_;
    // The walk puts settings into the deck that no save may write.
    SaveHold hold_;
    DrillFlags drill_;
    std::int32_t currentPair_;
};

std::string warningTail() {
    std::string text;
    text += kHarmWarning;
    text += kTwoBreaks;
    text += kResponsibility;
    text += kTwoBreaks;
    text += kContinueOrCancel;
    return text;
}

}  // namespace

std::string twoPassWarningText() {
    std::string text =
        "The First Pass Will Print The Selected Questions In The Mode You Have Chosen. "
        "After This Operation Is Complete, You Will Be Prompted To Re-Insert The Pages "
        "Such That The Answers Print On The Back Of The Questions Already Printed.  "
        "If The Q's And A's Are Being Printed As Graphics, This Can Take QUITE A Long Time - "
        "Especially For Large Decks/Slow Printers.";
    text += kTwoBreaks;
    return text + warningTail();
}

std::string answerPassText() {
    std::string text = "!!! STOP !!! ";
    text += kTwoBreaks;
    text +=
        "Don't Do Anything More Until Your Printer Finishes Printing "
        "ALL Of The Question Pages.  THEN Take The Question Pages And "
        "Reinsert Them In Your Printer So That The Top Of The Page Will Be The Same As It Was "
        "On The First Pass - AND The First Sheet Fed On The Second Pass Is "
        "The First Sheet That Was Fed On The First Pass, Etc. ";
    text += kTwoBreaks;
    text += "ONLY After This Has Been Done Should You Then Press The OK Button Below.";
    text += kTwoBreaks;
    return text + warningTail();
}

std::vector<std::int32_t> pairsToPrint(const Program& program, PrintRange range) {
    std::vector<std::int32_t> pairs;
    for (std::int32_t n = 1; n <= program.deck.PairCount; ++n) {
        if (range == PrintRange::CurrentRange &&
            !(pairInRange(program, n) && pairSelectable(program, n))) {
            continue;
        }
        pairs.push_back(n);
    }
    return pairs;
}

void PrintPairsClick(Program& program) {
    Printer& printer = program.platform.printer;
    const auto settings = printer.showPrintDialog(program.PrintSettings);
    if (!settings) return;
    program.PrintSettings = *settings;
    runPrintJob(program, printChoicesFrom(*settings), printer.pageDevice());
}

void runPrintJob(Program& program, const PrintChoices& choices, PageDevice& device,
                 bool withBoxes) {
    Printer& printer = program.platform.printer;
    UserInterface& ui = program.ui();
    // A table has no back to print on.
    const bool twoPasses = choices.twoPasses && choices.style != PrintStyle::TextTable;
    const std::vector<std::int32_t> pairs = pairsToPrint(program, choices.range);
    if (pairs.empty()) return;
    if (twoPasses && withBoxes &&
        ui.messageBox(kTwoPassCaption, twoPassWarningText(), Icon::Information,
                      Buttons::OkCancel) != Button::Ok) {
        return;
    }
    {
        DrillSnapshot snapshot(program);
        program.settings.NoPriority = 1;
        program.settings.OnePass = 0;
        program.settings.Numerical = 1;
        program.settings.Reverse = 0;
        program.drill.JumpingToPair = true;
        printer.hideDrillWindows();
        const int passes = twoPasses ? 2 : 1;
        const int total = static_cast<int>(pairs.size()) * passes;
        int done = 0;
        for (int pass = twoPasses ? 1 : 0; pass <= (twoPasses ? 2 : 0); ++pass) {
            print_steps::PassPrinter printerPass(program, choices, device, pairs, done, total);
            if (!printerPass.run(pass)) break;
            if (pass == 1 && withBoxes &&
                ui.messageBox(kAnswerPassCaption, answerPassText(), Icon::Warning,
                              Buttons::OkCancel) != Button::Ok) {
                break;
            }
        }
    }
    printer.showDrillWindow();
    printer.jobEnded();
}

}  // namespace cardwise
