#include "core/editor/editor_controller.h"

#include <gtest/gtest.h>

#include "core/content/windows1252.h"
#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_new.h"
#include "core/shell/deck_save.h"
#include "core/shell/editor_check_boxes.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::DeckHarness;
using testing::ShownBox;

class RecordingEditorWindow : public EditorWindow {
  public:
    std::vector<std::string> calls;
    std::vector<std::string> pictures;
    void showEditor() override { calls.emplace_back("show"); }
    void hideEditor() override { calls.emplace_back("hide"); }
    void showFindDialog() override { calls.emplace_back("showFind"); }
    void hideFindDialog() override { calls.emplace_back("hideFind"); }
    void hidePictureViewer() override { calls.emplace_back("hidePicture"); }
    void showPicture(const std::string& file) override { pictures.push_back(file); }
};

// "[Cardwise]" and the pairs "Q<n>=<question>", "A<n>=<answer>".
std::string deckOf(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string out = "[Cardwise]\r\n";
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        std::string n = std::to_string(i + 1);
        out += "Q" + n + "=" + pairs[i].first + "\r\nA" + n + "=" + pairs[i].second + "\r\n";
    }
    return out;
}

std::string numberedDeck(int count) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int i = 1; i <= count; ++i) {
        pairs.emplace_back("question " + std::to_string(i), "answer " + std::to_string(i));
    }
    return deckOf(pairs);
}

const ShownBox kSaveQuestion{"Save Current Changes?", "Save Changes To Current Pair?",
                             Icon::Information, Buttons::YesNo};
const ShownBox kSaveQuestionOnClose{"Save Current Changes?", "Save Changes To Current Pair?",
                                    Icon::Information, Buttons::YesNoCancel};
const ShownBox kFileSizeLimit{"File Size Limit",
                              "For Performance Considerations, Cardwise Limits The Deck Size To "
                              "5000 Question/Answer Pairs.  This Deck Has Reached That Limit And "
                              "No More Pairs Can Be Added. ",
                              Icon::Warning, Buttons::Ok};

struct EditorTest : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
    CoreDrillEngine engine;
    DrillController drill{p, engine};
    EditorController editor{p, drill};
    RecordingEditorWindow window;
    std::string path;
    // Off for decks whose pairs refer to files the drill would look for.
    bool runDrill = true;

    EditorTest() {
        editor.setWindow(&window);
        h.frontEnd.onCloseEditor = [this] { return editor.deckClosing(); };
        h.frontEnd.onCall = [this](std::string_view call) {
            if (call == "RunDKSFile" && runDrill) drill.start();
            if (call == "returnToEditor") editor.returnFromRun();
            if (call == "showEditorOnNewDeck") editor.showOnNewDeck(h.frontEnd.rememberedPair);
        };
    }

    void open(const std::string& bytes, const std::string& name = "deck.DKS") {
        path = h.write(name, bytes);
        h.open(path);
        ASSERT_TRUE(p.shell.deckOpen);
    }
    void openAt(const std::string& bytes, std::int32_t pair) {
        open(bytes);
        p.deck.CurrentPair = pair;
        editor.EditCurrentPairClick();
    }
    std::string qaFile() const { return h.decks.read("deck.DKS"); }
    template <typename Change>
    void edit(Change change) {
        EditorForm form = editor.view().form;
        change(form);
        editor.formEdited(form);
    }
};

// ---- form <-> text -------------------------------------------------------------------------

struct RoundTrip {
    const char* name;
    const char* question;
    const char* answer;
    PairKind kind;
    std::function<void(const EditorForm&)> check;
};

TEST_F(EditorTest, EachKindOfPairReadsIntoTheFormAndIsWrittenBackAsStored) {
    const RoundTrip cases[] = {
        {"standard", "<NAM>Geo<HC1>h1<HC2>h2<WAV>q.wav<BMP>q.bmp%Line one^Line two",
         "<HC1>c1<WAV>a.mid<BMP>a.bmp%Answer", PairKind::Standard,
         [](const EditorForm& f) {
             EXPECT_EQ(f.ECategory, "Geo");
             EXPECT_EQ(f.EH[1], "h2");
             EXPECT_EQ(f.QMemo, "Line one\r\nLine two");  // deck bytes
             EXPECT_EQ(f.EQBMP, "q.bmp");
             EXPECT_EQ(f.EAAVI, "a.mid");
             EXPECT_EQ(f.ECMT[0], "c1");
         }},
        {"multiple choice", "<MC1>Paris<MC2>London%Capital of France?", "<FIB>2",
         PairKind::MultipleChoice,
         [](const EditorForm& f) {
             EXPECT_EQ(f.EMC[1], "London");
             EXPECT_EQ(f.correct, CorrectMark::Number);
             EXPECT_EQ(f.ECorrect, "2");
             EXPECT_EQ(f.AMemo, kAutomaticAnswerNote);
         }},
        {"all of the above", "<MC1>a<MC2>b%Which?", "<FIB>A%Header", PairKind::MultipleChoice,
         [](const EditorForm& f) {
             EXPECT_EQ(f.correct, CorrectMark::All);
             EXPECT_EQ(f.AMemo, "Header");
         }},
        {"none of the above", "<MC1>a%Which?", "<FIB>N", PairKind::MultipleChoice,
         [](const EditorForm& f) { EXPECT_EQ(f.correct, CorrectMark::None); }},
        {"fill-in", "<FIB>%Fill the ____", "<MC1>one<MC2>two<HC1>note", PairKind::FillIn,
         [](const EditorForm& f) {
             EXPECT_EQ(f.EFIB[1], "two");
             EXPECT_EQ(f.correct, CorrectMark::Unchecked);
             EXPECT_EQ(f.AMemo, kAutomaticAnswerNote);
         }},
        {"marks in the text", "a <<b> ^^ c^ ^d", "50% off", PairKind::Standard,
         [](const EditorForm& f) {
             EXPECT_EQ(f.QMemo, "a <b> ^ c\r\n \r\nd");
             EXPECT_EQ(f.AMemo, "50% off");
         }},
    };
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const RoundTrip& c : cases) pairs.emplace_back(c.question, c.answer);
    runDrill = false;
    open(deckOf(pairs));
    for (std::int32_t n = 1; n <= static_cast<std::int32_t>(std::size(cases)); ++n) {
        const RoundTrip& c = cases[n - 1];
        SCOPED_TRACE(c.name);
        LoadedForm loaded = formFromPair(p, n);
        EXPECT_TRUE(loaded.faults.empty());
        EXPECT_EQ(loaded.form.kind, c.kind);
        c.check(loaded.form);
        const std::string text = pairTextFromForm(loaded.form, n);
        EXPECT_EQ(text, "Q" + std::to_string(n) + "=" + c.question + "$#$!A" + std::to_string(n) +
                            "=" + c.answer);
        // And the text gives the same form again.
        p.deck.PairText.set(static_cast<std::size_t>(n - 1), text);
        EXPECT_EQ(formFromPair(p, n).form, loaded.form);
    }
}

