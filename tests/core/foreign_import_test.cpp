// Other programs' decks: Anki packages of both forms, Mnemosyne databases and KWordQuiz
// vocabularies, built here from their public descriptions, told by content and imported
// with their pictures and sounds; broken and hostile files leave every file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/deck/qa_file.h"
#include "core/exchange/foreign_import.h"
#include "core/exchange/pair_import.h"
#include "modules/foreign/html_text.h"
#include "support/deck_harness.h"
#include "support/foreign_files.h"

namespace cardwise {
namespace {

using testing::AnkiNote;
using testing::DeckHarness;
using testing::snapshot;

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(HtmlText, ReadsAsABrowserLaysOutTheText) {
    struct Case {
        const char* name;
        std::string html;
        std::string text;
    };
    const Case cases[] = {
        {"BreaksAndBlocks", "one<br>two<div>three</div><p>four</p>five",
         "one\ntwo\nthree\nfour\nfive"},
        {"WhiteSpaceCollapses", "  a \n\t b  ", "a b"},
        {"Entities", "caf&eacute; &amp; &lt;tea&gt;&nbsp;!", "caf\xC3\xA9 & <tea>\xC2\xA0!"},
        {"ScriptAndStyleLeftOut", "<style>b{}</style>x<script>y()</script>", "x"},
        {"EmptyLineOfTwoBreaks", "a<br><br>b", "a\n\nb"},
        {"UnclosedTags", "<b>bold <i>both", "bold both"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(htmlText(c.html).text, c.text);
    }
    const HtmlText media = htmlText("<img src=\"a&amp;b.jpg\"> x <audio src='s.mp3'></audio>");
    EXPECT_EQ(media.pictures, std::vector<std::string>{"a&b.jpg"});
    EXPECT_EQ(media.sounds, std::vector<std::string>{"s.mp3"});
}

TEST(SafeMediaName, KeepsNamesInTheDeckFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"pic.jpg", "pic.jpg"},
        {"../../evil.jpg", "evil.jpg"},
        {"/etc/passwd", "passwd"},
        {"C:\\Windows\\x.png", "x.png"},
        {"..", "media"},
        {".hidden", "hidden"},
        {"a<b>%c^.png", "a_b__c_.png"},
        {"caf\xC3\xA9.mp3", "caf__.mp3"},
        {std::string(100, 'x') + ".jpeg", std::string(55, 'x') + ".jpeg"},
    };
    for (const auto& [name, safe] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(safeMediaName(name), safe);
    }
}

TEST(SniffFormat, TellsTheFileByItsFirstBytes) {
    EXPECT_EQ(sniffFormat("PK\x03\x04rest"), ForeignFormat::Zip);
    EXPECT_EQ(sniffFormat(std::string("SQLite format 3\0", 16)), ForeignFormat::SQLite);
    EXPECT_EQ(sniffFormat("\xEF\xBB\xBF  <?xml version=\"1.0\"?><kvtml>"), ForeignFormat::Xml);
    EXPECT_EQ(sniffFormat("<kvtml version=\"2.0\">"), ForeignFormat::Xml);
    EXPECT_EQ(sniffFormat("question\tanswer\r\n"), ForeignFormat::Text);
    EXPECT_EQ(sniffFormat("SQLite format 3 is text"), ForeignFormat::Text);
}

const std::string kJpeg = "\xFF\xD8\xFF\xE0 a picture";
const std::string kOgg = "OggS a sound";

// Every standard note type, a note type of its own, entities, media and tags.
std::vector<AnkiNote> ankiNotes() {
    return {
        {1, {"Capital of <b>France</b>?", "Paris&nbsp;&amp; more<br>line two"}, " Geo ", {0}},
        {2, {"dog", "Hund<img src=\"dog.jpg\">"}, "", {0, 1}},
        {3, {"Type: one", "eins"}, "German", {0}},
        {4, {"{{c1::Vienna::city}} is in {{c2::Austria}}", "extra"}, "", {0, 1}},
        {5, {"word[sound:say.ogg]", "meaning", "example"}, "waytoolongforacategory Vocab", {0}},
        {1, {"hostile", "<img src=\"../../evil.jpg\">"}, "", {0}},
    };
}

const std::vector<std::pair<std::string, std::string>> kAnkiMedia = {
    {"dog.jpg", kJpeg}, {"say.ogg", kOgg}, {"../../evil.jpg", kJpeg + "!"}, {"unused.png", "x"}};

// The deck the notes above make, the Q&A file after its header.
const std::vector<std::string> kAnkiPairs = {
    "Q1=<NAM>Geo%Capital of France?",
    "A1=Paris\xA0& more^line two",
    "Q2=dog",
    "A2=<BMP>dog-2.jpg%Hund",
    "Q3=<BMP>dog-2.jpg%Hund",
    "A3=dog",
    "Q4=<NAM>German<FIB>%Type: one",
    "A4=<MC1>eins%eins",
    "Q5=<FIB>%[city] is in Austria",
    "A5=<MC1>Vienna%Vienna is in Austria^extra",
    "Q6=<FIB>%Vienna is in [...]",
    "A6=<MC1>Austria%Vienna is in Austria^extra",
    "Q7=<NAM>Vocab<WAV>say.ogg%word",
    "A7=meaning^example",
    "Q8=hostile",
    "A8=<BMP>evil.jpg",
};

struct ForeignImport : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;

