#include <QAbstractEventDispatcher>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include "core/content/windows1252.h"
#include "core/drill/grade_undo.h"
#include "drill_support.h"
#include "gui/drill/answer_window.h"
#include "gui/drill/promotion_window.h"
#include "gui/drill/question_window.h"

using namespace cardwise;
using cardwise::testing::crlf;
using cardwise::testing::GuiDrill;

namespace {

// Standard, multiple choice (the sky is choice 2), fill-in (Rome).
std::string threeKindsDeck() {
    return crlf({"[Cardwise]", "Q1=What is the capital of France?", "A1=Paris",
                 "Q2=<MC1>Red<MC2>Blue<MC3>Green%What colour is the sky?", "A2=<FIB>2%",
                 "Q3=<FIB>%What is the capital of Italy?", "A3=<MC1>Rome%The Eternal City"});
}

std::string statusLine(const std::string& setup, int pair) {
    const std::string key = "Q&A" + std::to_string(pair) + "=";
    const std::size_t at = setup.find("\r\n" + key);
    if (at == std::string::npos) return {};
    const std::size_t start = at + 2;
    return setup.substr(start, setup.find("\r\n", start) - start);
}

void pressEnter(QWidget* widget) {
    QTest::keyClick(widget, Qt::Key_Return);
}

}  // namespace

class DrillWindowsTest : public QObject {
    Q_OBJECT
    gui::testing::FakeFailureMark failures_;
  private slots:
    void init() { failures_ = gui::testing::FakeFailureMark(); }
    void cleanup() { QVERIFY(!failures_.failedSince()); }

    void wholeDrillByKeysAndClicksLeavesTheStatusLines() {
        GuiDrill d;
        d.open("kinds", threeKindsDeck(), crlf({"[Cardwise]", "Numerical=  1", "OnePass=  1"}));
        QWidget* q = d.windows.questionWindow();
        QWidget* a = d.windows.answerWindow();
        QCOMPARE(q->objectName(), QString("TFQuestion"));
        QCOMPARE(a->objectName(), QString("TFAnswer"));
        QVERIFY(q->isVisible());
        QVERIFY(!a->isVisible());
        QCOMPARE(q->windowTitle(),
                 QString("Question - Ask All Questions Equally Often Mode - kinds.DKS"));
        QCOMPARE(d.find<QTextEdit>(q, "Memo1")->toPlainText(),
                 QString("What is the capital of France?"));
        QCOMPARE(d.find<QLabel>(q, "PQNumber")->text(), QString("1"));

        // Standard question: Enter anywhere presses "Display The Answer".
        QVERIFY(d.find<QWidget>(q, "DE")->isVisible());
        pressEnter(d.find<QTextEdit>(q, "Memo1"));
        QVERIFY(!q->isVisible());
        QVERIFY(a->isVisible());
        QVERIFY(d.find<QWidget>(a, "DE")->isVisible());
        QCOMPARE(d.find<QTextEdit>(a, "Memo1")->toPlainText(), QString("Paris"));
        // ... and in the answer's grading panel it grades correct.
        pressEnter(d.find<QTextEdit>(a, "Memo1"));
        QVERIFY(q->isVisible());
        QCOMPARE(d.find<QLabel>(q, "PCorrect")->text(), QString("1"));
        QCOMPARE(d.find<QLabel>(q, "PPercent")->text(), QString("100 %"));

        // Multiple choice: no default button, so Enter does nothing; choice 1 is wrong.
        QVERIFY(d.find<QWidget>(q, "MC")->isVisible());
        QVERIFY(d.find<QPushButton>(q, "BBMC3")->isVisible());
        QVERIFY(!d.find<QPushButton>(q, "BBMC4")->isVisibleTo(q));
        pressEnter(d.find<QTextEdit>(q, "Memo1"));
        QVERIFY(q->isVisible());
        QTest::mouseClick(d.find<QPushButton>(q, "BBMC1"), Qt::LeftButton);
        QVERIFY(a->isVisible());
        QVERIFY(d.find<QWidget>(a, "MC")->isVisible());
        QVERIFY(d.find<QLabel>(a, "Image3")->isVisible());
        QVERIFY(!d.find<QLabel>(a, "Image2")->isVisible());
        QVERIFY(d.find<QTextEdit>(a, "Memo1")->toPlainText().endsWith("Number: 2"));
        pressEnter(d.find<QTextEdit>(a, "Memo1"));  // Show Next Question

        // Fill-in: a character no deck can hold is refused before anything is judged.
        QVERIFY(d.find<QWidget>(q, "FI")->isVisible());
        auto* entry = d.find<QLineEdit>(q, "EBFillIn");
        entry->setText(QString::fromUtf8("Rom\xE2\x82\xAC \xE2\x86\x92"));
        d.ui.expectBox({std::string(kCharacterNotAllowedCaption),
                        characterNotAllowedText(U'\u2192'), Icon::Warning, Buttons::Ok});
        pressEnter(entry);
        QCOMPARE(d.ui.captions(), (std::vector<std::string>{"Character Not Allowed"}));
        QVERIFY(q->isVisible());
        entry->clear();
        QTest::keyClicks(entry, "rome");
        pressEnter(entry);
        QVERIFY(a->isVisible());
        QVERIFY(d.find<QLabel>(a, "Image2")->isVisible());

        // The last answer ends the single pass; declining another closes and saves.
        d.ui.expectBox(cardwise::testing::continuationBox("kinds.DKS"), Button::No);
        QTest::mouseClick(d.find<QPushButton>(a, "BBNextQ"), Qt::LeftButton);
        QVERIFY(!q->isVisible());
        QVERIFY(!a->isVisible());
        QCOMPARE(d.ui.captions().back(), std::string("Continuation"));
        QVERIFY(!d.program.shell.deckOpen);

        const std::string setup = d.decks.read("kinds.DKD");
        QCOMPARE(statusLine(setup, 1).substr(0, 24), std::string("Q&A1=20261207 1    1 0 0"));
        QCOMPARE(statusLine(setup, 2).substr(0, 24), std::string("Q&A2=20261207 0    0 1 1"));
        QCOMPARE(statusLine(setup, 3).substr(0, 24), std::string("Q&A3=20261207 1    1 0 0"));
    }

