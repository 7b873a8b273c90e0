#include "gui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QThread>

#include "core/deck/notepad_edit.h"
#include "core/drill/run_control.h"
#include "core/editor/editor_controller.h"
#include "core/exchange/exchange_commands.h"
#include "core/output/print_job.h"
#include "core/platform/help_viewer.h"
#include "core/program.h"
#include "core/shell/clipboard_text.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_new.h"
#include "core/shell/deck_save_as.h"
#include "core/shell/main_commands.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/options_window.h"
#include "gui/dialogs/statistics_window.h"
#include "gui/editor/editor_window.h"
#include "gui/platform/qt_help_viewer.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

QKeySequence keyOf(const std::string& shortcut) {
    return QKeySequence(QString::fromStdString(shortcut), QKeySequence::PortableText);
}

// A stored place that no screen shows any of would leave the window out of reach.
bool onSomeScreen(const QRect& place) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(place.adjusted(0, 0, 0, -place.height() + 30))) {
            return true;
        }
    }
    return QGuiApplication::screens().isEmpty();
}

}  // namespace

MainWindow::MainWindow(Program& program, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), program_(program), services_(services) {
    setObjectName("TFMain");
    auto* area = new QWidget(this);
    area->setObjectName("MainArea");
    area->setAutoFillBackground(true);
    setCentralWidget(area);
    build();
    render();
    // Often enough to feel immediate once a box closes; only runs while a deck waits.
    handOverRetry_.setInterval(200);
    connect(&handOverRetry_, &QTimer::timeout, this, &MainWindow::openWaitingHandOvers);
}

void MainWindow::build() {
    MainMenuView view = mainMenu(program_, demoAvailable_, services_.parts);
    // The Help menu sits at the right end of the bar, in a bar of its own.
    helpBar_ = new QMenuBar(menuBar());
    helpBar_->setObjectName("HelpBar");
    menuBar()->setCornerWidget(helpBar_, Qt::TopRightCorner);
    for (const MenuItem& top : view.bar) {
        QMenuBar* bar = top.rightAligned ? helpBar_ : menuBar();
        if (top.items.empty()) {
            bar->addAction(makeAction(top, bar));
            continue;
        }
        QMenu* menu = bar->addMenu(fromMessage(top.caption));
        menu->setObjectName(QString::fromStdString(top.name));
        menus_.insert(menu->objectName(), menu);
        addItems(menu, top);
    }
}

void MainWindow::addItems(QMenu* menu, const MenuItem& parent) {
    for (const MenuItem& item : parent.items) {
        QAction* action = makeAction(item, menu);
        if (!item.inMenu) {
            // Its short-cut works while the window holds the action.
            addAction(action);
            continue;
        }
        if (item.separatorBefore) {
            QAction* separator = menu->addSeparator();
            separator->setObjectName(QString::fromStdString(item.name) + "Separator");
        }
        menu->addAction(action);
    }
}