TEST_F(EditorTest, OnlyTheFieldsOfTheCheckedKindAreWrittenAndGapsBetweenChoicesClose) {
    EditorForm form;
    form.kind = PairKind::Standard;
    form.QMemo = "q";
    form.EMC = {"x", "", "", "", "", ""};
    form.EFIB = {"y", "", "", "", "", ""};
    EXPECT_EQ(pairTextFromForm(form, 7), "Q7=q$#$!A7=");

    form.kind = PairKind::MultipleChoice;
    form.EMC = {"", "b", "", "d", "", ""};
    form.correct = CorrectMark::Number;
    form.ECorrect = "4";
    EXPECT_FALSE(checkForm(form));
    EXPECT_EQ(pairTextFromForm(closeGaps(form), 7), "Q7=<MC1>b<MC2>d%q$#$!A7=<FIB>2");
}

TEST_F(EditorTest, OnlyTheWholeAutomaticAnswerNoteIsLeftUnsaved) {
    EditorForm form;
    form.kind = PairKind::MultipleChoice;
    form.EMC[0] = "a";
    form.QMemo = "For Multiple Choice Questions, pick one";
    form.AMemo = std::string(kAutomaticAnswerNote);
    EXPECT_EQ(pairTextFromForm(form, 1),
              "Q1=<MC1>a%For Multiple Choice Questions, pick one$#$!A1=<FIB>");
    form.AMemo = "For Multiple Choice And Fill-in answers alike";
    EXPECT_EQ(pairTextFromForm(form, 1),
              "Q1=<MC1>a%For Multiple Choice Questions, pick one$#$!A1="
              "<FIB>%For Multiple Choice And Fill-in answers alike");
}

TEST_F(EditorTest, MovesFromOutsideTheEditorAskAboutItsUnsavedEditsToo) {
    openAt(deckOf({{"one", "uno"}, {"two", "dos"}, {"an apple", "manzana"}}), 1);
    edit([](EditorForm& f) { f.AMemo = "kept"; });
    h.ui.expectBox(kSaveQuestion, Button::Yes);
    editor.findClick(FindState{"apple", FindDirection::Up}, FindButton::FindNext);
    EXPECT_EQ(p.deck.currentText(1), "Q1=one$#$!A1=kept");
    edit([](EditorForm& f) { f.AMemo = "dropped"; });
    h.ui.expectBox(kSaveQuestion, Button::No);
    editor.OpenInEditorClick();
    EXPECT_EQ(p.deck.CurrentPair, 1);
    EXPECT_EQ(editor.view().form.AMemo, "kept");
}

TEST_F(EditorTest, ViewEnablesTheFieldsOfTheCheckedKind) {
    openAt(numberedDeck(3), 2);
    struct Row {
        PairKind kind;
        bool choices, fillIns;
    };
    for (Row row :
         {Row{PairKind::Standard, false, false}, Row{PairKind::MultipleChoice, true, false},
          Row{PairKind::FillIn, false, true}}) {
        edit([&](EditorForm& f) { f.kind = row.kind; });
        EXPECT_EQ(editor.view().enabled.choices, row.choices);
        EXPECT_EQ(editor.view().enabled.correctAnswer, row.choices);
        EXPECT_EQ(editor.view().enabled.fillIns, row.fillIns);
        EXPECT_TRUE(editor.view().enabled.fields);
    }
    EXPECT_TRUE(p.editor.PairDirty);
    EXPECT_EQ(editor.view().caption, "Cardwise Q&A Editor - Editing Pair 2 Of 3 To " + path);
}

