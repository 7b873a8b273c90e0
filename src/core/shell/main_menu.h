#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/drill/drill_window_common.h"
#include "core/platform/colour.h"

namespace cardwise {

struct Program;
class DrillController;

inline constexpr std::string_view kMainWindowCaption = "Cardwise32 v5.0";
// The application's title while it starts, and once the main window shows.
inline constexpr std::string_view kStartingApplicationTitle = "Cardwise";
inline constexpr std::string_view kApplicationTitle = "CARDWISE";

// What a main-menu item does when chosen.
enum class MenuCommand {
    None,  // a menu that only holds items
    FileNew,
    FileOpen,
    FileSaveAs,
    ImportPairs,
    ExportPairs,
    FileStatistics,
    PrintPairs,
    FileExitQA,
    FileExit,
    UsedFile,  // the recent deck in MenuItem::slot
    EditCopyQ,
    EditCopyA,
    EditCopyBoth,
    OpenInCardwiseEditor,
    EditFile,
    EditCurrentPair,
    DeleteCurrentPair,
    InsertNewPair,
    EditorNextPair,
    EditorPreviousPair,
    ClickHintOrComment,
    MoveToMemo,
    BringUpGoToPair,
    Options,
    RunQuickDemo,
    HelpContents,
    Tutorial,
    HelpHelp,
    HelpAbout,
};

// The parts of the program a menu item may need that are not there in every build; the
// items of a missing part are shown but cannot be chosen.
struct BuiltParts {
    bool editor = false;
    bool options = false;
    bool statistics = false;
    bool printing = false;
};

struct MenuItem {
    std::string name;      // component name, e.g. "FileOpen"
    std::string caption;   // with its '&' access key; "&&" is a literal '&'
    std::string shortcut;  // "Ctrl+O", "F1" or empty
    MenuCommand command = MenuCommand::None;
    int slot = 0;  // 1..9 for the recent decks
    // Shown in its menu or on the bar.
    bool visible = true;
    // False for a hidden item with a short-cut: it sits in no menu, and the window holds it
    // so that its short-cut works. Other hidden items keep their place, unseen.
    bool inMenu = true;
    // Whether it can be chosen now; false also while its parent menu is disabled or its
    // part is missing, so a short-cut never reaches a disabled command.
    bool enabled = true;
    // False while the part that carries the command out is missing from this build.
    bool available = true;
    bool separatorBefore = false;
    // Drawn at the right end of the menu bar.
    bool rightAligned = false;
    std::vector<MenuItem> items;
};

struct MainMenuView {
    std::string windowCaption;
    std::string applicationTitle;
    Colour background;
    std::vector<MenuItem> bar;
};

// The main window's menu bar and captions for the program's state. demoAvailable is
// whether the example deck was found when the main window showed.
MainMenuView mainMenu(const Program& program, bool demoAvailable, const BuiltParts& parts = {});

// The item of that component name anywhere in the menu; null when there is none.
const MenuItem* findMenuItem(const MainMenuView& view, std::string_view name);

// Every item of the menu, depth first, menus before their items.
std::vector<const MenuItem*> allMenuItems(const MainMenuView& view);

// Ctrl+H: the question window's hint button while a question shows, otherwise the answer
// window's comment button.
void ClickHintorCommentButton1Click(DrillController& drill);

// The about box.
struct AboutView {
    std::string caption;
    std::string product;
    std::vector<std::string> lines;
    std::string closeButton;
};
AboutView aboutBox();

}  // namespace cardwise
