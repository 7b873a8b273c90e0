#include "core/deck/status_lines.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/deck/setup_keys.h"
#include "core/deck/text_lines.h"
#include "core/deck/write_failure.h"
#include "core/platform/user_interface.h"

namespace cardwise {
namespace {

constexpr std::string_view kCannotChange =
    "  The File Will Operate Properly, But No "
    "Permanent Changes Can Be Made To The Option Settings, Priority List, Etc.";

struct FieldLayout {
    std::size_t offset;
    std::size_t width;
};
// LastDate, RightToday, RightTotal, WrongToday, WrongTotal, DayCount, LearnStatus, flags.
constexpr std::array<FieldLayout, 8> kFields{
    {{0, 8}, {8, 2}, {10, 5}, {15, 2}, {17, 2}, {19, 1}, {20, 1}, {21, 1}}};

std::int32_t maxOfWidth(std::size_t width) {
    std::int32_t max = 0;
    for (std::size_t i = 0; i < width; ++i) max = max * 10 + 9;
    return max;
}

// One field of the 22 characters: blanks and missing characters read as 0, any other
// non-digit makes the field 0. The width keeps the value far inside 32 bits.
std::int32_t readField(std::string_view fields, FieldLayout field) {
    std::int32_t value = 0;
    for (std::size_t k = 0; k < field.width; ++k) {
        std::size_t at = field.offset + k;
        char c = at < fields.size() ? fields[at] : ' ';
        if (c == ' ') c = '0';
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

void ensureTables(DeckState& deck) {
    auto slots = static_cast<std::size_t>(std::max(deck.PairCount, 0)) + 1;
    if (deck.StatusText.size() < slots) deck.StatusText.resize(slots, "Z");
    if (deck.Learning.size() < slots) deck.Learning.resize(slots);
}

std::string statusPrefix(std::int32_t n) {
    return "Q&A" + std::to_string(n) + "=";
}

}  // namespace

std::vector<std::string> locateStatusLines(std::string_view setupBytes, std::int32_t pairCount) {
    std::vector<std::string> found(static_cast<std::size_t>(std::max(pairCount, 0)), "Z");
    std::vector<std::string_view> lines = splitLines(setupBytes, kMaxStatusChars);
    auto first = std::find_if(lines.begin(), lines.end(), isStatusLine);
    for (std::size_t k = 0; k < found.size() && first != lines.end(); ++k, ++first) {
        found[k] = std::string(*first);
    }
    return found;
}

std::string defaultStatus(std::int32_t today) {
    std::string date = std::to_string(std::clamp(today, 0, maxOfWidth(8)));
    return std::string(8 - date.size(), '0') + date + std::string(kStatusFieldChars - 8, '0');
}

PairLearning decodeStatusLine(std::string_view line, std::int32_t today) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        PairLearning fresh;
        fresh.LastDate = today;
        return fresh;
    }
    std::string_view fields = line.substr(eq + 1, kStatusFieldChars);
    PairLearning f;
    f.LastDate = readField(fields, kFields[0]);
    f.RightToday = readField(fields, kFields[1]);
    f.RightTotal = readField(fields, kFields[2]);
    f.WrongToday = readField(fields, kFields[3]);
    f.WrongTotal = readField(fields, kFields[4]);
    f.DayCount = readField(fields, kFields[5]);
    f.LearnStatus = readField(fields, kFields[6]);
    if (f.LearnStatus > LongTerm) f.LearnStatus = Unlearned;
    std::int32_t flags = readField(fields, kFields[7]);
    f.AskedInRun = flags >= 4;
    f.ListFlags = (f.AskedInRun ? flags - 4 : flags) & (kOnListFlag | kDisabledFlag);
    return f;
}

std::string encodeStatusLine(std::int32_t n, const PairLearning& f) {
    std::int32_t flags = std::clamp(f.ListFlags, 0, kOnListFlag | kDisabledFlag);
    if (f.AskedInRun) flags += 4;
    // Written in place, with no string per field: a close writes thousands of these.
    const std::array<std::int32_t, 8> values{f.LastDate,    f.RightToday, f.RightTotal,
                                             f.WrongToday,  f.WrongTotal, f.DayCount,
                                             f.LearnStatus, flags};
    char buffer[3 + 11 + 1 + kStatusFieldChars] = {'Q', '&', 'A'};
    char* end = std::to_chars(buffer + 3, buffer + 14, n).ptr;
    *end++ = '=';
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const std::size_t width = kFields[i].width;
        const std::int32_t value = std::clamp(values[i], 0, maxOfWidth(width));
        char digits[12];
        const std::size_t count =
            static_cast<std::size_t>(std::to_chars(digits, digits + 12, value).ptr - digits);
        end = std::fill_n(end, width - count, ' ');
        end = std::copy_n(digits, count, end);
    }
    return std::string(buffer, end);
}

