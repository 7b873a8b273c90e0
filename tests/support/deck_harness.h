#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/deck/deck_loader.h"
#include "core/shell/app_settings.h"
#include "support/fakes.h"
#include "support/faulty_files.h"

namespace cardwise::testing {

// Every file below a folder with its bytes, for before-and-after comparisons.
inline std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        files[entry.path().string()] = bytes.str();
    }
    return files;
}

inline std::string threePairDeck() {
    return crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", "A2=dos", "Q3=three", "A3=tres"});
}

// A Program over scripted boxes, a recording editor and a file system with faults on
// demand; decks live in `decks`, the settings file in `programFolder`.
struct DeckHarness {
    ScriptedUserInterface ui;
    FixedClock clock;
    SeededRandom random;
    FaultyFileSystem files;
    RecordedServices services;
    RecordingEditor& editor = services.editor;
    RecordingFrontEnd frontEnd;
    TempDir decks;
    TempDir programFolder;
    Program program{services.platform(ui, clock, random, files)};

    DeckHarness() {
        program.programDirectory = programFolder.path();
        programFolder.write(std::string(kPortableMarkerFileName), "");
        EXPECT_TRUE(locateAppSettings(program, std::nullopt));
        program.attachFrontEnd(frontEnd);
        frontEnd.onCall = [this](std::string_view call) {
            if (call == "RunDKSFile") {
                EXPECT_TRUE(program.drill.DrillActive);
            }
        };
    }

    int drillStarts() const { return frontEnd.count("RunDKSFile"); }

    std::string write(const std::string& name, const std::string& bytes) {
        decks.write(name, bytes);
        return decks.file(name);
    }
    void open(const std::string& path) {
        program.deck.QAFileName = path;
        InitDKSFile(program);
    }
};

}  // namespace cardwise::testing
