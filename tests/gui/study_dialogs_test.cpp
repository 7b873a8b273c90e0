#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <vector>

#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "core/study/dialog_tips.h"
#include "core/study/options_dialog.h"
#include "drill_support.h"
#include "gui/dialogs/mode_windows.h"
#include "gui/dialogs/options_window.h"
#include "gui/dialogs/statistics_window.h"
#include "gui/drill/drill_window_base.h"

using namespace cardwise;
using cardwise::testing::crlf;
using cardwise::testing::GuiDrill;

namespace {

std::string deckOf(int pairs) {
    std::string text = "[Cardwise]\r\n";
    for (int n = 1; n <= pairs; ++n) {
        text += "Q" + std::to_string(n) + "=question " + std::to_string(n) + "\r\n";
        text += "A" + std::to_string(n) + "=answer " + std::to_string(n) + "\r\n";
    }
    return text;
}

// The pairs the drill asks next, each graded correct.
std::vector<std::int32_t> nextPairs(GuiDrill& d, int count) {
    std::vector<std::int32_t> pairs;
    for (int i = 0; i < count; ++i) {
        d.controller.displayAnswer();
        d.controller.markCorrect();
        pairs.push_back(d.program.deck.CurrentPair);
    }
    return pairs;
}

template <class W>
W* child(QWidget* parent, const char* name) {
    W* found = parent->findChild<W*>(QString::fromLatin1(name));
    if (found == nullptr) qWarning() << "no" << name;
    return found;
}

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every hint sits on its control when shown, and none is left when not.
void checkTips(QWidget& dialog, std::span<const ControlTip> tips, bool shown) {
    for (const ControlTip& tip : tips) {
        auto* control = dialog.findChild<QWidget*>(qs(tip.control));
        QVERIFY2(control != nullptr, tip.control.data());
        QCOMPARE(control->toolTip(), shown ? qs(tip.text) : QString());
    }
}

// The sum of the bars of one set of a chart of the statistics window.
qreal barTotal(QWidget& window, const char* chart, const QString& set) {
    auto* view = window.findChild<QChartView*>(QString::fromLatin1(chart));
    if (view == nullptr || view->chart() == nullptr) return -1;
    for (QAbstractSeries* series : view->chart()->series()) {
        auto* bars = qobject_cast<QAbstractBarSeries*>(series);
        if (bars == nullptr) continue;
        for (QBarSet* s : bars->barSets()) {
            if (s->label() == set) return s->sum();
        }
    }
    return -1;
}

// The name of the modal dialog a click opens; the dialog is cancelled at once.
QString modalOpenedBy(QAbstractButton* button) {
    QString name;
    QPointer<QTimer> poll = gui::testing::whenModal<QDialog>([&name](QDialog* dialog) {
        name = dialog->objectName();
        dialog->reject();
    });
    button->click();
    delete poll.data();  // a click that opened nothing leaves nothing to wait for
    return name;
}

}  // namespace

// The study dialogs over a real deck and the real drill windows: what only the wiring of
// the widgets can get wrong.
class StudyDialogsTest : public QObject {
    Q_OBJECT
    gui::testing::FakeFailureMark failures_;

  private slots:
    void init() { failures_ = gui::testing::FakeFailureMark(); }
    void cleanup() { QVERIFY(!failures_.failedSince()); }

    void randomOrderChosenDuringADrillStartsANewRun() {
        GuiDrill d;
        d.open("eight", deckOf(8),
               crlf({"[CARDWISE]", "NoPriority=  1", "Numerical=  1", "HighRange=  8",
                     "LastDayUsed=20261207"}));
        QCOMPARE(nextPairs(d, 2), (std::vector<std::int32_t>{2, 3}));
        {
            gui::OptionsWindow options(d.program, &d.controller);
            for (const char* ticked : {"RBNoPriority", "RBNumerical", "RBNotNamed"}) {
                QVERIFY2(child<QRadioButton>(&options, ticked)->isChecked(), ticked);
            }
            child<QRadioButton>(&options, "RBRandomOrder")->click();
            QVERIFY(!child<QRadioButton>(&options, "RBReverse")->isEnabled());
            child<QPushButton>(&options, "OKBtn")->click();
            QCOMPARE(options.result(), int(QDialog::Accepted));
        }
        QCOMPARE(d.program.settings.Numerical, 0);
        QVERIFY(d.program.restart.OrderBecameRandom);
        std::vector<std::int32_t> run = nextPairs(d, 8);
        std::vector<std::int32_t> sorted = run;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
        // Neither the old order going on nor a numerical new run.
        QVERIFY(run != (std::vector<std::int32_t>{4, 5, 6, 7, 8, 1, 2, 3}));
        QVERIFY(run != sorted);
        QVERIFY(!d.program.restart.OrderBecameRandom);
    }

