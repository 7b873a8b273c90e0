#include "gui/drill/drill_window_base.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "core/drill/drill_window_texts.h"
#include "core/drill/window_layout.h"
#include "gui/drill/drill_look.h"
#include "gui/media/picture_widget.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

constexpr int kTickMs = 1000;

QLabel* addField(QWidget* panel, const char* name, const QString& accessibleName,
                 int minimumWidth) {
    auto* field = new QLabel(panel);
    field->setObjectName(name);
    // A screen reader names the box, then reads its figure.
    field->setAccessibleName(accessibleName);
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setAlignment(Qt::AlignCenter);
    field->setMinimumWidth(minimumWidth);
    field->setAutoFillBackground(true);
    panel->layout()->addWidget(field);
    return field;
}

QAction* addMenuItem(QMenu* menu, const char* name, std::string_view caption, bool enabled) {
    QAction* action = menu->addAction(captionText(caption));
    action->setObjectName(name);
    action->setEnabled(enabled);
    return action;
}

QRect toQRect(Rect r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// Deck text for a widget; the memo wants bare line breaks.
QString memoText(const std::string& text) {
    QString shown = fromDeckText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    emit clicked();
}

DrillWindowBase::DrillWindowBase(DrillController& controller, DrillScreen screen,
                                 const Names& names)
    : controller_(controller), screen_(screen) {
    setObjectName(names.window);
    const WindowSize minimum = minimumDrillWindowSize(controller.captionBarHeight());
    setMinimumSize(minimum.width, minimum.height);

    statusPanel_ = new QFrame(this);
    statusPanel_->setObjectName("StatusPanel");
    auto* statusLayout = new QHBoxLayout(statusPanel_);
    statusLayout->setContentsMargins(2, 2, 2, 2);
    statusLayout->setSpacing(2);
    noteButton_ = new QToolButton(statusPanel_);
    noteButton_->setObjectName(names.noteButton);
    noteButton_->setText(QStringLiteral("?"));
    noteButton_->setMinimumWidth(26);
    noteButton_->setAccessibleName(captionText(names.noteName));
    statusLayout->addWidget(noteButton_);
    percent_ = addField(statusPanel_, "PPercent", tr("Percent learned"), 50);
    category_ = addField(statusPanel_, "PCategory", tr("Category"), 110);
    pairNumber_ = addField(statusPanel_, names.pairNumber, tr("Pair number"), 44);
    total_ = addField(statusPanel_, "PTotal", tr("Pairs in the run"), 40);
    correct_ = addField(statusPanel_, "PCorrect", tr("Correct"), 40);
    incorrect_ = addField(statusPanel_, "PIncorrect", tr("Incorrect"), 40);
    left_ = addField(statusPanel_, "PLeft", tr("Pairs left"), 40);
    statusLayout->addStretch(1);
    mediaPlayer_ = new QWidget(statusPanel_);
    mediaPlayer_->setObjectName(names.mediaPlayer);
    auto* mediaLayout = new QHBoxLayout(mediaPlayer_);
    mediaLayout->setContentsMargins(0, 0, 0, 0);
    mediaLayout->setSpacing(1);
    struct PlayerButton {
        const char* name;
        QStyle::StandardPixmap icon;
        MediaButton button;
    };
    for (const PlayerButton& b : {PlayerButton{"Play", QStyle::SP_MediaPlay, MediaButton::Play},
                                  PlayerButton{"Pause", QStyle::SP_MediaPause, MediaButton::Pause},
                                  PlayerButton{"Stop", QStyle::SP_MediaStop, MediaButton::Stop}}) {
        auto* button = new QToolButton(mediaPlayer_);
        button->setObjectName(b.name);
        button->setIcon(style()->standardIcon(b.icon));
        // The icon alone says nothing to a screen reader.
        button->setAccessibleName(tr(b.name));
        button->setAutoRaise(false);
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
        mediaLayout->addWidget(button);
        mediaButtons_.push_back(button);
        const MediaButton pressed = b.button;
        connect(button, &QToolButton::clicked, this, [this, pressed] {
            if (media_ != nullptr) media_->buttonPressed(pressed);
            renderMedia();
        });
    }
    statusLayout->addWidget(mediaPlayer_);

    textBox_ = new QFrame(this);
    textBox_->setObjectName("ScrollBox2");
    textBox_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    memo_ = new QTextEdit(textBox_);
    memo_->setObjectName("Memo1");
    memo_->setAccessibleName(screen == DrillScreen::Question ? tr("Question") : tr("Answer"));
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->exec(memo_->mapToGlobal(at)); });

    pictureBox_ = new QFrame(this);
    pictureBox_->setObjectName("ScrollBox1");
    pictureBox_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    image_ = new PictureWidget(pictureBox_);
    image_->setObjectName("image");
    connect(image_, &PictureWidget::clicked, this, &DrillWindowBase::pictureClicked);
    // Video is drawn where the picture would be.
    video_ = new VideoArea(pictureBox_);
    video_->setObjectName("video");
    video_->hide();

    popup_ = new QMenu(this);
    popup_->setObjectName("PopupMenu1");
    QAction* options = addMenuItem(popup_, "RealOptions1", kMenuOptions, true);
    connect(options, &QAction::triggered, this, &DrillWindowBase::optionsRequested);
    // The editor's commands can be chosen once the program has an editor.
    popup_->addSeparator();
    editorItems_.push_back(addMenuItem(popup_, "EditCurrentQAPair1", kMenuEditPair, false));
    editorItems_.push_back(addMenuItem(popup_, "DeleteCurrentQAPair1", kMenuDeletePair, false));
    QAction* goTo = addMenuItem(popup_, "GoToPair1", kMenuGoToPair, true);
    connect(goTo, &QAction::triggered, this, [this] { call([this] { controller_.goToPair(); }); });
    popup_->addSeparator();
    editorItems_.push_back(addMenuItem(popup_, "InsertNewQAPair1", kMenuInsertPair, false));
    for (QAction* item : editorItems_) {
        // The main window's items of the same names carry the commands out.
        connect(item, &QAction::triggered, this,
                [this, item] { emit editorCommandRequested(item->objectName()); });
    }

    statusPopup_ = new QMenu(this);
    statusPopup_->setObjectName("PopupMenu3");
    QAction* reset =
        addMenuItem(statusPopup_, "ResetStatusBarStatistics1", kMenuResetStatusBar, true);
    connect(reset, &QAction::triggered, this,
            [this] { call([this] { controller_.resetStatusBar(); }); });

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &DrillWindowBase::timerTick);
}