TEST_F(EditorTest, ReferencesTheSettingsHideAreKeptAndNothingIsCutAtDisplayLimits) {
    // Beyond the hint width and, decoded with CR LF, beyond the display text's width; a
    // picture with a video, which only the drill windows refuse.
    const std::string longHint(400, 'h');
    std::string breaks;
    for (int i = 0; i < 700; ++i) breaks += "x^";
    breaks += "tail";
    runDrill = false;
    open(deckOf({{"<HC1>" + longHint + "<WAV>clip.avi<BMP>pic.bmp%" + breaks, "<BMP>ans.bmp"},
                 {"two", "dos"},
                 {"three", "tres"}}));
    p.settings.EnableGraphics = 0;
    p.settings.EnableAudioVideo = 0;
    p.deck.CurrentPair = 1;
    editor.EditCurrentPairClick();
    const EditorForm& f = editor.view().form;
    EXPECT_EQ(f.EQBMP, "pic.bmp");
    EXPECT_EQ(f.EQAVI, "clip.avi");
    EXPECT_EQ(f.EABMP, "ans.bmp");
    EXPECT_EQ(f.EH[0], longHint);
    EXPECT_EQ(f.QMemo.size(), 700u * 2 + 4);  // all 700 line breaks
    EXPECT_EQ(f.QMemo.substr(f.QMemo.size() - 6), "x\ntail");
    edit([](EditorForm& form) { form.AMemo = "changed"; });
    editor.BBSaveClick();
    EXPECT_EQ(p.deck.currentText(1), "Q1=<HC1>" + longHint + "<WAV>clip.avi<BMP>pic.bmp%" + breaks +
                                         "$#$!A1=<BMP>ans.bmp%changed");
}

// ---- refusals -----------------------------------------------------------------------------

TEST_F(EditorTest, PairSizeCountsThePairNumberAsFourDigits) {
    struct Row {
        std::size_t memo;
        bool stored;
    };
    // "Q1=" memo "$#$!A1=": 10 characters besides the memo, 16 once numbered in four digits.
    for (Row row : {Row{2083, true}, Row{2084, false}}) {
        SCOPED_TRACE(row.memo);
        openAt(numberedDeck(3), 1);
        const std::string memo(row.memo, 'x');
        edit([&](EditorForm& f) {
            f.QMemo = memo;
            f.AMemo.clear();
        });
        if (!row.stored) {
            h.ui.expectBox({"Pair Too Large",
                            "The Total Contents Of A Question/Answer Pair Must Be Less Than 2100 "
                            "Characters - This Includes All Characters Shown In EVERY Edit Box On "
                            "All Four Pages Of The Editor.  This QA Pair Contains A Total Of   "
                            "2100 Characters And Needs To Be Shortened To Fit Within The Limit.",
                            Icon::Error, Buttons::Ok});
        }
        editor.BBSaveClick();
        EXPECT_EQ(p.deck.EditSlotsUsed, row.stored ? 1 : 0);
        EXPECT_EQ(p.deck.currentText(1) == "Q1=" + memo + "$#$!A1=", row.stored);
        if (!row.stored) h.ui.expectBox(kSaveQuestionOnClose, Button::No);
        editor.BBCloseClick();
        ASSERT_TRUE(FileExitQAClick(p));
    }
}

TEST_F(EditorTest, FormsTheMarkupCannotHoldAreRefusedWithTheirBox) {
    struct Row {
        const char* name;
        std::function<void(EditorForm&)> change;
        ShownBox box;
    };
    const Row rows[] = {
        {"choice number not a number",
         [](EditorForm& f) {
             f.kind = PairKind::MultipleChoice;
             f.EMC[0] = "a";
             f.correct = CorrectMark::Number;
             f.ECorrect = "x";
         },
         {"Multiple Choice Error",
          "This Pair Is A Multiple Choice Type And The MC# Selection Is Checked In The Editor - "
          "The Entry In This Field Is Either Missing Or Not A Valid Numerical Value.",
          Icon::Warning, Buttons::Ok}},
        {"choice number names an empty box",
         [](EditorForm& f) {
             f.kind = PairKind::MultipleChoice;
             f.EMC[0] = "a";
             f.correct = CorrectMark::Number;
             f.ECorrect = "3";
         },
         {"Multiple Choice Error",
          "The MC# Selection Names Choice 3, But The Box MC #3 Is Not Filled In.  Please Name One "
          "Of The Filled-In Choices As The Correct Answer; Nothing Was Saved.",
          Icon::Warning, Buttons::Ok}},
        {"percent in a hint",
         [](EditorForm& f) { f.EH[0] = "50% off"; },
         {"Character Not Allowed",
          "The Box \"HINT 1\" Holds The Character %, Which Cardwise Uses To Mark The Parts Of A "
          "Pair.  Please Remove It Before Saving; Nothing Was Saved.",
          Icon::Warning, Buttons::Ok}},
        {"angle in a file box",
         [](EditorForm& f) { f.EABMP = "a<b.bmp"; },
         {"Character Not Allowed",
          "The Box \"Answer Graphics File\" Holds The Character <, Which Cardwise Uses To Mark "
          "The Parts Of A Pair.  Please Remove It Before Saving; Nothing Was Saved.",
          Icon::Warning, Buttons::Ok}},
        {"separator in the answer",
         [](EditorForm& f) { f.AMemo = "a$#$!b"; },
         {"Character Not Allowed",
          "The Answer Text Holds The Characters $#$!, Which Cardwise Uses To Separate The "
          "Question From The Answer.  Please Remove Them Before Saving; Nothing Was Saved.",
          Icon::Warning, Buttons::Ok}},
        {"character outside Windows-1252",
         [](EditorForm& f) { f.QMemo = "\xE6\x97\xA5"; },
         {"Character Not Allowed", characterNotAllowedText(U'\u65E5'), Icon::Warning, Buttons::Ok}},
    };
    openAt(numberedDeck(3), 2);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        edit(row.change);
        h.ui.expectBox(row.box);
        editor.BBSaveClick();
        h.ui.checkAllShown();
        EXPECT_EQ(p.deck.EditSlotsUsed, 0);
        EXPECT_EQ(p.deck.currentText(2), "Q2=question 2$#$!A2=answer 2");
        EXPECT_TRUE(p.editor.PairDirty);
        // The form is left as it was.
        EXPECT_EQ(editor.view().form.kind == PairKind::MultipleChoice,
                  std::string_view(row.name).starts_with("choice"));
        edit([](EditorForm& f) { f = newPairForm(PairKind::Standard, ""); });
    }
}

