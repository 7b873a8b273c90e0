#include "core/platform/colour.h"

#include <gtest/gtest.h>

namespace cardwise {
namespace {

TEST(Colour, StoredValuesReadAsWindowsColourValues) {
    struct Case {
        std::int32_t stored;
        Colour colour;
    };
    for (const Case& c : {
             Case{0, kBlack}, Case{0x0000FF, kRed}, Case{0x008000, kGreen},
             Case{12632256, Colour{192, 192, 192}},  // the drill windows' default background
             Case{8454143, Colour{255, 255, 128}},   // the main window's default background
             Case{0x123456, Colour{0x56, 0x34, 0x12}},
             Case{0x02123456, Colour{0x56, 0x34, 0x12}},  // palette-relative
         }) {
        EXPECT_EQ(Colour::fromStored(c.stored), c.colour) << c.stored;
    }
}

TEST(Colour, NamedSystemColoursTakeTheClassicScheme) {
    struct Case {
        std::uint32_t stored;
        Colour colour;
    };
    for (const Case& c : {
             Case{0x8000000F, Colour{192, 192, 192}},  // button face, older files
             Case{0xFF00000F, Colour{192, 192, 192}},  // button face, newer files
             Case{0x80000005, kWhite},                 // window background
             Case{0x80000008, kBlack},                 // window text
             Case{0x80000018, Colour{255, 255, 225}},  // tool-tip background
             Case{0x800000FF, kBlack},                 // no such system colour
         }) {
        EXPECT_EQ(Colour::fromStored(static_cast<std::int32_t>(c.stored)), c.colour) << c.stored;
    }
}

TEST(Colour, RgbColoursRoundTripThroughTheStoredValue) {
    for (std::int32_t stored : {0, 0x0000FF, 0x00FF00, 0xFF0000, 0x80FFFF, 0xFFFFFF, 0x010203}) {
        EXPECT_EQ(Colour::fromStored(stored).stored(), stored);
    }
}

}  // namespace
}  // namespace cardwise
