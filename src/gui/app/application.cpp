#include "gui/app/application.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QThread>

#include <cstdio>

#include "core/deck/notepad_edit.h"
#include "core/drill/run_control.h"
#include "core/editor/editor_controller.h"
#include "core/platform/settings_folder.h"
#include "core/shell/app_settings.h"
#include "core/shell/command_line.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "core/shell/deck_save.h"
#include "core/shell/main_commands.h"
#include "gui/app/main_window.h"
#include "gui/app/session_end.h"
#include "gui/app/single_instance.h"
#include "gui/app/startup_probe.h"
#include "gui/drill/drill_windows.h"
#include "gui/drill/promotion_window.h"
#include "gui/editor/editor_window.h"

namespace cardwise::gui {
namespace {

// Often enough that a pending change reaches the disk soon after its interval ends; the
// timer runs only while a change is pending, so an idle program is never woken.
constexpr int kSaveTimerMs = 500;
constexpr int kLoadWritesFallbackMs = 1000;

}  // namespace

// The window registers itself with the controller once made, so this stands in only for
// calls before then: those that show something make the window, the others have nothing
// to hide.
class Application::LaterEditorWindow final : public EditorWindow {
  public:
    explicit LaterEditorWindow(Application& app) : app_(app) {}
    void showEditor() override { app_.editorWindow().showEditor(); }
    void hideEditor() override {}
    void showFindDialog() override { app_.editorWindow().showFindDialog(); }
    void hideFindDialog() override {}
    void hidePictureViewer() override {}
    void showPicture(const std::string& file) override { app_.editorWindow().showPicture(file); }

  private:
    Application& app_;
};

// The first paint of a window after a load: what the user waited for is on screen.
class LoadWritesTrigger : public QObject {
  public:
    LoadWritesTrigger(Application& app, QObject* parent) : QObject(parent), app_(app) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) app_.windowDrawn();
        return QObject::eventFilter(watched, event);
    }

  private:
    Application& app_;
};

Application::Application(std::string programDirectory, std::vector<std::string> commandLineDecks)
    : programDirectory_(std::move(programDirectory)),
      commandLineDecks_(std::move(commandLineDecks)),
      editor_(chooseEditorCommand(EditorSurroundings::ofThisProcess())),
      program_(Platform{.ui = ui_,
                        .clock = clock_,
                        .random = random_,
                        .files = files_,
                        .clipboard = clipboard_,
                        .editor = editor_,
                        .help = help_,
                        .images = images_,
                        .media = media_,
                        .printer = printer_}) {
    program_.programDirectory = programDirectory_;
}

Application::~Application() {
    program_.document.setChangeListener({});
    // The windows go before the controller they registered with.
    editorWindow_.reset();
    if (pairEditor_) pairEditor_->setWindow(nullptr);
}

void Application::createDrill() {
    drill_ = std::make_unique<DrillController>(program_, engine_);
    drillWindows_ = std::make_unique<DrillWindows>(program_, *drill_);
    if (qEnvironmentVariableIsSet("CARDWISE_STARTUP_PROBE")) {
        reportFirstShow(drillWindows_->questionWindow());
    }
}

void Application::createEditor() {
    pairEditor_ = std::make_unique<EditorController>(program_, *drill_);
    laterEditorWindow_ = std::make_unique<LaterEditorWindow>(*this);
    pairEditor_->setWindow(laterEditorWindow_.get());
    drillWindows_->offerEditor();
}

QtEditorWindow& Application::editorWindow() {
    if (editorWindow_) return *editorWindow_;
    editorWindow_ = std::make_unique<QtEditorWindow>(program_, *pairEditor_, *drillWindows_);
    QObject::connect(editorWindow_.get(), &QtEditorWindow::visibilityChanged, main_.get(),
                     &MainWindow::render);
    QObject::connect(editorWindow_.get(), &QtEditorWindow::controllerCalled, main_.get(), [this] {
        main_->render();
        drillWindows_->sync();
    });
    main_->editorWindowMade(editorWindow_.get());
    return *editorWindow_;
}

void Application::createMainWindow() {
    MainWindowServices services{
        .drill = drill_.get(),
        .parts = BuiltParts{.editor = true, .options = true, .statistics = true, .printing = true},
        .editor = pairEditor_.get()};
    main_ = std::make_unique<MainWindow>(program_, services);
    ui_.setParentWindow(main_.get());
    editor_.setParentWindow(main_.get());
    printer_.bind(program_, engine_, *drill_, drillWindows_.get(), main_.get());
    QObject::connect(instance_.get(), &SingleInstance::decksHandedOver, main_.get(),
                     &MainWindow::openHandedOver);
    QObject::connect(main_.get(), &MainWindow::commandFinished, drillWindows_.get(),
                     &DrillWindows::sync);
    QObject::connect(drillWindows_.get(), &DrillWindows::optionsRequested, main_.get(),
                     &MainWindow::showOptions);
    // The pop-up menus' editor items are the main window's commands.
    QObject::connect(drillWindows_.get(), &DrillWindows::editorCommandRequested, main_.get(),
                     [this](const QString& name) {
                         if (QAction* item = main_->action(name)) item->trigger();
                     });
    QObject::connect(main_.get(), &MainWindow::lookChanged, drillWindows_.get(),
                     &DrillWindows::restyle);
    ui_.setPromotionWindow(
        [this](const QString& text, bool timed) { runPromotionWindow(main_.get(), text, timed); });
}