TEST_F(EditorTest, TheHundredthCategoryIsAddedAndTheHundredAndFirstRefused) {
    for (int listed : {99, 100}) {
        SCOPED_TRACE(listed);
        std::vector<std::pair<std::string, std::string>> pairs;
        for (int i = 1; i <= listed; ++i) {
            pairs.emplace_back("<NAM>Cat" + std::to_string(i) + "%q", "a");
        }
        openAt(deckOf(pairs), 1);
        EXPECT_EQ(p.editor.categories.size(), static_cast<std::size_t>(listed));
        edit([](EditorForm& f) { f.ECategory = "Brand New"; });
        if (listed == 100) {
            h.ui.expectBox({"Category Limit",
                            "This Deck Has Already Used The Limit Of 100 Categories.Please Use One "
                            "Of The Existing Categories For This Pair.",
                            Icon::Warning, Buttons::Ok});
        }
        editor.BBSaveClick();
        EXPECT_EQ(p.editor.categories.size(), 100u);
        EXPECT_EQ(p.deck.EditSlotsUsed, listed == 100 ? 0 : 1);
        if (listed == 100) h.ui.expectBox(kSaveQuestionOnClose, Button::No);
        editor.BBCloseClick();
        ASSERT_TRUE(FileExitQAClick(p));
        h.ui.checkAllShown();
    }
}

TEST_F(EditorTest, ACategoryTypedInAnotherCaseIsStoredAsTypedAndShownAsListed) {
    openAt(deckOf({{"<NAM>Capitals%q1", "a1"}, {"q2", "a2"}, {"q3", "a3"}}), 2);
    edit([](EditorForm& f) { f.ECategory = "capitals"; });
    editor.BBSaveClick();
    EXPECT_EQ(p.deck.currentText(2), "Q2=<NAM>capitals%q2$#$!A2=a2");
    EXPECT_EQ(editor.view().form.ECategory, "Capitals");
    EXPECT_EQ(editor.view().categories, std::vector<std::string>{"Capitals"});
}

TEST_F(EditorTest, InsertingRefusesWhenTheDeckHoldsFiveThousandPairs) {
    open(numberedDeck(kMaxPairs));
    p.deck.CurrentPair = kMaxPairs;
    h.ui.expectBox(kFileSizeLimit);
    editor.InsertNewPairClick();
    EXPECT_EQ(p.deck.PairCount, kMaxPairs);
    EXPECT_EQ(p.deck.CurrentPair, kMaxPairs);
    EXPECT_FALSE(p.editor.AddingPair);
    p.deck.CurrentPair = 10;
    h.ui.expectBox(kFileSizeLimit);
    editor.BBAddPairClick();
    EXPECT_EQ(p.deck.PairCount, kMaxPairs);
}

// ---- the store -------------------------------------------------------------------------------

TEST_F(EditorTest, TheNinthSavedPairWritesTheDeckAndASavedPairKeepsItsSlot) {
    const std::string original = numberedDeck(12);
    openAt(original, 1);
    for (std::int32_t n = 1; n <= 8; ++n) {
        edit([&](EditorForm& f) { f.AMemo = "new " + std::to_string(n); });
        editor.BBSaveClick();
        if (n == 1) {  // the same pair again keeps its slot
            edit([](EditorForm& f) { f.AMemo = "new 1"; });
            editor.BBSaveClick();
            EXPECT_EQ(p.deck.EditSlotsUsed, 1);
        }
        editor.BBUpClick();
    }
    EXPECT_EQ(p.deck.EditSlotsUsed, 8);
    EXPECT_EQ(qaFile(), original);
    edit([](EditorForm& f) { f.AMemo = "new 9"; });
    editor.BBSaveClick();
    EXPECT_EQ(p.deck.EditSlotsUsed, 0);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.CurrentPair, 9);
    EXPECT_FALSE(editor.shown());  // the question window stays in front
    const std::string file = qaFile();
    EXPECT_NE(file.find("A1=new 1\r\n"), std::string::npos);
    EXPECT_NE(file.find("A9=new 9\r\n"), std::string::npos);
    EXPECT_NE(file.find("A10=answer 10\r\n"), std::string::npos);
}

TEST_F(EditorTest, FileSaveImmediateWritesEverySaveAndTheReloadKeepsTheOpeningBackups) {
    openAt(numberedDeck(3), 2);
    const std::string backup = h.decks.read("deck.~LS");
    ASSERT_EQ(backup, numberedDeck(3));
    editorCheckBoxClick(p, editor, EditorCheckBox::CBFileSaveI, true);
    EXPECT_EQ(p.shell.app.FileSaveI, 1);
    EXPECT_NE(h.programFolder.read("CARDWISE.INI").find("FileSaveI=1"), std::string::npos);
    edit([](EditorForm& f) { f.QMemo = "written"; });
    editor.BBSaveClick();
    EXPECT_NE(qaFile().find("Q2=written\r\n"), std::string::npos);
    EXPECT_EQ(h.decks.read("deck.~LS"), backup);
    EXPECT_EQ(p.deck.CurrentPair, 2);
    EXPECT_EQ(p.deck.EditSlotsUsed, 0);
}

TEST_F(EditorTest, AFailedWriteKeepsThePairsInTheStoreAndTellsTheUser) {
    openAt(numberedDeck(3), 2);
    p.shell.app.FileSaveI = 1;
    h.files.failWrites = true;
    edit([](EditorForm& f) { f.QMemo = "kept"; });
    h.ui.expectBox(
        testing::writeErrorBox(h.decks.file("deck.DKD"), path, "No space left on device"));
    editor.BBSaveClick();
    EXPECT_EQ(p.deck.EditSlotsUsed, 1);
    EXPECT_EQ(p.deck.currentText(2), "Q2=kept$#$!A2=answer 2");
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_TRUE(editor.shown());
    EXPECT_EQ(qaFile(), numberedDeck(3));
    h.files.failWrites = false;
    editor.BBCloseClick();
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_NE(qaFile().find("Q2=kept\r\n"), std::string::npos);
}

