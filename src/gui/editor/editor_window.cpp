#include "gui/editor/editor_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTextOption>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/platform/help_viewer.h"
#include "core/program.h"
#include "core/shell/editor_check_boxes.h"
#include "gui/drill/drill_look.h"
#include "gui/drill/drill_windows.h"
#include "gui/editor/editor_layout.h"
#include "gui/editor/find_dialog.h"
#include "gui/media/picture_viewer.h"
#include "gui/media/qt_media_player.h"
#include "gui/media/video_area.h"
#include "gui/platform/qt_help_viewer.h"

namespace cardwise::gui {
namespace {

QString qt(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

// Only a text that differs is set, so the cursor stays where the user left it.
void setText(QLineEdit* box, const std::string& text) {
    const QString wanted = qt(text);
    if (box->text() != wanted) box->setText(wanted);
}

void setText(QPlainTextEdit* memo, const std::string& text) {
    const QString wanted = qt(text);
    if (memo->toPlainText() != wanted) EditorLayout::showMemoText(memo, wanted);
}

void setAlignment(QPlainTextEdit* memo, bool centred) {
    QTextOption option = memo->document()->defaultTextOption();
    option.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    memo->document()->setDefaultTextOption(option);
}

TextLook sized(TextLook look, int size) {
    look.fontSize = size;
    return look;
}

// A deck's colours on a box, greyed while the box is disabled so that it shows.
void applyBoxLook(QWidget& box, const TextLook& look) {
    applyLook(box, look);
    QPalette palette = box.palette();
    palette.setColor(QPalette::Disabled, QPalette::Base,
                     QApplication::palette().color(QPalette::Disabled, QPalette::Window));
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     QApplication::palette().color(QPalette::Disabled, QPalette::Text));
    box.setPalette(palette);
}

}  // namespace

QtEditorWindow::QtEditorWindow(Program& program, EditorController& controller, DrillWindows& drill,
                               CharacterMap characterMap, QWidget* parent)
    : QWidget(parent),
      program_(program),
      controller_(controller),
      drill_(drill),
      characterMap_(std::move(characterMap)) {
    setObjectName("TFEditor");
    setProperty(kHelpTopicProperty, HelpTopic::Editor);
    setWindowIcon(QIcon(":/app/cardwise.png"));
    setWindowTitle(QString::fromUtf8(kEditorCaptionText.data(), kEditorCaptionText.size()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    form_ = new EditorLayout(this);
    layout->addWidget(form_);
    fitToControls();
    resize(minimumSize() + QSize(60, 60));
    find_ = new FindDialog(program_, this);
    find_->setSearch([this](const FindState& state, FindButton button) {
        call([&] { controller_.findClick(state, button); });
    });
    form_->charmap->setEnabled(characterMap_.available());
    if (!characterMap_.available()) {
        form_->charmap->setToolTip(tr("No character map program is installed"));
    }
    wire();
    attachVideo();
    controller_.setWindow(this);
}

QtEditorWindow::~QtEditorWindow() {
    controller_.setWindow(nullptr);
    if (player_ != nullptr) player_->setVideoOutput(MediaChannel::Editor, nullptr);
}

void QtEditorWindow::attachVideo() {
    // Only the Qt player draws video.
    player_ = dynamic_cast<QtMediaPlayer*>(&program_.platform.media);
    if (player_ == nullptr) return;
    auto* video = new VideoArea;
    video->setObjectName("EDMP1");
    video->setWindowFlag(Qt::WindowStaysOnTopHint);
    video->resize(320, 240);
    video_.reset(video);
    player_->setVideoOutput(MediaChannel::Editor, video);
    connect(player_, &QtMediaPlayer::hasVideoChanged, this,
            [this](MediaChannel channel, bool hasVideo) {
                if (channel != MediaChannel::Editor) return;
                video_->setWindowTitle(player_->source(channel).fileName());
                if (hasVideo && !video_->isVisible()) {
                    // Beside the editor, so that the page stays in view.
                    video_->move(frameGeometry().topRight() + QPoint(8, 0));
                }
                video_->setVisible(hasVideo);
            });
    connect(player_, &QtMediaPlayer::playbackStateChanged, this,
            [this](MediaChannel channel, PlaybackState state) {
                if (channel == MediaChannel::Editor && state == PlaybackState::Stopped) {
                    video_->hide();
                }
            });
}

void QtEditorWindow::wire() {
    EditorLayout& f = *form_;
    auto changes = [this](QLineEdit* box) {
        connect(box, &QLineEdit::textChanged, this, &QtEditorWindow::edited);
    };
    for (QPlainTextEdit* memo : {f.questionMemo, f.answerMemo}) {
        connect(memo, &QPlainTextEdit::textChanged, this, &QtEditorWindow::edited);
    }
    for (QLineEdit* box : f.choices) changes(box);
    for (QLineEdit* box : f.fillIns) changes(box);
    for (QLineEdit* box : f.hints) changes(box);
    for (QLineEdit* box : f.comments) changes(box);
    for (QLineEdit* box : {f.questionFiles.media, f.questionFiles.picture, f.answerFiles.media,
                           f.answerFiles.picture, f.correctNumber}) {
        changes(box);
    }
    connect(f.category, &QComboBox::editTextChanged, this, &QtEditorWindow::edited);
    for (QRadioButton* button :
         {f.standard, f.multipleChoice, f.fillIn, f.all, f.none, f.correct}) {
        connect(button, &QRadioButton::clicked, this, &QtEditorWindow::edited);
    }

    auto button = [this](QAbstractButton* b, void (EditorController::*click)()) {
        connect(b, &QAbstractButton::clicked, this,
                [this, click] { call([&] { (controller_.*click)(); }); });
    };
    button(f.save, &EditorController::BBSaveClick);
    button(f.insert, &EditorController::BBAddPairClick);
    button(f.remove, &EditorController::BBDeletePairClick);
    button(f.find, &EditorController::BBFindClick);
    button(f.runPair, &EditorController::BBRunPairClick);
    button(f.previous, &EditorController::BBDownClick);
    button(f.next, &EditorController::BBUpClick);
    connect(f.close, &QPushButton::clicked, this,
            [this] { call([this] { controller_.BBCloseClick(); }); });
    connect(f.goToPair, &QPushButton::clicked, this, &QtEditorWindow::goToPair);
    connect(f.goToNumber, &QLineEdit::returnPressed, this, &QtEditorWindow::goToPair);

    auto checkBox = [this](QCheckBox* b, EditorCheckBox box) {
        connect(b, &QCheckBox::clicked, this, [this, box](bool on) {
            call([&] { editorCheckBoxClick(program_, controller_, box, on); });
        });
    };
    checkBox(f.autoSave, EditorCheckBox::CBAutoSavePair);
    checkBox(f.autoResetPage, EditorCheckBox::CBAutoResetPage);
    checkBox(f.fileSaveImmediate, EditorCheckBox::CBFileSaveI);

    connect(&f, &EditorLayout::pageChosen, this, [this](int page) {
        if (rendering_) return;
        controller_.NotebookPageChanged(static_cast<EditorPage>(page));
        applyFocus(controller_.view().focus);
    });

    auto browse = [this](QAbstractButton* b, FileBox box) {
        connect(b, &QAbstractButton::clicked, this,
                [this, box] { call([&] { controller_.browse(box); }); });
    };
    browse(f.questionFiles.browseMedia, FileBox::EQAVI);
    browse(f.questionFiles.browsePicture, FileBox::EQBMP);
    browse(f.answerFiles.browseMedia, FileBox::EAAVI);
    browse(f.answerFiles.browsePicture, FileBox::EABMP);
    connect(f.questionFiles.play, &QToolButton::clicked, this,
            [this] { call([this] { controller_.play(EditorSide::Question); }); });
    connect(f.answerFiles.play, &QToolButton::clicked, this,
            [this] { call([this] { controller_.play(EditorSide::Answer); }); });
    connect(f.questionFiles.display, &QToolButton::clicked, this,
            [this] { call([this] { controller_.display(EditorSide::Question); }); });
    connect(f.answerFiles.display, &QToolButton::clicked, this,
            [this] { call([this] { controller_.display(EditorSide::Answer); }); });

    connect(f.charmap, &QPushButton::clicked, this, [this] { characterMap_.start(); });
    connect(f.help, &QPushButton::clicked, this,
            [this] { program_.platform.help.showTopic(HelpTopic::Editor); });
}

void QtEditorWindow::call(const std::function<void()>& action) {
    action();
    settle();
    if (isVisible()) render();
    emit controllerCalled();
}

void QtEditorWindow::edited() {
    if (rendering_) return;
    controller_.formEdited(formOfWidgets());
    applyEnabled(controller_.view().enabled);
}

void QtEditorWindow::goToPair() {
    const QString entry = form_->goToNumber->text();
    bool empty = false;
    call([&] { empty = controller_.BBGoToPairClick(utf8(entry)); });
    if (empty) form_->goToNumber->clear();
}

EditorForm QtEditorWindow::formOfWidgets() const {
    const EditorLayout& f = *form_;
    EditorForm form;
    form.kind = f.multipleChoice->isChecked() ? PairKind::MultipleChoice
                : f.fillIn->isChecked()       ? PairKind::FillIn
                                              : PairKind::Standard;
    form.QMemo = utf8(f.questionMemo->toPlainText());
    form.AMemo = utf8(f.answerMemo->toPlainText());
    for (std::size_t i = 0; i < 6; ++i) {
        form.EMC[i] = utf8(f.choices[i]->text());
        form.EFIB[i] = utf8(f.fillIns[i]->text());
    }
    for (std::size_t i = 0; i < 3; ++i) {
        form.EH[i] = utf8(f.hints[i]->text());
        form.ECMT[i] = utf8(f.comments[i]->text());
    }
    form.correct = f.all->isChecked()       ? CorrectMark::All
                   : f.none->isChecked()    ? CorrectMark::None
                   : f.correct->isChecked() ? CorrectMark::Number
                                            : CorrectMark::Unchecked;
    form.ECorrect = utf8(f.correctNumber->text());
    form.ECategory = utf8(f.category->currentText());
    form.EQAVI = utf8(f.questionFiles.media->text());
    form.EQBMP = utf8(f.questionFiles.picture->text());
    form.EAAVI = utf8(f.answerFiles.media->text());
    form.EABMP = utf8(f.answerFiles.picture->text());
    return form;
}

void QtEditorWindow::fitToControls() {
    QSize fitted =
        QSize(kEditorMinWidth, kEditorMinHeight).expandedTo(layout()->totalMinimumSize());
    // Wrapped paragraphs need more height the narrower the window is.
    if (layout()->hasHeightForWidth()) {
        fitted.setHeight(std::max(
            fitted.height(), layout()->totalHeightForWidth(std::max(width(), fitted.width()))));
    }
    if (minimumSize() != fitted) setMinimumSize(fitted);
}

void QtEditorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitToControls();
}

void QtEditorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitToControls();
    }
}

