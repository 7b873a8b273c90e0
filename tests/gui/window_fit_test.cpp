// Every window of the program at a large font (and, in a second CTest entry, at 150 %
// scaling): no visible caption is cut off at the smallest size the window allows, and Tab
// moves through the options dialog's groups in the order they stand.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "core/shell/main_menu.h"
#include "editor_support.h"
#include "gui/app/gui_resources.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/mode_windows.h"
#include "gui/dialogs/options_window.h"
#include "gui/dialogs/statistics_window.h"
#include "gui/drill/promotion_window.h"
#include "gui/editor/editor_layout.h"
#include "gui/editor/find_dialog.h"
#include "gui/output/print_dialog.h"
#include "gui/platform/qt_help_viewer.h"

using namespace cardwise;
using cardwise::testing::crlf;

namespace {

// The captions that a widget shows whole, or why not, for every visible control.
QStringList cutCaptions(QWidget* window) {
    QStringList faults;
    const QRect windowRect = window->rect();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->window() != window) continue;
        QString text;
        QSize needed;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty()) continue;
            text = label->text();
            if (label->wordWrap()) {
                needed = QSize(0, label->heightForWidth(label->width()));
            } else {
                needed = label->sizeHint();
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->text().isEmpty()) continue;
            auto* tool = qobject_cast<QToolButton*>(button);
            if (tool != nullptr && tool->toolButtonStyle() == Qt::ToolButtonIconOnly &&
                !tool->icon().isNull()) {
                continue;
            }
            text = button->text();
            needed = button->sizeHint();
            if (qobject_cast<QPushButton*>(button) != nullptr) {
                // The caption must fit the button's contents; the style's least button
                // width is no part of it.
                QStyleOptionButton option;
                option.initFrom(button);
                const QRect contents =
                    button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                QSize caption = button->fontMetrics().size(Qt::TextShowMnemonic, text);
                if (!button->icon().isNull()) caption.rwidth() += button->iconSize().width() + 4;
                needed = button->size() - contents.size() + caption;
            }
        } else {
            continue;
        }
        // Scrolled contents are not cut: the user scrolls them.
        bool scrolled = false;
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
            if (qobject_cast<QAbstractScrollArea*>(p)) scrolled = true;
        }
        if (scrolled) continue;
        const QString name = w->objectName().isEmpty()
                                 ? QString(w->metaObject()->className()) + " \"" + text + "\""
                                 : w->objectName();
        if (w->width() < needed.width() || w->height() < needed.height()) {
            faults << QString("%1 is %2x%3, its text needs %4x%5")
                          .arg(name)
                          .arg(w->width())
                          .arg(w->height())
                          .arg(needed.width())
                          .arg(needed.height());
            continue;
        }
        // Shown whole only when no parent cuts it off.
        QRect shown(w->mapTo(window, QPoint(0, 0)), w->size());
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
            shown &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
        }
        shown &= windowRect;
        if (shown.size() != w->size()) {
            faults << QString("%1 is cut to %2x%3 of %4x%5 by its panel")
                          .arg(name)
                          .arg(shown.width())
                          .arg(shown.height())
                          .arg(w->width())
                          .arg(w->height());
        }
    }
    return faults;
}

