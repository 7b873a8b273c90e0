#include "core/platform/scheme_colours.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cardwise {
namespace {

double channel(std::uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Colour c) {
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

// A tint of the base that the text still reads on: as much of the tint as keeps the
// contrast, none when even a little would lose it.
Colour readableTint(Colour base, Colour tint, Colour text, double share) {
    for (; share > 0.01; share -= 0.05) {
        const Colour tinted = mix(base, tint, share);
        if (contrastRatio(tinted, text) >= kReadableContrast) return tinted;
    }
    return base;
}

// An accent drawn as text on the base: pushed toward the text colour until it reads.
Colour readableAccent(Colour accent, Colour base, Colour text) {
    for (double share = 0; share < 1.0; share += 0.05) {
        const Colour shown = mix(accent, text, share);
        if (contrastRatio(shown, base) >= kReadableContrast) return shown;
    }
    return text;
}

std::string css(Colour c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
    return buffer;
}

// The help pages' familiar light tints, kept where the scheme allows them.
constexpr Colour kHeaderTint{0x4a, 0x7a, 0xc0};
constexpr Colour kNoticeTint{0xff, 0xc8, 0x00};

}  // namespace

double contrastRatio(Colour a, Colour b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour mix(Colour a, Colour b, double share) {
    share = std::clamp(share, 0.0, 1.0);
    auto blend = [share](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::lround(x + (y - x) * share));
    };
    return Colour{blend(a.r, b.r), blend(a.g, b.g), blend(a.b, b.b)};
}

bool isDark(Colour c) {
    return luminance(c) < 0.18;
}

SchemeColours schemeColours(const Scheme& scheme) {
    // A text colour that does not read on its own base (a broken scheme) is replaced.
    Colour text = scheme.text;
    if (contrastRatio(text, scheme.base) < kReadableContrast) {
        text = isDark(scheme.base) ? kWhite : kBlack;
    }
    const double tint = isDark(scheme.base) ? 0.35 : 0.25;
    return SchemeColours{
        .heading = readableAccent(scheme.accent, scheme.base, text),
        .tableHeader = readableTint(scheme.base, kHeaderTint, text, tint),
        .codeBackground = readableTint(scheme.base, text, text, 0.06),
        .noticeBackground = readableTint(scheme.base, kNoticeTint, text, tint),
        .text = text,
        .grid = mix(scheme.base, text, 0.25),
    };
}

std::string helpStyleSheet(const SchemeColours& c) {
    return "body { color: " + css(c.text) +
           "; }\n"
           "h1, h2, h3 { color: " +
           css(c.heading) +
           "; }\n"
           "th { background-color: " +
           css(c.tableHeader) + "; color: " + css(c.text) +
           "; }\n"
           "pre { background-color: " +
           css(c.codeBackground) + "; color: " + css(c.text) +
           "; }\n"
           ".note { background-color: " +
           css(c.noticeBackground) + "; color: " + css(c.text) + "; }\n";
}

}  // namespace cardwise
