// Fill-in replies judged without regard to accents, punctuation and blanks, the option that
// switches it on and the key that keeps it.
#include <gtest/gtest.h>

#include "core/content/lenient_text.h"
#include "core/deck/setup_file.h"
#include "core/drill/answer_view.h"
#include "core/drill/run_control.h"
#include "drill_test_support.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::fillInPair;

TEST(LenientForm, FoldsAccentsAndLeavesOutPunctuationAndBlanks) {
    struct Row {
        std::string text;
        std::string form;
    };
    const std::vector<Row> rows = {
        {"caf\xE9", "cafe"},
        {"\xC9t\xE9 \xE0 Z\xFCrich", "EteaZurich"},
        {"Stra\xDF" "e", "Strasse"},
        {"\x8Cuvre \x9C" "uf \x8A\x9A\x8E\x9E\x9F\xFF", "OEuvreoeufSsZzYy"},
        {"\xC6sop \xE6, \xD8re \xF8, \xD1" "and\xFA", "AEsopaeOreoNandu"},
        {"  Paris.  ", "Paris"},
        {"\xBF" "Qu\xE9 tal?", "Quetal"},
        {"don't \x93stop\x94 \x96 now\x85", "dontstopnow"},
        {"well-known (A/B) [x]; y: z!", "wellknownABxyz"},
        {"a\tb\xA0" "c", "abc"},
        // Symbols and digits carry meaning.
        {"C++ = 3 + 4 $5 100% <x> a|b ~ ^", "C++=3+4$5100%<x>a|b~^"},
        {"2 \xD7 3 \xF7 6", "2\xD7" "3\xF7" "6"},
        {"...!?", ""},
    };
    for (const Row& row : rows) EXPECT_EQ(lenientForm(row.text), row.form) << row.text;
}

TEST(JudgeFillInReply, LenientOnlyWhereTheExactComparisonFails) {
    using V = FillInVerdict;
    struct Row {
        std::string reply;
        std::array<std::string, 6> accepted;
        bool checkCase;
        bool lenient;
        V verdict;
    };
    const std::array<std::string, 6> paris{"Paris", "", "", "", "", ""};
    const std::array<std::string, 6> cafe{"caf\xE9", "", "", "", "", ""};
    const std::array<std::string, 6> newYork{"New York", "", "", "", "", ""};
    const std::vector<Row> rows = {
        // Off by default: only case is ever forgiven.
        {"Paris", paris, false, false, V::Correct},
        {"PARIS", paris, false, false, V::Correct},
        {"Paris.", paris, false, false, V::Wrong},
        {"cafe", cafe, false, false, V::Wrong},
        // An exact match is no lenient one.
        {"Paris", paris, false, true, V::Correct},
        {"paris", paris, false, true, V::Correct},
        // Accents, either way round.
        {"cafe", cafe, false, true, V::CorrectLeniently},
        {"caf\xE9", {"cafe", "", "", "", "", ""}, false, true, V::CorrectLeniently},
        {"CAF\xC9", cafe, false, true, V::Correct},
        {"CAFE", cafe, false, true, V::CorrectLeniently},
        // Punctuation and blanks.
        {"Paris.", paris, false, true, V::CorrectLeniently},
        {"  new   york ", newYork, false, true, V::CorrectLeniently},
        {"NewYork", newYork, false, true, V::CorrectLeniently},
        {"new-york!", newYork, false, true, V::CorrectLeniently},
        // Letters still count.
        {"Pari", paris, false, true, V::Wrong},
        {"Parus", paris, false, true, V::Wrong},
        {"", paris, false, true, V::Wrong},
        // CheckCase still decides letter case.
        {"paris.", paris, true, true, V::Wrong},
        {"Paris.", paris, true, true, V::CorrectLeniently},
        {"cafe", {"Caf\xE9", "", "", "", "", ""}, true, true, V::Wrong},
        {"Cafe", {"Caf\xE9", "", "", "", "", ""}, true, true, V::CorrectLeniently},
        {"paris", paris, true, true, V::Wrong},
        // Any accepted answer will do; an answer of nothing but punctuation never matches
        // leniently (an empty reply would otherwise pass).
        {"Lyon.", {"Paris", "Lyon", "", "", "", ""}, false, true, V::CorrectLeniently},
        {"", {"?", "", "", "", "", ""}, false, true, V::Wrong},
        {"?", {"?", "", "", "", "", ""}, false, true, V::Correct},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(judgeFillInReply(row.reply, row.accepted, row.checkCase, row.lenient),
                  row.verdict)
            << '"' << row.reply << "\" against \"" << row.accepted[0] << "\" checkCase "
            << row.checkCase << " lenient " << row.lenient;
    }
}

TEST(LenientVerdict, TheAnswerWindowSaysTheReplyWasAcceptedOnlyLeniently) {
    testing::DrillHarness h;
    DrillController drill{h.program, h.engine};
    h.program.settings.LenientFillIn = 1;
    h.engine.pairs[1] = fillInPair("Capital?", "", {"Paris", "", "", "", "", ""});
    h.engine.pairs[2] = fillInPair("Capital?", "", {"Paris", "", "", "", "", ""});
    h.engine.selections = {1, 2};
    drill.start();
    drill.checkFillIn("paris.");
    ASSERT_EQ(drill.screen(), DrillScreen::Answer);
    EXPECT_TRUE(h.program.drill.DrillActive);
    EXPECT_TRUE(drill.state().AnswerCorrect);
    EXPECT_TRUE(drill.answer().acceptedLeniently);
    EXPECT_EQ(drill.answer().memoText, "Paris\r\n\r\n" + std::string(kLenientVerdictText));
    drill.showNextQuestion();
    EXPECT_EQ(h.engine.grades, (std::vector<std::pair<std::int32_t, bool>>{{1, true}}));

    // An exact reply gets no remark.
    drill.checkFillIn("Paris");
    EXPECT_FALSE(drill.answer().acceptedLeniently);
    EXPECT_EQ(drill.answer().memoText, "Paris");
}

TEST(LenientSetting, ReadAsOffWhenMissingAndWrittenWithoutDisturbingTheOtherKeys) {
    testing::TempDir dir;
    testing::ProgramHarness h;
    Program& p = h.program;
    p.deck.QAFileName = dir.file("deck.DKS");
    p.deck.deriveCompanionNames();
    p.currentDirectory = dir.path();
    p.deck.allocate(5);
    p.bindSetupFile();

    // A file as a copy of the program that knows nothing of the key writes it, with a key
    // of its own that this one does not know.
    // A user who never turned it on gets no line for it.
    ASSERT_TRUE(WriteSetUp(p));
    std::string full = dir.read("deck.DKD");
    ASSERT_EQ(full.find("LenientFillIn"), std::string::npos);
    const std::string older = full + "OtherCopyKey=7\r\n" +
                              crlf({"Q&A1=2026120700000000000000", "Q&A2=2026120700000000000000"});
    dir.write("deck.DKD", older);
    p.setupFile.reload();
    p.settings.LenientFillIn = 1;
    ReadSetUp(p);
    EXPECT_EQ(p.settings.LenientFillIn, 0);

    p.settings.LenientFillIn = 1;
    ASSERT_TRUE(WriteSetUp(p));
    std::string expected = older;
    expected.insert(expected.find("Q&A1="), "LenientFillIn=  1\r\n");
    EXPECT_EQ(dir.read("deck.DKD"), expected);
    ReadSetUp(p);
    EXPECT_EQ(p.settings.LenientFillIn, 1);
    EXPECT_TRUE(h.ui.boxes.empty());
}

}  // namespace
}  // namespace cardwise