TEST_F(EditorTest, ACloseThatRenumberingWouldPushPastTheLimitWritesNothing) {
    // Every pair of a hand-made file says "1": the tenth becomes two characters longer.
    std::string bytes = "[Cardwise]\r\n";
    for (int i = 1; i <= 10; ++i) {
        std::string q = i == 10 ? std::string(2098 - 3 - 4 - 3, 'x') : "q";
        bytes += "Q1=" + q + "\r\nA1=\r\n";
    }
    openAt(bytes, 1);
    edit([](EditorForm& f) { f.AMemo = "edited"; });
    editor.BBSaveClick();
    editor.BBCloseClick();
    h.ui.expectBox({"Pair Too Large", rewriteTooLongText(10), Icon::Error, Buttons::Ok});
    EXPECT_FALSE(FileExitQAClick(p));
    EXPECT_EQ(qaFile(), bytes);
    EXPECT_TRUE(p.shell.deckOpen);
}

// ---- insert and delete ---------------------------------------------------------------------

TEST_F(EditorTest, InsertInTheMiddleWritesThePlaceholderAfterTheCurrentPair) {
    openAt(numberedDeck(3), 1);
    editor.BBAddPairClick();
    EXPECT_EQ(p.deck.PairCount, 4);
    EXPECT_EQ(p.deck.CurrentPair, 2);
    EXPECT_TRUE(editor.shown());
    EXPECT_EQ(editor.view().caption, "Cardwise Q&A Editor - Adding Pair 2 To " + path);
    EXPECT_EQ(editor.view().form.QMemo, kNewQuestionPrompt);
    EXPECT_EQ(editor.view().focus, EditorFocus::QuestionMemoSelectAll);
    EXPECT_EQ(qaFile(), crlf({"[Cardwise]", "Q1=question 1", "A1=answer 1",
                              "Q2=Insert New Question Text Here", "A2=Insert New Answer Text Here",
                              "Q3=question 2", "A3=answer 2", "Q4=question 3", "A4=answer 3"}));
}

TEST_F(EditorTest, InsertAtTheEndClosedWithoutSavingLeavesThePairCount) {
    openAt(numberedDeck(3), 3);
    editor.BBAddPairClick();
    EXPECT_EQ(p.deck.CurrentPair, 4);
    EXPECT_EQ(p.deck.PairCount, 3);
    EXPECT_EQ(editor.view().caption, "Cardwise Q&A Editor - Adding Pair 4 To " + path);
    EXPECT_FALSE(editor.view().enabled.BBUp);
    EXPECT_TRUE(editor.BBCloseClick());
    EXPECT_EQ(p.deck.PairCount, 3);
    EXPECT_EQ(p.deck.CurrentPair, 3);
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(qaFile(), numberedDeck(3));
}

TEST_F(EditorTest, ANewPairSavedAtTheEndJoinsTheDeck) {
    openAt(numberedDeck(3), 3);
    editor.BBAddPairClick();
    editor.NotebookPageChanged(EditorPage::AnswerText);
    EXPECT_EQ(editor.view().focus, EditorFocus::AnswerMemoSelectAll);
    edit([](EditorForm& f) {
        f.QMemo = "four";
        f.AMemo = "cuatro";
    });
    editor.BBSaveClick();
    EXPECT_EQ(p.deck.PairCount, 4);
    EXPECT_EQ(p.deck.Learning[4].LastDate, p.deck.Today);
    EXPECT_EQ(editor.view().caption, "Cardwise Q&A Editor - Editing Pair 4 Of 4 To " + path);
    editor.BBCloseClick();
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_NE(qaFile().find("Q4=four\r\nA4=cuatro\r\n"), std::string::npos);
}

TEST_F(EditorTest, DeleteClampsTheRangeAndStopsAtTheLastTwoPairs) {
    openAt(numberedDeck(3), 3);
    ASSERT_EQ(p.settings.HighRange, 3);
    editor.BBDeletePairClick();
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(p.deck.PairCount, 2);
    EXPECT_EQ(p.deck.CurrentPair, 2);
    EXPECT_EQ(p.settings.HighRange, 2);
    EXPECT_EQ(p.settings.LowRange, 1);
    EXPECT_TRUE(editor.shown());
    EXPECT_EQ(qaFile(), numberedDeck(2));
    h.ui.expectBox({"Cannot Delete Pair",
                    "A Deck Must Keep At Least 2 Pairs, So Pair 2 Cannot Be Deleted.  Change Its "
                    "Text Instead.",
                    Icon::Warning, Buttons::Ok});
    editor.BBDeletePairClick();
    EXPECT_EQ(p.deck.PairCount, 2);
}

TEST_F(EditorTest, DeleteFromTheMainWindowLeavesTheEditorHiddenAndReturnsToANearPair) {
    open(numberedDeck(4));
    p.deck.CurrentPair = 4;
    editor.DeleteCurrentPairClick();
    EXPECT_FALSE(editor.shown());
    EXPECT_EQ(p.deck.PairCount, 3);
    EXPECT_EQ(p.deck.CurrentPair, 3);
    EXPECT_TRUE(p.drill.ReturnToPair);
    EXPECT_EQ(p.drill.ReturnPair, 3);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
}

// ---- read-only decks ----------------------------------------------------------------------

