#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace cardwise {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontStyle&) const = default;
};

// The option values of the open deck: one field per key of the setup data file, named
// after the key. Start values are those the program begins with.
struct DeckSettings {
    std::int32_t Center = 0;
    std::int32_t CheckCase = 0;
    std::int32_t QOnly = 0;
    std::int32_t NoScale = 0;
    std::int32_t SyncWin = 0;
    std::int32_t NoPriority = 1;  // the question mode, 1..4
    std::int32_t AnsFirst = 0;
    std::int32_t IncludeDisabled = 0;
    std::int32_t UseTimer = 0;
    std::int32_t Resume = 0;
    std::int32_t NumSeconds = 5;
    std::int32_t OnePass = 0;
    std::int32_t Numerical = 1;
    std::int32_t Reverse = 0;
    std::int32_t Frequency = 50;
    std::int32_t LowRange = 1;
    std::int32_t HighRange = 3;
    std::int32_t UseNamedRange = 3;  // range kind: 1 named, 2 low..high, 3 entire file
    std::string RangeName;
    std::int32_t UnFrequency = 80;
    std::int32_t PromoMessage = 0;
    std::int32_t ShortFrequency = 10;
    std::int32_t LongFrequency = 10;
    std::int32_t ShortThreshold = 2;
    std::int32_t LongAnsThreshold = 2;
    std::int32_t LongDayThreshold = 2;

    // The selector's saved RolledOver flags, per question mode (OnList/OffList,
    // InRange/OutOfRange, Unlearned/ShortTerm/LongTerm).
    std::array<std::int32_t, 2> ListRollover{0, 0};
    std::array<std::int32_t, 2> RangeRollover{0, 0};
    std::array<std::int32_t, 3> HistoryRollover{0, 0, 0};

    std::int32_t QLeft = 30, QTop = 52, QWidth = 610, QHeight = 376;
    std::int32_t ALeft = 30, ATop = 52, AWidth = 610, AHeight = 376;

    std::string QFontName = "Arial";
    std::int32_t QFontSize = 12;
    FontStyle QFontStyle{true, false, false, false};
    std::int32_t QFontColor = 0;
    std::string AFontName = "Arial";
    std::int32_t AFontSize = 12;
    FontStyle AFontStyle{true, false, false, false};
    std::int32_t AFontColor = 0;

    std::int32_t MWCurBkGndColor = 8454143;
    std::int32_t QCurBkGndColor = 12632256;
    std::int32_t ACurBkGndColor = 12632256;

    std::string GraphicsDIR;
    std::string SoundDIR;
    std::int32_t UseGraphicsDIR = 0;
    std::int32_t UseSoundDIR = 0;
    std::int32_t EnableHints = 1;
    std::int32_t EnableComments = 1;
    std::int32_t EnableTips = 1;
    std::int32_t EnableGraphics = 1;
    std::int32_t EnableAudioVideo = 1;
    std::int32_t AutoPilot = 0;
    std::int32_t AutoQTime = 5;
    std::int32_t AutoATime = 5;
    // Fill-in replies are judged without accents, punctuation and blanks as well.
    std::int32_t LenientFillIn = 0;

    // Kept in the application settings file, written by the same settings writer.
    std::string StartDIR;
    std::int32_t UseLastOpenDIR = 1;
    std::int32_t UseStartDIR = 0;

    int questionMode() const { return NoPriority; }
};

// Limits of the text settings.
inline constexpr std::size_t kFontNameMax = 31;
inline constexpr std::size_t kDirectoryMax = 256;
inline constexpr std::size_t kRangeNameMax = 20;

}  // namespace cardwise
