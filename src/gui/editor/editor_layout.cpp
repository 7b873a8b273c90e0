#include "gui/editor/editor_layout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace cardwise::gui {
namespace {

template <class W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// A hint of the form: shown while the deck's hints are on.
void tip(QWidget* widget, const QString& text) {
    widget->setProperty(EditorLayout::kTipProperty, text);
    widget->setToolTip(text);
}

QLineEdit* lineEdit(QWidget* parent, const QString& name) {
    return named(new QLineEdit(parent), name);
}

QPushButton* panelButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

QToolButton* fileButton(QWidget* parent, const QString& name, QStyle::StandardPixmap icon,
                        const QString& text) {
    auto* button = named(new QToolButton(parent), name);
    button->setIcon(parent->style()->standardIcon(icon));
    tip(button, text);
    // The icon alone says nothing to a screen reader.
    button->setAccessibleName(text);
    button->setAutoRaise(false);
    return button;
}

QPlainTextEdit* memo(QWidget* parent, const char* name) {
    auto* field = named(new QPlainTextEdit(parent), name);
    field->setTabChangesFocus(true);
    // Typing and pasting stop at kMemoLimit characters; a longer stored text is shown whole
    // and may be shortened, never cut.
    QObject::connect(field, &QPlainTextEdit::textChanged, field, [field] {
        const QString text = field->toPlainText();
        const int limit = std::max(EditorLayout::kMemoLimit,
                                   field->property(EditorLayout::kShownLengthProperty).toInt());
        if (text.size() <= limit) return;
        QTextCursor cursor = field->textCursor();
        const int at = std::min<int>(cursor.position(), limit);
        field->setPlainText(text.left(limit));
        cursor = field->textCursor();
        cursor.setPosition(at);
        field->setTextCursor(cursor);
    });
    return field;
}

// Six numbered boxes under each other, each with its label on the left.
void numberedBoxes(QGroupBox* group, const QString& labelPrefix, const QString& namePrefix,
                   std::array<QLabel*, 6>& labels, std::array<QLineEdit*, 6>& boxes) {
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < 6; ++i) {
        labels[i] = named(new QLabel(labelPrefix + QString::number(i + 1), group),
                          QStringLiteral("L") + namePrefix + QString::number(i + 1));
        boxes[i] = lineEdit(group, namePrefix + QString::number(i + 1));
        labels[i]->setBuddy(boxes[i]);
        grid->addWidget(labels[i], i, 0);
        grid->addWidget(boxes[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
}

// A wrapped paragraph asks for the height its lines take at the width it was given, so the
// window cannot squeeze its last lines away at a large font.
class WholeParagraph : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange) {
            auto* label = static_cast<QLabel*>(watched);
            const int height = label->heightForWidth(label->width());
            if (height > 0 && label->minimumHeight() != height) label->setMinimumHeight(height);
        }
        return false;
    }
};

void keepWhole(QLabel* label) {
    label->installEventFilter(new WholeParagraph(label));
}

}  // namespace

EditorLayout::EditorLayout(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    notice = named(new QLabel(this), "LNotice");
    notice->setWordWrap(true);
    keepWhole(notice);
    notice->hide();
    left->addWidget(notice);
    notebook = named(new QStackedWidget(this), "Notebook");
    notebook->addWidget(buildQuestionPage());
    notebook->addWidget(buildAnswerPage());
    notebook->addWidget(buildFilesPage());
    notebook->addWidget(buildHintsPage());
    tabs = named(new QTabBar(this), "TabSet");
    tabs->setShape(QTabBar::RoundedSouth);
    tabs->setExpanding(false);
    tabs->setDrawBase(false);
    // The tab set takes the page captions.
    for (int i = 0; i < notebook->count(); ++i) tabs->addTab(notebook->widget(i)->windowTitle());
    // Clicks and the tabs' access keys alike reach the bar as current-index changes.
    connect(tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0 || index == notebook->currentIndex()) return;
        notebook->setCurrentIndex(index);
        emit pageChosen(index);
    });
    left->addWidget(notebook, 1);
    left->addWidget(tabs);
    layout->addLayout(left, 1);
    layout->addWidget(buildPanel());
}