void Application::RunDKSFile() {
    drill_->start();
}

void Application::closeDrillWindows() {
    drill_->hideWindows();
}

bool Application::closeEditor() {
    return !pairEditor_ || pairEditor_->deckClosing();
}

void Application::showEditorOnNewDeck(std::int32_t rememberedPair) {
    if (pairEditor_) pairEditor_->showOnNewDeck(rememberedPair);
}

void Application::returnToEditor() {
    if (pairEditor_) pairEditor_->returnFromRun();
}

// A failed save has been reported and keeps the deck loaded; the drill stops either way.
void Application::closeDeck() {
    FileExitQAClick(program_);
}

void Application::editQAFile() {
    EditFileClick(program_);
}

void Application::saveTimerFired() {
    // Inside a box or a dialog the deck may be half changed: wait for the outer loop.
    if (QThread::currentThread()->loopLevel() > 1) return;
    flushPendingSave(program_);
    reloadIfWanted(program_);
    if (!savePending(program_)) saveTimer_.stop();
}

void Application::mainMenuChanged() {
    if (main_) main_->render();
    // A load ends with the menu; a window's paint usually comes first.
    scheduleLoadWrites(kLoadWritesFallbackMs);
}

void Application::windowDrawn() {
    scheduleLoadWrites(0);
    if (iconGiven_) return;
    iconGiven_ = true;
    QTimer::singleShot(0, main_.get(), [] {
        // The simpler drawing at the sizes of title bars and task lists.
        QIcon icon;
        for (int size : {16, 32, 48}) {
            icon.addFile(QStringLiteral(":/app/cardwise-%1.png").arg(size), QSize(size, size));
        }
        icon.addFile(QStringLiteral(":/app/cardwise.png"), QSize(256, 256));
        QApplication::setWindowIcon(icon);
    });
}

void Application::scheduleLoadWrites(int delayMs) {
    if (!program_.document.loadWritesOwed()) return;
    if (loadWritesTimer_.isActive() && loadWritesTimer_.remainingTime() <= delayMs) return;
    loadWritesTimer_.start(delayMs);
}

void Application::loadWritesTimerFired() {
    // Inside a box the load may not be over: wait for the outer loop.
    if (QThread::currentThread()->loopLevel() > 1) {
        loadWritesTimer_.start(kLoadWritesFallbackMs);
        return;
    }
    finishLoadWrites(program_);
}

int Application::run() {
    // A deck that does not exist is reported here, never handed to a running copy.
    HandOverPlan plan = planHandOver(commandLineDecks_, files_);
    QList<QByteArray> decks;
    for (const std::string& deck : plan.handed) decks << QByteArray::fromStdString(deck);
    instance_ = std::make_unique<SingleInstance>();
    if (!instance_->claim(decks, plan.contactRunningCopy)) {
        for (const std::string& deck : plan.missing) {
            std::fputs(missingDeckText("cardwise", deck).c_str(), stderr);
        }
        return plan.missing.empty() ? 0 : 1;
    }

    std::optional<std::string> userFolder;
    if (!settingsBesideProgram(program_)) userFolder = userSettingsFolder();
    if (!FormCreate(program_, userFolder)) return 1;
    if (userFolder) program_.userDataDirectory = userDataFolder().value_or("");

    program_.document.deferLoadWrites = true;
    loadWritesTimer_.setSingleShot(true);
    QObject::connect(&loadWritesTimer_, &QTimer::timeout, [this] { loadWritesTimerFired(); });
    createDrill();
    createEditor();
    createMainWindow();
    for (QWidget* window : {static_cast<QWidget*>(main_.get()), drillWindows_->questionWindow(),
                            drillWindows_->answerWindow()}) {
        window->installEventFilter(new LoadWritesTrigger(*this, window));
    }
    program_.attachFrontEnd(*this);
    saveTimer_.setInterval(kSaveTimerMs);
    QObject::connect(&saveTimer_, &QTimer::timeout, [this] { saveTimerFired(); });
    program_.document.setChangeListener([this] {
        if (!saveTimer_.isActive()) saveTimer_.start();
    });
    sessionEnd_ = std::make_unique<SessionEnd>(program_, ui_);
    sessionEnd_->setBeforeSave([this] {
        const QPoint place = main_->pos();
        storeMainWindowPlace(program_, place.x(), place.y(), main_->width(), main_->height());
    });
    main_->formShow(commandLineDecks_);
    // A signal during the command-line deck's load ended the load's boxes: exec() would
    // start afresh and never see it.
    if (sessionEnd_->began()) return sessionEnd_->finish();
    const int status = QApplication::exec();
    if (sessionEnd_->began()) return sessionEnd_->finish();
    return status;
}

}  // namespace cardwise::gui
