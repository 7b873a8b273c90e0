#include "core/shell/main_commands.h"

#include <filesystem>
#include <system_error>

#include "core/program.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "core/shell/recent_decks.h"

namespace cardwise {

bool FormCreate(Program& program, const std::optional<std::string>& userSettingsFolder) {
    if (!locateAppSettings(program, userSettingsFolder)) return false;
    readAppSettings(program);
    return true;
}

std::string demoDeckPath(const Program& program) {
    constexpr std::string_view kExamples = "EXAMPLES";
    constexpr std::string_view kDeck = "CRDWSE50.DKS";
    const std::string& folder = program.programDirectory;
    std::string beside = joinPath(joinPath(folder, kExamples), kDeck);
    if (program.platform.files.fileExists(beside)) return beside;
    std::string prefix = directoryOf(folder);
    if (fileNameOf(folder) != "bin" || prefix.empty()) return beside;
    std::string installed =
        joinPath(joinPath(joinPath(joinPath(prefix, "share"), "cardwise"), kExamples), kDeck);
    return program.platform.files.fileExists(installed) ? installed : beside;
}

bool demoDeckAvailable(const Program& program) {
    return program.platform.files.fileExists(demoDeckPath(program));
}

namespace {

std::string demoCopyFailedText(const std::string& folder, const std::string& reason) {
    return "The Example Deck Could Not Be Copied To " + folder + ".  " + reason;
}

}  // namespace

std::optional<std::string> demoDeckToOpen(Program& program) {
    const std::string original = demoDeckPath(program);
    if (program.userDataDirectory.empty()) return original;
    const std::string source = directoryOf(original);
    const std::string folder = joinPath(program.userDataDirectory, "EXAMPLES");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        program.ui().messageBox("Demo", demoCopyFailedText(folder, error.message()), Icon::Error,
                                Buttons::Ok);
        return std::nullopt;
    }
    FileSystem& files = program.files();
    for (const std::string& name : files.directoryEntries(source)) {
        const std::string from = joinPath(source, name);
        const std::string to = joinPath(folder, name);
        if (!files.fileExists(from) || files.fileExists(to)) continue;
        FileResult copied = files.copyFile(from, to);
        // Without its deck file the copy is no use; a picture or sound less is reported
        // by the deck when it is needed.
        if (!copied.ok && name == fileNameOf(original)) {
            program.ui().messageBox("Demo", demoCopyFailedText(folder, copied.error), Icon::Error,
                                    Buttons::Ok);
            return std::nullopt;
        }
    }
    const std::string copy = joinPath(folder, fileNameOf(original));
    if (!files.fileExists(copy)) {
        program.ui().messageBox("Demo", demoCopyFailedText(folder, "The Example Deck Is Missing."),
                                Icon::Error, Buttons::Ok);
        return std::nullopt;
    }
    return copy;
}

void openDeck(Program& program, const std::string& path) {
    if (!closeOpenDeck(program)) return;
    program.drill.ReturnToPair = false;
    program.deck.QAFileName = path;
    InitDKSFile(program);
}

void FileOpenClick(Program& program) {
    FileDialogRequest request{
        "", fileDialogDirectory(program),
        "DKS Files (*.dks)|*.dks|DKT Files (*.dkt)|*.dkt|DKZ Files (*.dkz)|*.DKZ|All Cardwise "
        "File Types (*.dks, *.dkt, *.dkz)|*.dks;*.dkt;*.dkz"};
    std::optional<std::string> chosen = program.ui().chooseOpenFile(request);
    if (!chosen || chosen->empty()) return;
    openDeck(program, *chosen);
}

void UsedFileClick(Program& program, int slot) {
    if (slot < 1 || slot > kRecentSlots) return;
    loadRecentDecks(program);
    std::string path = program.shell.recentFiles[static_cast<std::size_t>(slot - 1)];
    if (path.empty()) return;
    if (!closeOpenDeck(program)) return;
    addRecentDeck(program, path);
    openDeck(program, path);
}

void RunQuickDemo1Click(Program& program) {
    if (!demoDeckAvailable(program)) return;
    if (std::optional<std::string> deck = demoDeckToOpen(program)) openDeck(program, *deck);
}

void openAtStart(Program& program, const std::vector<std::string>& commandLineDecks) {
    loadRecentDecks(program);
    rebuildRecentMenu(program);
    for (const std::string& path : commandLineDecks) {
        if (!closeOpenDeck(program)) return;
        addRecentDeck(program, path);
        program.drill.DeferredFirstShow = true;
        openDeck(program, path);
        if (!program.shell.deckOpen) program.drill.DeferredFirstShow = false;
    }
}

void openHandedOver(Program& program, const std::vector<std::string>& decks) {
    if (decks.empty() || decks.front().empty()) return;
    if (!closeOpenDeck(program)) return;
    addRecentDeck(program, decks.front());
    openDeck(program, decks.front());
}

void queueHandOver(Program& program, const std::vector<std::string>& decks) {
    if (decks.empty() || decks.front().empty()) return;
    program.shell.pendingHandOvers.push_back(decks.front());
}

bool openPendingHandOvers(Program& program) {
    std::vector<std::string> pending = std::move(program.shell.pendingHandOvers);
    program.shell.pendingHandOvers.clear();
    if (pending.empty()) return false;
    for (std::size_t i = 0; i + 1 < pending.size(); ++i) addRecentDeck(program, pending[i]);
    openHandedOver(program, {pending.back()});
    return true;
}

bool FormClose(Program& program, int left, int top, int width, int height) {
    storeMainWindowPlace(program, left, top, width, height);
    if (closeOpenDeck(program)) return true;
    return program.ui().messageBox("Deck Not Saved",
                                   "The Open Deck Could Not Be Saved.  Exit Anyway And Lose "
                                   "The Changes Made Since It Was Opened?",
                                   Icon::Warning, Buttons::YesNo) == Button::Yes;
}

}  // namespace cardwise
