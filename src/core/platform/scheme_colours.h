#pragma once

#include <string>

#include "core/platform/colour.h"

namespace cardwise {

// The user's colour scheme as the desktop gives it: the background of text areas, their
// text, and the accent of selections and links.
struct Scheme {
    Colour base;
    Colour text;
    Colour accent;
};

// The colours the program paints itself (help pages, notices, charts), taken from the
// scheme so that text on them stays readable in light and dark schemes alike.
struct SchemeColours {
    Colour heading;           // on base
    Colour tableHeader;       // background under text
    Colour codeBackground;    // background under text
    Colour noticeBackground;  // background under text
    Colour text;
    Colour grid;  // chart grid lines and rules: visible, not loud

    bool operator==(const SchemeColours&) const = default;
};

// WCAG 2 contrast ratio of two colours, from 1 (same) to 21 (black on white).
double contrastRatio(Colour a, Colour b);
// `share` of b over a, 0 to 1.
Colour mix(Colour a, Colour b, double share);
bool isDark(Colour c);

// The contrast ratio every text colour keeps against its background (WCAG AA).
inline constexpr double kReadableContrast = 4.5;

SchemeColours schemeColours(const Scheme& scheme);

// The style sheet of the help pages: headings, table headers, examples and notes.
std::string helpStyleSheet(const SchemeColours& colours);

}  // namespace cardwise