QPushButton* DrillWindowBase::addButton(QWidget* panel, const char* name,
                                        std::string_view caption) {
    auto* button = new QPushButton(captionText(caption), panel);
    button->setObjectName(name);
    // A focused button takes Enter itself, as buttons of a dialog do.
    button->setAutoDefault(true);
    panel->layout()->addWidget(button);
    return button;
}

QWidget* DrillWindowBase::addBottomPanel(const char* name) {
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(6);
    bottomPanels_.push_back(panel);
    return panel;
}

void DrillWindowBase::showOnlyPanel(QWidget* shown) {
    for (QWidget* panel : bottomPanels_) panel->setVisible(panel == shown);
}

void DrillWindowBase::call(const std::function<void()>& action) {
    action();
    emit controllerCalled();
}

void DrillWindowBase::offerEditor(bool on) {
    for (QAction* item : editorItems_) item->setEnabled(on);
}

bool DrillWindowBase::programBusy() {
    return QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void DrillWindowBase::timerTick() {
    // Nothing moves behind a box: the tick is skipped, not saved up.
    if (programBusy() || !isVisible()) return;
    call([this] { controller_.tick(); });
}

// The bars take the height their controls ask at the desktop's font, and the window grows
// so that every caption shows whole.
void DrillWindowBase::fitToControls() {
    DrillControlsSize controls{statusPanel_->minimumSizeHint().width(),
                               std::max(kStatusHeight, statusPanel_->sizeHint().height()),
                               kBottomHeight};
    for (QWidget* panel : bottomPanels_) {
        controls.width = std::max(controls.width, panel->minimumSizeHint().width());
        controls.bottomHeight = std::max(controls.bottomHeight, panel->sizeHint().height());
    }
    statusHeight_ = controls.statusHeight;
    bottomHeight_ = controls.bottomHeight;
    const WindowSize minimum = fittedDrillWindowSize(controller_.captionBarHeight(), controls);
    if (minimumSize() != QSize(minimum.width, minimum.height)) {
        setMinimumSize(minimum.width, minimum.height);
    }
}

void DrillWindowBase::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitToControls();
        layoutContent();
    }
}