void QtEditorWindow::render() {
    const EditorView& view = controller_.view();
    const EditorForm& form = view.form;
    EditorLayout& f = *form_;
    rendering_ = true;
    setWindowTitle(qt(view.caption));
    f.notice->setText(qt(view.notice));
    f.notice->setVisible(!view.notice.empty());
    if (!view.notice.empty()) {
        // A tint of the scheme's own background that its text reads on, light or dark.
        const SchemeColours scheme = schemeColoursOf(f.notice->palette());
        f.notice->setStyleSheet(
            QStringLiteral("background-color: %1; color: %2; padding: 3px")
                .arg(toQColor(scheme.noticeBackground).name(), toQColor(scheme.text).name()));
    }
    fitToControls();

    f.standard->setChecked(form.kind == PairKind::Standard);
    f.multipleChoice->setChecked(form.kind == PairKind::MultipleChoice);
    f.fillIn->setChecked(form.kind == PairKind::FillIn);
    setText(f.questionMemo, form.QMemo);
    setText(f.answerMemo, form.AMemo);
    for (std::size_t i = 0; i < 6; ++i) {
        setText(f.choices[i], form.EMC[i]);
        setText(f.fillIns[i], form.EFIB[i]);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        setText(f.hints[i], form.EH[i]);
        setText(f.comments[i], form.ECMT[i]);
    }
    f.all->setChecked(form.correct == CorrectMark::All);
    f.none->setChecked(form.correct == CorrectMark::None);
    f.correct->setChecked(form.correct == CorrectMark::Number);
    setText(f.correctNumber, form.ECorrect);
    setText(f.questionFiles.media, form.EQAVI);
    setText(f.questionFiles.picture, form.EQBMP);
    setText(f.answerFiles.media, form.EAAVI);
    setText(f.answerFiles.picture, form.EABMP);

    QStringList items;
    for (const std::string& name : view.categories) items << qt(name);
    QStringList shown;
    for (int i = 0; i < f.category->count(); ++i) shown << f.category->itemText(i);
    if (shown != items) {
        f.category->clear();
        f.category->addItems(items);
    }
    if (f.category->currentText() != qt(form.ECategory))
        f.category->setEditText(qt(form.ECategory));

    f.autoSave->setChecked(view.CBAutoSavePair);
    f.autoResetPage->setChecked(view.CBAutoResetPage);
    f.fileSaveImmediate->setChecked(view.CBFileSaveI);
    setAlignment(f.questionMemo, view.centred);
    setAlignment(f.answerMemo, view.centred);
    applyLooks(view);
    applyTips(view.tips);
    applyEnabled(view.enabled);
    rendering_ = false;
}

