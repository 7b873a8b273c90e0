#include "core/deck/deck_state.h"
#include "learning_column.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cardwise {
namespace {

constexpr std::int32_t kToday = 20261207;

// A deck of three pairs whose fields tell the pairs apart.
DeckState threePairs() {
    DeckState deck;
    deck.Today = kToday;
    deck.allocate(3);
    for (std::int32_t n = 1; n <= 3; ++n) {
        auto i = static_cast<std::size_t>(n);
        deck.PairText.set(i - 1, "Q" + std::to_string(n) + "=q$#$!A" + std::to_string(n) + "=a");
        deck.StatusText[i - 1] = "S" + std::to_string(n);
        deck.CategoryName[i - 1] = "C" + std::to_string(n);
        deck.Learning[i].LastDate = 20260100 + n;
        deck.Learning[i].RightToday = n;
        deck.Learning[i].RightTotal = 10 * n;
        deck.Learning[i].WrongToday = 20 + n;
        deck.Learning[i].WrongTotal = 30 + n;
        deck.Learning[i].DayCount = n;
        deck.Learning[i].LearnStatus = n % 3;
        deck.Learning[i].ListFlags = n;
        deck.Learning[i].AskedInRun = n % 2;
    }
    deck.EditorUsed = true;
    deck.EditSlot[2] = 1;
    deck.EditedText[1] = "Q2=edited$#$!A2=edited";
    deck.EditSlotsUsed = 1;
    return deck;
}

TEST(DeckState, AllocateSizesEveryTableWithItsStartValue) {
    DeckState deck;
    deck.allocate(2);
    EXPECT_EQ(deck.PairCount, 2);
    EXPECT_EQ(deck.Capacity, 13);
    EXPECT_GE(deck.PairText.size(), 13u);
    EXPECT_EQ(deck.StatusText[0], "Z");
    EXPECT_EQ(deck.CategoryName[12], "0");
    EXPECT_EQ(deck.Learning.size(), deck.PairText.size());
}

TEST(DeckState, CurrentTextPrefersTheEditedTextStore) {
    DeckState deck = threePairs();
    EXPECT_EQ(deck.currentText(2), "Q2=edited$#$!A2=edited");
    EXPECT_EQ(deck.currentText(1), "Q1=q$#$!A1=a");
    EXPECT_EQ(deck.currentText(0), "");
    EXPECT_EQ(deck.currentText(4), "");
    deck.EditSlot[3] = 99;
    EXPECT_EQ(deck.currentText(3), "Q3=q$#$!A3=a");
}

TEST(DeckState, InsertMovesTextsAndStoredFieldsUpButNotStatusCategoryOrAskedInRun) {
    DeckState deck = threePairs();
    deck.insertPair(2);
    ASSERT_EQ(deck.PairCount, 4);
    EXPECT_EQ(deck.PairText[0], "Q1=q$#$!A1=a");
    EXPECT_EQ(deck.PairText[1],
              "Q2=Insert New Question Text Here$#$!A2=Insert New Answer Text Here");
    EXPECT_EQ(deck.PairText[2], "Q2=q$#$!A2=a");
    EXPECT_EQ(deck.PairText[3], "Q3=q$#$!A3=a");
    EXPECT_EQ(learningColumn(deck, &PairLearning::LastDate),
              (std::vector<std::int32_t>{0, 20260101, kToday, 20260102, 20260103, 0, 0, 0, 0, 0, 0,
                                         0, 0, 0, 0}));
    EXPECT_EQ(deck.Learning[2].RightTotal, 0);
    EXPECT_EQ(deck.Learning[3].RightTotal, 20);
    EXPECT_EQ(deck.Learning[4].WrongTotal, 33);
    EXPECT_EQ(deck.Learning[2].ListFlags, 0);
    EXPECT_EQ(deck.Learning[4].ListFlags, 3);
    EXPECT_EQ(deck.StatusText[1], "S2");
    EXPECT_EQ(deck.CategoryName[1], "C2");
    EXPECT_EQ(deck.Learning[1].AskedInRun, 1);
    EXPECT_EQ(deck.Learning[2].AskedInRun, 0);
    EXPECT_TRUE(deck.EditorUsed);
    EXPECT_EQ(deck.EditSlotsUsed, 0);
    EXPECT_EQ(deck.EditSlot[2], 0);
    EXPECT_EQ(deck.currentText(3), "Q2=q$#$!A2=a");
}

TEST(DeckState, InsertAfterTheLastPairAndOutOfRangeGoesToTheEnds) {
    DeckState deck = threePairs();
    deck.insertPair(4);
    EXPECT_EQ(deck.PairCount, 4);
    EXPECT_EQ(deck.PairText[3], newPairText(4));
    EXPECT_EQ(deck.Learning[4].LastDate, kToday);
    deck.insertPair(99);
    EXPECT_EQ(deck.PairCount, 5);
    EXPECT_EQ(deck.PairText[4], newPairText(5));
    deck.insertPair(-3);
    EXPECT_EQ(deck.PairCount, 6);
    EXPECT_EQ(deck.PairText[0], newPairText(1));
    EXPECT_EQ(deck.PairText[1], "Q1=q$#$!A1=a");
    EXPECT_EQ(deck.Learning[2].RightTotal, 10);
}

TEST(DeckState, InsertIntoAFullTableGrowsIt) {
    DeckState deck;
    deck.Today = kToday;
    deck.allocate(0);
    for (int i = 0; i < 30; ++i) deck.insertPair(1);
    EXPECT_EQ(deck.PairCount, 30);
    EXPECT_GE(deck.PairText.size(), 30u);
    EXPECT_GE(deck.Learning.size(), 31u);
    EXPECT_EQ(deck.Learning[30].LastDate, kToday);
}

TEST(DeckState, DeleteMovesLaterTextsAndStoredFieldsDown) {
    DeckState deck = threePairs();
    deck.deletePair(2);
    ASSERT_EQ(deck.PairCount, 2);
    EXPECT_EQ(deck.PairText[0], "Q1=q$#$!A1=a");
    EXPECT_EQ(deck.PairText[1], "Q3=q$#$!A3=a");
    EXPECT_EQ(deck.PairText[2], "");
    EXPECT_EQ(deck.Learning[2].RightTotal, 30);
    EXPECT_EQ(deck.Learning[3].RightTotal, 0);
    EXPECT_EQ(deck.Learning[2].LastDate, 20260103);
    EXPECT_EQ(deck.StatusText[1], "S2");
    EXPECT_EQ(deck.Learning[2].AskedInRun, 0);
    EXPECT_TRUE(deck.EditorUsed);
    EXPECT_EQ(deck.EditSlot[2], 0);
}

TEST(DeckState, DeletingAPairThatDoesNotExistChangesNothing) {
    for (std::int32_t k : {0, 4, -1}) {
        DeckState deck = threePairs();
        deck.deletePair(k);
        EXPECT_EQ(deck.PairCount, 3) << k;
        EXPECT_EQ(deck.EditSlotsUsed, 1) << k;
    }
}

TEST(DeckState, DeleteTheLastAndOnlyPair) {
    DeckState deck;
    deck.allocate(1);
    deck.PairText.set(0, "Q1=a$#$!A1=b");
    deck.Learning[1].RightTotal = 5;
    deck.deletePair(1);
    EXPECT_EQ(deck.PairCount, 0);
    EXPECT_EQ(deck.PairText[0], "");
    EXPECT_EQ(deck.Learning[1].RightTotal, 0);
}

TEST(DeckState, CompanionNamesReplaceTheLastCharacters) {
    DeckState deck;
    deck.QAFileName = "/decks/deck.DKS";
    deck.deriveCompanionNames();
    EXPECT_EQ(deck.SetupFileName, "/decks/deck.DKD");
    EXPECT_EQ(deck.QABackupName, "/decks/deck.~LS");
    EXPECT_EQ(deck.SetupBackupName, "/decks/deck.~LD");
}

}  // namespace
}  // namespace cardwise