void DrillWindowBase::startShow(Rect placement) {
    watchChildren();
    fitToControls();
    placing_ = true;
    setGeometry(toQRect(placement));
    placing_ = false;
    show();
    raise();
    activateWindow();
    if (QWidget* focus = firstFocus()) focus->setFocus(Qt::OtherFocusReason);
    timer_->stop();
    reportGeometry();
}

void DrillWindowBase::keepTicking(bool needed) {
    if (!needed || !isVisible()) {
        timer_->stop();
    } else if (!timer_->isActive()) {
        timer_->start();
    }
}

void DrillWindowBase::stopShow() {
    timer_->stop();
    hide();
}

void DrillWindowBase::renderCommon(const DrillWindowView& view, const StatusFields& status,
                                   bool noteEnabled, const char* categoryTip, const char* numberTip,
                                   const char* noteTip) {
    setWindowTitle(fromMessage(view.caption));

    applyLook(*memo_, view.memoLook);
    const QString text = memoText(view.memoText);
    const int scrolled = memo_->verticalScrollBar()->value();
    const bool newText = memo_->toPlainText() != text;
    if (newText) memo_->setPlainText(text);
    memo_->selectAll();
    memo_->setAlignment(view.centered ? Qt::AlignHCenter : Qt::AlignLeft);
    QTextCursor cursor = memo_->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::Start);
    memo_->setTextCursor(cursor);
    // A new text starts at its top; the same text stays where the user scrolled it.
    memo_->verticalScrollBar()->setValue(newText ? 0 : scrolled);

    content_ = view.content;

    noteButton_->setEnabled(noteEnabled);
    percent_->setText(fromDeckText(status.percent));
    category_->setText(fromDeckText(status.category));
    pairNumber_->setText(fromDeckText(status.pairNumber));
    applyFieldColours(*pairNumber_, status.pairNumberColours);
    total_->setText(fromDeckText(status.total));
    correct_->setText(fromDeckText(status.correct));
    incorrect_->setText(fromDeckText(status.incorrect));
    left_->setText(fromDeckText(status.left));

    auto tip = [&view](std::string_view text) {
        return view.tipsEnabled ? captionText(text) : QString();
    };
    noteButton_->setToolTip(tip(noteTip));
    percent_->setToolTip(tip(kPercentTip));
    category_->setToolTip(tip(categoryTip));
    pairNumber_->setToolTip(tip(numberTip));
    total_->setToolTip(tip(kTotalTip));
    correct_->setToolTip(tip(kCorrectTip));
    incorrect_->setToolTip(tip(kIncorrectTip));
    left_->setToolTip(tip(kLeftTip));

    layoutContent();
}

void DrillWindowBase::setMemoLook(const TextLook& look) {
    applyLook(*memo_, look);
}

void DrillWindowBase::showPicture(const QImage& picture, PictureFit fit) {
    image_->setMode(fit);
    image_->setPicture(picture);
    image_->setVisible(!picture.isNull());
}

QImage DrillWindowBase::picture() const {
    return image_->picture();
}

void DrillWindowBase::attachMedia(MediaControl* media) {
    media_ = media;
    if (media_ != nullptr) media_->changed = [this] { renderMedia(); };
    renderMedia();
}

void DrillWindowBase::renderMedia() {
    const MediaButtons enabled = media_ != nullptr ? media_->buttons() : MediaButtons{};
    mediaButtons_[0]->setEnabled(enabled.play);
    mediaButtons_[1]->setEnabled(enabled.pause);
    mediaButtons_[2]->setEnabled(enabled.stop);
    const bool video = media_ != nullptr && media_->showsVideo();
    video_->setVisible(video);
    if (video) video_->raise();
}

