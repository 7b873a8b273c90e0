#pragma once

#include <QStringList>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "core/drill/core_drill_engine.h"
#include "core/platform/clock.h"
#include "core/platform/external_editor.h"
#include "core/platform/file_system.h"
#include "core/platform/front_end.h"
#include "core/platform/random_source.h"
#include "core/program.h"
#include "gui/media/qt_image_decoder.h"
#include "gui/media/qt_media_player.h"
#include "gui/output/qt_printer.h"
#include "gui/platform/qt_clipboard.h"
#include "gui/platform/qt_external_editor.h"
#include "gui/platform/qt_help_viewer.h"
#include "gui/platform/qt_user_interface.h"

namespace cardwise {
class DrillController;
class EditorController;
}  // namespace cardwise

namespace cardwise::gui {

class MainWindow;
class DrillWindows;
class SingleInstance;
class SessionEnd;
class QtEditorWindow;

// The desktop program put together: the one Program, the Qt platform objects and the
// windows. Nothing else creates long-lived objects.
class Application : public NoFrontEnd {
  public:
    // commandLineDecks are absolute already; programDirectory holds the executable.
    Application(std::string programDirectory, std::vector<std::string> commandLineDecks);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The single-instance check, start-up and the event loop; the exit status.
    int run();

    // Hand-overs from the core to the windows.
    void RunDKSFile() override;
    void closeDrillWindows() override;
    bool closeEditor() override;
    void showEditorOnNewDeck(std::int32_t rememberedPair) override;
    void returnToEditor() override;
    void closeDeck() override;
    void editQAFile() override;
    void mainMenuChanged() override;

  private:
    // Where the drill windows join the program: the run control over the drill engine,
    // started by the deck runner after each successful load.
    void createDrill();
    // The pair editor over the drill; its window is made on the first editor command.
    void createEditor();
    QtEditorWindow& editorWindow();
    // The main window over the Program and the Qt services.
    void createMainWindow();

    std::string programDirectory_;
    std::vector<std::string> commandLineDecks_;

    // Services the core reaches the outside world through.
    SystemClock clock_;
    StdRandomSource random_;
    LocalFileSystem files_;
    QtExternalEditor editor_;
    QtUserInterface ui_;
    QtClipboard clipboard_;
    QtHelpViewer help_;
    QtImageDecoder images_;
    QtMediaPlayer media_;
    QtPrinter printer_;

    // The one owner of every program-wide record.
    Program program_;

    CoreDrillEngine engine_;
    std::unique_ptr<DrillController> drill_;
    std::unique_ptr<DrillWindows> drillWindows_;
    std::unique_ptr<EditorController> pairEditor_;
    // Stands in for the editor's window until the first command that shows it.
    class LaterEditorWindow;
    std::unique_ptr<LaterEditorWindow> laterEditorWindow_;
    std::unique_ptr<QtEditorWindow> editorWindow_;

    // Runs while a change is pending and writes it at the next quiet point.
    QTimer saveTimer_;
    void saveTimerFired();

    // The load's backups and recent list, written once the window after the load is drawn
    // (or a second after the load, if no window of ours is drawn meanwhile).
    QTimer loadWritesTimer_;
    void scheduleLoadWrites(int delayMs);
    void loadWritesTimerFired();
    friend class LoadWritesTrigger;
    // The program's icon for every window, given once the first window is drawn: reading
    // its pictures loads Qt's picture format plugins, which the first question never needs.
    void windowDrawn();
    bool iconGiven_ = false;

    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<MainWindow> main_;
    // Installed once the windows exist, so that a signal before that ends the program
    // as it always did: there is nothing to save yet.
    std::unique_ptr<SessionEnd> sessionEnd_;
};

}  // namespace cardwise::gui