void QtEditorWindow::applyLooks(const EditorView& view) {
    EditorLayout& f = *form_;
    applyLook(*f.questionMemo, sized(view.questionLook, kMemoFontSize));
    applyLook(*f.answerMemo, sized(view.answerLook, kMemoFontSize));
    for (QLineEdit* box : f.choices) applyBoxLook(*box, sized(view.questionLook, kBoxFontSize));
    for (QLineEdit* box : f.fillIns) applyBoxLook(*box, sized(view.answerLook, kBoxFontSize));
}

void QtEditorWindow::applyTips(bool on) {
    for (QWidget* child : findChildren<QWidget*>()) {
        const QVariant tip = child->property(EditorLayout::kTipProperty);
        if (tip.isValid()) child->setToolTip(on ? tip.toString() : QString());
    }
}

void QtEditorWindow::applyEnabled(const EditorControls& e) {
    EditorLayout& f = *form_;
    f.previous->setEnabled(e.BBDown);
    f.next->setEnabled(e.BBUp);
    f.save->setEnabled(e.BBSave);
    f.insert->setEnabled(e.BBAddPair);
    f.remove->setEnabled(e.BBDeletePair);
    f.runPair->setEnabled(e.BBRunPair);
    f.find->setEnabled(e.BBFind);
    f.goToPair->setEnabled(e.BBGoToPair);
    f.goToNumber->setEnabled(e.BBGoToPair);
    for (QRadioButton* kind : {f.standard, f.multipleChoice, f.fillIn})
        kind->setEnabled(e.kindButtons);
    // Memos stay readable and scrollable when they cannot be changed.
    f.questionMemo->setReadOnly(!e.fields);
    f.answerMemo->setReadOnly(!e.fields);
    for (QLineEdit* box : f.hints) box->setEnabled(e.fields);
    for (QLineEdit* box : f.comments) box->setEnabled(e.fields);
    f.category->setEnabled(e.fields);
    for (const SideFiles* side : {&f.questionFiles, &f.answerFiles}) {
        side->media->setEnabled(e.fields);
        side->picture->setEnabled(e.fields);
        side->browseMedia->setEnabled(e.fields);
        side->browsePicture->setEnabled(e.fields);
    }
    for (std::size_t i = 0; i < 6; ++i) {
        f.choiceLabels[i]->setEnabled(e.choices);
        f.choices[i]->setEnabled(e.choices);
        f.fillInLabels[i]->setEnabled(e.fillIns);
        f.fillIns[i]->setEnabled(e.fillIns);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{f.all, f.none, f.correctLabel, f.correct,
                                                      f.correctNumber}) {
        w->setEnabled(e.correctAnswer);
    }
}