void DrillWindowBase::layoutContent() {
    const int bottom = bottomHeight_;
    statusPanel_->setGeometry(0, 0, width(), statusHeight_);
    for (QWidget* panel : bottomPanels_) panel->setGeometry(0, height() - bottom, width(), bottom);
    const ContentLayout layout =
        layoutDrillWindow(content_, width(), height(), statusHeight_, bottom);
    textBox_->setVisible(layout.textBoxVisible);
    pictureBox_->setVisible(layout.pictureBoxVisible);
    textBox_->setGeometry(toQRect(layout.textBox));
    memo_->setGeometry(toQRect(layout.memo));
    pictureBox_->setGeometry(toQRect(layout.pictureBox));
    image_->setGeometry(toQRect(layout.image));
    video_->setGeometry(toQRect(layout.image));
}

void DrillWindowBase::reportGeometry() {
    if (placing_ || !isVisible() || controller_.screen() != screen_) return;
    controller_.windowGeometryChanged(Rect{x(), y(), width(), height()});
}

void DrillWindowBase::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!placing_ && isVisible()) {
        const Rect current{x(), y(), width(), height()};
        const Rect wanted = correctedPlacement(current);
        if (wanted != current) {
            placing_ = true;
            setGeometry(toQRect(wanted));
            placing_ = false;
        }
    }
    layoutContent();
    reportGeometry();
}

void DrillWindowBase::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    reportGeometry();
}

void DrillWindowBase::closeEvent(QCloseEvent* event) {
    bool closes = true;
    call([this, &closes] { closes = controller_.closeWindow(); });
    if (closes)
        event->accept();
    else
        event->ignore();
}

void DrillWindowBase::contextMenuEvent(QContextMenuEvent* event) {
    if (statusPanel_->geometry().contains(event->pos()))
        statusPopup_->exec(event->globalPos());
    else
        popup_->exec(event->globalPos());
}

void DrillWindowBase::watchChildren() {
    // Only the window's own controls: the pop-up menus take their keys themselves.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->window() == this) child->installEventFilter(this);
    }
}

bool DrillWindowBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handleKey(watched, static_cast<QKeyEvent*>(event))) {
        return true;
    }
    // The status bar's own pop-up menu, whichever of its fields was clicked.
    if (event->type() == QEvent::ContextMenu && watched->isWidgetType() &&
        (watched == statusPanel_ || statusPanel_->isAncestorOf(static_cast<QWidget*>(watched)))) {
        statusPopup_->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DrillWindowBase::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(this, event)) QWidget::keyPressEvent(event);
}

bool DrillWindowBase::handleKey(QObject* receiver, QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (event->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The page keys scroll the text wherever the focus is.
            if (!memo_->isVisibleTo(this)) return false;
            memo_->setFocus(Qt::OtherFocusReason);
            memo_->verticalScrollBar()->triggerAction(event->key() == Qt::Key_PageUp
                                                          ? QAbstractSlider::SliderPageStepSub
                                                          : QAbstractSlider::SliderPageStepAdd);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // A focused button takes Enter itself; elsewhere the panel's default button does.
            if (qobject_cast<QPushButton*>(receiver)) return false;
            QPushButton* button = defaultButton();
            if (!button || !button->isVisibleTo(this) || !button->isEnabled()) return false;
            button->click();
            return true;
        }
        default:
            return pressAccessKey(receiver, event);
    }
}

bool DrillWindowBase::pressAccessKey(QObject* receiver, QKeyEvent* event) {
    // As in a Windows dialog, a button's access key works without Alt unless the user is
    // typing into a field.
    if (qobject_cast<QLineEdit*>(receiver) || event->text().size() != 1) return false;
    const QChar key = event->text().at(0).toLower();
    if (!key.isLetterOrNumber()) return false;
    for (QWidget* panel : bottomPanels_) {
        if (!panel->isVisibleTo(this)) continue;
        for (QPushButton* button : panel->findChildren<QPushButton*>()) {
            if (!button->isVisibleTo(this) || !button->isEnabled()) continue;
            const QString text = button->text();
            for (qsizetype i = 0; i + 1 < text.size(); ++i) {
                if (text.at(i) != QLatin1Char('&')) continue;
                if (text.at(i + 1) == QLatin1Char('&')) {
                    ++i;
                    continue;
                }
                if (text.at(i + 1).toLower() == key) {
                    button->click();
                    return true;
                }
                break;
            }
        }
    }
    return false;
}

}  // namespace cardwise::gui
