#include "core/output/print_settings.h"

#include <gtest/gtest.h>

namespace cardwise {
namespace {

TEST(PrintDialog, FirstPrintShowsTheDefaults) {
    const PrintDialogView view = printDialogOpened("");
    EXPECT_EQ(view.choices.style, PrintStyle::TextTable);
    EXPECT_EQ(view.choices.range, PrintRange::SingleSheet);
    EXPECT_FALSE(view.choices.twoPasses);
    EXPECT_EQ(view.choices.size, CardSize::TwoByTwo);
    EXPECT_EQ(view.marginText, "1.5");
    EXPECT_EQ(view.copiesText, "1");
    EXPECT_TRUE(view.marginEnabled);
    EXPECT_FALSE(view.cardOptionsEnabled);
}

TEST(PrintDialog, WithoutAPrinterOkIsDisabledUntilSetupFindsOne) {
    PrintDialogView view = printDialogOpened("20221501");
    const PrintDialogView before = view;
    applyPrinterReady(view, false);
    EXPECT_FALSE(view.printEnabled);
    EXPECT_EQ(view.printerNote, kNoPrinterNote);
    EXPECT_EQ(view.choices, before.choices);  // the choices are not the printer's business
    EXPECT_EQ(printDialogAccepted(view), printDialogAccepted(before));
    applyPrinterReady(view, true);
    EXPECT_TRUE(view.printEnabled);
    EXPECT_TRUE(view.printerNote.empty());
}

TEST(PrintDialog, ReopensWithThePreviousChoices) {
    const PrintDialogView view = printDialogOpened("21120512");
    EXPECT_EQ(view.choices.style, PrintStyle::GraphicsCards);
    EXPECT_EQ(view.choices.range, PrintRange::CurrentRange);
    EXPECT_TRUE(view.choices.twoPasses);
    EXPECT_EQ(view.choices.size, CardSize::TwoByThree);
    EXPECT_EQ(view.marginText, "0.5");
    EXPECT_EQ(view.copiesText, "12");
    EXPECT_FALSE(view.marginEnabled);
    EXPECT_TRUE(view.cardOptionsEnabled);
    EXPECT_EQ(printDialogAccepted(view), "21120512");
}

TEST(PrintDialog, DamagedSettingsOpenAsAtTheFirstPrint) {
    for (const char* damaged : {"9", "3000150", "30001501", "0000x501", "00009901", "00001500"}) {
        EXPECT_EQ(printChoicesFrom(damaged), PrintChoices{}) << damaged;
    }
}

TEST(PrintDialog, StyleClickSwitchesBetweenMarginAndCardGroups) {
    PrintDialogView view = printDialogOpened("");
    applyPrintStyle(view, PrintStyle::TextCards);
    EXPECT_FALSE(view.marginEnabled);
    EXPECT_TRUE(view.cardOptionsEnabled);
    applyPrintStyle(view, PrintStyle::TextTable);
    EXPECT_TRUE(view.marginEnabled);
    EXPECT_FALSE(view.cardOptionsEnabled);
}

struct MarginCase {
    const char* typed;
    std::optional<int> tenths;
};

class MarginField : public ::testing::TestWithParam<MarginCase> {};

TEST_P(MarginField, ReadsInchesRoundedToTenths) {
    const auto& c = GetParam();
    EXPECT_EQ(marginTenthsOf(c.typed), c.tenths) << c.typed;
    EXPECT_EQ(checkedMarginText(c.typed), c.tenths ? std::string(c.typed) : "1.5") << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarginField,
    ::testing::Values(MarginCase{"1.5", 15}, MarginCase{".5", 5}, MarginCase{"2", 20},
                      MarginCase{".55", 6}, MarginCase{"0.54", 5}, MarginCase{"6", 60},
                      MarginCase{"6.04", 60}, MarginCase{"6.05", std::nullopt},
                      MarginCase{"7", std::nullopt}, MarginCase{"", 0}, MarginCase{".", 0},
                      MarginCase{"1.", 10}, MarginCase{"006", 60}, MarginCase{"abc", std::nullopt},
                      MarginCase{"1.5.1", std::nullopt}, MarginCase{"-1", std::nullopt},
                      MarginCase{"99999999999", std::nullopt}));

TEST(PrintDialog, CopiesOutsideOneToNinetyNineBecomeOne) {
    EXPECT_EQ(checkedCopiesText("99"), "99");
    EXPECT_EQ(checkedCopiesText("3"), "3");
    for (const char* bad : {"0", "100", "", "x", "-1", "1.5"}) {
        EXPECT_EQ(checkedCopiesText(bad), "1") << bad;
    }
}

TEST(PrintDialog, AcceptedMarginIsWrittenInTenthsWithALeadingZero) {
    PrintDialogView view = printDialogOpened("");
    view.marginText = ".55";
    view.copiesText = "7";
    EXPECT_EQ(printDialogAccepted(view), "02010607");
    view.marginText = "2";
    EXPECT_EQ(printDialogAccepted(view), "02012007");
}

TEST(PrintToFile, EachPassHasItsOwnFileAndTheDeckOffersItsPdf) {
    struct Case {
        const char* file;
        int pass;
        const char* expected;
    };
    for (const Case& c : {Case{"/d/cards.pdf", 0, "/d/cards.pdf"},
                          Case{"/d/cards.pdf", 1, "/d/cards-pass1.pdf"},
                          Case{"/d/cards.pdf", 2, "/d/cards-pass2.pdf"},
                          Case{"/d/my.cards.PDF", 2, "/d/my.cards-pass2.PDF"},
                          Case{"/d/cards", 1, "/d/cards-pass1.pdf"},
                          Case{"cards.pdf", 1, "cards-pass1.pdf"}}) {
        EXPECT_EQ(passFileName(c.file, c.pass), c.expected) << c.file << " " << c.pass;
    }
    EXPECT_EQ(pdfFileForDeck("/decks/CRDWSE50.DKS"), "/decks/CRDWSE50.pdf");
    EXPECT_EQ(pdfFileForDeck("/decks/v1.2/my.deck.DKS"), "/decks/v1.2/my.deck.pdf");
}

}  // namespace
}  // namespace cardwise