    // An idle drill wakes the program for nothing: with no drill timer set and nothing to
    // save or play, no timer runs while the question waits for the user.
    void anIdleQuestionRunsNoTimer() {
        GuiDrill d;
        d.open("kinds", threeKindsDeck(), crlf({"[Cardwise]", "Numerical=  1"}));
        QVERIFY(d.windows.questionWindow()->isVisible());
        // The timers registered on every window and object of the program; the show's own
        // posted work may hold one briefly, a running timer stays past the deadline.
        auto registered = [&d] {
            std::vector<QObject*> objects{QCoreApplication::instance(), &d.windows, &d.player};
            for (QWidget* window : QApplication::topLevelWidgets()) objects.push_back(window);
            auto* dispatcher = QAbstractEventDispatcher::instance();
            qsizetype timers = 0;
            for (QObject* root : objects) {
                timers += dispatcher->registeredTimers(root).size();
                for (QObject* child : root->findChildren<QObject*>())
                    timers += dispatcher->registeredTimers(child).size();
            }
            return timers;
        };
        QTRY_COMPARE_WITH_TIMEOUT(registered(), qsizetype{0}, 3000);
    }

    void tryAgainKeepsTheTypedReply() {
        GuiDrill d;
        d.open("kinds", threeKindsDeck(), crlf({"[Cardwise]", "Numerical=  1"}));
        d.ui.inputs.push_back(std::string("3"));
        d.controller.goToPair();
        d.windows.sync();
        QWidget* q = d.windows.questionWindow();
        QWidget* a = d.windows.answerWindow();
        auto* entry = d.find<QLineEdit>(q, "EBFillIn");
        QTest::keyClicks(entry, "Milan");
        QTest::mouseClick(d.find<QPushButton>(q, "BBCheckFI"), Qt::LeftButton);
        QVERIFY(d.find<QLabel>(a, "Image3")->isVisible());
        QTest::mouseClick(d.find<QPushButton>(a, "BBTryAgain"), Qt::LeftButton);
        QVERIFY(q->isVisible());
        QCOMPARE(entry->text(), QString("Milan"));
        QCOMPARE(d.program.deck.SessionIncorrect, 0);
    }