void EditorLayout::turnTo(Page page) {
    const QSignalBlocker quiet(tabs);
    notebook->setCurrentIndex(page);
    tabs->setCurrentIndex(page);
}

void EditorLayout::showMemoText(QPlainTextEdit* memo, const QString& text) {
    memo->setProperty(kShownLengthProperty, static_cast<int>(text.size()));
    memo->setPlainText(text);
}

EditorLayout::Page EditorLayout::page() const {
    return static_cast<Page>(notebook->currentIndex());
}

QWidget* EditorLayout::buildQuestionPage() {
    auto* page = named(new QWidget(this), "QuestionTextPage");
    page->setWindowTitle(tr("&Question Text"));
    auto* column = new QVBoxLayout(page);

    auto* kinds = new QHBoxLayout;
    standard = named(new QRadioButton(tr("S&tandard"), page), "RBStandard");
    multipleChoice = named(new QRadioButton(tr("M&ultiple Choice"), page), "RBMultipleChoice");
    fillIn = named(new QRadioButton(tr("Fill-In-The-&Blank"), page), "RBFillIn");
    auto* kindGroup = new QButtonGroup(page);
    for (QRadioButton* kind : {standard, multipleChoice, fillIn}) {
        kindGroup->addButton(kind);
        kinds->addWidget(kind);
    }
    kinds->addStretch(1);
    column->addLayout(kinds);

    questionMemo = memo(page, "QMemo");
    column->addWidget(questionMemo, 1);

    choiceGroup = named(new QGroupBox(page), "GBMultipleChoice");
    numberedBoxes(choiceGroup, QStringLiteral("MC #"), QStringLiteral("EMC"), choiceLabels,
                  choices);
    column->addWidget(choiceGroup);

    auto* answerRow = new QHBoxLayout;
    correctLabel = named(new QLabel(tr("Correct Answer:"), page), "LCorrect");
    all = named(new QRadioButton(tr(" All The Abo&ve"), page), "RBAll");
    none = named(new QRadioButton(tr("&None Of Above"), page), "RBNone");
    correct = named(new QRadioButton(tr("&MC #"), page), "RBCorrect");
    correctNumber = lineEdit(page, "ECorrect");
    correctNumber->setFixedWidth(36);
    correctNumber->setMaxLength(4);
    // The three choices exclude each other, and a shown pair may have none of them.
    auto* answers = new QButtonGroup(page);
    answers->setExclusive(false);
    for (QRadioButton* choice : {all, none, correct}) {
        answers->addButton(choice);
        connect(choice, &QRadioButton::toggled, this, [this, choice](bool on) {
            if (!on) return;
            for (QRadioButton* other : {all, none, correct}) {
                if (other != choice) other->setChecked(false);
            }
        });
    }
    answerRow->addWidget(correctLabel);
    answerRow->addWidget(all);
    answerRow->addWidget(none);
    answerRow->addWidget(correct);
    answerRow->addWidget(correctNumber);
    answerRow->addStretch(1);
    column->addLayout(answerRow);
    return page;
}

QWidget* EditorLayout::buildAnswerPage() {
    auto* page = named(new QWidget(this), "AnswerTextPage");
    page->setWindowTitle(tr("&Answer Text"));
    auto* column = new QVBoxLayout(page);
    answerMemo = memo(page, "AMemo");
    column->addWidget(answerMemo, 1);
    fillInGroup = named(new QGroupBox(page), "GBFillIn");
    numberedBoxes(fillInGroup, QStringLiteral("FIB #"), QStringLiteral("EFIB"), fillInLabels,
                  fillIns);
    column->addWidget(fillInGroup);
    return page;
}

