#include "core/content/pair_side.h"

#include <algorithm>
#include <string>

#include "core/content/pair_separator.h"
#include "core/content/pair_view.h"
#include "core/platform/user_interface.h"
#include "core/profile/profile.h"

namespace cardwise {

namespace {

constexpr std::string_view kTooManyNotesCaption = "Too Many Hints Or Comments";
constexpr std::string_view kTooManyNotesText = "Cardwise Has Found More Than Three ";
constexpr std::string_view kTooManyNotesQuestion = "Hints In Question ";
constexpr std::string_view kTooManyNotesAnswer = "Comments In Answer ";
constexpr std::string_view kTooManyNotesEnd = ".  Please Limit The Hints Or Comments To Three. ";

constexpr std::string_view kTooManyChoicesCaption = "Too Many Multiple Choice Or Fill-In Answers";
constexpr std::string_view kTooManyChoicesText = "Cardwise Has Found More Than Six ";
constexpr std::string_view kTooManyChoicesQuestion = "Multiple Choice Possibilities In Question ";
constexpr std::string_view kTooManyChoicesAnswer = "Fill-In-The-Blank Answers In Answer ";
constexpr std::string_view kTooManyChoicesEnd = ".  Please Limit The Number Of Choices To Six. ";

constexpr std::string_view kInvalidAnswerCaption = "Invalid Multiple Choice Answer Number";
constexpr std::string_view kInvalidAnswerText =
    "The Indicated Multiple Choice Answer Number For Answer";
constexpr std::string_view kInvalidAnswerEnd =
    " Did Not Have A Corresponding Choice In The Question Section. ";

constexpr std::string_view kUnknownTagCaption = "Unidentified Tag Encountered";
constexpr std::string_view kUnknownTagText = "Cardwise Has Found An Unreadable Tag In ";
constexpr std::string_view kUnknownTagEnd =
    ".  A Tag Is Any Sequence Of Characters Beginning With The Character \"<\". "
    "This Character Has Special Meaning In Cardwise.  Questions Or Answers Should "
    "Not Contain A _Single_ Instance Of This Character In The Text Portion Of The Q or A.  "
    "The Cardwise Editor Handles This Automatically.  If, However, You Make Edits To The "
    ".DKS File With NotePad Or Other ANSII Editor, You Must Use TWO <'s For Each One You "
    "Wish To Appear In The Text.  Single Instances Of < Are Used To Indicate Paths "
    "(<BMP>, <WAV>), "
    "To Indicate Hints Or Comments (<HI1>..<HI3>), To Indicate Multiple Choice "
    "Questions Or Fill-In-The-Blank Answers (<MC1>..<MC6>), To Indicate Question "
    "Named Range (NAM), Or To Show A "
    "Fill-In-The-Blank Question Or Multiple Choice Answer <FIN>. "
    "Please See The On-line Help Under \"Tags\" For An In-Depth Discussion Of Their Use.";

constexpr std::string_view kConflictCaption = ".BMP/.AVI Conflict";
constexpr std::string_view kConflictText =
    "Cardwise Has Found Both A .BMP Path And A .AVI Path Specified For ";
constexpr std::string_view kConflictEnd =
    ".  These Cannot Be Displayed Simultaneously Since They Use The Same \"Screen\". "
    "Please Modify The Question Or Answer To Contain Only A .BMP OR A .AVI File.";

constexpr std::string_view kQuestionWord = "Question ";
constexpr std::string_view kAnswerWord = "Answer ";

constexpr std::size_t kTagLength = 5;
constexpr std::size_t kMaxChoices = 6;
constexpr std::size_t kMaxNotes = 3;

std::size_t decimalDigits(std::int32_t n) {
    return std::to_string(n).size();
}

std::string cut(std::string_view content, std::size_t width) {
    return std::string(content.substr(0, width));
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The number a content starts with, saturated well above any choice number.
std::int32_t leadingNumber(std::string_view content) {
    std::int32_t k = 0;
    for (char c : content) {
        if (c < '0' || c > '9') break;
        k = std::min<std::int32_t>(k * 10 + (c - '0'), 1000000);
    }
    return k;
}

class SideParser {
  public:
    // Without a program the side is read as the editor reads it, quietly, outside a jump.
    SideParser(const SideContext* program, PairView& view, bool question, std::int32_t n,
               FaultReports reports, SideReading reading)
        : program_(program),
          view_(view),
          question_(question),
          n_(n),
          reports_(program ? reports : FaultReports::Quiet),
          editing_(!program || reading == SideReading::Editing) {}

    std::string faultCaption;

    bool run(std::string_view side) {
        std::string_view rest = side;
        while (!faulted_ && !rest.empty() && rest[0] == '<' &&
               !(rest.size() > 1 && rest[1] == '<')) {
            char letter = rest.size() > 1 ? upper(rest[1]) : '\0';
            rest.remove_prefix(std::min(kTagLength, rest.size()));
            std::size_t end = rest.find_first_of("<%");
            std::string_view content = rest.substr(0, end);
            if (end == std::string_view::npos) {
                rest = {};
                noteContentRanToEnd(letter);
            } else {
                rest.remove_prefix(end);
                if (rest.front() == '%') rest.remove_prefix(1);
            }
            act(letter, content);
        }
        view_.Text = std::string(rest);
        // Both references are kept for the editor; only showing them together fails.
        if (!faulted_ && !editing_ && !view_.PicturePath.empty() &&
            (contains(view_.MediaPath, ".avi") || contains(view_.MediaPath, ".AVI"))) {
            fault(kConflictCaption, std::string(kConflictText) + std::string(sideWord()) +
                                        rightAligned(n_, 5) + std::string(kConflictEnd));
        }
        return !faulted_;
    }

  private:
    static char upper(char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }

    std::string_view sideWord() const { return question_ ? kQuestionWord : kAnswerWord; }

    void noteContentRanToEnd(char letter) {
        bool noChoices = question_ ? view_.Choices[0].empty() : !view_.FillInQuestion;
        if (noChoices && letter != 'F' && view_.CorrectChoice.empty()) view_.NoText = true;
    }

    void act(char letter, std::string_view content) {
        switch (letter) {
            case 'N':
                view_.Category = field(content, kViewCategoryMax);
                break;
            case 'B':
                if (editing_ || program_->graphics) {
                    view_.PicturePath = field(content, kViewPathMax);
                    view_.TextOnly = false;
                }
                break;
            case 'W':
                if (editing_ || program_->audioVideo) {
                    view_.MediaPath = field(content, kViewPathMax);
                    const std::string& path = view_.MediaPath;
                    if (contains(path, ".avi") || contains(path, ".AVI") ||
                        contains(path, ".mov") || contains(path, ".MOV")) {
                        view_.TextOnly = false;
                    }
                }
                break;
            case 'H':
                if (notes_ == kMaxNotes) {
                    fault(kTooManyNotesCaption,
                          std::string(kTooManyNotesText) +
                              std::string(question_ ? kTooManyNotesQuestion : kTooManyNotesAnswer) +
                              rightAligned(n_, 5) + std::string(kTooManyNotesEnd));
                    break;
                }
                view_.Notes[notes_++] = field(content, kViewNoteMax);
                break;
            case 'M':
                // The seventh choice is dropped with its tag, so it is not counted either.
                if (choices_ == kMaxChoices) {
                    fault(kTooManyChoicesCaption,
                          std::string(kTooManyChoicesText) +
                              std::string(question_ ? kTooManyChoicesQuestion
                                                    : kTooManyChoicesAnswer) +
                              rightAligned(n_, 5) + std::string(kTooManyChoicesEnd));
                    break;
                }
                view_.Choices[choices_++] = field(content, kViewNoteMax);
                if (question_) view_.ChoiceCount = static_cast<std::int32_t>(choices_);
                break;
            case 'F':
                if (question_) {
                    view_.FillInQuestion = true;
                } else {
                    correctChoice(content);
                }
                break;
            default:
                fault(kUnknownTagCaption, std::string(kUnknownTagText) + std::string(sideWord()) +
                                              rightAligned(n_, 5) + std::string(kUnknownTagEnd));
                break;
        }
    }

    void correctChoice(std::string_view content) {
        char first = content.empty() ? '\0' : content.front();
        if (first == 'A' || first == 'a') {
            view_.CorrectChoice = "A";
        } else if (first == 'N' || first == 'n') {
            view_.CorrectChoice = "N";
        } else if (first >= '1' && first <= '6') {
            if (leadingNumber(content) <= view_.ChoiceCount) {
                view_.CorrectChoice = field(content, kViewNoteMax);
            } else if (!program_ || !program_->jumpingToPair) {
                fault(kInvalidAnswerCaption, std::string(kInvalidAnswerText) + rightAligned(n_, 4) +
                                                 std::string(kInvalidAnswerEnd));
            }
        }
        if (content.size() > 2 && !faulted_)
            view_.CorrectChoice = field(content.substr(2), kViewNoteMax);
    }

    // The editor keeps each field whole, so that saving gives back what was read.
    std::string field(std::string_view content, std::size_t width) const {
        return editing_ ? std::string(content) : cut(content, width);
    }

    void fault(std::string_view caption, const std::string& text) {
        faulted_ = true;
        if (faultCaption.empty()) faultCaption = std::string(caption);
        if (reports_ == FaultReports::Shown) {
            program_->ui.message(caption, text, Icon::Error);
        }
    }

    const SideContext* program_;
    PairView& view_;
    bool question_;
    std::int32_t n_;
    FaultReports reports_;
    bool editing_;
    bool faulted_ = false;
    std::size_t notes_ = 0;
    std::size_t choices_ = 0;
};

}  // namespace

// The side as stored; a hand-made pair without "=" or with a short answer line gives an
// empty side.
std::string_view cutSide(std::string_view text, bool question, std::int32_t n) {
    std::size_t separator = text.find(kPairSeparator);
    if (question) {
        std::string_view line = text.substr(0, separator);
        std::size_t equals = line.find('=');
        return equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
    }
    if (separator == std::string_view::npos) return {};
    std::string_view line = text.substr(separator + kPairSeparator.size());
    std::size_t prefix = decimalDigits(n) + 2;
    return line.size() < prefix ? std::string_view{} : line.substr(prefix);
}

namespace {

FormattedSide readSide(const SideContext* program, std::string_view text, bool question,
                       std::int32_t n, const PairView& questionView, FaultReports reports,
                       SideReading reading) {
    FormattedSide result;
    if (!question) {
        result.view.Category = questionView.Category;
        result.view.ChoiceCount = questionView.ChoiceCount;
        result.view.FillInQuestion = questionView.FillInQuestion;
    }
    SideParser parser(program, result.view, question, n, reports, reading);
    result.ok = parser.run(text);
    result.fault = std::move(parser.faultCaption);
    return result;
}

}  // namespace

FormattedSide readDeckSide(const SideContext& context, std::string_view text, bool question,
                           std::int32_t n, const PairView& questionView, FaultReports reports,
                           SideReading reading) {
    return readSide(&context, text, question, n, questionView, reports, reading);
}

FormattedSide readStoredSide(std::string_view side, bool question, const PairView& questionView) {
    return readSide(nullptr, side, question, 0, questionView, FaultReports::Quiet,
                    SideReading::Editing);
}

}  // namespace cardwise