    void pageKeysScrollTheTextAndAccessKeysNeedNoAlt() {
        std::string longText;
        for (int i = 1; i <= 60; ++i) longText += "Line " + std::to_string(i) + "^";
        GuiDrill d;
        d.open("long",
               crlf({"[Cardwise]", "Q1=<MC1>Red<MC2>Blue%" + longText, "A1=<FIB>2%", "Q2=two",
                     "A2=dos", "Q3=three", "A3=tres"}),
               crlf({"[Cardwise]", "Numerical=  1"}));
        QWidget* q = d.windows.questionWindow();
        QVERIFY(q->isVisible());
        auto* memo = d.find<QTextEdit>(q, "Memo1");
        QCOMPARE(memo->verticalScrollBar()->value(), 0);
        QTest::keyClick(d.find<QPushButton>(q, "BBMC1"), Qt::Key_PageDown);
        QVERIFY(memo->verticalScrollBar()->value() > 0);
        QTest::keyClick(memo, Qt::Key_2);
        QVERIFY(d.windows.answerWindow()->isVisible());
        QVERIFY(d.find<QLabel>(d.windows.answerWindow(), "Image2")->isVisible());
    }

    void timersWaitWhileABoxIsOpen() {
        GuiDrill d;
        d.open("kinds", threeKindsDeck(),
               crlf({"[Cardwise]", "Numerical=  1", "UseTimer=  1", "NumSeconds=  1"}));
        auto& question = d.windows.question();
        QDialog box;
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        QVERIFY(QApplication::activeModalWidget() == &box);
        for (int i = 0; i < 3; ++i) question.timerTick();
        QVERIFY(question.isVisible());
        box.close();
        question.timerTick();
        QVERIFY(question.isVisible());
        question.timerTick();
        QVERIFY(!question.isVisible());
        QVERIFY(d.windows.answerWindow()->isVisible());
    }

    void aDeckNamedAtStartShowsItsFirstQuestionFromTheEventLoop() {
        GuiDrill d;
        d.program.drill.DeferredFirstShow = true;
        d.open("kinds", threeKindsDeck());
        QVERIFY(!d.windows.questionWindow()->isVisible());
        QTRY_VERIFY(d.windows.questionWindow()->isVisible());
    }

    void closeButtonClosesTheDeck() {
        GuiDrill d;
        d.open("kinds", threeKindsDeck());
        QVERIFY(d.windows.questionWindow()->close());
        QVERIFY(!d.windows.questionWindow()->isVisible());
        QVERIFY(!d.program.shell.deckOpen);
        QVERIFY(d.decks.read("kinds.DKD").find("Q&A3=") != std::string::npos);
    }

