#include "core/platform/colour.h"

#include <array>

namespace cardwise {
namespace {

// The system colours of the standard Windows 95 scheme, by index (COLOR_SCROLLBAR ..
// COLOR_MENUBAR).
constexpr std::array<Colour, 31> kSystemColours{{
    {192, 192, 192}, {0, 128, 128},   {0, 0, 128},     {128, 128, 128}, {192, 192, 192},
    {255, 255, 255}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {255, 255, 255},
    {192, 192, 192}, {192, 192, 192}, {128, 128, 128}, {0, 0, 128},     {255, 255, 255},
    {192, 192, 192}, {128, 128, 128}, {128, 128, 128}, {0, 0, 0},       {192, 192, 192},
    {255, 255, 255}, {0, 0, 0},       {223, 223, 223}, {0, 0, 0},       {255, 255, 225},
    {180, 180, 180}, {0, 0, 255},     {16, 132, 208},  {181, 181, 181}, {0, 0, 128},
    {192, 192, 192},
}};

}  // namespace

Colour Colour::fromStored(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint32_t high = bits >> 24;
    if (high == 0x80 || high == 0xFF) {
        // An index past the table is no colour Windows knows; window text black is safe.
        const std::uint32_t index = bits & 0xFF;
        return index < kSystemColours.size() ? kSystemColours[index] : kBlack;
    }
    // Palette-relative values (high byte 1 or 2) and anything else keep their RGB part.
    return Colour{static_cast<std::uint8_t>(bits & 0xFF),
                  static_cast<std::uint8_t>((bits >> 8) & 0xFF),
                  static_cast<std::uint8_t>((bits >> 16) & 0xFF)};
}

}  // namespace cardwise
