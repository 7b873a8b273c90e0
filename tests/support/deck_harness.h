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

// The warning shown before the text editor opens a deck's file.
inline ShownBox editorWarningBox() {
    return {"Editor Warning",
            "Changes Made With NotePad Will Not Take Effect Until The .DKS File Is Closed And "
            "Reopened. Any Changes Made With NotePad Will Be Overwritten If The Cardwise Editor "
            "Has Been Used AT ANY TIME While The Current .DKS File Has Been Open.  We Recommend "
            "Using The Cardwise Editor For More Robust And Error-Checked Performance, Reserving "
            "NotePad For Inspection Rather Than Editing. ",
            Icon::Warning, Buttons::Ok};
}

inline const ShownBox kOversizeDeckBox{
    "Oversize .DKS File",
    "For Performance Considerations, Cardwise Limits The Deck Size To 5000 Question/Answer "
    "Pairs.  This Deck Exceeds That Limit - Only The First 5000 Pairs Will Be Loaded.  DO NOT "
    "MAKE ANY EDITS TO THIS DECK WHILE IT IS OPEN - IF YOU DO, THE FILE WILL BE TRUNCATED TO THE "
    "FIRST 5000 PAIRS!!!!",
    Icon::Warning, Buttons::Ok};

inline ShownBox overlongPairBox(int pair) {
    return {std::string(kAppTitle),
            "Cannot Load This File. Q&&A Pair " + std::to_string(pair) +
                " Exceeds The Total Character Limit Of 2100 Characters.  This Pair Was Probably "
                "Constructed Outside The Cardwise Editor.  It Must Be Reduced Below The 2100 "
                "Character Limit Before The File Can Be Opened.",
            Icon::None, Buttons::Ok};
}

inline ShownBox readErrorBox(const std::string& path) {
    return {"File Read Error", "Cardwise Could Not Read " + path + ".  The File Was Not Opened.",
            Icon::Error, Buttons::Ok};
}

// Bad settings in the setup data file: the editor is about to open it.
inline ShownBox setupDataErrorBox(const std::string& qaPath, const std::string& setupPath) {
    return {"Q&A SetUp Data Error",
            qaPath +
                " Has Invalid Or Corrupted Entries In The Data Stored In Its Associated .DKD "
                "File.  This File Cannot Be Used In Its Current State.  NotePad Will Now Be "
                "Opened With " +
                setupPath +
                " Loaded To Allow You To Correct The Indicated Error.  After Correcting The "
                "Error, Reopen The File To Continue.",
            Icon::Error, Buttons::Ok};
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
