#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>

#include "core/shell/deck_close.h"
#include "core/shell/deck_new.h"
#include "editor_support.h"
#include "gui/app/main_window.h"
#include "gui/editor/character_map.h"
#include "gui/editor/editor_layout.h"
#include "gui/editor/find_dialog.h"
#include "gui/media/picture_viewer.h"

using namespace cardwise;
using cardwise::testing::crlf;
using cardwise::testing::GuiDrill;
using cardwise::testing::GuiEditor;

namespace {

std::string wordsDeck() {
    return crlf({"[Cardwise]", "Q1=apple", "A1=manzana", "Q2=bread", "A2=pan", "Q3=cheese",
                 "A3=queso", "Q4=APPLE pie", "A4=tarta de manzana"});
}

// Pairs in number order, so the drill starts at pair 1.
std::string numerical() {
    return crlf({"[CARDWISE]", "Numerical=  1"});
}

QString caption(GuiEditor& d) {
    return d.window.windowTitle();
}

QString deckName(GuiEditor& d, const char* name) {
    return QString::fromStdString(d.decks.file(name));
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT
    gui::testing::FakeFailureMark failures_;
  private slots:
    void init() { failures_ = gui::testing::FakeFailureMark(); }
    void cleanup() { QVERIFY(!failures_.failedSince()); }

    void findDialogIsModelessOnTopWithFindAsDefault() {
        GuiDrill d;
        d.open("words", wordsDeck());
        gui::FindDialog find(d.program);
        QCOMPARE(find.objectName(), QString("TFFind"));
        QCOMPARE(find.windowTitle(), QString("Find"));
        QVERIFY(!find.isModal());
        QVERIFY(find.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(find.findChild<QRadioButton*>("RGDirectionUp")->isChecked());
        QVERIFY(find.findChild<QPushButton*>("BBFind")->isDefault());
        QCOMPARE(find.findChild<QLineEdit*>("EFind")->maxLength(), 1000);
    }

    // "Find Next" from the last pair that holds the text reaches the end, asks, and on Yes
    // goes on from pair 1; Enter in the box presses "Find".
    void findWrapsAroundAfterYes() {
        GuiDrill d;
        d.open("words", wordsDeck());
        gui::FindDialog find(d.program);
        find.show();
        QSignalSpy found(&find, &gui::FindDialog::pairFound);
        auto* text = find.findChild<QLineEdit*>("EFind");
        QTest::keyClicks(text, "Apple");
        d.program.deck.CurrentPair = 2;
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(found.count(), 1);
        QCOMPARE(found.takeFirst().at(0).toInt(), 4);
        QCOMPARE(d.program.deck.CurrentPair, 4);

        d.ui.expectBox({"Continue Search?",
                        "The Search String \"Apple\" Was Not Found Searching To The End Of The "
                        "File.  Do You Wish To Search The Remainder Of The File?",
                        Icon::Information, Buttons::YesNo},
                       Button::Yes);
        QTest::mouseClick(find.findChild<QPushButton*>("BBFindNext"), Qt::LeftButton);
        QCOMPARE(found.count(), 1);
        QCOMPARE(d.program.deck.CurrentPair, 1);
        QVERIFY(find.isVisible());

        // Searching down from pair 1 finds nothing before it: the other end answers.
        find.findChild<QRadioButton*>("RGDirectionDown")->click();
        d.ui.expectBox({"Continue Search?",
                        "The Search String \"Apple\" Was Not Found Searching To The Beginning Of "
                        "The File.  Do You Wish To Search The Remainder Of The File?",
                        Icon::Information, Buttons::YesNo},
                       Button::Yes);
        QTest::mouseClick(find.findChild<QPushButton*>("BBFindNext"), Qt::LeftButton);
        QCOMPARE(d.program.deck.CurrentPair, 4);

        QTest::mouseClick(find.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        QVERIFY(!find.isVisible());
    }

    void findRefusesTextTheDeckCannotHold() {
        GuiDrill d;
        d.open("words", wordsDeck());
        gui::FindDialog find(d.program);
        QSignalSpy found(&find, &gui::FindDialog::pairFound);
        find.findChild<QLineEdit*>("EFind")->setText(
            QString::fromUtf8("\xe2\x82\xac \xe2\x86\x92"));
        d.ui.expectBoxWhere("Character Not Allowed", Icon::Warning, Buttons::Ok,
                            [](const std::string&) { return true; });
        QTest::mouseClick(find.findChild<QPushButton*>("BBFind"), Qt::LeftButton);
        QCOMPARE(found.count(), 0);
        QCOMPARE(d.program.deck.CurrentPair, 1);
    }

    // Typed text reaches the Q&A file as Windows-1252 bytes.
    void accentedTextEditedSavedAndClosedIsWrittenInTheDeckCodePage() {
        GuiEditor d;
        d.open(
            "words",
            crlf({"[Cardwise]", "Q1=cafe", "A1=coffee", "Q2=tea", "A2=te", "Q3=milk", "A3=leche"}),
            numerical());
        d.editor.EditCurrentPairClick();
        QVERIFY(d.window.isVisible());
        QCOMPARE(caption(d),
                 "Cardwise Q&A Editor - Editing Pair 1 Of 3 To " + deckName(d, "words.DKS"));
        auto* memo = d.control<QPlainTextEdit>("QMemo");
        QCOMPARE(memo->toPlainText(), QString("cafe"));
        QVERIFY(!d.program.editor.PairDirty);
        memo->selectAll();
        QTest::keyClicks(memo, "caf");
        QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_Eacute, QString::fromUtf8("\xc3\xa9"),
                            Qt::NoModifier);
        QCOMPARE(memo->toPlainText(), QString::fromUtf8("caf\xc3\xa9"));
        QVERIFY(d.program.editor.PairDirty);
        click(d.control<QPushButton>("BBSave"));
        click(d.control<QPushButton>("BBClose"));
        QVERIFY(!d.window.isVisible());
        QVERIFY(FileExitQAClick(d.program));
        const std::string written = d.decks.read("words.DKS");
        QVERIFY2(written.find("Q1=caf\xe9\r\nA1=coffee\r\n") != std::string::npos, written.c_str());
    }

    // The pair being added comes into being only when it is saved.
    void insertAtTheEndClosedWithoutSavingLeavesThePairCount() {
        GuiEditor d;
        d.open("words",
               crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", "A2=dos", "Q3=three", "A3=tres"}),
               numerical());
        d.editor.EditCurrentPairClick();
        auto* goTo = d.control<QLineEdit>("EGoToPair");
        QTest::keyClicks(goTo, "3");
        QTest::keyClick(goTo, Qt::Key_Return);
        QCOMPARE(caption(d),
                 "Cardwise Q&A Editor - Editing Pair 3 Of 3 To " + deckName(d, "words.DKS"));
        QVERIFY(goTo->text().isEmpty());
        click(d.control<QPushButton>("BBAddPair"));
        QCOMPARE(caption(d), "Cardwise Q&A Editor - Adding Pair 4 To " + deckName(d, "words.DKS"));
        auto* memo = d.control<QPlainTextEdit>("QMemo");
        QCOMPARE(memo->toPlainText(), QString("Insert Your New Question Text Here"));
        // The prompt is selected, so typing replaces it.
        QCOMPARE(memo->textCursor().selectedText(), QString("Insert Your New Question Text Here"));
        QVERIFY(!d.control<QPushButton>("BBUp")->isEnabled());
        // The answer page of a new pair selects its prompt too.
        d.control<QTabBar>("TabSet")->setCurrentIndex(1);
        QCOMPARE(d.control<QPlainTextEdit>("AMemo")->textCursor().selectedText(),
                 QString("Insert Your New Answer Text Here"));
        d.control<QTabBar>("TabSet")->setCurrentIndex(0);
        QTest::keyClicks(memo, "four");
        d.ui.expectBox({"Save Current Changes?", "Save Changes To Current Pair?", Icon::Information,
                        Buttons::YesNoCancel},
                       Button::No);
        click(d.control<QPushButton>("BBClose"));
        QVERIFY(!d.window.isVisible());
        QCOMPARE(d.program.deck.PairCount, 3);
        QVERIFY(FileExitQAClick(d.program));
        QVERIFY(d.decks.read("words.DKS").find("four") == std::string::npos);
    }

    // Cancel keeps the editor and its unsaved text; the window's own close button asks too.
    void closeButtonOfTheWindowAsksAndCancelStays() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        d.editor.EditCurrentPairClick();
        QTest::keyClicks(d.control<QPlainTextEdit>("QMemo"), "x");
        d.ui.expectBox({"Save Current Changes?", "Save Changes To Current Pair?", Icon::Information,
                        Buttons::YesNoCancel},
                       Button::Cancel);
        QVERIFY(!d.window.close());
        QVERIFY(d.window.isVisible());
        QVERIFY(d.program.editor.PairDirty);
    }

    void kindButtonsEnableTheFieldsOfTheirKind() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        d.editor.EditCurrentPairClick();
        const char* choiceFields[] = {"EMC1",   "EMC6",      "LEMC1",    "LEMC6",   "RBAll",
                                      "RBNone", "RBCorrect", "ECorrect", "LCorrect"};
        const char* fillInFields[] = {"EFIB1", "EFIB6", "LEFIB1", "LEFIB6"};
        struct Case {
            const char* button;
            bool choices;
            bool fillIns;
        };
        for (Case k : {Case{"RBMultipleChoice", true, false}, Case{"RBFillIn", false, true},
                       Case{"RBStandard", false, false}}) {
            d.program.editor.PairDirty = false;
            click(d.control<QRadioButton>(k.button));
            QVERIFY2(d.program.editor.PairDirty, k.button);
            for (const char* name : choiceFields) {
                QVERIFY2(d.control<QWidget>(name)->isEnabled() == k.choices,
                         (std::string(k.button) + " " + name).c_str());
            }
            for (const char* name : fillInFields) {
                QVERIFY2(d.control<QWidget>(name)->isEnabled() == k.fillIns,
                         (std::string(k.button) + " " + name).c_str());
            }
            QVERIFY(d.control<QWidget>("QMemo")->isEnabled());
            QVERIFY(d.control<QWidget>("EH1")->isEnabled());
        }
    }