    void lenientFillInBoxReachesTheSetupDataFile() {
        GuiDrill d;
        d.open("eight", deckOf(8),
               crlf({"[CARDWISE]", "NoPriority=  1", "HighRange=  8", "LastDayUsed=20261207"}));
        {
            gui::OptionsWindow options(d.program, &d.controller);
            auto* lenient = child<QCheckBox>(&options, "CBLenientFillIn");
            QCOMPARE(lenient->text(), QString(kLenientFillInCaption.data()));
            QVERIFY(!lenient->isChecked());
            lenient->click();
            child<QPushButton>(&options, "OKBtn")->click();
        }
        QVERIFY(FileExitQAClick(d.program));
        QVERIFY(d.decks.read("eight.DKD").find("\r\nLenientFillIn=  1\r\n") != std::string::npos);
    }

    void drillTimersDoNotTickWhileTheDialogIsOpen() {
        GuiDrill d;
        d.open("timed", deckOf(4),
               crlf({"[CARDWISE]", "NoPriority=  1", "UseTimer=  1", "NumSeconds=  1",
                     "HighRange=  4", "LastDayUsed=20261207"}));
        QCOMPARE(d.controller.screen(), DrillScreen::Question);
        auto* question = qobject_cast<gui::DrillWindowBase*>(d.windows.questionWindow());
        bool checked = false;
        gui::testing::whenModal<gui::OptionsWindow>([&](gui::OptionsWindow* dialog) {
            for (int i = 0; i < 4; ++i) {
                question->timerTick();
                d.controller.tick();
            }
            checked = d.controller.screen() == DrillScreen::Question;
            child<QPushButton>(dialog, "CancelBtn")->click();
        });
        gui::OptionsWindow options(d.program, &d.controller);
        options.exec();
        QVERIFY(checked);
        // Closed: the window shows its pair again and its timer runs on.
        d.controller.tick();
        d.controller.tick();
        QCOMPARE(d.controller.screen(), DrillScreen::Answer);
    }