void DecodeStatus(DeckSession& program) {
    DeckState& deck = program.deck;
    ensureTables(deck);
    const Profile& setup = program.setupFile.read();
    constexpr const SetupKey& lastDayKey = setupKey("LastDayUsed");
    constexpr const SetupKey& resumeKey = setupKey("Resume");
    std::int32_t lastDayUsed =
        setup.readInt(kSetupSection, lastDayKey.name, lastDayKey.readDefault);
    if (lastDayUsed < kEarliestDate || lastDayUsed > deck.Today) lastDayUsed = kEarliestDate;
    deck.LastDayUsed = lastDayUsed;
    const bool resume = setup.readInt(kSetupSection, resumeKey.name, resumeKey.readDefault) == 1;
    const bool newDay = lastDayUsed < deck.Today;

    bool appended = false;
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        std::string& raw = deck.StatusText.at(static_cast<std::size_t>(n - 1));
        if (raw == "Z") {
            raw = statusPrefix(n) + defaultStatus(deck.Today);
            if (!deck.ReadOnlyDeck) {
                program.setupFile.edit().appendLine(raw);
                appended = true;
            }
        }
        PairLearning record = decodeStatusLine(raw, deck.Today);
        if (newDay) record.RightToday = record.WrongToday = 0;
        if (!resume) record.AskedInRun = 0;
        deck.Learning.at(static_cast<std::size_t>(n)) = record;
    }
    if (appended) {
        reportIfFailed(program.ui(), program.setupFile.path(), program.setupFile.flush());
    }
}

void WriteStatusLines(DeckSession& program) {
    if (program.deck.ReadOnlyDeck) return;
    WaitCursor wait(program.ui());
    PutStatusLines(program);
}

void PutStatusLines(DeckSession& program) {
    DeckState& deck = program.deck;
    if (deck.ReadOnlyDeck) return;
    Profile& setup = program.setupFile.edit();
    constexpr const SetupKey& lastDayKey = setupKey("LastDayUsed");
    setup.writeString(kSetupSection, lastDayKey.name, rightAligned(deck.Today, lastDayKey.width));
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        setup.appendLine(encodeStatusLine(n, deck.learningOf(n)));
    }
}

bool detectReadOnlyDeck(DeckSession& program) {
    DeckState& deck = program.deck;
    bool readOnly = false;
    if (program.files().isReadOnlyFile(deck.QAFileName)) {
        readOnly = true;
        program.ui().message(kReadOnlyCaption,
                             deck.QAFileName + " Is A Read-Only File." + std::string(kCannotChange),
                             Icon::Information);
    }
    std::string folder =
        program.currentDirectory.empty() ? directoryOf(deck.QAFileName) : program.currentDirectory;
    if (!program.files().canWriteInDirectory(folder)) {
        readOnly = true;
        program.ui().message(kWriteProtectedCaption,
                             deck.QAFileName +
                                 " Is Located On A Write-Protected Or Read-Only Disk (Perhaps a "
                                 "CDROM)." +
                                 std::string(kCannotChange),
                             Icon::Information);
    }
    deck.ReadOnlyDeck = readOnly;
    return readOnly;
}

// Lazily: a backup only matters once the deck beside it is saved over, and that save's
// wait for the disk keeps the backup too.
bool makeBackups(DeckSession& program) {
    const DeckState& deck = program.deck;
    if (deck.ReadOnlyDeck) return true;
    FileSystem& files = program.files();
    bool ok = reportIfFailed(program.ui(), deck.QABackupName,
                             files.copyFileLazily(deck.QAFileName, deck.QABackupName));
    ok = reportIfFailed(program.ui(), deck.SetupBackupName,
                        files.copyFileLazily(deck.SetupFileName, deck.SetupBackupName)) &&
         ok;
    return ok;
}

}  // namespace cardwise
