#include "core/deck/setup_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/deck/reenable.h"
#include "core/deck/write_failure.h"
#include "core/program.h"

namespace cardwise {
namespace {

constexpr std::string_view S = kSetupSection;

// NoPriority read with this default means the file holds no settings block.
constexpr std::int32_t kNoSettingsBlock = 5;

constexpr int kSwitchWidth = 3;
constexpr int kWindowWidth = 4;
constexpr int kColorWidth = 10;
constexpr int kDateWidth = 8;

constexpr std::string_view kDataError = "Data Error";
constexpr std::string_view kOptionsDataError = "Options Data Error";

// A number right-aligned in `width` with leading blanks; never cut when it is wider.
std::string rightAligned(std::int64_t value, int width) {
    std::string digits = std::to_string(value);
    if (digits.size() >= static_cast<std::size_t>(width)) return digits;
    return std::string(static_cast<std::size_t>(width) - digits.size(), ' ') + digits;
}

std::string cutTo(std::string text, std::size_t limit) {
    if (text.size() > limit) text.resize(limit);
    return text;
}

std::int32_t clamp16(std::int32_t value) {
    return std::clamp<std::int32_t>(value, std::numeric_limits<std::int16_t>::min(),
                                    std::numeric_limits<std::int16_t>::max());
}

// The stored LastDayUsed when it is a plain number from 19960801 up to today.
std::optional<std::int32_t> validStoredDate(const Profile& file, std::int32_t today) {
    std::string text = file.readString(S, "LastDayUsed", "1");
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::int32_t date = parseProfileInt(text);
    if (date < kEarliestDate || date > today) return std::nullopt;
    return date;
}

bool isAbsolutePath(std::string_view path) {
    if (!path.empty() && (path.front() == '/' || path.front() == '\\')) return true;
    return path.size() >= 2 && path[1] == ':';
}

// Directories are judged from the deck's folder, which stands in for the current directory;
// a trailing separator (the options dialog adds one) does not count.
bool directoryExists(Program& program, std::string_view directory) {
    while (directory.size() > 1 && (directory.back() == '\\' || directory.back() == '/')) {
        directory.remove_suffix(1);
    }
    if (directory.empty()) return false;
    std::string path(directory);
    if (!isAbsolutePath(path) && !program.currentDirectory.empty()) {
        path = joinPath(program.currentDirectory, path);
    }
    return program.files().directoryExists(path);
}

std::array<std::int32_t, 3> rolloverToWrite(const DeckSettings& s) {
    switch (s.NoPriority) {
        case 2:
            return {s.ListRollover[0], s.ListRollover[1], 0};
        case 3:
            return {s.RangeRollover[0], s.RangeRollover[1], 0};
        default:
            return s.HistoryRollover;
    }
}

// The settings block in table order. Existing keys are replaced in place, new keys go where
// the profile's placement rule puts them.
void writeSettingsBlock(Program& program, Profile& file) {
    const DeckSettings& s = program.settings;
    const DeckState& deck = program.deck;
    auto number = [&](std::string_view key, std::int64_t value, int width) {
        file.writeString(S, key, rightAligned(value, width));
    };
    auto text = [&](std::string_view key, std::string_view value) {
        file.writeString(S, key, oneLine(value));
    };
    auto sw = [&](std::string_view key, std::int64_t value) { number(key, value, kSwitchWidth); };

    sw("Center", s.Center);
    sw("CheckCase", s.CheckCase);
    sw("QOnly", s.QOnly);
    sw("NoScale", s.NoScale);
    sw("SyncWin", s.SyncWin);
    sw("NoPriority", s.NoPriority);
    sw("AnsFirst", s.AnsFirst);
    sw("IncludeDisabled", s.IncludeDisabled);
    sw("UseTimer", s.UseTimer);
    sw("Resume", s.Resume);
    sw("NumSeconds", s.NumSeconds);
    sw("OnePass", s.OnePass);
    sw("Numerical", s.Numerical);
    sw("Reverse", s.Reverse);
    sw("Frequency", s.Frequency);
    sw("LowRange", s.LowRange);
    sw("HighRange", s.HighRange);
    sw("UseNamedRange", s.UseNamedRange);
    text("RangeName", s.RangeName);
    sw("UnFrequency", s.UnFrequency);
    sw("PromoMessage", s.PromoMessage);
    sw("ShortFrequency", s.ShortFrequency);
    sw("LongFrequency", s.LongFrequency);
    sw("ShortThreshold", s.ShortThreshold);
    sw("LongAnsThreshold", s.LongAnsThreshold);
    sw("LongDayThreshold", s.LongDayThreshold);

    // Only the written values follow the mode; the history mode's flags stay in memory.
    const auto rollover = rolloverToWrite(s);
    sw("UnlearnedRollover", rollover[0]);
    sw("STLearnedRollover", rollover[1]);
    sw("LTLearnedRollover", rollover[2]);

    const ScreenSize screen = program.ui().screenSize();
    auto window = [&](char prefix, std::int32_t left, std::int32_t top, std::int32_t width,
                      std::int32_t height) {
        const std::string p(1, prefix);
        number(p + "Left", std::max(left, 0), kWindowWidth);
        number(p + "Top", std::max(top, 0), kWindowWidth);
        number(p + "Width", std::min(width, screen.width), kWindowWidth);
        number(p + "Height", std::min(height, screen.height), kWindowWidth);
    };
    window('Q', s.QLeft, s.QTop, s.QWidth, s.QHeight);
    window('A', s.ALeft, s.ATop, s.AWidth, s.AHeight);

    text("QFontName", s.QFontName);
    number("QFontSize", s.QFontSize, kWindowWidth);
    text("QFontStyle", encodeFontStyle(s.QFontStyle));
    number("QFontColor", s.QFontColor, kColorWidth);
    text("AFontName", s.AFontName);
    number("AFontSize", s.AFontSize, kWindowWidth);
    text("AFontStyle", encodeFontStyle(s.AFontStyle));
    number("AFontColor", s.AFontColor, kColorWidth);

    number("MWCurBkGndColor", s.MWCurBkGndColor, kColorWidth);
    number("QCurBkGndColor", s.QCurBkGndColor, kColorWidth);
    number("ACurBkGndColor", s.ACurBkGndColor, kColorWidth);

    text("GraphicsDIR", s.GraphicsDIR);
    text("SoundDIR", s.SoundDIR);
    sw("UseGraphicsDIR", s.UseGraphicsDIR);
    sw("UseSoundDIR", s.UseSoundDIR);
    sw("EnableHints", s.EnableHints);
    sw("EnableComments", s.EnableComments);
    sw("EnableTips", s.EnableTips);
    sw("EnableGraphics", s.EnableGraphics);
    sw("EnableAudioVideo", s.EnableAudioVideo);
    sw("AutoPilot", s.AutoPilot);
    sw("AutoQTime", s.AutoQTime);
    sw("AutoATime", s.AutoATime);

    // A date never taken from a file (a first write) starts as today.
    const bool knownDate = deck.LastDayUsed >= kEarliestDate && deck.LastDayUsed <= deck.Today;
    number("LastDayUsed", knownDate ? deck.LastDayUsed : deck.Today, kDateWidth);
}

bool writeDirectorySettings(Program& program) {
    const DeckSettings& s = program.settings;
    Profile& app = program.appSettings.edit();
    app.writeString(S, "StartDIR", oneLine(s.StartDIR));
    app.writeString(S, "UseLastOpenDIR", std::to_string(s.UseLastOpenDIR));
    app.writeString(S, "UseStartDIR", std::to_string(s.UseStartDIR));
    return reportIfFailed(program.ui(), program.appSettings.path(), program.appSettings.flush());
}

void readSettings(Program& program, const Profile& file) {
    DeckSettings& s = program.settings;
    auto number = [&](std::string_view key, std::int32_t fallback) {
        return file.readInt(S, key, fallback);
    };
    auto sw16 = [&](std::string_view key, std::int32_t fallback) {
        return clamp16(number(key, fallback));
    };
    auto text = [&](std::string_view key, std::string_view fallback, std::size_t limit) {
        return cutTo(file.readString(S, key, fallback), limit);
    };

    s.Center = sw16("Center", 0);
    s.CheckCase = sw16("CheckCase", 0);
    s.QOnly = sw16("QOnly", 0);
    s.NoScale = sw16("NoScale", 0);
    s.SyncWin = sw16("SyncWin", 0);
    s.NoPriority = sw16("NoPriority", 1);
    s.AnsFirst = sw16("AnsFirst", 0);
    s.IncludeDisabled = sw16("IncludeDisabled", 0);
    s.UseTimer = sw16("UseTimer", 0);
    s.Resume = sw16("Resume", 0);
    s.NumSeconds = number("NumSeconds", 5);
    s.OnePass = sw16("OnePass", 0);
    s.Numerical = sw16("Numerical", 1);
    s.Reverse = sw16("Reverse", 0);
    s.Frequency = number("Frequency", 50);
    s.LowRange = number("LowRange", 1);
    s.HighRange = number("HighRange", 3);
    s.UseNamedRange = number("UseNamedRange", 0);
    s.RangeName = text("RangeName", "1", kRangeNameMax);
    s.UnFrequency = number("UnFrequency", 80);
    s.PromoMessage = number("PromoMessage", 0);
    s.ShortFrequency = number("ShortFrequency", 10);
    s.LongFrequency = number("LongFrequency", 10);
    s.ShortThreshold = number("ShortThreshold", 2);
    s.LongAnsThreshold = number("LongAnsThreshold", 2);
    s.LongDayThreshold = number("LongDayThreshold", 2);
    const std::array<std::int32_t, 3> rollover{number("UnlearnedRollover", 0),
                                               number("STLearnedRollover", 0),
                                               number("LTLearnedRollover", 0)};
    s.QLeft = number("QLeft", 30);
    s.QTop = number("QTop", 52);
    s.QWidth = number("QWidth", 610);
    s.QHeight = number("QHeight", 376);
    s.ALeft = number("ALeft", 30);
    s.ATop = number("ATop", 52);
    s.AWidth = number("AWidth", 610);
    s.AHeight = number("AHeight", 376);
    // Fonts, colours and LastDayUsed are taken over only from a valid file (takeOver).
    s.GraphicsDIR = text("GraphicsDIR", "1", kDirectoryMax);
    s.SoundDIR = text("SoundDIR", "1", kDirectoryMax);
    s.UseGraphicsDIR = number("UseGraphicsDIR", 0);
    s.UseSoundDIR = number("UseSoundDIR", 0);
    s.EnableHints = number("EnableHints", 1);
    s.EnableComments = number("EnableComments", 1);
    s.EnableTips = number("EnableTips", 1);
    s.EnableGraphics = number("EnableGraphics", 1);
    s.EnableAudioVideo = number("EnableAudioVideo", 1);
    s.AutoPilot = number("AutoPilot", 0);
    s.AutoQTime = number("AutoQTime", 5);
    s.AutoATime = number("AutoATime", 5);

    // Keys of older files.
    if (s.NoPriority == 0) {
        if (number("UseList", 0) == 1) {
            s.NoPriority = 2;
        } else if (number("UseRange", 0) == 1) {
            s.NoPriority = 3;
        } else if (number("UseHistory", 0) == 1) {
            s.NoPriority = 4;
        } else {
            s.NoPriority = 1;
        }
    }
    // A mode the selector does not know would leave it without any class to draw from.
    if (s.NoPriority < 1 || s.NoPriority > 4) s.NoPriority = 1;
    if (s.UseNamedRange == 0) s.UseNamedRange = number("UseEntireFile", 0) == 1 ? 3 : 2;

    s.HistoryRollover = rollover;
    if (s.NoPriority == 2) s.ListRollover = {rollover[0], rollover[1]};
    if (s.NoPriority == 3) s.RangeRollover = {rollover[0], rollover[1]};
}

void readDirectorySettings(Program& program) {
    DeckSettings& s = program.settings;
    const Profile& app = program.appSettings.read();
    s.StartDIR = cutTo(app.readString(S, "StartDIR", ""), kDirectoryMax);
    s.UseLastOpenDIR = app.readInt(S, "UseLastOpenDIR", 1);
    s.UseStartDIR = app.readInt(S, "UseStartDIR", 0);
}

void takeOverFont(const Profile& file, char prefix, std::string& name, std::int32_t& size,
                  FontStyle& style, std::int32_t& color) {
    const std::string p(1, prefix);
    std::string stored = file.readString(S, p + "FontName", "A");
    // "A" is the missing key; an empty name would give no usable font either.
    if (stored == "A" || stored.empty()) {
        name = "Arial";
        size = 12;
        style = FontStyle{true, false, false, false};
        color = 0;
        return;
    }
    name = cutTo(std::move(stored), kFontNameMax);
    size = file.readInt(S, p + "FontSize", 12);
    style = decodeFontStyle(file.readString(S, p + "FontStyle", "1"));
    color = file.readInt(S, p + "FontColor", 1);
}

void takeOver(Program& program, const Profile& file) {
    DeckSettings& s = program.settings;
    DeckState& deck = program.deck;
    deck.LastDayUsed = validStoredDate(file, deck.Today).value_or(deck.Today);
    s.MWCurBkGndColor = file.readInt(S, "MWCurBkGndColor", 1);
    s.QCurBkGndColor = file.readInt(S, "QCurBkGndColor", 1);
    s.ACurBkGndColor = file.readInt(S, "ACurBkGndColor", 1);
    takeOverFont(file, 'Q', s.QFontName, s.QFontSize, s.QFontStyle, s.QFontColor);
    takeOverFont(file, 'A', s.AFontName, s.AFontSize, s.AFontStyle, s.AFontColor);
}

}  // namespace

std::string encodeFontStyle(const FontStyle& style) {
    std::string out;
    if (style.bold) out += "[fsBold]";
    if (style.italic) out += "[fsItalic]";
    if (style.underline) out += "[fsUnderline]";
    if (style.strikeOut) out += "[fsStrikeOut]";
    return out;
}

FontStyle decodeFontStyle(std::string_view text) {
    auto has = [&](std::string_view word) { return text.find(word) != std::string_view::npos; };
    return FontStyle{has("fsBold"), has("fsItalic"), has("fsUnderline"), has("fsStrikeOut")};
}

namespace {

// The settings block for a file that has none: the current settings, except that keys the
// file already holds (a hand-made file with Resume=1, say) keep their values.
Profile blockKeepingPresentKeys(Program& program, const Profile& file) {
    Profile block;
    writeSettingsBlock(program, block);
    for (const auto& line : block.lines()) {
        const std::size_t eq = line.text.find('=');
        if (eq == std::string::npos) continue;  // the section line
        const std::string key = line.text.substr(0, eq);
        if (file.hasKey(S, key)) block.writeString(S, key, file.readString(S, key, ""));
    }
    return block;
}

// Writes the block's keys into the setup data file, replacing those it holds.
bool writeBlock(Program& program, const Profile& block, bool flush) {
    Profile& file = program.setupFile.edit();
    // Keys new to the file must not land among or after the status lines.
    file.setNewKeysBefore(isStatusLine);
    // A file holding only status lines: the section goes first so that the keys land ahead
    // of the status lines.
    if (!file.hasSection(S)) file.assign("[" + std::string(S) + "]\r\n" + file.bytes());
    for (const auto& line : block.lines()) {
        const std::size_t eq = line.text.find('=');
        if (eq == std::string::npos) continue;
        file.writeString(S, std::string_view(line.text).substr(0, eq),
                         std::string_view(line.text).substr(eq + 1));
    }
    bool ok = writeDirectorySettings(program);
    if (flush) {
        ok =
            reportIfFailed(program.ui(), program.setupFile.path(), program.setupFile.flush()) && ok;
    }
    return ok;
}

}  // namespace

void ReadSetUp(Program& program) {
    const Profile* source = &program.setupFile.read();
    Profile unwritten;
    if (source->readInt(S, "NoPriority", kNoSettingsBlock) == kNoSettingsBlock) {
        Profile block = blockKeepingPresentKeys(program, *source);
        if (program.deck.ReadOnlyDeck) {
            // Nothing may be written: read what the block would have held. A failed write
            // below likewise leaves the block in memory, so the reading happens once.
            unwritten = std::move(block);
            source = &unwritten;
        } else {
            writeBlock(program, block, true);
        }
    }
    {
        WaitCursor wait(program.ui());
        readSettings(program, *source);
        readDirectorySettings(program);
    }
    // Outside the wait cursor: the validation may show boxes.
    const int result = CheckSetUp(program);
    program.deck.LoadOutcome = static_cast<std::int16_t>(result);
    if (result == kSetUpValid) takeOver(program, *source);
}

bool WriteSetUp(Program& program, bool flush) {
    if (program.deck.ReadOnlyDeck) return true;
    Profile block;
    writeSettingsBlock(program, block);
    return writeBlock(program, block, flush);
}

int CheckSetUp(Program& program) {
    DeckSettings& s = program.settings;
    DeckState& deck = program.deck;
    UserInterface& ui = program.ui();

    if (deck.PairCount < 1) return kSetUpNoPairs;

    int result = kSetUpValid;
    auto fail = [&](std::string_view caption, std::string_view text) {
        ui.message(caption, text, Icon::Warning);
        result = kSetUpInvalid;
    };
    auto valid = [&] { return result == kSetUpValid; };
    auto outside = [](std::int32_t value, std::int32_t low, std::int32_t high) {
        return value < low || value > high;
    };

    if (outside(s.NumSeconds, 1, 60)) {
        fail(kDataError,
             "Error In Display Answer After Value - Must Be An Integer Between 1 and 60 - Please "
             "Re-enter");
    }
    if (valid() && s.LowRange < 1) {
        fail(kDataError, "Error In Low Range Value - Must Be A Positive Integer - Please Re-enter");
    }
    if (valid() && outside(s.Frequency, 0, 100)) {
        fail(kDataError,
             "Error In Frequency Value - Must Be An Integer Between 0 And 100 - Please Re-enter");
    }
    if (valid()) {
        if (s.LowRange >= s.HighRange) {
            fail(kDataError,
                 "Error In Range Value(s) - Low Range Must Be Less Than High Range - Please "
                 "Re-enter");
        }
        if (s.HighRange > deck.PairCount) {
            fail(kDataError,
                 "Error In High Range Value - High Range Must Be <=  Highest Q/A Pair Number - "
                 "Please Re-enter");
        }
    }
    if (valid()) {
        const std::int64_t last = std::min<std::int64_t>(
            deck.PairCount, static_cast<std::int64_t>(deck.ListFlags.size()) - 1);
        bool anyEnabled = last < 1;  // no learning state to judge yet
        for (std::int64_t p = 1; p <= last && !anyEnabled; ++p) {
            const std::int32_t flags = deck.ListFlags.at(static_cast<std::size_t>(p));
            anyEnabled = flags == 0 || flags == kOnListFlag;
        }
        if (!anyEnabled) {
            ui.message("No Enabled Questions",
                       "There Are Now No Enabled Questions - All Questions Will Be Re-enabled",
                       Icon::Warning);
            ReEnableAllPairs(program);
        }
    }
    if (valid() && outside(s.UnFrequency, 0, 100)) {
        fail(kDataError,
             "Unlearned Frequency Value Must Be An Integer Between 0 And 100 - Please Re-enter");
    }
    if (valid() && outside(s.ShortFrequency, 0, 100)) {
        fail(kDataError,
             "Short Term Frequency Value Must Be An Integer Between 0 And 100 - Please Re-enter");
    }
    if (valid() && outside(s.LongFrequency, 0, 100)) {
        fail(kDataError,
             "Long Term Frequency Value Must Be An Integer Between 0 And 100 - Please Re-enter");
    }
    if (valid() && std::int64_t{s.UnFrequency} + s.ShortFrequency + s.LongFrequency != 100) {
        fail(kDataError, "Frequency Values Must Add Up To 100 - Please Re-enter");
    }
    if (valid() && outside(s.ShortThreshold, 1, 9)) {
        fail(kDataError,
             "Unlearned To Short Term Promotion Value Must Be An Integer Between 1 And 9 - Please "
             "Re-enter");
    }
    if (valid() && outside(s.LongAnsThreshold, 1, 9)) {
        fail(kDataError,
             "Short Term To Long Term Promotion Value Must Be An Integer Between 1 And 9 - Please "
             "Re-enter");
    }
    if (valid() && outside(s.LongDayThreshold, 1, 9)) {
        fail(kDataError,
             "Number Of Days Threshold Value Must Be An Integer Between 1 And 9 - Please "
             "Re-enter");
    }
    if (valid() && !validStoredDate(program.setupFile.read(), deck.Today)) {
        deck.LastDayUsed = deck.Today;
        if (!deck.ReadOnlyDeck) {
            program.setupFile.edit().writeString(S, "LastDayUsed",
                                                 rightAligned(deck.Today, kDateWidth));
            reportIfFailed(ui, program.setupFile.path(), program.setupFile.flush());
        }
    }
    if (valid()) {
        if (s.UseStartDIR == 1 && !directoryExists(program, s.StartDIR)) {
            ui.message(kOptionsDataError,
                       "The Directory Specified For .DKS Files Does Not Exist - The Last Open "
                       ".DKS Directory Will Be Used.",
                       Icon::Warning);
            s.UseStartDIR = 0;
            s.UseLastOpenDIR = 1;
        }
        if (s.UseGraphicsDIR == 1 && !directoryExists(program, s.GraphicsDIR)) {
            fail(kOptionsDataError, "The Directory Specified For Graphics Files Does Not Exist.");
        }
        if (s.UseSoundDIR == 1 && !directoryExists(program, s.SoundDIR)) {
            fail(kOptionsDataError,
                 "The Directory Specified For Audio & Video Files Does Not Exist.");
        }
    }
    if (valid() && s.NoPriority == 4) {
        if (s.QOnly == 1) {
            fail(kOptionsDataError,
                 "Question Only Cannot Be Used When In Priority Questions From History Mode.");
        }
        if (s.AutoPilot == 1) {
            fail(kOptionsDataError,
                 "The AutoPilot Cannot Be Used When In Priority Questions From History Mode.");
        }
    }
    return result;
}

}  // namespace cardwise