SideFiles EditorLayout::buildSide(QWidget* parent, bool question) {
    SideFiles side;
    const QString s = question ? QStringLiteral("Q") : QStringLiteral("A");
    side.group = named(new QGroupBox(question ? tr("Associated  Files For Question")
                                              : tr("Associated  Files For Answer"),
                                     parent),
                       QStringLiteral("GB") + s + QStringLiteral("Files"));
    auto* grid = new QGridLayout(side.group);
    side.media = lineEdit(side.group, QStringLiteral("E") + s + QStringLiteral("AVI"));
    side.browseMedia = fileButton(side.group, QStringLiteral("B") + s + QStringLiteral("AVI"),
                                  QStyle::SP_DirOpenIcon, tr("Browse"));
    side.play = fileButton(side.group, QStringLiteral("B") + s + QStringLiteral("PAVI"),
                           QStyle::SP_MediaPlay, tr("Play"));
    side.picture = lineEdit(side.group, QStringLiteral("E") + s + QStringLiteral("BMP"));
    side.browsePicture = fileButton(side.group, QStringLiteral("B") + s + QStringLiteral("BMP"),
                                    QStyle::SP_DirOpenIcon, tr("Browse"));
    side.display = fileButton(side.group, QStringLiteral("B") + s + QStringLiteral("PBMP"),
                              QStyle::SP_FileDialogContentsView, tr("Display"));
    auto typeLabel = [&](const QString& first, const QString& second) {
        auto* label = new QLabel(first + QLatin1Char('\n') + second, side.group);
        label->setStyleSheet(QStringLiteral("font-size: 8pt"));
        return label;
    };
    grid->addWidget(side.media, 0, 0);
    grid->addWidget(side.browseMedia, 0, 1);
    grid->addWidget(side.play, 0, 2);
    grid->addWidget(question ? typeLabel(tr("AVI, MOV video"), tr("MID, RMI, WAV audio"))
                             : typeLabel(tr("AVI or MOV video"), tr("MID, RMI or WAV audio")),
                    0, 3);
    grid->addWidget(side.picture, 1, 0);
    grid->addWidget(side.browsePicture, 1, 1);
    grid->addWidget(side.display, 1, 2);
    grid->addWidget(typeLabel(tr("BMP, CMS,  ICO, GIF, JPG"), tr("PCX, PNG, SCM, WMF graphics")), 1,
                    3);
    grid->setColumnStretch(0, 1);
    return side;
}

QWidget* EditorLayout::buildFilesPage() {
    auto* page = named(new QWidget(this), "AssociatedFilesPage");
    page->setWindowTitle(tr("Associated &Files"));
    auto* column = new QVBoxLayout(page);
    questionFiles = buildSide(page, true);
    answerFiles = buildSide(page, false);
    column->addWidget(questionFiles.group);
    column->addWidget(answerFiles.group);
    auto* combinations = named(new QLabel(page), "LCombinations");
    combinations->setText(tr("The following are the only allowable combinations on a Question or "
                             "Answer") +
                          QLatin1Char('\n') + tr("    1.  Any video file alone is a maximum ") +
                          QLatin1Char('\n') +
                          tr("    2.  Any graphics file may be used alone or with any audio file") +
                          QLatin1Char('\n') + tr("    3.  Any audio file may be used alone"));
    combinations->setWordWrap(true);
    keepWhole(combinations);
    column->addWidget(combinations);
    auto* note = named(new QLabel(page), "LNote");
    // One paragraph, wrapped to the page's width.
    note->setText(
        tr("Note: The Full Path Name For The Selected File Will Be Used Unless The ") +
        tr("File Is Selected From The Current .DKS File Directory OR The Graphics Or ") +
        tr("Sound Directory Specified In Options.  See \"Directory Options\" In The Help") +
        QLatin1Char(' ') + tr("File For A More Detailed Discussion Of This Topic."));
    note->setWordWrap(true);
    keepWhole(note);
    column->addWidget(note);
    column->addStretch(1);
    return page;
}