void QtEditorWindow::applyFocus(EditorFocus focus) {
    QPlainTextEdit* memo = nullptr;
    if (focus == EditorFocus::QuestionMemoSelectAll) memo = form_->questionMemo;
    if (focus == EditorFocus::AnswerMemoSelectAll) memo = form_->answerMemo;
    if (memo == nullptr) return;
    memo->setFocus(Qt::OtherFocusReason);
    memo->selectAll();
}

void QtEditorWindow::showEditor() {
    controller_.windowShown();
    const EditorView& view = controller_.view();
    if (view.resetPage) form_->turnTo(EditorLayout::QuestionPage);
    render();
    const bool appearing = !isVisible();
    show();
    raise();
    activateWindow();
    applyFocus(view.focus);
    if (appearing) emit visibilityChanged();
}

void QtEditorWindow::hideEditor() {
    if (controller_.windowHideRequested(isVisible())) {
        QTimer::singleShot(0, this, &QtEditorWindow::settle);
    }
}

void QtEditorWindow::settle() {
    if (!controller_.settleWindow()) return;
    hide();
    emit visibilityChanged();
}

void QtEditorWindow::showFindDialog() {
    find_->show();
    find_->raise();
    find_->activateWindow();
}

void QtEditorWindow::hideFindDialog() {
    find_->hide();
}

void QtEditorWindow::hidePictureViewer() {
    drill_.viewer().hide();
}

void QtEditorWindow::showPicture(const std::string& file) {
    drill_.viewPicture(file);
}

void QtEditorWindow::moveToMemo() {
    if (!isVisible()) return;
    QPlainTextEdit* memo = nullptr;
    if (form_->page() == EditorLayout::QuestionPage) memo = form_->questionMemo;
    if (form_->page() == EditorLayout::AnswerPage) memo = form_->answerMemo;
    if (memo == nullptr) return;
    activateWindow();
    memo->setFocus(Qt::ShortcutFocusReason);
}

void QtEditorWindow::goToPairCommand() {
    if (controller_.goToPairRoute() != GoToPairRoute::Editor) return;
    if (form_->goToNumber->text().isEmpty()) {
        activateWindow();
        form_->goToNumber->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    goToPair();
}

void QtEditorWindow::closeEvent(QCloseEvent* event) {
    bool closes = true;
    call([&] { closes = controller_.closeRequested(); });
    if (closes) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace cardwise::gui
