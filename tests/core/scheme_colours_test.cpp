#include "core/platform/scheme_colours.h"

#include <gtest/gtest.h>

namespace cardwise {
namespace {

TEST(SchemeColours, ContrastRatioFollowsWcag) {
    EXPECT_NEAR(contrastRatio(kBlack, kWhite), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(kWhite, kBlack), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(Colour{0x77, 0x77, 0x77}, kWhite), 4.48, 0.01);
    EXPECT_NEAR(contrastRatio(kRed, kRed), 1.0, 1e-9);
}

// Every colour the program paints keeps its text readable, whatever the desktop's scheme.
TEST(SchemeColours, TextStaysReadableInLightAndDarkSchemes) {
    struct Row {
        const char* name;
        Scheme scheme;
        bool dark;
    };
    const Row rows[] = {
        {"light (Fusion)", {kWhite, kBlack, Colour{0x30, 0x8c, 0xc6}}, false},
        {"dark (Breeze Dark)",
         {Colour{0x1b, 0x1e, 0x20}, Colour{0xfc, 0xfc, 0xfc}, Colour{0x3d, 0xae, 0xe9}},
         true},
        {"dark with dark accent",
         {Colour{0x20, 0x20, 0x20}, Colour{0xe0, 0xe0, 0xe0}, Colour{0x00, 0x00, 0x80}},
         true},
        {"high contrast", {kBlack, kYellow, kGreen}, true},
        {"grey on grey (broken)",
         {Colour{0x80, 0x80, 0x80}, Colour{0x90, 0x90, 0x90}, kRed},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const SchemeColours c = schemeColours(row.scheme);
        EXPECT_EQ(isDark(row.scheme.base), row.dark);
        EXPECT_GE(contrastRatio(c.heading, row.scheme.base), kReadableContrast);
        EXPECT_GE(contrastRatio(c.text, row.scheme.base), kReadableContrast);
        for (Colour background : {c.tableHeader, c.codeBackground, c.noticeBackground}) {
            EXPECT_GE(contrastRatio(c.text, background), kReadableContrast);
        }
        // The grid stands apart from the background.
        EXPECT_NE(c.grid, row.scheme.base);
    }
}

TEST(SchemeColours, LightSchemeKeepsTheTintsAndTheAccent) {
    const Scheme light{kWhite, kBlack, Colour{0x1a, 0x3d, 0x6d}};
    const SchemeColours c = schemeColours(light);
    // A dark accent on white reads as it is; the tints are visible, not the base.
    EXPECT_EQ(c.heading, (Colour{0x1a, 0x3d, 0x6d}));
    EXPECT_NE(c.tableHeader, kWhite);
    EXPECT_NE(c.noticeBackground, kWhite);
    EXPECT_GT(c.noticeBackground.r, c.noticeBackground.b);  // yellowish
}

TEST(SchemeColours, HelpStyleSheetNamesEveryColour) {
    const SchemeColours c{.heading = Colour{0x10, 0x20, 0x30},
                          .tableHeader = Colour{0x40, 0x50, 0x60},
                          .codeBackground = Colour{0x70, 0x80, 0x90},
                          .noticeBackground = Colour{0xa0, 0xb0, 0xc0},
                          .text = Colour{0xd0, 0xe0, 0xf0},
                          .grid = kBlack};
    EXPECT_EQ(helpStyleSheet(c),
              "body { color: #d0e0f0; }\n"
              "h1, h2, h3 { color: #102030; }\n"
              "th { background-color: #405060; color: #d0e0f0; }\n"
              "pre { background-color: #708090; color: #d0e0f0; }\n"
              ".note { background-color: #a0b0c0; color: #d0e0f0; }\n");
}

}  // namespace
}  // namespace cardwise
