#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/content/pair_separator.h"
#include "core/deck/pair_texts.h"

namespace cardwise {

inline constexpr std::int32_t kMaxPairs = 5000;
inline constexpr std::size_t kMaxLineChars = 2200;  // characters read per line
inline constexpr std::size_t kMaxPairChars = 2100;  // a pair must stay below this
inline constexpr std::size_t kMaxStatusChars = 32;
inline constexpr std::size_t kMaxCategoryChars = 12;
inline constexpr std::int32_t kSpareSlots = 11;  // Capacity = PairCount + 11
inline constexpr int kEditedTextEntries = 11;    // entry 0 unused
inline constexpr std::int32_t kEarliestDate = 19960801;

enum LearnCategory : std::int32_t { Unlearned = 0, ShortTerm = 1, LongTerm = 2 };
inline constexpr std::int32_t kOnListFlag = 1;
inline constexpr std::int32_t kDisabledFlag = 2;

std::string_view learnCategoryName(std::int32_t status);

// A learning-status line of the setup data file: "Q&A<n>=...".
inline bool isStatusLine(std::string_view line) {
    return line.size() >= 3 && line[1] == '&' && line[2] == 'A';
}

// The learning fields of one pair. All but AskedInRun are kept in the setup data file.
struct PairLearning {
    std::int32_t LastDate = 0;
    std::int32_t RightToday = 0;
    std::int32_t RightTotal = 0;
    std::int32_t WrongToday = 0;
    std::int32_t WrongTotal = 0;
    std::int32_t DayCount = 0;
    std::int32_t LearnStatus = 0;
    std::int32_t ListFlags = 0;
    std::int32_t AskedInRun = 0;

    bool operator==(const PairLearning&) const = default;
};

// The one open deck. The learning records are indexed by pair number (entry 0 unused);
// the text tables by pair number - 1.
struct DeckState {
    std::string QAFileName;
    std::string SetupFileName;
    std::string QABackupName;
    std::string SetupBackupName;

    std::int32_t PairCount = 0;
    std::int32_t Capacity = 0;
    std::int32_t Today = 0;
    std::int32_t LastDayUsed = 0;
    bool ReadOnlyDeck = false;
    bool EditorUsed = false;
    std::int16_t LoadOutcome = 1;
    std::int32_t CurrentPair = 1;
    std::int32_t SessionCorrect = 0;
    std::int32_t SessionIncorrect = 0;
    bool CategoryListStale = false;
    // The load met more than kMaxPairs pairs and kept the first ones: writing the Q&A file
    // would drop the rest.
    bool TruncatedAtLoad = false;

    PairTexts PairText;
    std::vector<std::string> StatusText;
    std::vector<std::string> CategoryName;

    // Indexed by pair number, entry 0 unused: a copy or a snapshot is one assignment.
    std::vector<PairLearning> Learning;

    // Edited-text store of the editor.
    std::array<std::string, kEditedTextEntries> EditedText;
    std::vector<std::int32_t> EditSlot = std::vector<std::int32_t>(kMaxPairs + 1, 0);
    std::int32_t EditSlotsUsed = 0;

    // Sizes every table for pairCount pairs, texts empty, StatusText "Z", CategoryName "0",
    // learning fields 0.
    void allocate(std::int32_t pairCount);
    // Releases every table and the edited-text store.
    void release();

    bool validPair(std::int32_t n) const { return n >= 1 && n <= PairCount; }
    // The pair's learning record; an empty one for a number the records do not reach.
    PairLearning learningOf(std::int32_t n) const {
        return n >= 0 && static_cast<std::size_t>(n) < Learning.size()
                   ? Learning[static_cast<std::size_t>(n)]
                   : PairLearning{};
    }
    bool hasLearning(std::int32_t n) const {
        return n >= 0 && static_cast<std::size_t>(n) < Learning.size();
    }

    // The pair as it stands now: the edited-text store's entry when it has one.
    std::string_view currentText(std::int32_t n) const;

    // Editor moves: the text and the eight stored learning fields shift; StatusText,
    // CategoryName and AskedInRun do not. Both discard the edited-text store.
    void insertPair(std::int32_t k);
    void deletePair(std::int32_t k);
    // A pair added after the last one.
    void appendPair(std::string text);
    void discardEditedTexts();
    // The store's texts become the pairs' own; the store is empty afterwards.
    void mergeEditedTexts();

    // Derives SetupFileName and the two backup names from QAFileName.
    void deriveCompanionNames();
};

// "Q<k>=Insert New Question Text Here$#$!A<k>=Insert New Answer Text Here"
std::string newPairText(std::int32_t k);

}  // namespace cardwise
