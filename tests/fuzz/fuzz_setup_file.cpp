// Any bytes as a setup data file with status lines: decoding the learning state, reading
// and validating the settings, and the close's rewrite must keep every value in its range,
// and what the close wrote must read back to the same settings and learning state.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/deck/setup_file.h"
#include "core/deck/status_lines.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace cardwise;
using fuzzing::require;

constexpr std::array<std::int32_t, 4> kDays{20261207, 19960801, 20000229, 99991231};

// The load's steps after the Q&A file was read: status lines, learning state, settings.
void load(fuzzing::Harness& h, std::int32_t pairs, const std::string& setup) {
    h.placeDeck("", setup);
    DeckState& deck = h.program.deck;
    h.program.bindSetupFile();
    deck.allocate(pairs);
    auto lines = locateStatusLines(setup, pairs);
    for (std::size_t i = 0; i < lines.size(); ++i) deck.StatusText.at(i) = std::move(lines[i]);
    DecodeStatus(h.program);
    ReadSetUp(h.program);
}

// A text setting as written and read again: the writer keeps it to one line (up to the
// first CR or LF), and a text cut to its field may end in a blank that reading trims.
std::string_view trimmedEnd(std::string_view text) {
    text = text.substr(0, text.find_first_of("\r\n"));
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

void checkRanges(const Program& program) {
    const DeckState& deck = program.deck;
    require(deck.LastDayUsed >= kEarliestDate && deck.LastDayUsed <= deck.Today);
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        require(deck.Learning.at(i).LearnStatus >= Unlearned && deck.Learning.at(i).LearnStatus <= LongTerm);
        require(deck.Learning.at(i).ListFlags >= 0 && deck.Learning.at(i).ListFlags <= 3);
        require(deck.Learning.at(i).AskedInRun == 0 || deck.Learning.at(i).AskedInRun == 1);
        require(deck.Learning.at(i).RightTotal >= 0 && deck.Learning.at(i).RightTotal <= 99999);
    }
    require(program.settings.NoPriority >= 1 && program.settings.NoPriority <= 4);
    const int outcome = deck.LoadOutcome;
    require(outcome == kSetUpValid || outcome == kSetUpInvalid || outcome == kSetUpNoPairs);
}

// The close: the file emptied, the settings block, LastDayUsed and the status lines; a
// read-only deck is left alone.
void close(fuzzing::Harness& h) {
    if (h.program.deck.ReadOnlyDeck) return;
    h.program.setupFile.edit().clear();
    WriteSetUp(h.program, false);
    WriteStatusLines(h.program);
    (void)h.program.setupFile.flush();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto pairs = input.ConsumeIntegralInRange<std::int32_t>(0, 40);
    const std::int32_t today = kDays.at(input.ConsumeIntegralInRange<std::size_t>(0, 3));
    const bool readOnly = input.ConsumeBool();
    const bool failWrites = input.ConsumeBool();
    const std::string setup = input.ConsumeRemainingBytesAsString();

    fuzzing::Harness first(today);
    first.files.failWrites = failWrites;
    if (readOnly) first.files.readOnlyFiles.insert(std::string(fuzzing::Harness::kQAPath));
    first.program.deck.ReadOnlyDeck = readOnly;
    load(first, pairs, setup);
    checkRanges(first.program);
    require(first.ui.waitDepth == 0);

    const bool valid = first.program.deck.LoadOutcome == kSetUpValid;
    close(first);
    require(first.ui.waitDepth == 0);
    const std::string written = first.files.files[std::string(fuzzing::Harness::kSetupPath)];
    if (readOnly || failWrites) require(written == setup);  // nothing half-written
    if (readOnly || failWrites || !valid) return 0;

    fuzzing::Harness second(today);
    load(second, pairs, written);
    const Program& a = first.program;
    const Program& b = second.program;
    require(b.deck.LoadOutcome == kSetUpValid);
    require(b.deck.LastDayUsed == today);
    for (auto table : {&PairLearning::LastDate, &PairLearning::RightToday, &PairLearning::RightTotal,
                       &PairLearning::WrongToday, &PairLearning::WrongTotal, &PairLearning::DayCount,
                       &PairLearning::LearnStatus, &PairLearning::ListFlags}) {
        require(a.deck.Learning.size() == b.deck.Learning.size());
        for (std::size_t i = 0; i < a.deck.Learning.size(); ++i) {
            require(a.deck.Learning[i].*table == b.deck.Learning[i].*table);
        }
    }
    // The run position comes back only with Resume; the learning state was decoded before
    // the settings were read, so a settings block written afresh may have turned it off.
    if (a.settings.Resume == 1) {
        for (std::size_t i = 0; i < a.deck.Learning.size(); ++i) {
            require(a.deck.Learning[i].AskedInRun == b.deck.Learning[i].AskedInRun);
        }
    } else {
        for (const PairLearning& record : b.deck.Learning) require(record.AskedInRun == 0);
    }
    const DeckSettings& s = a.settings;
    const DeckSettings& t = b.settings;
    for (auto field : {&DeckSettings::Center,
                       &DeckSettings::CheckCase,
                       &DeckSettings::QOnly,
                       &DeckSettings::NoPriority,
                       &DeckSettings::IncludeDisabled,
                       &DeckSettings::Resume,
                       &DeckSettings::NumSeconds,
                       &DeckSettings::OnePass,
                       &DeckSettings::Numerical,
                       &DeckSettings::Reverse,
                       &DeckSettings::Frequency,
                       &DeckSettings::LowRange,
                       &DeckSettings::HighRange,
                       &DeckSettings::UseNamedRange,
                       &DeckSettings::UnFrequency,
                       &DeckSettings::ShortFrequency,
                       &DeckSettings::LongFrequency,
                       &DeckSettings::ShortThreshold,
                       &DeckSettings::LongAnsThreshold,
                       &DeckSettings::LongDayThreshold,
                       &DeckSettings::QFontSize,
                       &DeckSettings::QFontColor,
                       &DeckSettings::AFontColor,
                       &DeckSettings::MWCurBkGndColor,
                       &DeckSettings::UseGraphicsDIR,
                       &DeckSettings::AutoPilot}) {
        require(s.*field == t.*field);
    }
    require(trimmedEnd(s.RangeName) == t.RangeName);
    require(trimmedEnd(s.GraphicsDIR) == t.GraphicsDIR);
    require(trimmedEnd(s.QFontName) == t.QFontName && s.QFontStyle == t.QFontStyle);
    return 0;
}
