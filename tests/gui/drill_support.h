#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "gui/drill/drill_windows.h"
#include "gui/media/qt_image_decoder.h"
#include "gui/media/qt_media_player.h"
#include "modal_wait.h"
#include "support/fakes.h"

namespace cardwise::testing {

// The program's drill over a deck on disk, with scripted boxes and the real windows.
struct GuiDrill : NoFrontEnd {
    ScriptedUserInterface ui;
    FixedClock clock;
    SeededRandom random;
    LocalFileSystem files;
    TempDir decks;
    TempDir programFolder;
    AbsentServices absent;
    gui::QtImageDecoder images;
    gui::QtMediaPlayer player;
    RecordingHelpViewer help;
    // Pictures and sounds go through the program's own decoder and player.
    Program program{withMedia(absent.platform(ui, clock, random, files), images, player, help)};
    CoreDrillEngine engine;
    DrillController controller{program, engine};
    gui::DrillWindows windows{program, controller};

    GuiDrill() {
        program.programDirectory = programFolder.path();
        programFolder.write(std::string(kPortableMarkerFileName), "");
        locateAppSettings(program, std::nullopt);
        program.attachFrontEnd(*this);
    }

    void RunDKSFile() override {
        controller.start();
        windows.sync();
    }
    void closeDrillWindows() override { controller.hideWindows(); }
    void closeDeck() override { FileExitQAClick(program); }

    // Writes NAME.DKS and, when given, NAME.DKD, and opens the deck.
    void open(const std::string& name, const std::string& qa, const std::string& setup = {}) {
        decks.write(name + ".DKS", qa);
        if (!setup.empty()) decks.write(name + ".DKD", setup);
        program.deck.QAFileName = decks.file(name + ".DKS");
        InitDKSFile(program);
    }

    static Platform withMedia(const Platform& p, ImageDecoder& decoder, MediaPlayer& media,
                              HelpViewer& help) {
        return Platform{.ui = p.ui,
                        .clock = p.clock,
                        .random = p.random,
                        .files = p.files,
                        .clipboard = p.clipboard,
                        .editor = p.editor,
                        .help = help,
                        .images = decoder,
                        .media = media};
    }

    template <class W>
    W* find(QWidget* window, const char* name) {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
};

}  // namespace cardwise::testing