QAction* MainWindow::makeAction(const MenuItem& item, QObject* owner) {
    auto* action = new QAction(fromMessage(item.caption), owner);
    action->setObjectName(QString::fromStdString(item.name));
    if (!item.shortcut.empty()) {
        action->setShortcut(keyOf(item.shortcut));
        // The commands work while a drill window has the focus.
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    std::string name = item.name;
    connect(action, &QAction::triggered, this, [this, name] {
        MainMenuView view = mainMenu(program_, demoAvailable_, services_.parts);
        const MenuItem* current = findMenuItem(view, name);
        if (current != nullptr && current->enabled) run(*current);
    });
    actions_.insert(action->objectName(), action);
    return action;
}

QMenu* MainWindow::menu(const QString& name) const {
    return menus_.value(name);
}

void MainWindow::render() {
    MainMenuView view = mainMenu(program_, demoAvailable_, services_.parts);
    for (const MenuItem* item : allMenuItems(view)) {
        QString name = QString::fromStdString(item->name);
        if (QMenu* menu = menus_.value(name)) {
            menu->menuAction()->setEnabled(item->enabled);
            menu->menuAction()->setVisible(item->visible);
            continue;
        }
        QAction* action = actions_.value(name);
        if (action == nullptr) continue;
        action->setText(fromMessage(item->caption));
        action->setEnabled(item->enabled);
        if (item->inMenu) action->setVisible(item->visible);
        QString why = item->available ? QString() : QString("Not part of this version");
        action->setToolTip(why);
        action->setStatusTip(why);
    }
    if (QAction* separator = findChild<QAction*>("UsedFile1Separator")) {
        separator->setVisible(findMenuItem(view, "UsedFile1")->visible);
    }
    QPalette palette = centralWidget()->palette();
    palette.setColor(QPalette::Window,
                     QColor(view.background.r, view.background.g, view.background.b));
    centralWidget()->setPalette(palette);
}

void MainWindow::formShow(const std::vector<std::string>& commandLineDecks) {
    baseLoopLevel_ = QThread::currentThread()->loopLevel();
    MainMenuView view = mainMenu(program_, demoAvailable_, services_.parts);
    setWindowTitle(QString::fromStdString(view.windowCaption));
    demoAvailable_ = demoDeckAvailable(program_);
    const AppSettingsValues& app = program_.shell.app;
    QRect place(app.MainLeft, app.MainTop, app.MainWidth, app.MainHeight);
    if (!onSomeScreen(place)) place.moveTo(10, 10);
    resize(std::max(place.width(), 200), std::max(place.height(), 80));
    move(place.topLeft());
    show();
    openAtStart(program_, commandLineDecks);
    render();
    emit commandFinished();
}

void MainWindow::openHandedOver(const QList<QByteArray>& decks) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    std::vector<std::string> names;
    for (const QByteArray& deck : decks) names.push_back(deck.toStdString());
    queueHandOver(program_, names);
    openWaitingHandOvers();
}

bool MainWindow::quiet() const {
    return QApplication::activeModalWidget() == nullptr && QApplication::activePopupWidget() == nullptr &&
           !program_.NotePadOpen && QThread::currentThread()->loopLevel() <= baseLoopLevel_ + 1;
}

void MainWindow::openWaitingHandOvers() {
    if (program_.shell.pendingHandOvers.empty()) {
        handOverRetry_.stop();
        return;
    }
    if (!quiet()) {
        if (!handOverRetry_.isActive()) handOverRetry_.start();
        return;
    }
    handOverRetry_.stop();
    openPendingHandOvers(program_);
    render();
    emit commandFinished();
}

void MainWindow::showOptions() {
    const MainMenuView view = mainMenu(program_, demoAvailable_, services_.parts);
    const MenuItem* options = findMenuItem(view, "Options1");
    if (options != nullptr && options->enabled) run(*options);
}

void MainWindow::run(const MenuItem& item) {
    execute(item.command, item.slot);
    render();
    emit commandFinished();
}