TEST_F(EditorTest, AReadOnlyDeckDisablesEveryChangeAndSaysWhy) {
    h.files.readOnlyFolder = h.decks.path();
    h.ui.expectBox(
        {"Q&A Write-Protected Disk Warning",
         h.decks.file("deck.DKS") +
             " Is Located On A Write-Protected Or Read-Only Disk (Perhaps a CDROM).  The "
             "File Will Operate Properly, But No Permanent Changes Can Be Made To The "
             "Option Settings, Priority List, Etc.",
         Icon::Information, Buttons::Ok});
    openAt(numberedDeck(3), 2);
    ASSERT_TRUE(p.deck.ReadOnlyDeck);
    const EditorView& v = editor.view();
    EXPECT_EQ(v.caption, "Cardwise Q&A Editor - Editing Pair 2 Of 3 To " + path + " - Read Only");
    EXPECT_FALSE(v.enabled.BBSave || v.enabled.BBAddPair || v.enabled.BBDeletePair ||
                 v.enabled.fields || v.enabled.kindButtons);
    EXPECT_TRUE(v.enabled.BBUp && v.enabled.BBDown && v.enabled.BBRunPair);
    EXPECT_NE(v.notice.find("Read-Only"), std::string::npos);
    edit([](EditorForm& f) { f.QMemo = "ignored"; });
    EXPECT_FALSE(p.editor.PairDirty);
    const ShownBox refusal{"Deck Cannot Be Changed", v.notice, Icon::Warning, Buttons::Ok};
    h.ui.expectBox(refusal, Button::Ok, 3);
    editor.BBSaveClick();
    editor.BBAddPairClick();
    editor.DeleteCurrentPairClick();
    EXPECT_EQ(p.deck.PairCount, 3);
}

TEST_F(EditorTest, ADeckCutToFiveThousandPairsIsReadOnlyInTheEditor) {
    h.ui.expectBox(testing::kOversizeDeckBox);
    openAt(numberedDeck(kMaxPairs + 1), 1);
    EXPECT_TRUE(p.deck.TruncatedAtLoad);
    EXPECT_FALSE(editor.view().enabled.BBSave);
    EXPECT_NE(editor.view().notice.find("Only The First 5000"), std::string::npos);
}

// ---- unsaved edits --------------------------------------------------------------------------

TEST_F(EditorTest, UnsavedEditsAreAskedAboutBeforeEveryMove) {
    openAt(numberedDeck(4), 2);
    edit([](EditorForm& f) { f.QMemo = "yes"; });
    h.ui.expectBox(kSaveQuestion, Button::Yes);
    editor.BBUpClick();
    EXPECT_EQ(p.deck.currentText(2), "Q2=yes$#$!A2=answer 2");
    EXPECT_EQ(p.deck.CurrentPair, 3);

    edit([](EditorForm& f) { f.QMemo = "no"; });
    h.ui.expectBox(kSaveQuestion, Button::No);
    editor.BBDownClick();
    EXPECT_EQ(p.deck.currentText(3), "Q3=question 3$#$!A3=answer 3");
    EXPECT_EQ(p.deck.CurrentPair, 2);

    edit([](EditorForm& f) { f.QMemo = "stay"; });
    h.ui.expectBox(kSaveQuestionOnClose, Button::Cancel);
    EXPECT_FALSE(editor.BBCloseClick());
    EXPECT_TRUE(editor.shown());
    EXPECT_EQ(editor.view().form.QMemo, "stay");

    editorCheckBoxClick(p, editor, EditorCheckBox::CBAutoSavePair, true);
    editor.BBUpClick();  // saved without a question
    EXPECT_EQ(p.deck.currentText(2), "Q2=stay$#$!A2=answer 2");
}

TEST_F(EditorTest, APairWithMarkupFaultsIsShownWithAWarningAndNeverSavedByItself) {
    open(deckOf({{"q", "<HC1>a<HC2>b<HC3>c<HC4>d%x"}, {"two", "dos"}, {"three", "tres"}}));
    p.deck.CurrentPair = 2;
    editor.EditCurrentPairClick();
    editorCheckBoxClick(p, editor, EditorCheckBox::CBAutoSavePair, true);
    const ShownBox tooMany{"Too Many Hints Or Comments",
                           "Cardwise Has Found More Than Three Comments In Answer     1.  Please "
                           "Limit The Hints Or Comments To Three. ",
                           Icon::Error, Buttons::Ok};
    h.ui.expectBox(tooMany);
    editor.BBDownClick();
    EXPECT_NE(editor.view().notice.find("Too Many Hints Or Comments"), std::string::npos);
    EXPECT_EQ(editor.view().form.AMemo, "x");
    edit([](EditorForm& f) { f.QMemo = "y"; });
    h.ui.expectBox(kSaveQuestion, Button::No);
    editor.BBUpClick();
    EXPECT_EQ(p.deck.EditSlotsUsed, 0);
    EXPECT_EQ(p.deck.CurrentPair, 2);

    // Saved by hand only after saying what goes.
    h.ui.expectBox(tooMany);
    editor.BBDownClick();
    edit([](EditorForm& f) { f.QMemo = "y"; });
    const ShownBox question{"Save Pair With Markup Faults?",
                            "Pair 1 Was Read With Faults In Its Markup (Too Many Hints Or "
                            "Comments).  Saving Stores It As The Editor Shows It: Each Faulty Tag "
                            "Is Dropped With Its Content, And What Followed It Is Kept As Question "
                            "Or Answer Text.  Save It Anyway?",
                            Icon::Warning, Buttons::YesNo};
    h.ui.expectBox(question, Button::No);
    editor.BBSaveClick();
    EXPECT_EQ(p.deck.EditSlotsUsed, 0);
    h.ui.expectBox(question, Button::Yes);
    editor.BBSaveClick();
    EXPECT_EQ(p.deck.currentText(1), "Q1=y$#$!A1=<HC1>a<HC2>b<HC3>c%x");
    EXPECT_TRUE(editor.view().notice.empty());
    editorCheckBoxClick(p, editor, EditorCheckBox::CBAutoSavePair, false);
    EXPECT_NE(h.programFolder.read("CARDWISE.INI").find("AutoSavePair=0"), std::string::npos);
}