    // The editor's find button opens the dialog; a pair found is loaded into the editor.
    void findFromTheEditorWrapsAfterYesAndLoadsThePair() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        d.editor.EditCurrentPairClick();
        click(d.control<QPushButton>("BBFind"));
        gui::FindDialog& find = d.window.findDialog();
        QVERIFY(find.isVisible());
        find.findChild<QLineEdit*>("EFind")->setText("cheese");
        click(find.findChild<QPushButton*>("BBFind"));
        QCOMPARE(caption(d),
                 "Cardwise Q&A Editor - Editing Pair 3 Of 4 To " + deckName(d, "words.DKS"));
        d.ui.expectBox({"Continue Search?",
                        "The Search String \"cheese\" Was Not Found Searching To The End Of The "
                        "File.  Do You Wish To Search The Remainder Of The File?",
                        Icon::Information, Buttons::YesNo},
                       Button::Yes);
        click(find.findChild<QPushButton*>("BBFindNext"));
        QCOMPARE(d.program.deck.CurrentPair, 3);
        QCOMPARE(d.control<QPlainTextEdit>("QMemo")->toPlainText(), QString("cheese"));
        click(d.control<QPushButton>("BBClose"));
        QVERIFY(!find.isVisible());
    }

    // Browse stores a file of the deck's folder by its name; Display shows it.
    void browseAndDisplayAPictureOfTheDecksFolder() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(QString::fromStdString(d.decks.file("red.png"))));
        d.editor.EditCurrentPairClick();
        d.ui.fileChoices.push_back(d.decks.file("red.png"));
        click(d.control<QToolButton>("BQBMP"));
        QCOMPARE(d.control<QLineEdit>("EQBMP")->text(), QString("red.png"));
        QVERIFY(d.program.editor.PairDirty);
        QCOMPARE(d.ui.fileRequests.size(), std::size_t{1});
        click(d.control<QToolButton>("BQPBMP"));
        QVERIFY(d.windows.viewer().isVisible());
    }

    void goToARawEntryThatIsNoPairSaysSo() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        d.editor.EditCurrentPairClick();
        auto* goTo = d.control<QLineEdit>("EGoToPair");
        for (const char* entry : {"0", "5", "x"}) {
            goTo->setText(entry);
            d.ui.expectBox({"Error", "You Must Enter A Valid Pair Number In The Edit Box",
                            Icon::Error, Buttons::Ok});
            click(d.control<QPushButton>("BBGoToPair"));
            d.ui.checkAllShown();
        }
        QCOMPARE(d.program.deck.CurrentPair, 1);
    }

    // The main window's entries open the editor; its hidden items move it while it is on
    // screen, their short-cuts working while the editor has the focus.
    void mainMenuEntriesAndShortCutsReachTheEditor() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        gui::MainWindow main(d.program, {.drill = &d.controller,
                                         .parts = BuiltParts{.editor = true},
                                         .editor = &d.editor,
                                         .editorWindow = &d.window});
        connect(&d.window, &gui::QtEditorWindow::visibilityChanged, &main,
                &gui::MainWindow::render);
        main.show();
        QVERIFY(!main.action("ENextPair")->isEnabled());
        d.program.deck.CurrentPair = 2;
        main.action("EditCurrentQAPair1")->trigger();
        QVERIFY(d.window.isVisible());
        QCOMPARE(d.program.deck.CurrentPair, 2);
        QVERIFY(main.action("ENextPair")->isEnabled());
        QVERIFY(main.action("EPreviousPair")->isEnabled());

        QApplication::setActiveWindow(&d.window);
        auto* memo = d.control<QPlainTextEdit>("QMemo");
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(d.program.deck.CurrentPair, 3);
        QTest::keyClick(memo, Qt::Key_P, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(d.program.deck.CurrentPair, 1);
        QCOMPARE(memo->toPlainText(), QString("apple"));
        // F1 opens the editor's own help page, the main window's the contents.
        main.action("HelpContents")->trigger();
        QCOMPARE(d.help.shown, std::vector<int>{HelpTopic::Editor});
        QApplication::setActiveWindow(&main);
        main.action("HelpContents")->trigger();
        QCOMPARE(d.help.shown.back(), cardwise::testing::RecordingHelpViewer::kContents);
        QApplication::setActiveWindow(&d.window);

        // Ctrl+M brings the focus back to the text of the page showing.
        d.control<QLineEdit>("EGoToPair")->setFocus();
        main.action("MoveToMemo1")->trigger();
        QVERIFY(memo->hasFocus());

        // Ctrl+G: with an empty box the box takes the focus; with a number it goes there.
        main.action("BringUpGoToPair1")->trigger();
        QVERIFY(d.control<QLineEdit>("EGoToPair")->hasFocus());
        d.control<QLineEdit>("EGoToPair")->setText("4");
        main.action("BringUpGoToPair1")->trigger();
        QCOMPARE(d.program.deck.CurrentPair, 4);

        click(d.control<QPushButton>("BBClose"));
        QVERIFY(!main.action("ENextPair")->isEnabled());
        // "Open Current Q&A File In Cardwise Editor..." starts at pair 1.
        d.program.deck.CurrentPair = 3;
        main.action("OpenCurrentQAFileInCardwiseEditor1")->trigger();
        QCOMPARE(caption(d),
                 "Cardwise Q&A Editor - Editing Pair 1 Of 4 To " + deckName(d, "words.DKS"));
        click(d.control<QPushButton>("BBClose"));
        QCOMPARE(d.program.deck.CurrentPair, 3);
    }

    // "&Delete Current Q&&A Pair" deletes without showing the editor; the drill goes on.
    void deleteFromTheMainWindowLeavesTheEditorHidden() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        gui::MainWindow main(d.program, {.drill = &d.controller,
                                         .parts = BuiltParts{.editor = true},
                                         .editor = &d.editor,
                                         .editorWindow = &d.window});
        d.program.deck.CurrentPair = 2;
        main.action("DeleteCurrentQAPair1")->trigger();
        QVERIFY(!d.window.isVisible());
        QCOMPARE(d.program.deck.PairCount, 3);
        QVERIFY(d.windows.questionWindow()->isVisible());
        const std::string written = d.decks.read("words.DKS");
        QVERIFY2(written.find("bread") == std::string::npos, written.c_str());
        QVERIFY(written.find("Q2=cheese") != std::string::npos);
    }

    // Ctrl+Z in the question window after the main menu's delete puts the pair back on show,
    // and the pop-up item says what it takes back.
    void ctrlZAfterADeleteFromTheMainMenuShowsThePairAgain() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        gui::MainWindow main(d.program, {.drill = &d.controller,
                                         .parts = BuiltParts{.editor = true},
                                         .editor = &d.editor,
                                         .editorWindow = &d.window});
        d.program.deck.CurrentPair = 2;
        main.action("DeleteCurrentQAPair1")->trigger();
        QWidget* q = d.windows.questionWindow();
        QVERIFY(q->isVisible());
        auto* memo = d.find<QTextEdit>(q, "Memo1");
        QCOMPARE(memo->toPlainText(), QString("cheese"));
        auto* undo = q->findChild<QAction*>("UndoLastGrade1");
        emit q->findChild<QMenu*>("PopupMenu1")->aboutToShow();
        QCOMPARE(undo->text(), QString("&Undo Delete Pair"));

        QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
        d.windows.sync();
        QVERIFY(q->isVisible());
        QCOMPARE(d.program.deck.PairCount, 4);
        QCOMPARE(d.find<QLabel>(q, "PQNumber")->text(), QString("2"));
        QCOMPARE(memo->toPlainText(), QString("bread"));
        emit q->findChild<QMenu*>("PopupMenu1")->aboutToShow();
        QCOMPARE(undo->text(), QString("&Undo Last Grade"));
    }

    // The pop-up menus of the drill windows hand their editor items to the main window.
    void popupMenuEditorItemsAreOfferedOnceThereIsAnEditor() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        QWidget* q = d.windows.questionWindow();
        QVERIFY(!q->findChild<QAction*>("EditCurrentQAPair1")->isEnabled());
        d.windows.offerEditor();
        QSignalSpy asked(&d.windows, &gui::DrillWindows::editorCommandRequested);
        for (const char* name :
             {"EditCurrentQAPair1", "DeleteCurrentQAPair1", "InsertNewQAPair1"}) {
            QAction* item = q->findChild<QAction*>(name);
            QVERIFY2(item->isEnabled(), name);
            item->trigger();
            QCOMPARE(asked.takeFirst().at(0).toString(), QString(name));
        }
    }

    // A new deck opens in the editor on its first pair; Close goes back to the drill.
    void newDeckOpensInTheEditor() {
        GuiEditor d;
        d.ui.fileChoices.push_back(d.decks.file("fresh.DKS"));
        FileNewClick(d.program);
        QVERIFY(d.window.isVisible());
        QCOMPARE(caption(d),
                 "Cardwise Q&A Editor - Editing Pair 1 Of 3 To " + deckName(d, "fresh.DKS"));
        QVERIFY(d.control<QPlainTextEdit>("QMemo")->toPlainText().startsWith(
            "This is the first dummy question"));
        QVERIFY(!d.windows.questionWindow()->isVisible());
        click(d.control<QPushButton>("BBClose"));
        QVERIFY(!d.window.isVisible());
        QVERIFY(d.windows.questionWindow()->isVisible());
    }

    // Run Pair shows the pair once in the drill windows, then the editor comes back.
    void runPairShowsThePairAndReturnsToTheEditor() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        d.editor.EditCurrentPairClick();
        QVERIFY(!d.windows.questionWindow()->isVisible());
        click(d.control<QPushButton>("BBRunPair"));
        QVERIFY(!d.window.isVisible());
        QWidget* q = d.windows.questionWindow();
        QVERIFY(q->isVisible());
        QTest::keyClick(q->findChild<QWidget*>("Memo1"), Qt::Key_Return);
        QWidget* a = d.windows.answerWindow();
        QVERIFY(a->isVisible());
        QTest::keyClick(a->findChild<QWidget*>("Memo1"), Qt::Key_Return);
        QTRY_VERIFY(d.window.isVisible());
        QVERIFY(!a->isVisible());
        QCOMPARE(d.program.deck.CurrentPair, 1);
        QCOMPARE(d.program.deck.Learning[1].RightTotal, 0);
    }

    // A stored text longer than the memo's typing limit is shown whole and saved whole.
    void longStoredTextIsNeverCutByTheMemo() {
        GuiEditor d;
        // Longer than the memo takes by typing, short enough for a pair.
        const std::string lines(2050, 'x');
        d.open(
            "long",
            crlf({"[Cardwise]", ("Q1=" + lines).c_str(), "A1=a", "Q2=b", "A2=b", "Q3=c", "A3=c"}),
            numerical());
        d.editor.EditCurrentPairClick();
        auto* memo = d.control<QPlainTextEdit>("QMemo");
        QCOMPARE(memo->toPlainText().size(), 2050);
        // Typing at the end is held at the shown length; the text is not cut.
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, "yz");
        QCOMPARE(memo->toPlainText(), QString(2050, 'x'));
        // A short memo takes at most 2000 characters.
        d.ui.expectBox({"Save Current Changes?", "Save Changes To Current Pair?", Icon::Information,
                        Buttons::YesNo},
                       Button::No);
        d.control<QPushButton>("BBUp")->click();
        auto* answer = d.control<QPlainTextEdit>("QMemo");
        answer->insertPlainText(QString(2100, 'q'));
        QCOMPARE(answer->toPlainText().size(), 2000);
    }

    // An insert in the middle writes and reopens the deck and comes back in the editor.
    void insertInTheMiddleReopensTheDeckAndShowsTheNewPair() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        d.program.deck.CurrentPair = 2;
        d.editor.EditCurrentPairClick();
        click(d.control<QPushButton>("BBAddPair"));
        QVERIFY(d.window.isVisible());
        QCOMPARE(caption(d), "Cardwise Q&A Editor - Adding Pair 3 To " + deckName(d, "words.DKS"));
        QCOMPARE(d.program.deck.PairCount, 5);
        const std::string written = d.decks.read("words.DKS");
        QVERIFY2(
            written.find("Q3=Insert New Question Text Here\r\nA3=Insert New Answer Text Here\r\n"
                         "Q4=cheese") != std::string::npos,
            written.c_str());
        // A character the deck cannot hold is refused before anything is stored.
        auto* hint = d.control<QLineEdit>("EH1");
        hint->setText(QString::fromUtf8("\xe2\x86\x92"));
        d.ui.expectBoxWhere("Character Not Allowed", Icon::Warning, Buttons::Ok,
                            [](const std::string&) { return true; });
        click(d.control<QPushButton>("BBSave"));
        QVERIFY(d.program.editor.PairDirty);
    }

    // The form's captions and access keys, its pages in tab order and its smallest size.
    void formCarriesItsCaptionsAndAccessKeys() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        QCOMPARE(d.window.objectName(), QString("TFEditor"));
        // Never below the designed size; larger where the desktop's font needs it.
        QCOMPARE(d.window.minimumSize().expandedTo(QSize(640, 441)), d.window.minimumSize());
        const std::pair<const char*, const char*> captions[] = {
            {"RBStandard", "S&tandard"},
            {"RBMultipleChoice", "M&ultiple Choice"},
            {"RBFillIn", "Fill-In-The-&Blank"},
            {"RBAll", " All The Abo&ve"},
            {"RBNone", "&None Of Above"},
            {"RBCorrect", "&MC #"},
            {"BBSave", "&Save"},
            {"BBAddPair", "&Insert  "},
            {"BBDeletePair", "&Delete"},
            {"BBFind", "Find Te&xt"},
            {"CBAutoSavePair", "Auto-sa&ve Edits"},
            {"CBAutoResetPage", "Aut&o-reset Page"},
            {"CBFileSaveI", "Fi&le Save Immediate"},
            {"BBClose", "Clos&e"},
            {"BBRunPair", "&Run Pair"},
            {"BitBtn1", "Charma&p"},
            {"BBGoToPair", "Go To Pair #"},
            {"BBDown", "(Ctrl P)"},
            {"BBUp", "(Ctrl N)"},
        };
        for (const auto& [name, text] : captions) {
            QCOMPARE(d.control<QAbstractButton>(name)->text(), QString(text));
        }
        const QStringList labels{
            "MC #1", "FIB #6", "Correct Answer:", "HINT 3", "CMT 1", "Category Of This Pair"};
        QStringList shown;
        for (QLabel* label : d.window.findChildren<QLabel*>()) shown << label->text();
        for (const QString& label : labels) QVERIFY2(shown.contains(label), qPrintable(label));
        auto* tabs = d.control<QTabBar>("TabSet");
        QCOMPARE(tabs->shape(), QTabBar::RoundedSouth);
        const QStringList pages{"&Question Text", "&Answer Text", "Associated &Files",
                                "Hints/&Comments"};
        QCOMPARE(tabs->count(), 4);
        for (int i = 0; i < 4; ++i) QCOMPARE(tabs->tabText(i), pages[i]);
        QCOMPARE(d.control<QComboBox>("ECategory")->lineEdit()->maxLength(), 12);

        // Access keys work from the editor's own text box.
        d.editor.EditCurrentPairClick();
        QApplication::setActiveWindow(&d.window);
        auto* memo = d.control<QPlainTextEdit>("QMemo");
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_X, Qt::AltModifier);
        // A button's access key clicks it a moment later, as it is drawn pressed first.
        QTRY_VERIFY(d.window.findDialog().isVisible());
        QApplication::setActiveWindow(&d.window);
        QTest::keyClick(memo, Qt::Key_F, Qt::AltModifier);
        QCOMPARE(d.window.form().page(), gui::EditorLayout::FilesPage);
    }

    // A deck that cannot be written is shown for reading: the reason above the pages, the
    // memos read-only, every changing command disabled.
    void readOnlyDeckIsShownForReading() {
        GuiEditor d;
        d.open("words", wordsDeck(), numerical());
        d.program.deck.ReadOnlyDeck = true;
        d.editor.EditCurrentPairClick();
        QVERIFY(caption(d).endsWith(" - Read Only"));
        auto* notice = d.control<QLabel>("LNotice");
        QVERIFY(notice->isVisibleTo(&d.window));
        QVERIFY(notice->text().contains("Read-Only"));
        QVERIFY(d.control<QPlainTextEdit>("QMemo")->isReadOnly());
        for (const char* name : {"BBSave", "BBAddPair", "BBDeletePair", "RBStandard", "EH1",
                                 "ECategory", "EQBMP", "BQBMP"}) {
            QVERIFY2(!d.control<QWidget>(name)->isEnabled(), name);
        }
        for (const char* name : {"BBFind", "BBGoToPair", "BBUp", "BBClose", "BQPBMP"}) {
            QVERIFY2(d.control<QWidget>(name)->isEnabled(), name);
        }
        d.control<QPushButton>("BBUp")->click();
        QVERIFY(!d.control<QLabel>("LNotice")->text().isEmpty());
        QVERIFY(d.control<QPlainTextEdit>("QMemo")->isReadOnly());
    }

    void characterMapIsTheFirstProgramInstalled() {
        QTemporaryDir folder;
        const QString kchar = folder.filePath("kcharselect");
        QFile script(kchar);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const gui::CharacterMap found({"gucharmap", "kcharselect"}, {folder.path()});
        QVERIFY(found.available());
        QCOMPARE(found.program(), kchar);
        const gui::CharacterMap missing({"gucharmap"}, {folder.path()});
        QVERIFY(!missing.available());
        QVERIFY(!missing.start());
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
