#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

inline constexpr std::string_view kPrintDialogCaption = "Cardwise Print";
inline constexpr std::string_view kPrintDialogNote =
    "Please Read Help Info Before Using For First Time";
inline constexpr int kPrintHelpTopic = 11;
inline constexpr std::string_view kNoPrinterNote =
    "No printer is set up on this computer. Print To PDF or Print Preview still work; "
    "Setup chooses a printer or a file to print to.";

enum class PrintStyle { TextTable = 0, TextCards = 1, GraphicsCards = 2 };
enum class PrintRange { All = 0, CurrentRange = 1, SingleSheet = 2 };
enum class CardSize { OneByTwo = 0, TwoByTwo = 1, TwoByThree = 2 };

// The dialog's choices, as PrintSettings keeps them between prints.
struct PrintChoices {
    PrintStyle style = PrintStyle::TextTable;
    PrintRange range = PrintRange::SingleSheet;
    bool twoPasses = false;
    CardSize size = CardSize::TwoByTwo;
    int marginTenths = 15;  // bottom margin of the text table
    int copies = 1;

    bool operator==(const PrintChoices&) const = default;
};

// "SRPZMMCC": style, range, card option, size, margin in tenths, copies.
std::string printSettingsText(const PrintChoices& choices);
// The choices a PrintSettings text holds; the first-print defaults for an empty or
// damaged text.
PrintChoices printChoicesFrom(std::string_view settings);

// What TFWFPrint shows and enables.
struct PrintDialogView {
    PrintChoices choices;
    std::string marginText;           // EBottomMargin, "1.5"
    std::string copiesText;           // ECopies, "1"
    bool marginEnabled = true;        // EBottomMargin and Label2
    bool cardOptionsEnabled = false;  // RGCardOptions and RGSize
    bool printEnabled = true;         // OK: there is somewhere to print to
    std::string printerNote;          // why OK is disabled; empty when it is not
};

// The dialog as it opens over PrintSettings.
PrintDialogView printDialogOpened(std::string_view settings);
// After a style click: the margin serves the table, the card groups the cards.
void applyPrintStyle(PrintDialogView& view, PrintStyle style);

// With no printer set up, OK would end in a device fault after the choices were made:
// it is disabled and the note says what still works.
void applyPrinterReady(PrintDialogView& view, bool printerReady);

// The margin field as typed: kept when it reads as 0 to 6 inches, else "1.5".
std::string checkedMarginText(std::string_view text);
// The margin field in tenths of an inch, rounded (".55" is 6); nothing when it is not a
// margin of 0 to 6 inches.
std::optional<int> marginTenthsOf(std::string_view text);
// The copies field as typed: kept when it is a whole number from 1 to 99, else "1".
std::string checkedCopiesText(std::string_view text);

// OK: the settings text the dialog leaves behind.
std::string printDialogAccepted(const PrintDialogView& view);

// The PDF file offered for a deck's job: the deck's name with ".pdf", beside the deck.
std::string pdfFileForDeck(std::string_view qaFileName);
// Where pass 1 or 2 of a job printed to a file goes ("cards.pdf" gives "cards-pass1.pdf"),
// so the answers never overwrite the questions; a one-pass job (pass 0) keeps the name.
std::string passFileName(std::string_view fileName, int pass);

}  // namespace cardwise