TEST_F(EditorTest, OpeningAndClosingTheEditorLeavesTheFileAsItWas) {
    const std::string bytes = crlf({"[Cardwise]", "; a comment the user wrote", "Q1=one", "A1=uno",
                                    "", "Q2=two", "A2=dos", "Q3=three", "A3=tres"});
    open(bytes);
    editor.OpenInEditorClick();
    editor.BBUpClick();
    EXPECT_TRUE(editor.BBCloseClick());
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(qaFile(), bytes);
    EXPECT_EQ(h.frontEnd.count("closeEditor"), 0);
}

TEST_F(EditorTest, ANewDeckOpensInTheEditorOnItsFirstPair) {
    open(numberedDeck(5));
    h.ui.fileChoices.push_back(h.decks.file("fresh"));
    FileNewClick(p);
    ASSERT_TRUE(editor.shown());
    EXPECT_EQ(p.deck.CurrentPair, 1);
    EXPECT_EQ(editor.view().caption,
              "Cardwise Q&A Editor - Editing Pair 1 Of 3 To " + h.decks.file("fresh.DKS"));
    EXPECT_EQ(editor.view().form.AMemo, "First dummy answer");
    EXPECT_TRUE(editor.BBCloseClick());
    EXPECT_EQ(p.deck.CurrentPair, h.frontEnd.rememberedPair);  // where the new drill was
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(h.decks.read("fresh.DKS"), newDeckText());
}

TEST_F(EditorTest, ClosingTheDeckUnderTheEditorAsksAboutItsEditsAndWritesThem) {
    openAt(numberedDeck(3), 2);
    // The close itself writes: no flush inside it.
    editorCheckBoxClick(p, editor, EditorCheckBox::CBFileSaveI, true);
    edit([](EditorForm& f) { f.QMemo = "last words"; });
    h.ui.expectBox(kSaveQuestion, Button::Yes);
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_FALSE(editor.shown());
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_EQ(qaFile(), crlf({"[Cardwise]", "Q1=question 1", "A1=answer 1", "Q2=last words",
                              "A2=answer 2", "Q3=question 3", "A3=answer 3"}));
}

TEST_F(EditorTest, AnEditTheEditorCannotStoreStopsTheCloseAndStaysShown) {
    const ShownBox refusal{"Character Not Allowed",
                           "The Box \"HINT 1\" Holds The Character %, Which Cardwise Uses To "
                           "Mark The Parts Of A Pair.  Please Remove It Before Saving; Nothing "
                           "Was Saved.",
                           Icon::Warning, Buttons::Ok};
    for (const bool autoSave : {false, true}) {
        SCOPED_TRACE(autoSave ? "saved without asking" : "asked first");
        openAt(numberedDeck(3), 2);
        p.shell.app.AutoSavePair = autoSave ? 1 : 0;
        edit([](EditorForm& f) { f.EH[0] = "50% off"; });
        if (!autoSave) h.ui.expectBox(kSaveQuestion, Button::Yes);
        h.ui.expectBox(refusal);
        EXPECT_FALSE(FileExitQAClick(p));
        h.ui.checkAllShown();
        EXPECT_TRUE(p.shell.deckOpen);
        EXPECT_TRUE(editor.shown());
        EXPECT_EQ(editor.view().form.EH[0], "50% off");
        EXPECT_EQ(qaFile(), numberedDeck(3));
        // Put right, the same close goes through.
        edit([](EditorForm& f) { f.EH[0] = "half off"; });
        if (!autoSave) h.ui.expectBox(kSaveQuestion, Button::Yes);
        ASSERT_TRUE(FileExitQAClick(p));
        EXPECT_NE(qaFile().find("half off"), std::string::npos);
    }
}

TEST_F(EditorTest, SavedEditsReachTheDiskAtTheNextSaveWithTheirStatusLines) {
    openAt(numberedDeck(3), 3);
    edit([](EditorForm& f) { f.QMemo = "edited three"; });
    editor.BBSaveClick();
    editor.BBAddPairClick();
    edit([](EditorForm& f) {
        f.QMemo = "four";
        f.AMemo = "cuatro";
    });
    editor.BBSaveClick();
    EXPECT_EQ(qaFile(), numberedDeck(3)) << "the store waits for the save";
    EXPECT_TRUE(p.document.changed());
    p.deck.Learning.at(4).LearnStatus = LongTerm;
    p.deck.Learning.at(4).RightTotal = 7;

    EXPECT_EQ(saveIfChanged(p), SaveOutcome::Saved);
    EXPECT_FALSE(p.document.changed());
    EXPECT_EQ(saveIfChanged(p), SaveOutcome::NothingToSave);
    EXPECT_EQ(p.deck.currentText(3), "Q3=edited three$#$!A3=answer 3") << "the store merged";
    // Killed now, the program leaves files that open with every edit in its place.
    testing::DeckHarness again;
    again.open(path);
    ASSERT_TRUE(again.program.shell.deckOpen);
    EXPECT_EQ(again.program.deck.PairCount, 4);
    EXPECT_EQ(again.program.deck.currentText(3), "Q3=edited three$#$!A3=answer 3");
    EXPECT_EQ(again.program.deck.currentText(4), "Q4=four$#$!A4=cuatro");
    EXPECT_EQ(again.program.deck.Learning.at(4).LearnStatus, LongTerm);
    EXPECT_EQ(again.program.deck.Learning.at(4).RightTotal, 7);
}

