#include "core/deck/text_lines.h"

namespace cardwise {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

std::vector<std::string_view> splitLines(std::string_view bytes, std::size_t maxChars) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    // A byte-order mark left by an editor would hide the first line's kind.
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) pos = kUtf8Bom.size();
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        std::size_t next = nl == std::string_view::npos ? bytes.size() : nl + 1;
        std::string_view line =
            bytes.substr(pos, (nl == std::string_view::npos ? bytes.size() : nl) - pos);
        // A CR right before the LF (or before the end of a truncated file) is the line end.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line.substr(0, maxChars));
        pos = next;
    }
    return lines;
}

}  // namespace cardwise
