#include "core/deck/pair_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cardwise {
namespace {

std::vector<std::string> all(const PairTexts& texts) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < texts.size(); ++i) out.emplace_back(texts[i]);
    return out;
}

TEST(PairTexts, ReadTextsAndSetTextsLiveSideBySideThroughMovesAndCopies) {
    PairTexts texts;
    texts.assign(4);
    texts.set(3, "kept");
    const std::string answer = "A1=one";
    texts.fill({{"Q1=uno", "$#$!", answer}, {"Q2=dos", "$#$!", ""}});
    EXPECT_EQ(all(texts), (std::vector<std::string>{"Q1=uno$#$!A1=one", "Q2=dos$#$!", "", "kept"}));

    // A second fill replaces the block; the texts past it that lay in the old one survive.
    PairTexts again = texts;
    again.fill({{"Q9", "|", "A9"}});
    EXPECT_EQ(all(again), (std::vector<std::string>{"Q9|A9", "Q2=dos$#$!", "", "kept"}));
    EXPECT_EQ(all(texts)[1], "Q2=dos$#$!") << "a copy is independent of its source";

    texts.shiftUp(0, 4);  // room at the front: the table grows by one
    texts.set(0, "new");
    EXPECT_EQ(all(texts),
              (std::vector<std::string>{"new", "Q1=uno$#$!A1=one", "Q2=dos$#$!", "", "kept"}));
    texts.shiftDown(1, 5);
    EXPECT_EQ(all(texts), (std::vector<std::string>{"new", "Q2=dos$#$!", "", "kept", ""}));
    EXPECT_THROW(texts.set(5, "past the end"), std::out_of_range);
    EXPECT_THROW(static_cast<void>(texts.at(5)), std::out_of_range);
}

TEST(PairTexts, ADeckLargerThanALargePageReadsBackWhole) {
    // Past the size where the block is mapped by itself rather than taken from the heap.
    const std::string question(3000, 'q');
    std::vector<PairTexts::Parts> parts(5000, PairTexts::Parts{question, "$#$!", "A"});
    PairTexts texts;
    texts.fill(parts);
    ASSERT_EQ(texts.size(), 5000u);
    EXPECT_EQ(texts[0], question + "$#$!A");
    EXPECT_EQ(texts[4999], question + "$#$!A");
    PairTexts copy = texts;
    texts.clear();
    EXPECT_EQ(copy[2500], question + "$#$!A");
}

}  // namespace
}  // namespace cardwise