// ---- moves, find, run ---------------------------------------------------------------------

TEST_F(EditorTest, GoToPairAcceptsOnlyANumberOfThisDeck) {
    openAt(numberedDeck(3), 1);
    const ShownBox invalid{"Error", "You Must Enter A Valid Pair Number In The Edit Box",
                           Icon::Error, Buttons::Ok};
    for (const char* entry : {"0", "4", "x", ""}) {
        SCOPED_TRACE(entry);
        h.ui.expectBox(invalid);
        EXPECT_TRUE(editor.BBGoToPairClick(entry));
        EXPECT_EQ(p.deck.CurrentPair, 1);
    }
    editor.BBGoToPairClick(" 3 ");
    EXPECT_EQ(p.deck.CurrentPair, 3);
    EXPECT_FALSE(editor.view().enabled.BBUp);
    EXPECT_TRUE(editor.view().enabled.BBDown);
}

TEST_F(EditorTest, FindMovesTheEditorToThePairFound) {
    openAt(deckOf({{"one", "uno"}, {"two", "dos"}, {"an apple", "manzana"}}), 1);
    editor.BBFindClick();
    editor.findClick(FindState{"APPLE", FindDirection::Up}, FindButton::Find);
    EXPECT_EQ(p.deck.CurrentPair, 3);
    EXPECT_EQ(editor.view().form.QMemo, "an apple");
    EXPECT_TRUE(editor.BBCloseClick());
    EXPECT_EQ(window.calls.back(), "hideFind");
    EXPECT_EQ(p.deck.CurrentPair, 1);  // where the drill was
}

TEST_F(EditorTest, RunPairShowsThePairInTheDrillWindowsAndComesBack) {
    openAt(numberedDeck(3), 2);
    EXPECT_TRUE(editor.moveMenuItemsEnabled());
    editor.BBRunPairClick();
    EXPECT_FALSE(editor.shown());
    EXPECT_FALSE(editor.moveMenuItemsEnabled());
    EXPECT_TRUE(p.drill.EditorTestRun);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(p.deck.CurrentPair, 2);
}

// ---- associated files ---------------------------------------------------------------------

TEST_F(EditorTest, BrowseKeepsTheNameAloneForTheDeckSoundAndGraphicsFolders) {
    testing::TempDir graphics;
    testing::TempDir elsewhere;
    openAt(numberedDeck(3), 1);
    p.settings.GraphicsDIR = graphics.path() + "/";
    p.settings.UseGraphicsDIR = 0;
    struct Row {
        FileBox box;
        std::string chosen;
        std::string stored;
    };
    const Row rows[] = {
        {FileBox::EQBMP, h.decks.file("pic.bmp"), "pic.bmp"},
        {FileBox::EABMP, graphics.file("g.png"), "g.png"},
        {FileBox::EQAVI, elsewhere.file("s.wav"), elsewhere.file("s.wav")},
        {FileBox::EAAVI, graphics.file("v.avi"), graphics.file("v.avi")},  // not the sound folder
    };
    for (const Row& row : rows) {
        h.ui.fileChoices.push_back(row.chosen);
        editor.browse(row.box);
    }
    const EditorForm& f = editor.view().form;
    EXPECT_EQ(f.EQBMP, rows[0].stored);
    EXPECT_EQ(f.EABMP, rows[1].stored);
    EXPECT_EQ(f.EQAVI, rows[2].stored);
    EXPECT_EQ(f.EAAVI, rows[3].stored);
    EXPECT_TRUE(p.editor.PairDirty);
    EXPECT_EQ(h.ui.fileRequests[0].directory, p.currentDirectory);
    EXPECT_EQ(h.ui.fileRequests[0].filter.rfind("Image files|", 0), 0u);
    EXPECT_EQ(h.ui.fileRequests[2].filter.rfind("AVI, WAV or MID files|", 0), 0u);
}

TEST_F(EditorTest, DisplayAndPlayHandOverTheFileTheLookupFinds) {
    h.decks.write("pic.bmp", "BM");
    h.decks.write("s.wav", "RIFF");
    open(deckOf({{"q", "<BMP>pic.bmp<WAV>s.wav%a"}, {"q2", "a2"}, {"q3", "a3"}}));
    p.deck.CurrentPair = 1;
    editor.EditCurrentPairClick();
    editor.display(EditorSide::Answer);
    EXPECT_EQ(window.pictures, std::vector<std::string>{h.decks.file("pic.bmp")});
    h.ui.expectBox({"Can't Play Multi-Media File",
                    "Your System Indicates It Doesn't Know How To Play The File " +
                        h.decks.file("s.wav") +
                        ". It Is Likely That The Multi-Media Drivers For This File Type Are Not "
                        "Installed. To Check For This, Try Double-Clicking On The Indicated File "
                        "In FileManager Or Explorer.",
                    Icon::Error, Buttons::Ok});
    editor.play(EditorSide::Answer);
    editor.display(EditorSide::Question);  // empty box: nothing happens
    EXPECT_EQ(window.pictures.size(), 1u);
    h.ui.checkAllShown();

    // Opened, then found unplayable (a missing codec): one box however often it is said.
    h.services.media.opens = true;
    editor.play(EditorSide::Answer);
    h.ui.expectBoxWhere("Can't Play Multi-Media File", Icon::Error, Buttons::Ok,
                        [](const std::string& text) {
                            return text.find("s.wav. It Is Likely") != std::string::npos;
                        });
    h.services.media.fail(MediaChannel::Editor);
    h.services.media.fail(MediaChannel::Editor);
}

}  // namespace
}  // namespace cardwise
