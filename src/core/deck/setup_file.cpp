#include "core/deck/setup_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/deck/deck_session.h"
#include "core/deck/load_steps.h"
#include "core/deck/reenable.h"
#include "core/deck/write_failure.h"

namespace cardwise {
namespace {

constexpr std::string_view S = kSetupSection;

// NoPriority read with this default means the file holds no settings block.
constexpr std::int32_t kNoSettingsBlock = 5;

constexpr std::string_view kDataError = "Data Error";
constexpr std::string_view kOptionsDataError = "Options Data Error";

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
    std::string text = file.readString(S, setupKey("LastDayUsed").name, "1");
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::int32_t date = parseProfileInt(text);
    if (date < kEarliestDate || date > today) return std::nullopt;
    return date;
}

// Directories are judged from the deck's folder, which stands in for the current directory;
// a trailing separator (the options dialog adds one) does not count.
bool directoryExists(DeckSession& program, std::string_view directory) {
    while (directory.size() > 1 && (directory.back() == '\\' || directory.back() == '/')) {
        directory.remove_suffix(1);
    }
    if (directory.empty()) return false;
    return program.files().directoryExists(pathFrom(program.currentDirectory, directory));
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

// The value a key is written with.
std::string valueToWrite(const SetupKey& key, DeckSession& program, const ScreenSize& screen) {
    const DeckSettings& s = program.settings;
    const DeckState& deck = program.deck;
    switch (key.kind) {
        case SetupKeyKind::Switch:
        case SetupKeyKind::Number:
            return rightAligned(s.*key.number, key.width);
        case SetupKeyKind::Text:
            return std::string(oneLine(s.*key.text));
        case SetupKeyKind::FontStyle:
            return encodeFontStyle(s.*key.style);
        case SetupKeyKind::Rollover:
            // Only the written values follow the mode; the history mode's flags stay in memory.
            return rightAligned(rolloverToWrite(s)[key.rollover], key.width);
        case SetupKeyKind::Position:
            return rightAligned(std::max(s.*key.number, 0), key.width);
        case SetupKeyKind::Width:
            return rightAligned(std::min(s.*key.number, screen.width), key.width);
        case SetupKeyKind::Height:
            return rightAligned(std::min(s.*key.number, screen.height), key.width);
        case SetupKeyKind::Date: {
            // A date never taken from a file (a first write) starts as today.
            const bool known = deck.LastDayUsed >= kEarliestDate && deck.LastDayUsed <= deck.Today;
            return rightAligned(known ? deck.LastDayUsed : deck.Today, key.width);
        }
    }
    return {};
}

bool writeDirectorySettings(DeckSession& program) {
    const DeckSettings& s = program.settings;
    Profile& app = program.appSettings.edit();
    app.writeString(S, "StartDIR", oneLine(s.StartDIR));
    app.writeString(S, "UseLastOpenDIR", std::to_string(s.UseLastOpenDIR));
    app.writeString(S, "UseStartDIR", std::to_string(s.UseStartDIR));
    if (program.document.deferringSettings()) {
        program.document.settingsOwed = true;
        return true;
    }
    return reportIfFailed(program.ui(), program.appSettings.path(), program.appSettings.flush());
}

// Reads one key into the settings; rollover collects the three rollover values.
void readKey(const SetupKey& key, const Profile& file, DeckSettings& s,
             std::array<std::int32_t, 3>& rollover) {
    switch (key.kind) {
        case SetupKeyKind::Switch:
            s.*key.number = clamp16(file.readInt(S, key.name, key.readDefault));
            break;
        case SetupKeyKind::Number:
        case SetupKeyKind::Position:
        case SetupKeyKind::Width:
        case SetupKeyKind::Height:
            s.*key.number = file.readInt(S, key.name, key.readDefault);
            break;
        case SetupKeyKind::Text:
            s.*key.text = cutTo(file.readString(S, key.name, key.textDefault), key.textLimit);
            break;
        case SetupKeyKind::FontStyle:
            s.*key.style = decodeFontStyle(file.readString(S, key.name, key.textDefault));
            break;
        case SetupKeyKind::Rollover:
            rollover[key.rollover] = file.readInt(S, key.name, key.readDefault);
            break;
        case SetupKeyKind::Date:
            break;  // taken over with the check of its value
    }
}

void readSettings(DeckSession& program, const Profile& file) {
    DeckSettings& s = program.settings;
    program.document.forgetKeptKeys();
    for (const SetupKey& key : kSetupKeys) {
        if (key.writtenWhenUsed && file.hasKey(S, key.name)) program.document.keepKey(key.name);
    }
    std::array<std::int32_t, 3> rollover{};
    for (const SetupKey& key : kSetupKeys) {
        if (!key.takenOverWhenValid) readKey(key, file, s, rollover);
    }
    auto number = [&](std::string_view key, std::int32_t fallback) {
        return file.readInt(S, key, fallback);
    };

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

void readDirectorySettings(DeckSession& program) {
    DeckSettings& s = program.settings;
    const Profile& app = program.appSettings.read();
    s.StartDIR = cutTo(app.readString(S, "StartDIR", ""), kDirectoryMax);
    s.UseLastOpenDIR = app.readInt(S, "UseLastOpenDIR", 1);
    s.UseStartDIR = app.readInt(S, "UseStartDIR", 0);
}

// A font whose name key is missing (it reads as "A"), or empty, would be no usable font.
void replaceMissingFont(std::string& name, std::int32_t& size, FontStyle& style,
                        std::int32_t& color) {
    if (name != "A" && !name.empty()) return;
    name = "Arial";
    size = 12;
    style = FontStyle{true, false, false, false};
    color = 0;
}

void takeOver(DeckSession& program, const Profile& file) {
    DeckSettings& s = program.settings;
    DeckState& deck = program.deck;
    std::array<std::int32_t, 3> unused{};
    for (const SetupKey& key : kSetupKeys) {
        if (!key.takenOverWhenValid) continue;
        if (key.kind == SetupKeyKind::Date) {
            deck.LastDayUsed = validStoredDate(file, deck.Today).value_or(deck.Today);
        } else {
            readKey(key, file, s, unused);
        }
    }
    replaceMissingFont(s.QFontName, s.QFontSize, s.QFontStyle, s.QFontColor);
    replaceMissingFont(s.AFontName, s.AFontSize, s.AFontStyle, s.AFontColor);
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
Profile blockKeepingPresentKeys(DeckSession& program, const Profile& file) {
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

// Puts the block's keys into the setup data file in memory, replacing those it holds.
void putBlock(DeckSession& program, const Profile& block) {
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
}

// Writes the block's keys into the setup data file, replacing those it holds.
bool writeBlock(DeckSession& program, const Profile& block, bool flush) {
    putBlock(program, block);
    bool ok = writeDirectorySettings(program);
    if (flush) {
        finishLoadWrites(program);
        ok =
            reportIfFailed(program.ui(), program.setupFile.path(), program.setupFile.flush()) && ok;
    }
    return ok;
}

}  // namespace

void writeSettingsBlock(DeckSession& program, Profile& file) {
    const ScreenSize screen = program.ui().screenSize();
    for (const SetupKey& key : kSetupKeys) {
        if (key.writtenWhenUsed && program.settings.*key.number == key.readDefault &&
            !program.document.keyWasInFile(key.name)) {
            continue;
        }
        file.writeString(S, key.name, valueToWrite(key, program, screen));
    }
}

void ReadSetUp(DeckSession& program) {
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

bool WriteSetUp(DeckSession& program, bool flush) {
    if (program.deck.ReadOnlyDeck) return true;
    Profile block;
    writeSettingsBlock(program, block);
    return writeBlock(program, block, flush);
}

void PutSetUp(DeckSession& program) {
    if (program.deck.ReadOnlyDeck) return;
    Profile block;
    writeSettingsBlock(program, block);
    putBlock(program, block);
}

int CheckSetUp(DeckSession& program) {
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
            deck.PairCount, static_cast<std::int64_t>(deck.Learning.size()) - 1);
        bool anyEnabled = last < 1;  // no learning state to judge yet
        for (std::int64_t p = 1; p <= last && !anyEnabled; ++p) {
            const std::int32_t flags = deck.Learning.at(static_cast<std::size_t>(p)).ListFlags;
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
            constexpr const SetupKey& key = setupKey("LastDayUsed");
            program.setupFile.edit().writeString(S, key.name, rightAligned(deck.Today, key.width));
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
