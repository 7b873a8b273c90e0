#include "core/output/print_settings.h"

#include <cstddef>
#include <utility>

#include "core/platform/file_system.h"

namespace cardwise {
namespace {

constexpr int kMaxMarginTenths = 60;

// The name without its last extension, and the extension without its dot.
std::pair<std::string, std::string> splitExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return {std::string(fileName), {}};
    return {std::string(fileName.substr(0, dot)), std::string(fileName.substr(dot + 1))};
}
constexpr std::string_view kDefaultMargin = "1.5";
constexpr std::string_view kDefaultCopies = "1";

bool allDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string twoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

int digitAt(std::string_view text, std::size_t i) {
    return text[i] - '0';
}

std::optional<int> copiesOf(std::string_view text) {
    if (text.empty() || text.size() > 2 || !allDigits(text)) return {};
    const int value = std::stoi(std::string(text));
    if (value < 1 || value > 99) return {};
    return value;
}

}  // namespace

std::string printSettingsText(const PrintChoices& choices) {
    std::string out;
    out += static_cast<char>('0' + static_cast<int>(choices.style));
    out += static_cast<char>('0' + static_cast<int>(choices.range));
    out += choices.twoPasses ? '1' : '0';
    out += static_cast<char>('0' + static_cast<int>(choices.size));
    out += twoDigits(choices.marginTenths);
    out += twoDigits(choices.copies);
    return out;
}

PrintChoices printChoicesFrom(std::string_view settings) {
    PrintChoices choices;
    if (settings.size() != 8 || !allDigits(settings)) return choices;
    if (digitAt(settings, 0) > 2 || digitAt(settings, 1) > 2 || digitAt(settings, 2) > 1 ||
        digitAt(settings, 3) > 2) {
        return choices;
    }
    const int margin = digitAt(settings, 4) * 10 + digitAt(settings, 5);
    const int copies = digitAt(settings, 6) * 10 + digitAt(settings, 7);
    if (margin > kMaxMarginTenths || copies < 1) return choices;
    choices.style = static_cast<PrintStyle>(digitAt(settings, 0));
    choices.range = static_cast<PrintRange>(digitAt(settings, 1));
    choices.twoPasses = digitAt(settings, 2) == 1;
    choices.size = static_cast<CardSize>(digitAt(settings, 3));
    choices.marginTenths = margin;
    choices.copies = copies;
    return choices;
}

PrintDialogView printDialogOpened(std::string_view settings) {
    PrintDialogView view;
    view.choices = printChoicesFrom(settings);
    view.marginText = std::to_string(view.choices.marginTenths / 10) + "." +
                      std::to_string(view.choices.marginTenths % 10);
    view.copiesText = std::to_string(view.choices.copies);
    applyPrintStyle(view, view.choices.style);
    return view;
}

void applyPrinterReady(PrintDialogView& view, bool printerReady) {
    view.printEnabled = printerReady;
    view.printerNote = printerReady ? std::string() : std::string(kNoPrinterNote);
}

void applyPrintStyle(PrintDialogView& view, PrintStyle style) {
    view.choices.style = style;
    view.marginEnabled = style == PrintStyle::TextTable;
    view.cardOptionsEnabled = !view.marginEnabled;
}

// A decimal in inches, rounded to tenths: a second decimal of 5 or more rounds up. An
// empty field, or a lone ".", counts as 0 while the user types.
std::optional<int> marginTenthsOf(std::string_view text) {
    const auto dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    if (!allDigits(whole) || !allDigits(fraction)) return {};
    std::size_t leading = 0;
    while (leading < whole.size() && whole[leading] == '0') ++leading;
    if (whole.size() - leading > 1) return {};
    int tenths = leading < whole.size() ? digitAt(whole, leading) * 10 : 0;
    if (!fraction.empty()) tenths += digitAt(fraction, 0);
    if (fraction.size() > 1 && digitAt(fraction, 1) >= 5) ++tenths;
    if (tenths > kMaxMarginTenths) return {};
    return tenths;
}

std::string checkedMarginText(std::string_view text) {
    return marginTenthsOf(text) ? std::string(text) : std::string(kDefaultMargin);
}

std::string checkedCopiesText(std::string_view text) {
    return copiesOf(text) ? std::string(text) : std::string(kDefaultCopies);
}

std::string printDialogAccepted(const PrintDialogView& view) {
    PrintChoices choices = view.choices;
    choices.marginTenths = marginTenthsOf(view.marginText).value_or(15);
    choices.copies = copiesOf(view.copiesText).value_or(1);
    return printSettingsText(choices);
}

std::string pdfFileForDeck(std::string_view qaFileName) {
    return joinPath(directoryOf(qaFileName), splitExtension(fileNameOf(qaFileName)).first + ".pdf");
}

std::string passFileName(std::string_view fileName, int pass) {
    if (pass <= 0) return std::string(fileName);
    auto [base, extension] = splitExtension(fileNameOf(fileName));
    if (extension.empty()) extension = "pdf";
    return joinPath(directoryOf(fileName),
                    base + "-pass" + std::to_string(pass) + "." + extension);
}

}  // namespace cardwise
