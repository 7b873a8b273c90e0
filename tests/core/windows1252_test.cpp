#include "core/content/windows1252.h"

#include <gtest/gtest.h>

namespace cardwise {
namespace {

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string utf8 = windows1252ToUtf8(all);
    DeckTextConversion back = utf8ToWindows1252(utf8);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.text, all);
}

TEST(Windows1252, MapsTheCodePageCharacters) {
    struct Case {
        std::string deck;
        std::string utf8;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"\x80", "\xE2\x82\xAC"},  // euro sign
             {"\x99", "\xE2\x84\xA2"},  // trade mark
             {"\x9F", "\xC5\xB8"},      // Y with diaeresis
             {"\x81", "\xC2\x81"},      // undefined: the C1 control of the same value
             {"\x9D", "\xC2\x9D"},
             {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
             {"a\r\nb", "a\r\nb"},
         }) {
        EXPECT_EQ(windows1252ToUtf8(c.deck), c.utf8) << c.utf8;
        EXPECT_EQ(utf8ToWindows1252(c.utf8).text, c.deck) << c.utf8;
    }
}

TEST(Windows1252, RefusesWhatTheCodePageCannotHold) {
    struct Case {
        std::string utf8;
        char32_t refused;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"ok \xE6\x97\xA5", U'\u65E5'},       // CJK
             {"\xF0\x9F\x98\x80", U'\U0001F600'},  // emoji
             {"\xC4\x80", U'\u0100'},              // A with macron: Latin, not in 1252
             {"\xC3", U'\uFFFD'},                  // cut short
             {"\xC0\xAF", U'\uFFFD'},              // overlong
             {"\xED\xA0\x80", U'\uFFFD'},          // surrogate
             {"\xFF", U'\uFFFD'},                  // not UTF-8
         }) {
        DeckTextConversion result = utf8ToWindows1252(c.utf8);
        EXPECT_EQ(result.refused, c.refused) << c.utf8;
        EXPECT_TRUE(result.text.empty()) << "never a partial text";
    }
}

TEST(Windows1252, RefusalMessageNamesTheCharacter) {
    EXPECT_EQ(characterNotAllowedText(U'\u65E5'),
              "The Character \"\xE6\x97\xA5\" (U+65E5) Cannot Be Stored In A Deck.  Decks Hold "
              "Only The Characters Of The Western European (Windows-1252) Code Page.  Please "
              "Replace It And Try Again.");
    EXPECT_EQ(characterNotAllowedText(U'\uFFFD').rfind("The Character (U+FFFD)", 0), 0u);
}

TEST(Windows1252, DisplayTextKeepsUtf8FileNamesAndConvertsDeckBytes) {
    EXPECT_EQ(displayText("/home/jos\xC3\xA9/a.DKS Has \xE9"),
              "/home/jos\xC3\xA9/a.DKS Has \xC3\xA9");
    EXPECT_EQ(displayText("\x80 \xC0\xAF"), "\xE2\x82\xAC \xC3\x80\xC2\xAF");  // overlong: bytes
}

}  // namespace
}  // namespace cardwise
