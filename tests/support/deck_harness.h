#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/shell/app_settings.h"
#include "core/shell/deck_loader.h"
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

// A deck name holding a control character, which the box shows as '?'.
inline ShownBox invalidFileNameBox(std::string path) {
    for (char& c : path) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return {"Invalid File Name",
            "The Name " + path +
                " Holds A Line Break Or Another Control Character (Shown As ?).  Cardwise Cannot "
                "Use A File So Named; Please Rename It.",
            Icon::Error, Buttons::Ok};
}

// Bad entries in the Q&A file: the editor is about to open it.
inline ShownBox qaFileErrorBox(const std::string& qaPath) {
    return {"Q&A .DKS File Error",
            qaPath +
                " Has Invalid Entries.  This File Cannot Be Used In Its Current State.  NotePad "
                "Will Now Be Opened With " +
                qaPath +
                " Loaded To Allow You To Correct The Indicated Error.  After Correcting The "
                "Error, Reopen The File To Continue.",
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
