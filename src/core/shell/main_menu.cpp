#include "core/shell/main_menu.h"

#include "core/drill/run_control.h"
#include "core/program.h"
#include "core/shell/product.h"

namespace cardwise {
namespace {

MenuItem item(std::string name, std::string caption, MenuCommand command,
              std::string shortcut = {}) {
    MenuItem m;
    m.name = std::move(name);
    m.caption = std::move(caption);
    m.command = command;
    m.shortcut = std::move(shortcut);
    return m;
}

MenuItem hidden(MenuItem m) {
    m.visible = false;
    return m;
}

MenuItem needs(MenuItem m, bool available) {
    m.available = available;
    return m;
}

MenuItem separated(MenuItem m) {
    m.separatorBefore = true;
    return m;
}

MenuItem fileMenu(const Program& program, const BuiltParts& parts) {
    const DeckMenus& deck = program.shell.deckMenus;
    MenuItem file = item("File1", "&File", MenuCommand::None);
    file.items = {
        item("FileNew", "&New...", MenuCommand::FileNew),
        item("FileOpen", "&Open...", MenuCommand::FileOpen, "Ctrl+O"),
        item("FileSaveAs", "Save &As...", MenuCommand::FileSaveAs),
        separated(item("ImportPairs", "&Import Pairs...", MenuCommand::ImportPairs)),
        item("ExportPairs", "Ex&port Pairs...", MenuCommand::ExportPairs),
        separated(needs(item("FileStatistics", "&File Statistics", MenuCommand::FileStatistics),
                        parts.statistics)),
        needs(item("PrintPairs", "Print...", MenuCommand::PrintPairs), parts.printing),
        separated(item("FileExitQA", "Exit This &Q&&A File", MenuCommand::FileExitQA, "Ctrl+Q")),
        item("FileExit", "E&xit", MenuCommand::FileExit),
    };
    for (MenuItem& m : file.items) {
        if (m.name == "FileSaveAs") m.enabled = deck.FileSaveAs;
        // Exporting needs the open deck's pairs, as Save As does.
        if (m.name == "ExportPairs") m.enabled = deck.FileSaveAs;
        if (m.name == "FileStatistics") m.enabled = deck.FileStatistics;
        if (m.name == "PrintPairs") m.enabled = deck.PrintPairs;
        if (m.name == "FileExitQA") m.enabled = deck.FileExitQA;
    }
    for (int slot = 1; slot <= kRecentSlots; ++slot) {
        const RecentMenuItem& recent = program.shell.recentMenu[static_cast<std::size_t>(slot - 1)];
        MenuItem m = item("UsedFile" + std::to_string(slot),
                          recent.caption.empty() ? "&" + std::to_string(slot) : recent.caption,
                          MenuCommand::UsedFile);
        m.slot = slot;
        m.visible = recent.visible;
        m.separatorBefore = slot == 1;
        file.items.push_back(std::move(m));
    }
    return file;
}

MenuItem editMenu(const Program& program, const BuiltParts& parts) {
    MenuItem edit = item("Edit1", "&Edit", MenuCommand::None);
    edit.enabled = program.shell.deckMenus.Edit1;
    edit.items = {
        item("EditCopyQ", "Copy &Question To Clipboard", MenuCommand::EditCopyQ),
        item("EditCopyA", "Copy &Answer To Clipboard", MenuCommand::EditCopyA),
        item("EditCopyBoth", "Copy &Both Question && Answer To Clipboard",
             MenuCommand::EditCopyBoth),
        separated(needs(item("OpenCurrentQAFileInCardwiseEditor1",
                             "&Open Current Q&&A File In Cardwise Editor...",
                             MenuCommand::OpenInCardwiseEditor, "Ctrl+E"),
                        parts.editor)),
        item("EditFile", "Open Current Q&&A File In &NotePad...", MenuCommand::EditFile, "Ctrl+T"),
        separated(needs(item("EditCurrentQAPair1", "&Edit Current Q&&A Pair...",
                             MenuCommand::EditCurrentPair, "Ctrl+A"),
                        parts.editor)),
        needs(item("DeleteCurrentQAPair1", "&Delete Current Q&&A Pair",
                   MenuCommand::DeleteCurrentPair),
              parts.editor),
        needs(item("InsertNewQAPair1", "&Insert New Q&&A Pair...", MenuCommand::InsertNewPair,
                   "Ctrl+I"),
              parts.editor),
        hidden(needs(
            item("ENextPair", "Move To Next Pair In Editor", MenuCommand::EditorNextPair, "Ctrl+N"),
            parts.editor)),
        hidden(needs(item("EPreviousPair", "Move To Previous Pair In Editor",
                          MenuCommand::EditorPreviousPair, "Ctrl+P"),
                     parts.editor)),
        hidden(item("ClickHintorCommentButton1", "Click Hint or Comment Button",
                    MenuCommand::ClickHintOrComment, "Ctrl+H")),
        hidden(needs(item("MoveToMemo1", "Move To Memo", MenuCommand::MoveToMemo, "Ctrl+M"),
                     parts.editor)),
        item("BringUpGoToPair1", "Bring Up GoTo Pair", MenuCommand::BringUpGoToPair, "Ctrl+G"),
    };
    // The editor's moves work only while the editor is on screen.
    for (MenuItem& m : edit.items) {
        if (m.command == MenuCommand::EditorNextPair ||
            m.command == MenuCommand::EditorPreviousPair || m.command == MenuCommand::MoveToMemo) {
            m.enabled = m.enabled && program.editor.shown;
        }
    }
    return edit;
}

MenuItem helpMenu() {
    MenuItem help = item("Help1", "&Help  ", MenuCommand::None);
    help.rightAligned = true;
    help.items = {
        item("HelpContents", "&Contents", MenuCommand::HelpContents, "F1"),
        item("Tutorial1", "&Tutorial", MenuCommand::Tutorial),
        item("HelpHelp", "&How To Use Help", MenuCommand::HelpHelp),
        separated(item("HelpAbout", "&About...", MenuCommand::HelpAbout)),
    };
    return help;
}

// A disabled menu disables what is in it; a missing part disables its items. The recent
// decks are hidden in place, whatever short-cut they may carry.
void settle(MenuItem& m, bool parentEnabled) {
    m.enabled = m.enabled && m.available && parentEnabled;
    m.inMenu = m.visible || m.shortcut.empty() || m.command == MenuCommand::UsedFile;
    for (MenuItem& child : m.items) settle(child, m.enabled);
}

void collect(const MenuItem& m, std::vector<const MenuItem*>& out) {
    out.push_back(&m);
    for (const MenuItem& child : m.items) collect(child, out);
}

}  // namespace

MainMenuView mainMenu(const Program& program, bool demoAvailable, const BuiltParts& parts) {
    MainMenuView view;
    view.windowCaption = std::string(kMainWindowCaption);
    view.applicationTitle = std::string(kApplicationTitle);
    view.background = Colour::fromStored(program.settings.MWCurBkGndColor);

    MenuItem options = needs(item("Options1", "&Options", MenuCommand::Options), parts.options);
    options.enabled = program.shell.deckMenus.Options1;
    MenuItem demo = item("RunQuickDemo1", "&Demo", MenuCommand::RunQuickDemo);
    demo.visible = demoAvailable;

    view.bar = {fileMenu(program, parts), editMenu(program, parts), std::move(options),
                std::move(demo), helpMenu()};
    for (MenuItem& m : view.bar) settle(m, true);
    return view;
}

const MenuItem* findMenuItem(const MainMenuView& view, std::string_view name) {
    for (const MenuItem* m : allMenuItems(view)) {
        if (m->name == name) return m;
    }
    return nullptr;
}

std::vector<const MenuItem*> allMenuItems(const MainMenuView& view) {
    std::vector<const MenuItem*> out;
    for (const MenuItem& m : view.bar) collect(m, out);
    return out;
}

void ClickHintorCommentButton1Click(DrillController& drill) {
    if (drill.screen() == DrillScreen::Question) {
        drill.hintClick();
    } else {
        drill.commentClick();
    }
}

AboutView aboutBox() {
    return AboutView{
        "About Cardwise",
        "Cardwise [tm] v5.0",
        {"Question-and-answer drill for one learner: flash cards that remember what you know.",
         "Version " + std::string(kCardwiseVersion) + ", desktop edition for Linux.",
         "Free software under the GNU General Public License, version 3 or later (" +
             std::string(kLicence) + "); it comes with no warranty.",
         std::string(kProjectAddress)},
        "Thank You For Using Cardwise!!",
    };
}

}  // namespace cardwise
