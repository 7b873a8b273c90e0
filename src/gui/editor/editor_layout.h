#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QToolButton;

namespace cardwise::gui {

// The controls of one side's associated files.
struct SideFiles {
    QGroupBox* group = nullptr;
    QLineEdit* media = nullptr;            // EQAVI, EAAVI
    QToolButton* browseMedia = nullptr;    // BQAVI, BAAVI
    QToolButton* play = nullptr;           // BQPAVI, BAPAVI
    QLineEdit* picture = nullptr;          // EQBMP, EABMP
    QToolButton* browsePicture = nullptr;  // BQBMP, BABMP
    QToolButton* display = nullptr;        // BQPBMP, BAPBMP
};

// TFEditor's widgets: four notebook pages switched by a tab set at the bottom, and the
// panel of commands on the right. Child object names are the form's control names.
class EditorLayout : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMemoLimit = 2000;
    static constexpr int kCategoryLimit = 12;
    // The length of the text a memo was given, which typing may not exceed either.
    static constexpr const char* kShownLengthProperty = "shownLength";
    // The dynamic property that keeps a control's hint while hints are off.
    static constexpr const char* kTipProperty = "editorTip";

    enum Page { QuestionPage, AnswerPage, FilesPage, HintsPage };

    explicit EditorLayout(QWidget* parent = nullptr);

    // A memo's text as stored, however long.
    static void showMemoText(QPlainTextEdit* memo, const QString& text);

    void turnTo(Page page);
    Page page() const;

    // Question page.
    QRadioButton* standard = nullptr;
    QRadioButton* multipleChoice = nullptr;
    QRadioButton* fillIn = nullptr;
    QPlainTextEdit* questionMemo = nullptr;
    QGroupBox* choiceGroup = nullptr;
    std::array<QLabel*, 6> choiceLabels{};
    std::array<QLineEdit*, 6> choices{};
    QLabel* correctLabel = nullptr;
    QRadioButton* all = nullptr;
    QRadioButton* none = nullptr;
    QRadioButton* correct = nullptr;
    QLineEdit* correctNumber = nullptr;
    // Answer page.
    QPlainTextEdit* answerMemo = nullptr;
    QGroupBox* fillInGroup = nullptr;
    std::array<QLabel*, 6> fillInLabels{};
    std::array<QLineEdit*, 6> fillIns{};
    // Associated files page.
    SideFiles questionFiles;
    SideFiles answerFiles;
    // Hints/comments page.
    std::array<QLineEdit*, 3> hints{};
    std::array<QLineEdit*, 3> comments{};
    // Right-hand panel.
    QPushButton* save = nullptr;
    QPushButton* insert = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* find = nullptr;
    QCheckBox* autoSave = nullptr;
    QCheckBox* autoResetPage = nullptr;
    QCheckBox* fileSaveImmediate = nullptr;
    QPushButton* close = nullptr;
    QPushButton* runPair = nullptr;
    QPushButton* charmap = nullptr;
    QPushButton* help = nullptr;
    QComboBox* category = nullptr;
    QPushButton* goToPair = nullptr;
    QLineEdit* goToNumber = nullptr;
    QPushButton* previous = nullptr;
    QPushButton* next = nullptr;

    // The warning over the pages: the pair's markup faults, or why the deck cannot change.
    QLabel* notice = nullptr;
    QStackedWidget* notebook = nullptr;
    QTabBar* tabs = nullptr;

  signals:
    // The user chose a tab (TabSetClick); the notebook has turned already.
    void pageChosen(int page);

  private:
    QWidget* buildQuestionPage();
    QWidget* buildAnswerPage();
    QWidget* buildFilesPage();
    QWidget* buildHintsPage();
    QWidget* buildPanel();
    SideFiles buildSide(QWidget* parent, bool question);
};

}  // namespace cardwise::gui
