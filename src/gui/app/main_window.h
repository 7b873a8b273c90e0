#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <string>
#include <vector>

#include "core/shell/main_menu.h"

class QAction;
class QMenu;
class QMenuBar;

namespace cardwise {
struct Program;
class Clipboard;
class HelpViewer;
class DrillController;
class EditorController;
}  // namespace cardwise

namespace cardwise::gui {

class QtEditorWindow;

// What the main window's commands reach besides the Program.
struct MainWindowServices {
    // The drill run control, once there is one: Ctrl+H and Ctrl+G act on it.
    DrillController* drill = nullptr;
    BuiltParts parts;
    // The pair editor and its window, when the program has them (parts.editor). The window
    // may be made later, on the first editor command (editorWindowMade).
    EditorController* editor = nullptr;
    QtEditorWindow* editorWindow = nullptr;
};

// TFMain: the menu bar of the core's menu model over the main window's colour. Every
// command calls the core and then renders the model again.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Program& program, MainWindowServices services, QWidget* parent = nullptr);

    // FormShow: captions, the demo command, the stored place, the recent decks, then the
    // decks of the command line.
    void formShow(const std::vector<std::string>& commandLineDecks);
    // Copies the menu model into the menus.
    void render();
    // The pair editor's window now exists.
    void editorWindowMade(QtEditorWindow* window) { services_.editorWindow = window; }

    // Another start of the program handed its decks over (the system's bytes): come to the
    // front and open the first of them, at once or, while a box or dialog is open, once it
    // has closed.
    void openHandedOver(const QList<QByteArray>& decks);

    // "&Options" of the drill windows' pop-up menus: the main window's command.
    void showOptions();

    // The action of a menu item, by component name (e.g. "FileOpen"); null when none.
    QAction* action(const QString& name) const { return actions_.value(name); }
    QMenu* menu(const QString& name) const;

  signals:
    // A command of the main window ran: the drill windows may have something new to show.
    void commandFinished();
    // A colour or font was chosen in the options dialog and shows at once.
    void lookChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void addItems(QMenu* menu, const MenuItem& parent);
    QAction* makeAction(const MenuItem& item, QObject* owner);
    void run(const MenuItem& item);
    void execute(MenuCommand command, int slot);
    void executeEditor(MenuCommand command);
    // Whether an item the editor shows only while it is on screen can be chosen now.
    bool editorOnScreen() const;
    // No box, dialog or text editor is open and no command is half done: a waiting
    // hand-over may open.
    bool quiet() const;
    void openWaitingHandOvers();

    Program& program_;
    MainWindowServices services_;
    bool demoAvailable_ = false;
    bool closing_ = false;
    // The event-loop depth of the main loop; deeper means a command is still running.
    int baseLoopLevel_ = 0;
    // Looks again for a quiet moment while a hand-over waits.
    QTimer handOverRetry_;
    QMenuBar* helpBar_ = nullptr;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
};

}  // namespace cardwise::gui
