#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "core/deck/deck_loader.h"
#include "core/drill/core_drill_engine.h"
#include "core/drill/program_deck_commands.h"
#include "core/drill/run_control.h"
#include "core/shell/app_settings.h"
#include "gui/drill/drill_windows.h"
#include "support/fakes.h"

namespace cardwise::testing {

// The program's drill over a deck on disk, with scripted boxes and the real windows.
struct GuiDrill {
    ScriptedUserInterface ui;
    FixedClock clock;
    SeededRandom random;
    LocalFileSystem files;
    TempDir decks;
    TempDir programFolder;
    Program program{Platform{ui, clock, random, files}};
    CoreDrillEngine engine;
    ProgramDeckCommands commands{program};
    DrillController controller{program, engine, commands};
    gui::DrillWindows windows{program, controller};

    GuiDrill() {
        program.programDirectory = programFolder.path();
        programFolder.write(std::string(kPortableMarkerFileName), "");
        locateAppSettings(program, std::nullopt);
        program.shell.hooks.RunDKSFile = [this](Program&) {
            controller.start();
            windows.sync();
        };
        program.shell.hooks.closeDrillWindows = [this](Program&) { controller.hideWindows(); };
    }

    // Writes NAME.DKS and, when given, NAME.DKD, and opens the deck.
    void open(const std::string& name, const std::string& qa, const std::string& setup = {}) {
        decks.write(name + ".DKS", qa);
        if (!setup.empty()) decks.write(name + ".DKD", setup);
        program.deck.QAFileName = decks.file(name + ".DKS");
        InitDKSFile(program);
    }

    template <class W>
    W* find(QWidget* window, const char* name) {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
};

// A failure the scripted fakes reported outside a GoogleTest test.
inline bool fakesFailed() {
    return ::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed();
}

}  // namespace cardwise::testing
