#include <QApplication>
#include <QFile>

#include <filesystem>
#include <string>
#include <vector>

#include "gui/app/application.h"
#include "gui/app/gui_resources.h"
#include "gui/platform/atspi_guard.h"

namespace {

std::string programDirectory(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0, error);
    return self.parent_path().string();
}

// Deck names on the command line are the user's, typed in the shell's working folder.
std::vector<std::string> commandLineDecks(const QStringList& arguments) {
    std::vector<std::string> decks;
    std::error_code error;
    std::filesystem::path here = std::filesystem::current_path(error);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        // The bytes the system gave, whatever the file name's encoding.
        std::filesystem::path deck(QFile::encodeName(arguments[i]).toStdString());
        if (deck.empty()) continue;
        if (deck.is_relative() && !here.empty()) deck = here / deck;
        decks.push_back(deck.lexically_normal().string());
    }
    return decks;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("cardwise");
    QGuiApplication::setDesktopFileName("cardwise");
    cardwise::gui::loadGuiResources();
    cardwise::gui::guardAccessibilityBridge();
    cardwise::gui::Application program(programDirectory(argc > 0 ? argv[0] : "cardwise"),
                                       commandLineDecks(QApplication::arguments()));
    return program.run();
}