    void clearTodayZeroesTheFiguresAndTheSavedDeck() {
        GuiDrill d;
        d.open("counts", deckOf(3), crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=20261207"}));
        d.program.deck.Learning[1].RightToday = 3;
        d.program.deck.Learning[2].WrongToday = 2;
        d.program.deck.Learning[1].RightTotal = 7;
        {
            gui::StatisticsWindow stats(d.program, &d.controller);
            QCOMPARE(stats.windowTitle(), QString("File Statistics"));
            QCOMPARE(child<QLabel>(&stats, "LCorrectToday")->text(), QString("3"));
            QCOMPARE(child<QLabel>(&stats, "LIncorrectToday")->text(), QString("2"));
            QCOMPARE(barTotal(stats, "AnswersChart", "Correct"), 10.0);
            // Every pair has a bar in the per-name chart, here the one of pairs without a name.
            QCOMPARE(barTotal(stats, "CategoriesChart", "Pairs"), 3.0);
            child<QPushButton>(&stats, "BClearToday")->click();
            // The chart is drawn anew with the figures.
            QCOMPARE(barTotal(stats, "AnswersChart", "Correct"), 7.0);
            QCOMPARE(barTotal(stats, "AnswersChart", "Incorrect"), 0.0);
            QCOMPARE(child<QLabel>(&stats, "LCorrectToday")->text(), QString("0"));
            QCOMPARE(child<QLabel>(&stats, "LIncorrectToday")->text(), QString("0"));
            QCOMPARE(child<QLabel>(&stats, "LCorrectSLC")->text(), QString("7"));
            child<QPushButton>(&stats, "BitBtn1")->click();
        }
        closeOpenDeck(d.program);
        d.program.deck.QAFileName = d.decks.file("counts.DKS");
        InitDKSFile(d.program);
        QCOMPARE(d.program.deck.Learning[1].RightToday, 0);
        QCOMPARE(d.program.deck.Learning[2].WrongToday, 0);
        QCOMPARE(d.program.deck.Learning[1].RightTotal, 7);
    }

    void questionColourShowsAtOnceAndStaysAfterCancel() {
        GuiDrill d;
        d.open("colours", deckOf(4),
               crlf({"[CARDWISE]", "NoPriority=  1", "HighRange=  4", "LastDayUsed=20261207"}));
        gui::OptionsWindow options(d.program, &d.controller);
        connect(&options, &gui::OptionsWindow::lookChanged, &d.windows,
                &gui::DrillWindows::restyle);
        options.show();
        gui::testing::whenModal<QColorDialog>([](QColorDialog* colours) {
            colours->setCurrentColor(QColor(10, 20, 30));
            colours->accept();
        });
        child<QPushButton>(&options, "BitBtnQColor")->click();
        auto* memo = child<QTextEdit>(d.windows.questionWindow(), "Memo1");
        QCOMPARE(memo->palette().color(QPalette::Base), QColor(10, 20, 30));
        child<QPushButton>(&options, "CancelBtn")->click();
        QCOMPARE(d.program.settings.QCurBkGndColor, 0x1E140A);
        QCOMPARE(memo->palette().color(QPalette::Base), QColor(10, 20, 30));
    }

    void numberFieldThatIsNotANumberKeepsTheDialogOpenOnItsPage() {
        GuiDrill d;
        d.open("numbers", deckOf(4),
               crlf({"[CARDWISE]", "NoPriority=  1", "HighRange=  4", "LastDayUsed=20261207"}));
        d.program.settings.NoPriority = 3;
        d.program.settings.UseNamedRange = 2;
        gui::OptionsWindow options(d.program, &d.controller);
        options.show();
        QVERIFY(child<QRadioButton>(&options, "RBUseRange")->isChecked());
        QVERIFY(child<QRadioButton>(&options, "RBNotNamed")->isChecked());
        QVERIFY(child<QLineEdit>(&options, "EditLowRange")->isEnabled());
        QVERIFY(child<QPushButton>(&options, "BitBtn4")->isEnabled());
        child<QLineEdit>(&options, "EditAutoQTime")->setText("99999999999");
        d.ui.expectBox(
            {"Cardwise", "'99999999999' is not a valid integer value", Icon::Error, Buttons::Ok});
        child<QPushButton>(&options, "OKBtn")->click();
        QVERIFY(options.isVisible());
        QCOMPARE(options.pages()->currentIndex(), 4);
        QCOMPARE(d.ui.boxes.back().text, std::string("'99999999999' is not a valid integer value"));
        child<QPushButton>(&options, "CancelBtn")->click();
        QVERIFY(!options.isVisible());
        QCOMPARE(d.program.study.LastOptionsPage, std::string("&View"));
    }

    void hintsOfEveryStudyDialogFollowEnableTips() {
        GuiDrill d;
        d.open("tips", deckOf(4),
               crlf({"[CARDWISE]", "NoPriority=  1", "HighRange=  4", "LastDayUsed=20261207"}));
        for (const bool shown : {true, false}) {
            d.program.settings.EnableTips = shown ? 1 : 0;
            gui::OptionsWindow options(d.program, &d.controller);
            checkTips(options, optionsDialogTips(), shown);
            gui::FrequencyWindow list(d.program, FrequencyDialog::Kind::List);
            checkTips(list, listDialogTips(), shown);
            gui::FrequencyWindow range(d.program, FrequencyDialog::Kind::Range);
            checkTips(range, rangeDialogTips(), shown);
            gui::HistoryWindow history(d.program);
            checkTips(history, historyDialogTips(), shown);
            options.reject();
        }
    }

    void fontChosenReachesTheSettingsAndTheWindowAtOnce() {
        for (const char* family : {"DejaVu Sans", "Liberation Serif"}) {
            if (!QFontDatabase::hasFamily(QString::fromLatin1(family)))
                QSKIP(qPrintable(QStringLiteral("needs the font %1").arg(family)));
        }
        GuiDrill d;
        d.open("fonts", deckOf(4),
               crlf({"[CARDWISE]", "NoPriority=  1", "HighRange=  4", "QFontName=DejaVu Sans",
                     "QFontSize=  12", "LastDayUsed=20261207"}));
        gui::OptionsWindow options(d.program, &d.controller);
        connect(&options, &gui::OptionsWindow::lookChanged, &d.windows,
                &gui::DrillWindows::restyle);
        options.show();
        QString presetFamily;
        QString dialogName;
        gui::testing::whenModal<QDialog>([&](QDialog* dialog) {
            dialogName = dialog->objectName();
            auto* fonts = dialog->findChild<QFontDialog*>();
            if (fonts == nullptr) return dialog->reject();
            presetFamily = fonts->currentFont().family();
            QFont chosen("Liberation Serif", 17);
            chosen.setBold(true);
            chosen.setItalic(true);
            fonts->setCurrentFont(chosen);
            // The colour control beside the font dialog opens a colour dialog of its own.
            gui::testing::whenModal<QColorDialog>([](QColorDialog* colours) {
                colours->setCurrentColor(QColor(200, 0, 50));
                colours->accept();
            });
            child<QPushButton>(dialog, "FontColour")->click();
            dialog->accept();
        });
        child<QPushButton>(&options, "BitBtnQFont")->click();
        QCOMPARE(dialogName, QString("FontDialog1"));
        QCOMPARE(presetFamily, QString("DejaVu Sans"));
        // Stored at once, before the options dialog's OK.
        const DeckSettings& s = d.program.settings;
        QCOMPARE(QString::fromStdString(s.QFontName), QString("Liberation Serif"));
        QCOMPARE(s.QFontSize, 17);
        QVERIFY(s.QFontStyle.bold && s.QFontStyle.italic && !s.QFontStyle.underline);
        QCOMPARE(s.QFontColor, 0x3200C8);
        QCOMPARE(s.AFontName, DeckSettings{}.AFontName);
        auto* memo = child<QTextEdit>(d.windows.questionWindow(), "Memo1");
        QCOMPARE(memo->font().family(), QString("Liberation Serif"));

        // A font dialog left with Cancel changes nothing; the options dialog's Cancel
        // does not undo the font chosen before.
        gui::testing::whenModal<QDialog>([](QDialog* dialog) {
            if (auto* fonts = dialog->findChild<QFontDialog*>())
                fonts->setCurrentFont(QFont("DejaVu Sans Mono", 9));
            dialog->reject();
        });
        child<QPushButton>(&options, "BitBtnQFont")->click();
        child<QPushButton>(&options, "CancelBtn")->click();
        QCOMPARE(QString::fromStdString(s.QFontName), QString("Liberation Serif"));
        QCOMPARE(s.QFontSize, 17);
    }

    void fontThisSystemLacksKeepsItsNameAndStyleThroughTheFontDialog() {
        GuiDrill d;
        d.open(
            "arial", deckOf(4),
            crlf({"[CARDWISE]", "NoPriority=  1", "HighRange=  4", "AFontName=NoSuchFontAnywhere",
                  "AFontSize=  14", "AFontStyle=[fsBold]", "LastDayUsed=20261207"}));
        gui::OptionsWindow options(d.program, &d.controller);
        options.show();
        bool presetBold = false;
        gui::testing::whenModal<QDialog>([&](QDialog* dialog) {
            if (auto* fonts = dialog->findChild<QFontDialog*>())
                presetBold = fonts->currentFont().bold();
            dialog->accept();
        });
        child<QPushButton>(&options, "BitBtnAFont")->click();
        QVERIFY(presetBold);
        const DeckSettings& s = d.program.settings;
        QCOMPARE(QString::fromStdString(s.AFontName), QString("NoSuchFontAnywhere"));
        QCOMPARE(s.AFontSize, 14);
        QVERIFY(s.AFontStyle.bold);
        options.reject();
    }

    void modeButtonOpensTheDialogOfTheModeTickedNow() {
        GuiDrill d;
        d.open("modes", deckOf(4),
               crlf({"[CARDWISE]", "NoPriority=  2", "HighRange=  4", "LastDayUsed=20261207"}));
        gui::OptionsWindow options(d.program, &d.controller);
        options.show();
        auto* modeButton = child<QPushButton>(&options, "BitBtn4");
        QCOMPARE(modalOpenedBy(modeButton), QString("TFList"));
        const std::pair<const char*, const char*> ticks[] = {
            {"RBUseRange", "TFRange"}, {"RBUseHistory", "TFHistory"}, {"RBUseList", "TFList"}};
        for (const auto& [radio, dialog] : ticks) {
            child<QRadioButton>(&options, radio)->click();
            QVERIFY(modeButton->isEnabled());
            QCOMPARE(modalOpenedBy(modeButton), QString(dialog));
        }
        child<QRadioButton>(&options, "RBNoPriority")->click();
        QVERIFY(!modeButton->isEnabled());
        // Nothing was confirmed: the stored mode is still the one at opening.
        QCOMPARE(d.program.settings.NoPriority, 2);
        options.reject();
    }
};

QTEST_MAIN(StudyDialogsTest)
#include "study_dialogs_test.moc"
