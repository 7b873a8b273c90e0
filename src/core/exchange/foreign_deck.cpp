#include "core/exchange/foreign_deck.h"

namespace cardwise {

ForeignFormat sniffFormat(std::string_view head) {
    if (head.starts_with("PK\x03\x04")) return ForeignFormat::Zip;
    if (head.starts_with(std::string_view("SQLite format 3\0", 16))) return ForeignFormat::SQLite;
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos) head.remove_prefix(first);
    if (head.starts_with("<?xml") || head.starts_with("<!DOCTYPE kvtml") ||
        head.starts_with("<kvtml")) {
        return ForeignFormat::Xml;
    }
    return ForeignFormat::Text;
}

}  // namespace cardwise
