#include "gui/drill/question_window.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

#include "core/content/windows1252.h"
#include "core/drill/drill_window_texts.h"
#include "core/platform/user_interface.h"
#include "gui/drill/drill_look.h"
#include "gui/drill/drill_popup_menus.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

// The two-line label at the left of a bottom panel.
QLabel* addTwoLineLabel(QWidget* panel, std::string_view first, std::string_view second) {
    auto* label = new QLabel(captionText(first) + QLatin1Char('\n') + captionText(second), panel);
    label->setTextFormat(Qt::PlainText);
    panel->layout()->addWidget(label);
    return label;
}

}  // namespace

QuestionWindow::QuestionWindow(DrillController& controller, UserInterface& ui)
    : DrillWindowBase(controller, DrillScreen::Question,
                      Names{"TFQuestion", "SBHint", "PQNumber", "MP1", "Hint"}),
      ui_(ui) {
    connect(statusBar_->noteButton(), &QToolButton::clicked, this,
            [this] { call([this] { controller_.hintClick(); }); });

    displayPanel_ = addBottomPanel("DE");
    static_cast<QHBoxLayout*>(displayPanel_->layout())->addStretch(1);
    displayAnswer_ = addButton(displayPanel_, "BBDispAns", kDisplayAnswerCaption);
    displayAnswer_->setMinimumWidth(180);
    static_cast<QHBoxLayout*>(displayPanel_->layout())->addStretch(1);
    connect(displayAnswer_, &QPushButton::clicked, this,
            [this] { call([this] { controller_.displayAnswer(); }); });

    fillInPanel_ = addBottomPanel("FI");
    QLabel* fillInLabel = addTwoLineLabel(fillInPanel_, kFillInLabel1, kFillInLabel2);
    fillIn_ = new QLineEdit(fillInPanel_);
    fillIn_->setObjectName("EBFillIn");
    fillInLabel->setBuddy(fillIn_);
    fillIn_->setAccessibleName(fillInLabel->text().simplified());
    fillInPanel_->layout()->addWidget(fillIn_);
    checkFillIn_ = addButton(fillInPanel_, "BBCheckFI", kCheckMyAnswerCaption);
    connect(checkFillIn_, &QPushButton::clicked, this, &QuestionWindow::checkFillIn);

    choicePanel_ = addBottomPanel("MC");
    addTwoLineLabel(choicePanel_, kChoiceLabel1, kChoiceLabel2);
    for (int k = 0; k < 6; ++k) {
        const std::string name = "BBMC" + std::to_string(k + 1);
        const std::string caption = "&" + std::to_string(k + 1);
        choices_[static_cast<std::size_t>(k)] = addButton(choicePanel_, name.c_str(), caption);
        choices_[static_cast<std::size_t>(k)]->setMinimumWidth(36);
        choices_[static_cast<std::size_t>(k)]->setMaximumWidth(
            std::max(36, choices_[static_cast<std::size_t>(k)]->fontMetrics().horizontalAdvance(
                             QStringLiteral("88")) +
                             16));
        const char choice = static_cast<char>('1' + k);
        connect(choices_[static_cast<std::size_t>(k)], &QPushButton::clicked, this,
                [this, choice] { call([this, choice] { controller_.chooseAnswer(choice); }); });
    }
    allOfTheAbove_ = addButton(choicePanel_, "BBMCAll", kAllOfTheAboveCaption);
    noneOfTheAbove_ = addButton(choicePanel_, "BBMCNone", kNoneOfTheAboveCaption);
    connect(allOfTheAbove_, &QPushButton::clicked, this,
            [this] { call([this] { controller_.chooseAnswer('A'); }); });
    connect(noneOfTheAbove_, &QPushButton::clicked, this,
            [this] { call([this] { controller_.chooseAnswer('N'); }); });
    static_cast<QHBoxLayout*>(choicePanel_->layout())->addStretch(1);

    showOnlyPanel(displayPanel_);

    // After Go To Pair in the pop-up menu; Ctrl+Z anywhere in the window.
    undoGrade_ = new QAction(captionText(kMenuUndoGrade), this);
    undoGrade_->setObjectName("UndoLastGrade1");
    undoGrade_->setShortcut(QKeySequence::Undo);
    undoGrade_->setShortcutContext(Qt::WindowShortcut);
    addAction(undoGrade_);
    QAction* after = nullptr;
    QMenu* popup = menus_->windowMenu();
    const QList<QAction*> items = popup->actions();
    for (qsizetype i = 0; i + 1 < items.size(); ++i) {
        if (items[i]->objectName() == QLatin1String("GoToPair1")) after = items[i + 1];
    }
    popup->insertAction(after, undoGrade_);
    // The later of a delete and a grade is what the item takes back.
    connect(undoGrade_, &QAction::triggered, this,
            [this] { call([this] { controller_.undo(); }); });
    connect(popup, &QMenu::aboutToShow, this,
            [this] { undoGrade_->setText(captionText(controller_.undoCaption())); });
}

