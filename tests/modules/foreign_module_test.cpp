// Other programs' decks read as the programs read them: nothing of the readers is linked in,
// so the core loads their module from where the build put it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/exchange/foreign_module.h"

namespace cardwise {
namespace {

bool moduleMapped() {
    std::ifstream maps("/proc/self/maps");
    std::stringstream text;
    text << maps.rdbuf();
    return text.str().find("libcardwise_foreign.so") != std::string::npos;
}

TEST(ForeignModule, ImportsThroughTheLoadedModule) {
    // A plain text file needs no module: it is not loaded for one.
    EXPECT_FALSE(readForeignDeck(ForeignFormat::Text, "a\tb\n", {}).problem);
    EXPECT_FALSE(moduleMapped());

    const std::string kvtml = R"(<?xml version="1.0"?>
<kvtml version="2.0"><entries>
 <entry id="0"><translation id="0"><text>car</text><image>pics/car.png</image></translation>
  <translation id="1"><text>Auto</text></translation></entry>
</entries></kvtml>)";
    const BesideFile beside = [](const std::string& name) -> std::optional<std::string> {
        if (name == "pics/car.png") return "png";
        return std::nullopt;
    };
    const ForeignDeck deck = readForeignDeck(ForeignFormat::Xml, kvtml, beside);
    ASSERT_FALSE(deck.problem) << *deck.problem;
    ASSERT_EQ(deck.cards.size(), 1u);
    EXPECT_EQ(deck.cards[0].question.text, "car");
    EXPECT_EQ(deck.cards[0].answer.text, "Auto");
    EXPECT_EQ(deck.media.at("pics/car.png"), "png");
    EXPECT_TRUE(moduleMapped());

    // The module tells the database kinds apart too.
    EXPECT_EQ(readForeignDeck(ForeignFormat::SQLite, "SQLite format 3", {}).problem,
              "The File Is A Damaged SQLite Database.");
}

TEST(ForeignModule, ModulesThatDoNotLoadAreNamedInTheProblem) {
    struct Case {
        const char* name;
        std::vector<std::string> places;
        bool found;
        std::vector<std::string> named;
    };
    const std::string missing = "/nonexistent/libcardwise_foreign.so";
    const std::string notModule = "/proc/self/exe";
    const Case cases[] = {
        {"Missing", {missing}, false, {missing}},
        {"NotALibrary", {notModule, missing}, false, {notModule, missing}},
        {"BuiltAfterMissing", {missing, CARDWISE_FOREIGN_MODULE_BUILT}, true, {}},
        {"None", {}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FoundForeignReaders found = loadForeignReaders(c.places);
        EXPECT_EQ(found.readers != nullptr, c.found);
        if (c.found) {
            EXPECT_EQ(found.readers->version, kForeignReadersVersion);
            EXPECT_TRUE(found.problem.empty());
            continue;
        }
        EXPECT_TRUE(found.problem.starts_with(
            "Importing Other Programs' Files Is Unavailable, Their Module Did Not Load"))
            << found.problem;
        for (const std::string& place : c.named) {
            EXPECT_NE(found.problem.find(place), std::string::npos) << found.problem;
        }
    }
}

}  // namespace
}  // namespace cardwise