// Within each group box, Tab visits the controls in reading order: row by row, left to right.
QStringList tabOrderFaults(QWidget* window) {
    QStringList faults;
    QList<QWidget*> chain;
    for (QWidget* w = window->nextInFocusChain(); w != window && !chain.contains(w);
         w = w->nextInFocusChain()) {
        if (w->isVisibleTo(window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            chain << w;
        }
    }
    for (auto* group : window->findChildren<QGroupBox*>()) {
        if (!group->isVisibleTo(window)) continue;
        QList<QWidget*> visited;
        for (QWidget* w : chain) {
            if (group->isAncestorOf(w)) visited << w;
        }
        for (qsizetype i = 1; i < visited.size(); ++i) {
            const QRect before(visited[i - 1]->mapTo(window, QPoint(0, 0)), visited[i - 1]->size());
            const QRect now(visited[i]->mapTo(window, QPoint(0, 0)), visited[i]->size());
            // A control wholly above the one before it was skipped over.
            if (now.bottom() < before.top()) {
                faults << QString("%1: Tab goes from %2 up to %3")
                              .arg(group->title(), visited[i - 1]->objectName(),
                                   visited[i]->objectName());
            }
        }
    }
    return faults;
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

    QStringList faults_;

    // Shows the window at the smallest size it allows and notes what it cuts off.
    void check(QWidget* window, const QString& what) {
        if (!window->isVisible()) window->show();
        QApplication::processEvents();
        window->resize(1, 1);
        QApplication::processEvents();
        for (const QString& fault : cutCaptions(window)) faults_ << what + ": " + fault;
    }
    void report() {
        const QString all = faults_.join('\n');
        faults_.clear();
        QVERIFY2(all.isEmpty(), qPrintable(all));
    }

  private slots:
    void drillWindowsShowTheirCaptionsWhole() {
        cardwise::testing::GuiDrill d;
        d.open(
            "fit",
            crlf({"[Cardwise]", "Q1=<NAM>Europe%What is the capital of France?^Seine.", "A1=Paris",
                  "Q2=<MC1>Red<MC2>Blue<MC3>Green<MC4>Purple<MC5>Grey<MC6>Black%Sky?", "A2=<FIB>2%",
                  "Q3=<FIB>%What is the capital of Italy?", "A3=<MC1>Rome%Rome"}),
            crlf({"[Cardwise]", "Numerical=  1", "NoPriority=  2"}));
        QWidget* q = d.windows.questionWindow();
        QWidget* a = d.windows.answerWindow();
        check(q, "question, display answer");
        d.controller.displayAnswer();
        d.windows.sync();
        check(a, "answer, grades");
        d.controller.markCorrect();
        d.windows.sync();
        check(q, "question, choices");
        d.controller.chooseAnswer('1');
        d.windows.sync();
        check(a, "answer, verdict");
        d.controller.showNextQuestion();
        d.windows.sync();
        check(q, "question, fill-in");
        for (bool timed : {false, true}) {
            gui::PromotionWindow promotion(nullptr,
                                           "Congratulations!! This Question Has Been Promoted To "
                                           "The Short Term Learned Category",
                                           timed);
            check(&promotion, "promotion");
        }
        report();
    }

    void dialogsShowTheirCaptionsWhole() {
        cardwise::testing::GuiDrill d;
        d.open("fit",
               crlf({"[Cardwise]", "Q1=<NAM>Verbs%to eat", "A1=comer", "Q2=<NAM>Nouns%house",
                     "A2=casa"}),
               crlf({"[CARDWISE]", "NoPriority=  2", "UseNamedRange=  1", "RangeName=Verbs",
                     "HighRange=  2"}));
        {
            gui::OptionsWindow options(d.program, &d.controller);
            for (int i = 0; i < options.pages()->count(); ++i) {
                options.pages()->setCurrentIndex(i);
                check(&options, "options, " + options.pages()->tabText(i));
                for (const QString& fault : tabOrderFaults(&options)) {
                    faults_ << "options, " + options.pages()->tabText(i) + ": " + fault;
                }
            }
            options.reject();
        }
        {
            gui::FrequencyWindow list(d.program, FrequencyDialog::Kind::List);
            check(&list, "list");
            gui::FrequencyWindow range(d.program, FrequencyDialog::Kind::Range);
            check(&range, "range");
            gui::HistoryWindow history(d.program);
            check(&history, "history");
        }
        {
            gui::StatisticsWindow stats(d.program, &d.controller);
            check(&stats, "statistics");
            // A 1280x1024 screen at 150 %, less a caption bar and a panel.
            const qreal scale = stats.devicePixelRatioF();
            const QSize smallest = stats.minimumSizeHint().expandedTo(stats.minimumSize());
            QVERIFY2(smallest.width() * scale <= 1280 && smallest.height() * scale <= 1024 - 90,
                     qPrintable(QString("statistics needs %1x%2 at scale %3")
                                    .arg(smallest.width())
                                    .arg(smallest.height())
                                    .arg(scale)));
            stats.reject();
        }
        {
            gui::AboutBox about(aboutBox());
            check(&about, "about");
        }
        {
            cardwise::testing::RecordingHelpViewer help;
            gui::PrintDialog print(help, {});
            print.load("");
            check(&print, "print");
        }
        {
            gui::HelpWindow help("qrc:/help/");
            help.showPage("index.html");
            check(&help, "help");
        }
        report();
    }

    void editorShowsItsCaptionsWhole() {
        cardwise::testing::GuiEditor d;
        d.open("fit",
               crlf({"[Cardwise]", "Q1=<NAM>Verbs<HC1>food%to eat", "A1=comer",
                     "Q2=<XYZ>odd tag%a pair with a fault", "A2=answer"}),
               crlf({"[CARDWISE]", "HighRange=  2"}));
        d.editor.EditCurrentPairClick();
        const char* pages[] = {"question", "answer", "files", "hints"};
        for (int i = 0; i < 4; ++i) {
            d.window.form().turnTo(static_cast<gui::EditorLayout::Page>(i));
            check(&d.window, QString("editor, ") + pages[i]);
        }
        d.ui.expectBoxWhere("Unidentified Tag Encountered", Icon::Error, Buttons::Ok,
                            [](const std::string&) { return true; });
        d.editor.BBUpClick();
        check(&d.window, "editor, fault notice");
        d.editor.BBFindClick();
        check(&d.window.findDialog(), "find");
        report();
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    gui::loadGuiResources();
    // A large desktop font: every caption must still show whole.
    QFont font = QApplication::font();
    font.setPointSize(14);
    QApplication::setFont(font);
    WindowFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_fit_test.moc"
