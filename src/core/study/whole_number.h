#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

struct Program;

// A number field's text as a whole number: optional blanks, an optional sign and decimal
// digits. Nothing for any other text, and for numbers beyond 32 bits, which would wrap.
std::optional<std::int32_t> parseWholeNumber(std::string_view text);

// "'<text>' is not a valid integer value".
std::string notValidIntegerText(std::string_view text);

// Reads a number field; tells the user when its text is not a whole number.
std::optional<std::int32_t> readNumberField(Program& program, std::string_view text);

}  // namespace cardwise
