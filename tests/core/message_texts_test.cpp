// Each user-visible text that other tests compare through its builder, written out once:
// those tests pass whatever the builder says, this one fails when a text changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/drill/answer_view.h"
#include "core/editor/editor_form.h"
#include "core/media/picture_view.h"
#include "core/output/print_job.h"
#include "core/output/print_settings.h"
#include "core/shell/deck_close.h"
#include "core/study/options_dialog.h"

namespace cardwise {
namespace {

constexpr const char* kPrinterWarningTail =
    "!!!! PLEASE BE SURE THAT YOUR PRINTER WILL NOT BE HARMED BY THIS TWO-PASS OPERATION !!!! "
    "\r\n\r\n"
    "Brightmoor Cannot Be Responsible For Problems Caused By This Two-Pass Operation.  Consult "
    "Your Printer's Owner's Manual If You Have Any Doubt!"
    "\r\n\r\n"
    "Press OK To Continue With Printing Your Cards Or Cancel To Abort The Operation.";

TEST(MessageTexts, EachTextReadsAsWrittenHere) {
    struct Row {
        const char* name;
        std::string built;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"two-pass warning", twoPassWarningText(),
         std::string("The First Pass Will Print The Selected Questions In The Mode You Have "
                     "Chosen. After This Operation Is Complete, You Will Be Prompted To "
                     "Re-Insert The Pages Such That The Answers Print On The Back Of The "
                     "Questions Already Printed.  If The Q's And A's Are Being Printed As "
                     "Graphics, This Can Take QUITE A Long Time - Especially For Large "
                     "Decks/Slow Printers.\r\n\r\n") +
             kPrinterWarningTail},
        {"answer pass", answerPassText(),
         std::string("!!! STOP !!! \r\n\r\n"
                     "Don't Do Anything More Until Your Printer Finishes Printing ALL Of The "
                     "Question Pages.  THEN Take The Question Pages And Reinsert Them In Your "
                     "Printer So That The Top Of The Page Will Be The Same As It Was On The "
                     "First Pass - AND The First Sheet Fed On The Second Pass Is The First "
                     "Sheet That Was Fed On The First Pass, Etc. \r\n\r\n"
                     "ONLY After This Has Been Done Should You Then Press The OK Button "
                     "Below.\r\n\r\n") +
             kPrinterWarningTail},
        {"lenient verdict", std::string(kLenientVerdictText),
         "(Accepted Ignoring Accents, Punctuation And Blanks)"},
        {"lenient option", std::string(kLenientFillInCaption),
         "Ignore Accents And Punctuation In Fill-In-The-Blank Answers"},
        {"no printer", std::string(kNoPrinterNote),
         "No printer is set up on this computer. Print To PDF or Print Preview still work; "
         "Setup chooses a printer or a file to print to."},
        {"automatic answer", std::string(kAutomaticAnswerNote),
         "For Multiple Choice And Fill-in-the-blank Answers, The Text Is Automatically "
         "Constructed.  If You Would Like To Insert Your Own \"Header\" For This Question, "
         "Though, You May Do So By Replacing This Text."},
        {"picture error caption", std::string(kPictureErrorCaption), "Graphics File Error"},
        {"pair too large", rewriteTooLongText(10),
         "Pair 10 Would Reach The Limit Of 2100 Characters Once The .DKS File Is Renumbered, "
         "And Cardwise Could Not Open The File Again.  Nothing Was Written: The Files On Disk "
         "Were Left As They Were.  Please Shorten Pair 10 In The Editor."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.built, row.expected);
    }
}

}  // namespace
}  // namespace cardwise
