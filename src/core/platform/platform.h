#pragma once

#include "core/platform/clipboard.h"
#include "core/platform/clock.h"
#include "core/platform/external_editor.h"
#include "core/platform/file_system.h"
#include "core/platform/front_end.h"
#include "core/platform/help_viewer.h"
#include "core/platform/image_decoder.h"
#include "core/platform/media_player.h"
#include "core/platform/printer.h"
#include "core/platform/process_identity.h"
#include "core/platform/random_source.h"
#include "core/platform/user_interface.h"

namespace cardwise {

// Every service the core reaches the outside world through, built by the front end before
// the Program. A front end that lacks one passes its null object (NoClipboard,
// NoExternalEditor, NoHelpViewer, NoImageDecoder, NoMediaPlayer). The page device joins
// here when its part is built.
struct Platform {
    UserInterface& ui;
    Clock& clock;
    RandomSource& random;
    FileSystem& files;
    Clipboard& clipboard;
    ExternalEditor& editor;
    HelpViewer& help;
    ImageDecoder& images;
    MediaPlayer& media;
    // Front ends that print pass their own; the others share the stateless one that
    // never prints.
    Printer& printer = noPrinter();
    // Who this program is, for the lock file of the deck it opens.
    ProcessIdentity& process = thisProcess();

    static Printer& noPrinter() {
        static NoPrinter none;
        return none;
    }
    static ProcessIdentity& thisProcess() {
        static SystemProcessIdentity self;  // stateless: asks the system each time
        return self;
    }
};

// The optional services for a front end that has none of them (a terminal, a fuzz target):
// nothing is copied, no editor starts, no help shows.
struct AbsentServices {
    NoClipboard clipboard;
    NoExternalEditor editor;
    NoHelpViewer help;
    NoImageDecoder images;
    NoMediaPlayer media;

    Platform platform(UserInterface& ui, Clock& clock, RandomSource& random, FileSystem& files) {
        return Platform{.ui = ui,
                        .clock = clock,
                        .random = random,
                        .files = files,
                        .clipboard = clipboard,
                        .editor = editor,
                        .help = help,
                        .images = images,
                        .media = media};
    }
};

}  // namespace cardwise
