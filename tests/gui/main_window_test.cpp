#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "core/platform/clipboard.h"
#include "core/platform/help_viewer.h"
#include "core/platform/random_source.h"
#include "core/program.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/main_commands.h"
#include "core/shell/recent_decks.h"
#include "gui/app/gui_resources.h"
#include "gui/app/main_window.h"
#include "modal_wait.h"
#include "support/fakes.h"
#include "support/faulty_files.h"

using namespace cardwise;
using namespace cardwise::gui;

namespace {

class CountingHelp : public HelpViewer {
  public:
    std::vector<int> topics;
    void showContents() override { topics.push_back(0); }
    void showTopic(int topic) override { topics.push_back(topic); }
    void showHelpOnHelp() override { topics.push_back(-1); }
};

class FixedDate : public Clock {
  public:
    std::int32_t today() const override { return 20261207; }
    TimeOfDay timeOfDay() const override { return {}; }
};

const BuiltParts kParts{.options = true, .statistics = true};

// Writes fail on demand, as on a full disk.
const char* kDeck = "[Cardwise]\r\nQ1=one\r\nA1=uno\r\nQ2=two\r\nA2=dos\r\nQ3=three\r\nA3=tres\r\n";

}  // namespace

// The main window over a real Program with scripted boxes: wiring, keys and states.
class MainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    // Strict: any box the test does not expect fails it.
    std::unique_ptr<cardwise::testing::ScriptedUserInterface> ui_;
    gui::testing::FakeFailureMark failures_;
    FixedDate clock_;
    StdRandomSource random_;
    cardwise::testing::FaultyFileSystem files_;
    NoClipboard clipboard_;
    NoExternalEditor editor_;
    CountingHelp help_;
    NoImageDecoder images_;
    NoMediaPlayer media_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<MainWindow> window_;
    // Renders the menu when the core says it changed, as the program's windows do.
    struct MenuWindows : NoFrontEnd {
        MainWindow* window = nullptr;
        void mainMenuChanged() override {
            if (window != nullptr) window->render();
        }
    } menuWindows_;

    std::string writeDeck(const QString& name) {
        std::string path = folder_.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary) << kDeck;
        return path;
    }
    QAction* action(const char* name) {
        QAction* found = window_->action(name);
        if (found == nullptr) qWarning() << "no action" << name;
        return found;
    }
    // Whether some menu of the window shows the action.
    bool inAMenu(QAction* wanted) {
        for (QMenu* menu : window_->findChildren<QMenu*>()) {
            if (menu->actions().contains(wanted)) return true;
        }
        for (QMenuBar* bar : window_->findChildren<QMenuBar*>()) {
            if (bar->actions().contains(wanted)) return true;
        }
        return false;
    }

  private slots:
    void initTestCase() { loadGuiResources(); }
    void init() {
        failures_ = gui::testing::FakeFailureMark();
        ui_ = std::make_unique<cardwise::testing::ScriptedUserInterface>();
        files_.failWrites = false;
        program_ = std::make_unique<Program>(Platform{.ui = *ui_,
                                                      .clock = clock_,
                                                      .random = random_,
                                                      .files = files_,
                                                      .clipboard = clipboard_,
                                                      .editor = editor_,
                                                      .help = help_,
                                                      .images = images_,
                                                      .media = media_});
        program_->programDirectory = folder_.path().toStdString();
        std::ofstream(folder_.filePath("CARDWISE.PORTABLE").toStdString());
        QVERIFY(FormCreate(*program_, std::nullopt));
        window_ = std::make_unique<MainWindow>(*program_, MainWindowServices{nullptr, kParts});
        window_->formShow({});
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        files_.failWrites = false;
        menuWindows_.window = nullptr;
        if (program_) closeOpenDeck(*program_);
        window_.reset();
        program_.reset();
        if (ui_) ui_->checkAllShown();
        ui_.reset();
        QVERIFY(!failures_.failedSince());
    }

    void menusShowTheModelWithTheirShortCuts() {
        QCOMPARE(window_->objectName(), QString("TFMain"));
        QCOMPARE(window_->windowTitle(), QString("Cardwise32 v5.0"));
        QVERIFY(QFile::exists(":/app/cardwise.png"));
        struct Row {
            const char* name;
            const char* keys;
            bool enabled;
        };
        const Row rows[] = {
            {"FileOpen", "Ctrl+O", true},
            {"FileSaveAs", "", false},
            {"FileExitQA", "Ctrl+Q", false},
            {"EditFile", "Ctrl+T", false},
            {"ENextPair", "Ctrl+N", false},
            {"ClickHintorCommentButton1", "Ctrl+H", false},
            {"BringUpGoToPair1", "Ctrl+G", false},
            {"HelpContents", "F1", true},
            {"Options1", "", false},
            {"FileNew", "", true},
        };
        for (const Row& row : rows) {
            QAction* a = action(row.name);
            QVERIFY2(a != nullptr, row.name);
            QCOMPARE(a->shortcut(), QKeySequence(row.keys));
            QCOMPARE(a->isEnabled(), row.enabled);
            if (row.keys[0] != '\0') QCOMPARE(a->shortcutContext(), Qt::ApplicationShortcut);
        }
        QCOMPARE(action("FileExitQA")->text(), QString("Exit This &Q&&A File"));
        QVERIFY(!window_->menu("Edit1")->menuAction()->isEnabled());
        // Hidden items are in no menu, yet the window holds them for their keys.
        QVERIFY(!inAMenu(action("ENextPair")));
        QVERIFY(window_->actions().contains(action("ClickHintorCommentButton1")));
        QVERIFY(inAMenu(action("BringUpGoToPair1")));
        // Help at the right end, in the corner bar.
        auto* corner = qobject_cast<QMenuBar*>(window_->menuBar()->cornerWidget());
        QVERIFY(corner != nullptr);
        QCOMPARE(corner->actions().size(), 1);
        QCOMPARE(corner->actions()[0]->text(), QString("&Help  "));
        QCOMPARE(window_->menuBar()->actions().size(), 4);
        // No example deck beside the program: no Demo.
        QVERIFY(!action("RunQuickDemo1")->isVisible());
        action("Tutorial1")->trigger();
        QCOMPARE(help_.topics, std::vector<int>{19});
    }

    void openingADeckEnablesItsCommandsAndCtrlQClosesIt() {
        std::string deck = writeDeck("a.DKS");
        ui_->fileChoices.push_back(deck);
        action("FileOpen")->trigger();
        QVERIFY(program_->shell.deckOpen);
        QVERIFY(action("FileSaveAs")->isEnabled());
        QVERIFY(window_->menu("Edit1")->menuAction()->isEnabled());
        QVERIFY(action("EditCopyQ")->isEnabled());
        QVERIFY(!action("EditCurrentQAPair1")->isEnabled());  // the editor is not built
        // Short-cuts reach the main window from another window of the program.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::keyClick(&other, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!program_->shell.deckOpen);
        QVERIFY(!action("FileSaveAs")->isEnabled());
        QVERIFY(QFile::exists(folder_.filePath("a.DKD")));
    }

    void aRecentDeckReopens() {
        std::string a = writeDeck("a.DKS");
        std::string b = writeDeck("b.DKS");
        openDeck(*program_, a);
        openDeck(*program_, b);
        window_->render();
        QAction* second = action("UsedFile2");
        QVERIFY(second->isVisible());
        QCOMPARE(second->text(), QString::fromStdString(recentMenuCaption(2, a)));
        QVERIFY(!action("UsedFile3")->isVisible());
        second->trigger();
        QCOMPARE(program_->deck.QAFileName, a);
        QVERIFY(program_->shell.deckOpen);
        QCOMPARE(action("UsedFile1")->text(), QString::fromStdString(recentMenuCaption(1, a)));
    }

    void handedOverDeckOpensInTheFirstCopy() {
        std::string a = writeDeck("a.DKS");
        window_->openHandedOver({QByteArray::fromStdString(a), "/no/such/deck.DKS"});
        QCOMPARE(program_->deck.QAFileName, a);
        QVERIFY(program_->shell.deckOpen);
        QVERIFY(action("FileExitQA")->isEnabled());
    }

    // A deck handed over while a box is open waits for it to close, then opens; its file
    // name, not UTF-8, shows readably in the recent decks.
    void handedOverDeckWaitsForAnOpenBox() {
        // Written by its bytes: a QString name would be UTF-8.
        std::string a = folder_.path().toStdString() + "/caf\xe9.DKS";
        std::ofstream(a, std::ios::binary) << kDeck;
        bool openWhileBoxShown = true;
        gui::testing::whenModal<QDialog>([&](QDialog* box) {
            window_->openHandedOver({QByteArray::fromStdString(a)});
            openWhileBoxShown = program_->shell.deckOpen;
            box->close();
        });
        QDialog box(window_.get());
        box.exec();
        QVERIFY(!openWhileBoxShown);
        QTRY_VERIFY_WITH_TIMEOUT(program_->shell.deckOpen, 5000);
        QCOMPARE(program_->deck.QAFileName, a);
        QCOMPARE(program_->shell.recentFiles[0], a);
        QVERIFY(action("FileExitQA")->isEnabled());
        QVERIFY2(action("UsedFile1")->text().endsWith(QString::fromUtf8("caf\xc3\xa9.DKS")),
                 qPrintable(action("UsedFile1")->text()));
        QVERIFY(!action("UsedFile1")->text().contains(QChar(0xFFFD)));
    }

    // Whatever closes the deck, the menu follows: here the drill's own close request.
    void menuFollowsADeckClosedOutsideTheMenu() {
        menuWindows_.window = window_.get();
        program_->attachFrontEnd(menuWindows_);
        openDeck(*program_, writeDeck("a.DKS"));
        QVERIFY(action("FileSaveAs")->isEnabled());
        QVERIFY(FileExitQAClick(*program_));
        for (const char* name : {"FileSaveAs", "FileStatistics", "FileExitQA"}) {
            QVERIFY2(!action(name)->isEnabled(), name);
        }
        QVERIFY(!window_->menu("Edit1")->menuAction()->isEnabled());
        QVERIFY(!action("Options1")->isEnabled());
    }

    void importAndExportRunFromTheFileMenu() {
        openDeck(*program_, writeDeck("a.DKS"));
        window_->render();
        QVERIFY(action("ExportPairs")->isEnabled());
        const std::string csv = folder_.filePath("more.csv").toStdString();
        std::ofstream(csv, std::ios::binary) << "four,cuatro\nfive,cinco\n";
        ui_->fileChoices.push_back(csv);
        ui_->expectBox({"Import Pairs",
                        "2 Pairs Were Added To " + folder_.filePath("a.DKS").toStdString() + ".",
                        Icon::Information, Buttons::Ok});
        action("ImportPairs")->trigger();
        QVERIFY(program_->shell.deckOpen);
        QCOMPARE(program_->deck.PairCount, 5);
        ui_->fileChoices.push_back(folder_.filePath("out").toStdString());
        ui_->expectBox(
            {"Export Pairs",
             "5 Pairs Were Exported To " + folder_.filePath("out.tsv").toStdString() + ".",
             Icon::Information, Buttons::Ok});
        action("ExportPairs")->trigger();
        QVERIFY(QFile::exists(folder_.filePath("out.tsv")));
    }

    void aDeckThatCannotBeSavedKeepsTheProgramOpenWhenAsked() {
        openDeck(*program_, writeDeck("a.DKS"));
        program_->settings.QLeft += 7;  // something to save
        files_.failWrites = true;
        ui_->expectBox(cardwise::testing::writeErrorBox(folder_.filePath("a.DKD").toStdString(),
                                                        "No space left on device"));
        ui_->expectBox({"Deck Not Saved",
                        "The Open Deck Could Not Be Saved.  Exit Anyway And Lose The Changes Made "
                        "Since It Was Opened?",
                        Icon::Warning, Buttons::YesNo},
                       Button::No);
        QVERIFY(!window_->close());
        QVERIFY(window_->isVisible());
        QVERIFY(program_->shell.deckOpen);
    }

    void closingStoresThePlaceAndSavesTheDeck() {
        openDeck(*program_, writeDeck("a.DKS"));
        window_->move(40, 50);
        window_->resize(600, 300);
        QVERIFY(window_->close());
        QVERIFY(!program_->shell.deckOpen);
        QCOMPARE(program_->shell.app.MainWidth, 600);
        QCOMPARE(program_->shell.app.MainHeight, 300);
        QFile settings(folder_.filePath("CARDWISE.INI"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("MainWidth=600"));
    }

    void optionsAndStatisticsOpenTheirDialogsWhileADeckIsOpen() {
        openDeck(*program_, writeDeck("a.DKS"));
        window_->render();
        QStringList shown;
        auto closeWhatShows = [&shown](QDialog* dialog) {
            shown << dialog->objectName() + "|" + dialog->windowTitle();
            dialog->reject();
        };
        gui::testing::whenModal<QDialog>(closeWhatShows);
        action("Options1")->trigger();
        gui::testing::whenModal<QDialog>(closeWhatShows);
        action("FileStatistics")->trigger();
        QCOMPARE(shown, (QStringList{"TFOptionsDlg|Cardwise Options", "TFStats|File Statistics"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
