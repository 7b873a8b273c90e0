#include "core/exchange/exchange_commands.h"

#include "core/deck/write_failure.h"
#include "core/exchange/pair_export.h"
#include "core/exchange/pair_import.h"
#include "core/program.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "core/shell/deck_new.h"

namespace cardwise {
namespace {

constexpr std::string_view kTextFilter =
    "Cards To Import|*.tsv;*.csv;*.txt;*.apkg;*.colpkg;*.anki2;*.anki21;*.db;*.kvtml|"
    "Tab Or Comma Separated Text|*.tsv;*.csv;*.txt|Anki Packages|*.apkg;*.colpkg|"
    "Mnemosyne Databases|*.db|KWordQuiz Vocabularies|*.kvtml|All Files|*.*";

std::string pairsWord(std::int32_t n) {
    return std::to_string(n) + (n == 1 ? " Pair" : " Pairs");
}

void open(Program& program, const std::string& path) {
    program.deck.QAFileName = path;
    InitDKSFile(program);
}

}  // namespace

void ImportPairsClick(Program& program) {
    UserInterface& ui = program.ui();
    std::optional<std::string> source = ui.chooseOpenFile(FileDialogRequest{
        "Import Pairs From A File", fileDialogDirectory(program), std::string(kTextFilter)});
    if (!source || source->empty()) return;
    // A file no deck can take is told before a deck is closed or a name asked for; the
    // file is read this once.
    ImportPlan plan;
    {
        WaitCursor wait(ui);
        plan = planImportFile(program, *source);
    }
    if (plan.problem) {
        ui.message(kImportErrorCaption, importProblemText(*source, *plan.problem), Icon::Error);
        return;
    }

    std::string deckPath;
    const bool wasOpen = program.shell.deckOpen;
    if (wasOpen) {
        deckPath = program.deck.QAFileName;
        // The deck on disk takes the pairs; what is open in memory is saved first.
        if (!closeOpenDeck(program)) return;
    } else {
        std::optional<std::string> chosen =
            ui.chooseSaveFile(FileDialogRequest{"Create New .DKS File For The Imported Pairs",
                                                fileDialogDirectory(program), "DKS Files|*.dks"});
        if (!chosen || chosen->empty()) return;
        deckPath = withDefaultExtension(*chosen);
        if (!acceptDeckName(program, deckPath)) return;
        if (program.files().fileExists(deckPath) &&
            ui.messageBox("Deck Already Exists",
                          deckPath + " Already Exists.  Add The Imported Pairs To It?",
                          Icon::Question, Buttons::YesNo) != Button::Yes) {
            return;
        }
    }

    ImportResult result;
    {
        WaitCursor wait(ui);
        result = importPlannedPairs(program, plan.pairs, deckPath, plan.media);
    }
    if (!result.ok()) {
        ui.message(kImportErrorCaption, importProblemText(*source, *result.problem), Icon::Error);
        // The deck that was open before is open again, unchanged.
        if (wasOpen) open(program, deckPath);
        return;
    }
    ui.message(kImportCaption,
               result.newDeck
                   ? "The New Deck " + result.deckPath + " Was Created With " +
                         pairsWord(result.pairsAdded) + "."
                   : pairsWord(result.pairsAdded) + (result.pairsAdded == 1 ? " Was" : " Were") +
                         " Added To " + result.deckPath + ".",
               Icon::Information);
    open(program, result.deckPath);
}

void ExportPairsClick(Program& program) {
    if (!program.shell.deckOpen) return;
    UserInterface& ui = program.ui();
    std::optional<std::string> chosen = ui.chooseSaveFile(
        FileDialogRequest{"Export Pairs To A Text File", fileDialogDirectory(program),
                          "Tab Separated Text|*.tsv;*.txt"});
    if (!chosen || chosen->empty()) return;
    std::string path = *chosen;
    if (fileNameOf(path).find('.') == std::string::npos) path += ".tsv";
    if (std::optional<std::string> problem = exportTargetProblem(path)) {
        ui.message(kExportErrorCaption, *problem, Icon::Error);
        return;
    }
    if (program.files().fileExists(path) &&
        ui.messageBox("Replace Existing File?",
                      path + " Already Exists.  Replace It With The Exported Pairs?",
                      Icon::Question, Buttons::YesNo) != Button::Yes) {
        return;
    }
    ExportText text = exportText(program.deck);
    if (!reportIfFailed(ui, path, program.files().writeFile(path, text.text))) return;
    std::string told =
        pairsWord(text.pairs) + (text.pairs == 1 ? " Was" : " Were") + " Exported To " + path + ".";
    if (text.markup) {
        told += "  The File Holds Each Question And Answer In The Deck's Markup, So That Their "
                "Hints, Comments, Choices, Pictures And Sounds Come Back When It Is Imported.";
    }
    ui.message(kExportCaption, told, Icon::Information);
}

}  // namespace cardwise
