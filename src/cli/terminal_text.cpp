#include "cli/terminal_text.h"

namespace cardwise::cli {

std::string toTerminal(std::string_view cp1252) {
    std::string shown = displayText(cp1252);
    std::string out;
    out.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '\r') {
            out += '\n';
            if (i + 1 < shown.size() && shown[i + 1] == '\n') ++i;
            continue;
        }
        out += shown[i];
    }
    return out;
}

DeckTextConversion fromTerminal(std::string_view utf8) {
    if (!utf8.empty() && utf8.back() == '\r') utf8.remove_suffix(1);
    return utf8ToWindows1252(utf8);
}

}  // namespace cardwise::cli
