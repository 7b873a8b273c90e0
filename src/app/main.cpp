#include <QApplication>
#include <QStyle>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/shell/command_line.h"
#include "gui/app/application.h"
#include "gui/app/gui_resources.h"
#include "gui/media/drawn_icon.h"
#include "gui/platform/atspi_guard.h"

namespace {

std::string programDirectory(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0, error);
    return self.parent_path().string();
}

// The options QApplication takes off the command line itself.
std::vector<cardwise::ToolkitOption> qtOptions() {
    std::vector<cardwise::ToolkitOption> options;
    for (const char* name :
         {"-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
          "-qwindowicon", "-qwindowtitle", "-style", "-stylesheet", "-session", "-display",
          "-geometry", "-name", "-title", "-qmljsdebugger"}) {
        options.push_back({name, true});
    }
    for (const char* name : {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"}) {
        options.push_back({name, false});
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    // Read before Qt starts, so that --help works without a display, and from the raw
    // bytes, so that a file name that is not valid UTF-8 reaches the deck as it is.
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::error_code error;
    const std::string here = std::filesystem::current_path(error).string();
    const cardwise::CommandLine line = cardwise::parseCommandLine(args, here, qtOptions());
    switch (line.action) {
        case cardwise::StartAction::Help:
            std::fputs(cardwise::desktopUsageText().c_str(), stdout);
            return 0;
        case cardwise::StartAction::Version:
            std::fputs(cardwise::versionText("cardwise").c_str(), stdout);
            return 0;
        case cardwise::StartAction::UsageError:
            std::fputs(cardwise::usageErrorText("cardwise", line.error).c_str(), stderr);
            return cardwise::kExitUsage;
        case cardwise::StartAction::Run:
            break;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("cardwise");
    QApplication::setApplicationVersion(
        QString::fromUtf8(cardwise::kCardwiseVersion.data(), cardwise::kCardwiseVersion.size()));
    QGuiApplication::setDesktopFileName("cardwise");
    // The style the user or the desktop chose, with its "more" chevrons drawn.
    QApplication::setStyle(new cardwise::gui::DrawnChevronStyle(QApplication::style()->name()));
    cardwise::gui::loadGuiResources();
    cardwise::gui::guardAccessibilityBridge();
    cardwise::gui::Application program(programDirectory(argc > 0 ? argv[0] : "cardwise"),
                                       line.decks);
    return program.run();
}