QWidget* EditorLayout::buildHintsPage() {
    auto* page = named(new QWidget(this), "HintsCommentsPage");
    page->setWindowTitle(tr("Hints/&Comments"));
    auto* column = new QVBoxLayout(page);
    auto fill = [page](const QString& title, const QString& labelPrefix, const QString& prefix,
                       std::array<QLineEdit*, 3>& boxes) {
        auto* group = named(new QGroupBox(title, page), QStringLiteral("GB") + prefix);
        auto* grid = new QGridLayout(group);
        for (int i = 0; i < 3; ++i) {
            auto* label = new QLabel(labelPrefix + QString::number(i + 1), group);
            boxes[i] = lineEdit(group, prefix + QString::number(i + 1));
            label->setBuddy(boxes[i]);
            grid->addWidget(label, i, 0);
            grid->addWidget(boxes[i], i, 1);
        }
        grid->setColumnStretch(1, 1);
        return group;
    };
    column->addWidget(fill(tr("Hints"), QStringLiteral("HINT "), QStringLiteral("EH"), hints));
    column->addWidget(
        fill(tr("Comments"), QStringLiteral("CMT "), QStringLiteral("ECMT"), comments));
    column->addStretch(1);
    return page;
}

QWidget* EditorLayout::buildPanel() {
    auto* panel = named(new QWidget(this), "Panel1");
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(4, 0, 0, 0);
    column->setSpacing(3);
    save = panelButton(panel, "BBSave", tr("&Save"));
    insert = panelButton(panel, "BBAddPair", tr("&Insert  "));
    remove = panelButton(panel, "BBDeletePair", tr("&Delete"));
    find = panelButton(panel, "BBFind", tr("Find Te&xt"));
    tip(find, tr("Find pair(s) containing specific word(s)"));
    for (QPushButton* b : {save, insert, remove, find}) column->addWidget(b);
    autoSave = named(new QCheckBox(tr("Auto-sa&ve Edits"), panel), "CBAutoSavePair");
    autoResetPage = named(new QCheckBox(tr("Aut&o-reset Page"), panel), "CBAutoResetPage");
    fileSaveImmediate = named(new QCheckBox(tr("Fi&le Save Immediate"), panel), "CBFileSaveI");
    tip(fileSaveImmediate, tr("Every save writes and re-opens the .DKS file"));
    for (QCheckBox* c : {autoSave, autoResetPage, fileSaveImmediate}) column->addWidget(c);
    close = panelButton(panel, "BBClose", tr("Clos&e"));
    runPair = panelButton(panel, "BBRunPair", tr("&Run Pair"));
    charmap = panelButton(panel, "BitBtn1", tr("Charma&p"));
    help = panelButton(panel, "BBHelp", tr("&Help"));
    for (QPushButton* b : {close, runPair, charmap, help}) column->addWidget(b);

    column->addSpacing(4);
    auto* categoryLabel = new QLabel(tr("Category Of This Pair"), panel);
    category = named(new QComboBox(panel), "ECategory");
    category->setEditable(true);
    category->setInsertPolicy(QComboBox::NoInsert);
    category->lineEdit()->setMaxLength(kCategoryLimit);
    categoryLabel->setBuddy(category);
    column->addWidget(categoryLabel);
    column->addWidget(category);

    auto* goTo = new QHBoxLayout;
    goToPair = panelButton(panel, "BBGoToPair", tr("Go To Pair #"));
    goToNumber = lineEdit(panel, "EGoToPair");
    goToNumber->setFixedWidth(44);
    goTo->addWidget(goToPair, 1);
    goTo->addWidget(goToNumber);
    column->addLayout(goTo);

    auto* moves = new QHBoxLayout;
    previous = panelButton(panel, "BBDown", tr("(Ctrl P)"));
    previous->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    tip(previous, tr("Previous pair"));
    next = panelButton(panel, "BBUp", tr("(Ctrl N)"));
    next->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    tip(next, tr("Next pair"));
    moves->addWidget(previous);
    moves->addWidget(next);
    column->addLayout(moves);
    column->addStretch(1);
    // As wide as its captions need at the desktop's font, never narrower than designed.
    column->addStrut(168);
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return panel;
}

}  // namespace cardwise::gui
