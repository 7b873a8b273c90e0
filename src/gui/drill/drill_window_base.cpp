#include "gui/drill/drill_window_base.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include "core/drill/window_layout.h"
#include "gui/drill/drill_look.h"
#include "gui/drill/drill_media_buttons.h"
#include "gui/drill/drill_popup_menus.h"
#include "gui/media/picture_widget.h"
#include "gui/platform/access_key_filter.h"
#include "gui/platform/qt_text.h"

namespace cardwise::gui {
namespace {

constexpr int kTickMs = 1000;

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

    statusBar_ = new DrillStatusBar(
        {names.noteButton, names.pairNumber, names.mediaPlayer, names.noteName}, this);

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
            [this](const QPoint& at) { menus_->popUp(memo_->mapToGlobal(at), false); });

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
    connect(statusBar_->mediaButtons(), &DrillMediaButtons::videoShown, this, [this](bool shown) {
        video_->setVisible(shown);
        if (shown) video_->raise();
    });

    menus_ = new DrillPopupMenus(this, statusBar_);
    connect(menus_, &DrillPopupMenus::optionsRequested, this, &DrillWindowBase::optionsRequested);
    connect(menus_, &DrillPopupMenus::editorCommandRequested, this,
            &DrillWindowBase::editorCommandRequested);
    connect(menus_, &DrillPopupMenus::goToPairRequested, this,
            [this] { call([this] { controller_.goToPair(); }); });
    connect(menus_, &DrillPopupMenus::resetStatusBarRequested, this,
            [this] { call([this] { controller_.resetStatusBar(); }); });

    keys_ = new AccessKeyFilter(this, {[this] { return memo_; }, [this] { return defaultButton(); },
                                       [this] { return bottomPanels_; }});

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
    menus_->offerEditor(on);
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
    DrillControlsSize controls{statusBar_->minimumSizeHint().width(),
                               std::max(kStatusHeight, statusBar_->sizeHint().height()),
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
    AccessKeyFilter::watchControls(this, this);
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
                                   bool noteEnabled, const DrillStatusBar::Tips& tips) {
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
    statusBar_->render(status, noteEnabled, view.tipsEnabled, tips);
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
    statusBar_->mediaButtons()->attach(media);
}

void DrillWindowBase::layoutContent() {
    const int bottom = bottomHeight_;
    statusBar_->setGeometry(0, 0, width(), statusHeight_);
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
    menus_->popUp(event->globalPos(), statusBar_->geometry().contains(event->pos()));
}

bool DrillWindowBase::eventFilter(QObject* watched, QEvent* event) {
    if (keys_->eventFilter(watched, event) || menus_->eventFilter(watched, event)) return true;
    return QWidget::eventFilter(watched, event);
}

void DrillWindowBase::keyPressEvent(QKeyEvent* event) {
    if (!keys_->handleKey(this, event)) QWidget::keyPressEvent(event);
}

}  // namespace cardwise::gui
