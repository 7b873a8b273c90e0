#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/deck/deck_loader.h"
#include "core/platform/external_editor.h"
#include "core/shell/app_settings.h"
#include "support/fakes.h"
#include "support/faulty_files.h"

namespace cardwise::testing {

// Stands in for the user's text editor: records the files it was run on and lets a test
// change the file as the user would.
class RecordingEditor : public ExternalEditor {
  public:
    std::vector<std::string> opened;
    std::function<void(const std::string&)> onEdit;
    FileResult result;

    FileResult editAndWait(const std::string& path) override {
        opened.push_back(path);
        if (onEdit) onEdit(path);
        return result;
    }
};

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
    RecordingEditor editor;
    TempDir decks;
    TempDir programFolder;
    Program program{Platform{ui, clock, random, files}};
    int drillStarts = 0;

    DeckHarness() {
        program.programDirectory = programFolder.path();
        programFolder.write(std::string(kPortableMarkerFileName), "");
        EXPECT_TRUE(locateAppSettings(program, std::nullopt));
        program.shell.editor = &editor;
        program.shell.hooks.RunDKSFile = [this](Program& p) {
            EXPECT_TRUE(p.drill.DrillActive);
            ++drillStarts;
        };
    }

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
