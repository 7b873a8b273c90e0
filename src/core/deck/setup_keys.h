#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/deck/deck_settings.h"

namespace cardwise {

// Section of the settings in the setup data file and in the application settings file.
inline constexpr std::string_view kSetupSection = "CARDWISE";

// How a key of the setup data file is held, read and written.
enum class SetupKeyKind {
    Switch,     // an integer kept within 16 bits when read
    Number,     // an integer
    Text,       // one line, cut to its limit when read
    FontStyle,  // "[fsBold]..." written, the four words looked for when read
    Rollover,   // one of the three rollover values, written by question mode
    Position,   // a window's left or top, never written below 0
    Width,      // a window's width, never written wider than the screen
    Height,     // a window's height, never written taller than the screen
    Date,       // LastDayUsed
};

struct SetupKey {
    std::string_view name;
    SetupKeyKind kind;
    std::size_t width = 0;           // integers are written right-aligned in this many characters
    std::int32_t readDefault = 0;    // what an integer key missing from the file reads as
    std::string_view textDefault{};  // what a text key missing from the file reads as
    std::size_t textLimit = 0;
    std::int32_t DeckSettings::*number = nullptr;
    std::string DeckSettings::*text = nullptr;
    FontStyle DeckSettings::*style = nullptr;
    std::size_t rollover = 0;  // Rollover: which of the three values
    // Fonts, colours and the date are taken over only from a file that passed the validation.
    bool takenOverWhenValid = false;
    // Keys the older single-file layout did not have; the loader writes them ahead of a
    // deck's older settings lines, a text key with olderLayoutText.
    bool olderLayoutLacks = false;
    std::string_view olderLayoutText{};
    // Written only when the deck uses it (a value other than readDefault) or the file had it,
    // so that a file written for a user who never turned it on keeps its usual layout.
    bool writtenWhenUsed = false;
};

namespace setup_keys {

constexpr std::size_t kSwitchWidth = 3;
constexpr std::size_t kWindowWidth = 4;
constexpr std::size_t kColorWidth = 10;
constexpr std::size_t kDateWidth = 8;

constexpr SetupKey flag(std::string_view name, std::int32_t DeckSettings::*field,
                        std::int32_t readDefault) {
    return SetupKey{.name = name,
                    .kind = SetupKeyKind::Switch,
                    .width = kSwitchWidth,
                    .readDefault = readDefault,
                    .number = field};
}

constexpr SetupKey number(std::string_view name, std::int32_t DeckSettings::*field,
                          std::int32_t readDefault, std::size_t width = kSwitchWidth) {
    return SetupKey{.name = name,
                    .kind = SetupKeyKind::Number,
                    .width = width,
                    .readDefault = readDefault,
                    .number = field};
}

constexpr SetupKey text(std::string_view name, std::string DeckSettings::*field,
                        std::string_view readDefault, std::size_t limit) {
    return SetupKey{.name = name,
                    .kind = SetupKeyKind::Text,
                    .textDefault = readDefault,
                    .textLimit = limit,
                    .text = field};
}

constexpr SetupKey rollover(std::string_view name, std::size_t index) {
    return SetupKey{
        .name = name, .kind = SetupKeyKind::Rollover, .width = kSwitchWidth, .rollover = index};
}

constexpr SetupKey window(std::string_view name, SetupKeyKind kind,
                          std::int32_t DeckSettings::*field, std::int32_t readDefault) {
    return SetupKey{.name = name,
                    .kind = kind,
                    .width = kWindowWidth,
                    .readDefault = readDefault,
                    .number = field,
                    .olderLayoutLacks = true};
}

constexpr SetupKey font(SetupKey key) {
    key.takenOverWhenValid = true;
    key.olderLayoutLacks = true;
    return key;
}

constexpr SetupKey colour(std::string_view name, std::int32_t DeckSettings::*field) {
    SetupKey key = number(name, field, 1, kColorWidth);
    key.takenOverWhenValid = true;
    return key;
}

constexpr SetupKey fontName(std::string_view name, std::string DeckSettings::*field) {
    SetupKey key = font(text(name, field, "A", kFontNameMax));
    key.olderLayoutText = "Arial";
    return key;
}

constexpr SetupKey fontStyle(std::string_view name, FontStyle DeckSettings::*field) {
    return font(SetupKey{.name = name,
                         .kind = SetupKeyKind::FontStyle,
                         .textDefault = "1",
                         .style = field,
                         .olderLayoutText = "fsBold"});
}

constexpr SetupKey rangeName() {
    SetupKey key = text("RangeName", &DeckSettings::RangeName, "1", kRangeNameMax);
    key.olderLayoutLacks = true;
    return key;
}

constexpr SetupKey lastDayUsed() {
    return SetupKey{.name = "LastDayUsed",
                    .kind = SetupKeyKind::Date,
                    .width = kDateWidth,
                    .readDefault = 1,
                    .takenOverWhenValid = true};
}

using S = DeckSettings;
using K = SetupKeyKind;

}  // namespace setup_keys

// Every key of the settings block, in the order it is written.
inline constexpr auto kSetupKeys = [] {
    using namespace setup_keys;
    return std::array{
        flag("Center", &S::Center, 0),
        flag("CheckCase", &S::CheckCase, 0),
        flag("QOnly", &S::QOnly, 0),
        flag("NoScale", &S::NoScale, 0),
        flag("SyncWin", &S::SyncWin, 0),
        flag("NoPriority", &S::NoPriority, 1),
        flag("AnsFirst", &S::AnsFirst, 0),
        flag("IncludeDisabled", &S::IncludeDisabled, 0),
        flag("UseTimer", &S::UseTimer, 0),
        flag("Resume", &S::Resume, 0),
        number("NumSeconds", &S::NumSeconds, 5),
        flag("OnePass", &S::OnePass, 0),
        flag("Numerical", &S::Numerical, 1),
        flag("Reverse", &S::Reverse, 0),
        number("Frequency", &S::Frequency, 50),
        number("LowRange", &S::LowRange, 1),
        number("HighRange", &S::HighRange, 3),
        // 0 sends the reader to the older key UseEntireFile.
        number("UseNamedRange", &S::UseNamedRange, 0),
        rangeName(),
        number("UnFrequency", &S::UnFrequency, 80),
        number("PromoMessage", &S::PromoMessage, 0),
        number("ShortFrequency", &S::ShortFrequency, 10),
        number("LongFrequency", &S::LongFrequency, 10),
        number("ShortThreshold", &S::ShortThreshold, 2),
        number("LongAnsThreshold", &S::LongAnsThreshold, 2),
        number("LongDayThreshold", &S::LongDayThreshold, 2),
        rollover("UnlearnedRollover", 0),
        rollover("STLearnedRollover", 1),
        rollover("LTLearnedRollover", 2),
        window("QLeft", K::Position, &S::QLeft, 30),
        window("QTop", K::Position, &S::QTop, 52),
        window("QWidth", K::Width, &S::QWidth, 610),
        window("QHeight", K::Height, &S::QHeight, 376),
        window("ALeft", K::Position, &S::ALeft, 30),
        window("ATop", K::Position, &S::ATop, 52),
        window("AWidth", K::Width, &S::AWidth, 610),
        window("AHeight", K::Height, &S::AHeight, 376),
        fontName("QFontName", &S::QFontName),
        font(number("QFontSize", &S::QFontSize, 12, kWindowWidth)),
        fontStyle("QFontStyle", &S::QFontStyle),
        font(number("QFontColor", &S::QFontColor, 1, kColorWidth)),
        fontName("AFontName", &S::AFontName),
        font(number("AFontSize", &S::AFontSize, 12, kWindowWidth)),
        fontStyle("AFontStyle", &S::AFontStyle),
        font(number("AFontColor", &S::AFontColor, 1, kColorWidth)),
        colour("MWCurBkGndColor", &S::MWCurBkGndColor),
        colour("QCurBkGndColor", &S::QCurBkGndColor),
        colour("ACurBkGndColor", &S::ACurBkGndColor),
        text("GraphicsDIR", &S::GraphicsDIR, "1", kDirectoryMax),
        text("SoundDIR", &S::SoundDIR, "1", kDirectoryMax),
        number("UseGraphicsDIR", &S::UseGraphicsDIR, 0),
        number("UseSoundDIR", &S::UseSoundDIR, 0),
        number("EnableHints", &S::EnableHints, 1),
        number("EnableComments", &S::EnableComments, 1),
        number("EnableTips", &S::EnableTips, 1),
        number("EnableGraphics", &S::EnableGraphics, 1),
        number("EnableAudioVideo", &S::EnableAudioVideo, 1),
        number("AutoPilot", &S::AutoPilot, 0),
        number("AutoQTime", &S::AutoQTime, 5),
        number("AutoATime", &S::AutoATime, 5),
        // Not known to older copies of the program, which leave it alone.
        [] {
            SetupKey key = flag("LenientFillIn", &S::LenientFillIn, 0);
            key.writtenWhenUsed = true;
            return key;
        }(),
        lastDayUsed(),
    };
}();

// The key of that name; a name outside the table does not compile.
consteval const SetupKey& setupKey(std::string_view name) {
    for (const SetupKey& key : kSetupKeys) {
        if (key.name == name) return key;
    }
    throw "no such setup key";
}

}  // namespace cardwise
