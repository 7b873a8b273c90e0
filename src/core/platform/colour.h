#pragma once

#include <cstdint>

namespace cardwise {

// A colour as the windows show it. Settings keep colours as Windows colour values: an RGB
// value 0x00BBGGRR, or a named system colour (the high bit set, or the high byte 0xFF in
// newer files, over a system colour index) that stands for the user's scheme.
struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    // Any stored value gives a colour; a system colour takes the classic Windows scheme.
    static Colour fromStored(std::int32_t value);
    // The value the settings keep (0x00BBGGRR).
    std::int32_t stored() const { return r | (g << 8) | (b << 16); }

    bool operator==(const Colour&) const = default;
};

inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kGreen{0, 128, 0};
inline constexpr Colour kYellow{255, 255, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kBlack{0, 0, 0};

// The background and text colours of a field.
struct FieldColours {
    Colour background;
    Colour text;
    bool operator==(const FieldColours&) const = default;
};

}  // namespace cardwise