void MainWindow::execute(MenuCommand command, int slot) {
    Program& p = program_;
    DrillController* drill = services_.drill;
    switch (command) {
        case MenuCommand::FileNew:
            FileNewClick(p);
            break;
        case MenuCommand::FileOpen:
            FileOpenClick(p);
            break;
        case MenuCommand::FileSaveAs:
            FileSaveAsClick(p);
            break;
        case MenuCommand::FileExitQA:
            FileExitQAClick(p);
            break;
        case MenuCommand::ImportPairs:
            ImportPairsClick(p);
            break;
        case MenuCommand::ExportPairs:
            ExportPairsClick(p);
            break;
        case MenuCommand::FileExit:
            close();
            break;
        case MenuCommand::UsedFile:
            UsedFileClick(p, slot);
            break;
        case MenuCommand::EditCopyQ:
            EditCopyQClick(p);
            break;
        case MenuCommand::EditCopyA:
            EditCopyAClick(p);
            break;
        case MenuCommand::EditCopyBoth:
            EditCopyBothClick(p);
            break;
        case MenuCommand::EditFile:
            EditFileClick(p);
            break;
        case MenuCommand::ClickHintOrComment:
            if (drill != nullptr) ClickHintorCommentButton1Click(*drill);
            break;
        case MenuCommand::BringUpGoToPair:
            if (services_.editorWindow != nullptr && services_.editor != nullptr &&
                services_.editor->goToPairRoute() == GoToPairRoute::Editor) {
                services_.editorWindow->goToPairCommand();
            } else if (drill != nullptr) {
                drill->goToPair();
            }
            break;
        case MenuCommand::RunQuickDemo:
            RunQuickDemo1Click(p);
            break;
        case MenuCommand::HelpContents: {
            // F1 reaches here from every window; one with a help page of its own opens it.
            const QWidget* active = QApplication::activeWindow();
            const QVariant topic = active ? active->property(kHelpTopicProperty) : QVariant();
            if (topic.isValid()) {
                p.platform.help.showTopic(topic.toInt());
            } else {
                p.platform.help.showContents();
            }
            break;
        }
        case MenuCommand::Tutorial:
            p.platform.help.showTopic(HelpTopic::Tutorial);
            break;
        case MenuCommand::HelpHelp:
            p.platform.help.showHelpOnHelp();
            break;
        case MenuCommand::PrintPairs:
            PrintPairsClick(p);
            break;
        case MenuCommand::HelpAbout: {
            AboutBox about(aboutBox(), this);
            about.exec();
            break;
        }
        case MenuCommand::Options: {
            OptionsWindow options(p, drill, this);
            // Colours chosen in the dialog show at once.
            connect(&options, &OptionsWindow::lookChanged, this, [this] {
                render();
                emit lookChanged();
            });
            options.exec();
            break;
        }
        case MenuCommand::FileStatistics: {
            StatisticsWindow statistics(p, drill, this);
            statistics.exec();
            break;
        }
        case MenuCommand::OpenInCardwiseEditor:
        case MenuCommand::EditCurrentPair:
        case MenuCommand::DeleteCurrentPair:
        case MenuCommand::InsertNewPair:
        case MenuCommand::EditorNextPair:
        case MenuCommand::EditorPreviousPair:
        case MenuCommand::MoveToMemo:
            executeEditor(command);
            break;
        case MenuCommand::None:
            break;
    }
}

bool MainWindow::editorOnScreen() const {
    return services_.editor != nullptr && services_.editor->moveMenuItemsEnabled();
}

// The model keeps these items disabled while the program has no editor.
void MainWindow::executeEditor(MenuCommand command) {
    EditorController* editor = services_.editor;
    if (editor == nullptr) return;
    switch (command) {
        case MenuCommand::OpenInCardwiseEditor:
            editor->OpenInEditorClick();
            break;
        case MenuCommand::EditCurrentPair:
            editor->EditCurrentPairClick();
            break;
        case MenuCommand::DeleteCurrentPair:
            editor->DeleteCurrentPairClick();
            break;
        case MenuCommand::InsertNewPair:
            editor->InsertNewPairClick();
            break;
        case MenuCommand::EditorNextPair:
            if (editorOnScreen()) editor->BBUpClick();
            break;
        case MenuCommand::EditorPreviousPair:
            if (editorOnScreen()) editor->BBDownClick();
            break;
        case MenuCommand::MoveToMemo:
            if (services_.editorWindow != nullptr) services_.editorWindow->moveToMemo();
            break;
        default:
            break;
    }
    if (services_.editorWindow != nullptr) {
        services_.editorWindow->settle();
        if (services_.editorWindow->isVisible()) services_.editorWindow->render();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    QPoint place = pos();
    if (!FormClose(program_, place.x(), place.y(), width(), height())) {
        // The deck could not be saved and the user chose to keep the program running.
        render();
        event->ignore();
        return;
    }
    closing_ = true;
    event->accept();
    // Drill and help windows must not keep the program alive.
    QApplication::quit();
}

}  // namespace cardwise::gui
