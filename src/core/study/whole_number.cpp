#include "core/study/whole_number.h"

#include <limits>

#include "core/program.h"

namespace cardwise {

std::optional<std::int32_t> parseWholeNumber(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // One past the largest value, so that the most negative one fits too.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kLimit) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string notValidIntegerText(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::optional<std::int32_t> readNumberField(Program& program, std::string_view text) {
    std::optional<std::int32_t> value = parseWholeNumber(text);
    if (!value) program.ui().message(kAppTitle, notValidIntegerText(text), Icon::Error);
    return value;
}

}  // namespace cardwise