    std::vector<std::string> importedLines(const std::string& source, const std::string& deck) {
        ImportResult result = importPairs(p, source, deck);
        EXPECT_TRUE(result.ok()) << (result.problem ? result.problem->text : "");
        std::vector<std::string> lines;
        std::istringstream in(fileBytes(result.deckPath));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.starts_with("Q") || line.starts_with("A")) lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(ForeignImport, AnkiPackagesOfBothFormsGiveTheSamePairsAndMedia) {
    for (const bool newer : {false, true}) {
        SCOPED_TRACE(newer ? "anki21b" : "legacy");
        h.decks.write("dog.jpg", "another picture already here");
        for (const char* name : {"dog-2.jpg", "say.ogg", "evil.jpg"}) {
            std::filesystem::remove(h.decks.file(name));
        }
        const std::string source = h.write(newer ? "new.colpkg" : "old.apkg",
                                           testing::ankiPackage(ankiNotes(), kAnkiMedia, newer));
        const std::string deck = h.decks.file(newer ? "new.DKS" : "old.DKS");
        EXPECT_EQ(importedLines(source, deck), kAnkiPairs);
        EXPECT_EQ(fileBytes(h.decks.file("dog.jpg")), "another picture already here");
        EXPECT_EQ(fileBytes(h.decks.file("dog-2.jpg")), kJpeg);
        EXPECT_EQ(fileBytes(h.decks.file("say.ogg")), kOgg);
        EXPECT_EQ(fileBytes(h.decks.file("evil.jpg")), kJpeg + "!");
        EXPECT_FALSE(h.decks.exists("unused.png"));
    }
}

TEST_F(ForeignImport, MnemosyneTakesActiveCardsWithTheirMediaFolder) {
    std::filesystem::create_directory(h.decks.file("default.db_media"));
    h.decks.write("default.db_media/flag.png", "png");
    const std::string source =
        h.write("default.db", testing::mnemosyneDatabase({
                                  {"Flag of <i>Italy</i><br><img src=\"flag.png\">",
                                   "green, white, red",
                                   true,
                                   {"Flags"}},
                                  {"inactive", "x", false, {}},
                                  {"Sound<audio src=\"../../../etc/passwd\">", "none", true, {}},
                              }));
    EXPECT_EQ(importedLines(source, h.decks.file("m.DKS")),
              (std::vector<std::string>{"Q1=<NAM>Flags<BMP>flag.png%Flag of Italy",
                                        "A1=green, white, red", "Q2=Sound", "A2=none"}));
    EXPECT_EQ(fileBytes(h.decks.file("flag.png")), "png");
    EXPECT_FALSE(h.decks.exists("passwd"));
}

TEST_F(ForeignImport, KvtmlBracketsBecomeABlankToFill) {
    std::filesystem::create_directory(h.decks.file("pics"));
    h.decks.write("pics/car.png", "car");
    const std::string source = h.write("v.kvtml", R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0"><entries>
 <entry id="0"><translation id="0"><text>they bought a Porsche</text><image>pics/car.png</image></translation>
  <translation id="1"><text>sie haben [einen Porsche] gekauft</text></translation></entry>
 <entry id="1"><translation id="0"><text>caf&#233; &amp; tea</text></translation>
  <translation id="1"><text>Kaffee</text></translation></entry>
</entries></kvtml>)");
    EXPECT_EQ(importedLines(source, h.decks.file("v.DKS")),
              (std::vector<std::string>{
                  "Q1=<FIB><BMP>car.png%they bought a Porsche^sie haben [...] gekauft",
                  "A1=<MC1>einen Porsche%sie haben einen Porsche gekauft", "Q2=caf\xE9 & tea",
                  "A2=Kaffee"}));
    EXPECT_EQ(fileBytes(h.decks.file("car.png")), "car");
}

TEST_F(ForeignImport, RefusalsLeaveEveryFileAsItWas) {
    struct Case {
        const char* name;
        std::string file;
        std::string text;
    };
    const std::string zip = testing::ankiPackage(ankiNotes(), kAnkiMedia, false);
    const Case cases[] = {
        {"BrokenArchive", zip.substr(0, zip.size() / 2),
         "The File Is A Broken ZIP Archive; Nothing Could Be Read From It.  Nothing Was Imported."},
        {"ZipWithoutCollection", testing::zipArchive({{"readme.txt", "hi"}}),
         "The File Is A ZIP Archive But Not An Anki Package: It Holds No Anki Collection.  "
         "Nothing Was Imported."},
        {"NeitherAnkiNorMnemosyne", testing::sqliteDatabase("CREATE TABLE t (x);"),
         "The File Is An SQLite Database, But Neither An Anki Collection Nor A Mnemosyne "
         "Database.  Nothing Was Imported."},
        {"XmlOfAnotherKind", "<?xml version=\"1.0\"?><html/>",
         "The File Is XML But Not A KWordQuiz Vocabulary (.kvtml).  Nothing Was Imported."},
        {"CharacterOutsideTheDeck",
         testing::ankiPackage(
             {{1, {"ok", "fine"}, "", {0}}, {1, {"snow \xE2\x98\x83", "x"}, "", {0}}}, {}, true),
         "Card 2 Of SOURCE: The Question: The Character \"\xE2\x98\x83\" (U+2603) Cannot Be Stored "
         "In A Deck.  Decks Hold Only The Characters Of The Western European (Windows-1252) Code "
         "Page.  Please Replace It And Try Again..  Nothing Was Imported."},
    };
    const std::string deck = h.write("old.DKS", testing::threePairDeck());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string source = h.write("cards.apkg", c.file);
        const auto before = snapshot(h.decks.path());
        ImportResult result = importPairs(p, source, deck);
        ASSERT_FALSE(result.ok());
        std::string expected = c.text;
        if (const auto at = expected.find("SOURCE"); at != std::string::npos) {
            expected.replace(at, 6, source);
        }
        EXPECT_EQ(importProblemText(source, *result.problem), expected);
        EXPECT_EQ(snapshot(h.decks.path()), before);
    }
}

TEST_F(ForeignImport, AFailedDeckWriteLeavesNoMediaBehind) {
    const std::string source =
        h.write("a.apkg", testing::ankiPackage(ankiNotes(), kAnkiMedia, false));
    const auto before = snapshot(h.decks.path());
    h.files.failingSteps = {8};
    ImportResult result = importPairs(p, source, h.decks.file("new.DKS"));
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(snapshot(h.decks.path()), before);
}

}  // namespace
}  // namespace cardwise