    void ctrlZTakesBackTheLastGradeAlsoFromAnEmptyEntryField() {
        GuiDrill d;
        d.open("kinds", threeKindsDeck(), crlf({"[Cardwise]", "Numerical=  1"}));
        QWidget* q = d.windows.questionWindow();
        auto undo = [&](QWidget* target) {
            QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
            d.windows.sync();
        };
        pressEnter(d.find<QTextEdit>(q, "Memo1"));
        pressEnter(d.find<QTextEdit>(d.windows.answerWindow(), "Memo1"));
        QCOMPARE(d.find<QLabel>(q, "PQNumber")->text(), QString("2"));
        QCOMPARE(d.find<QLabel>(q, "PCorrect")->text(), QString("1"));

        undo(d.find<QTextEdit>(q, "Memo1"));
        QVERIFY(q->isVisible());
        QCOMPARE(d.find<QLabel>(q, "PQNumber")->text(), QString("1"));
        QCOMPARE(d.find<QLabel>(q, "PCorrect")->text(), QString(""));
        QCOMPARE(d.program.deck.Learning.at(1).RightTotal, 0);
        d.ui.expectBox({std::string(kUndoGradeCaption), std::string(kNothingToUndoText),
                        Icon::Information, Buttons::Ok});
        undo(d.find<QTextEdit>(q, "Memo1"));

        // Pair 1 again, then pair 2 answered wrongly: the fill-in pair 3 is asked. Its entry
        // field keeps Ctrl+Z for what was typed; with nothing typed it takes the grade back.
        pressEnter(d.find<QTextEdit>(q, "Memo1"));
        pressEnter(d.find<QTextEdit>(d.windows.answerWindow(), "Memo1"));
        QTest::mouseClick(d.find<QPushButton>(q, "BBMC1"), Qt::LeftButton);
        pressEnter(d.find<QTextEdit>(d.windows.answerWindow(), "Memo1"));
        auto* entry = d.find<QLineEdit>(q, "EBFillIn");
        QVERIFY(entry->isVisible());
        QTest::keyClicks(entry, "Ro");
        undo(entry);
        QCOMPARE(entry->text(), QString(""));
        QCOMPARE(d.find<QLabel>(q, "PQNumber")->text(), QString("3"));
        undo(entry);
        QCOMPARE(d.find<QLabel>(q, "PQNumber")->text(), QString("2"));
        QCOMPARE(d.program.deck.Learning.at(2).WrongTotal, 0);
        QVERIFY(q->findChild<QAction*>("UndoLastGrade1")->isEnabled());
    }

    void popupMenuOffersOnlyWhatIsBuilt() {
        GuiDrill d;
        d.open("kinds", threeKindsDeck());
        QWidget* q = d.windows.questionWindow();
        for (const char* name :
             {"EditCurrentQAPair1", "DeleteCurrentQAPair1", "InsertNewQAPair1"}) {
            QVERIFY2(!q->findChild<QAction*>(name)->isEnabled(), name);
        }
        QVERIFY(q->findChild<QAction*>("GoToPair1")->isEnabled());
        // Options is the main window's dialog: the windows hand the choice over.
        QSignalSpy options(&d.windows, &gui::DrillWindows::optionsRequested);
        d.windows.answerWindow()->findChild<QAction*>("RealOptions1")->trigger();
        q->findChild<QAction*>("RealOptions1")->trigger();
        QCOMPARE(options.count(), 2);
        QCOMPARE(q->findChild<QAction*>("EditCurrentQAPair1")->text(),
                 QString("&Edit Current Q&&A Pair"));
    }

    void rightClicksOpenTheStatusBarMenuOrThePairMenu() {
        GuiDrill d;
        d.open("kinds", threeKindsDeck());
        QWidget* q = d.windows.questionWindow();
        struct Case {
            const char* clicked;
            const char* menu;
        };
        for (const Case& c : {Case{"PPercent", "PopupMenu3"}, Case{"StatusPanel", "PopupMenu3"},
                              Case{"DE", "PopupMenu1"}}) {
            QString shown;
            gui::testing::whenPopup([&shown](QWidget* popup) {
                shown = popup->objectName();
                popup->close();
            });
            QWidget* target = d.find<QWidget>(q, c.clicked);
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                    target->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(target, &event);
            QCOMPARE(shown, QString(c.menu));
        }
    }

    void timedPromotionClosesItselfOnTheThirdTick() {
        gui::PromotionWindow timed(nullptr, "Promoted", true);
        timed.show();
        QVERIFY(!timed.findChild<QWidget*>("Panel1")->isVisible());
        QCOMPARE(timed.height(), 74);
        timed.tick();
        timed.tick();
        QVERIFY(timed.isVisible());
        timed.tick();
        QVERIFY(!timed.isVisible());
        QCOMPARE(timed.result(), int(QDialog::Accepted));

        gui::PromotionWindow regular(nullptr, "Promoted", false);
        regular.show();
        QVERIFY(regular.findChild<QWidget*>("BBOk")->isVisible());
        QCOMPARE(regular.height(), 115);
        for (int i = 0; i < 4; ++i) regular.tick();
        QVERIFY(regular.isVisible());
    }
};

QTEST_MAIN(DrillWindowsTest)
#include "drill_windows_test.moc"