// Text controls claim Ctrl+Z before the window's shortcut sees it, so the key is also taken
// here. The entry field keeps it for its own typing; with nothing typed to take back, the key
// takes back the grade or the delete.
bool QuestionWindow::undoKey(QObject* receiver, QKeyEvent* event) {
    if (!event->matches(QKeySequence::Undo)) return false;
    if (receiver == fillIn_ && fillIn_->isUndoAvailable()) return false;
    undoGrade_->trigger();
    return true;
}

bool QuestionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && undoKey(watched, static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return DrillWindowBase::eventFilter(watched, event);
}

void QuestionWindow::keyPressEvent(QKeyEvent* event) {
    if (!undoKey(this, event)) DrillWindowBase::keyPressEvent(event);
}

void QuestionWindow::checkFillIn() {
    QString refusal;
    std::optional<std::string> reply = toDeckText(fillIn_->text(), &refusal);
    if (!reply) {
        // A character no deck can hold is refused here; nothing reaches the drill.
        ui_.message(kCharacterNotAllowedCaption, refusal.toStdString(), Icon::Warning);
        fillIn_->setFocus(Qt::OtherFocusReason);
        return;
    }
    call([this, &reply] { controller_.checkFillIn(*reply); });
}

void QuestionWindow::render(const QuestionView& view, bool appearing) {
    renderCommon(view, view.status, view.hintEnabled,
                 {kQuestionCategoryTip, kQuestionNumberTip, kHintTip});
    panel_ = view.panel;
    switch (view.panel) {
        case QuestionPanel::DisplayAnswer:
            showOnlyPanel(displayPanel_);
            break;
        case QuestionPanel::FillIn:
            showOnlyPanel(fillInPanel_);
            break;
        case QuestionPanel::MultipleChoice:
            showOnlyPanel(choicePanel_);
            break;
    }
    for (std::size_t k = 0; k < choices_.size(); ++k) {
        choices_[k]->setVisible(view.choiceButtons[k]);
    }
    applyLook(*fillIn_, view.entryLook);
    if (appearing) fillIn_->setText(fromDeckText(view.entryText));
    fitToControls();
}

QPushButton* QuestionWindow::defaultButton() const {
    switch (panel_) {
        case QuestionPanel::DisplayAnswer:
            return displayAnswer_;
        case QuestionPanel::FillIn:
            return checkFillIn_;
        case QuestionPanel::MultipleChoice:
            break;
    }
    return nullptr;
}

QWidget* QuestionWindow::firstFocus() const {
    switch (panel_) {
        case QuestionPanel::DisplayAnswer:
            return displayAnswer_;
        case QuestionPanel::FillIn:
            return fillIn_;
        case QuestionPanel::MultipleChoice:
            // Not a choice button: Enter must not answer "1" by accident.
            return memo_;
    }
    return nullptr;
}

}  // namespace cardwise::gui
