#include "core/editor/editor_form.h"

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/deck/qa_file.h"
#include "core/drill/pair_format.h"
#include "core/drill/run_control.h"
#include "core/program.h"

namespace cardwise {
namespace {

constexpr std::string_view kMultipleChoiceErrorCaption = "Multiple Choice Error";
constexpr std::string_view kMultipleChoiceErrorText =
    "This Pair Is A Multiple Choice Type And The MC# "
    "Selection Is Checked In The Editor - The Entry In This Field Is Either "
    "Missing Or Not A Valid Numerical Value.";
constexpr std::string_view kMarkupCharacterCaption = "Character Not Allowed";

PairKind kindOf(const PairView& question) {
    if (!question.Choices[0].empty()) return PairKind::MultipleChoice;
    if (question.FillInQuestion) return PairKind::FillIn;
    return PairKind::Standard;
}

std::string tag(std::string_view name, std::size_t number) {
    return "<" + std::string(name) + std::to_string(number) + ">";
}

// "%" and the encoded memo after the side's tags; nothing for an empty memo.
void appendDisplayText(std::string& out, bool tagged, std::string_view memo) {
    if (memo.empty()) return;
    if (tagged) out += '%';
    out += encodedMarks(memo);
}

// Memos come from the window with bare line feeds; the markup's line break is CR LF.
std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

struct TagBox {
    std::string_view name;  // as the user knows the box
    const std::string* text;
};

std::vector<TagBox> tagBoxes(const EditorForm& form) {
    std::vector<TagBox> boxes{{"Category", &form.ECategory}};
    static constexpr std::string_view mc[] = {"MC #1", "MC #2", "MC #3", "MC #4", "MC #5", "MC #6"};
    static constexpr std::string_view fib[] = {"FIB #1", "FIB #2", "FIB #3",
                                               "FIB #4", "FIB #5", "FIB #6"};
    static constexpr std::string_view hint[] = {"HINT 1", "HINT 2", "HINT 3"};
    static constexpr std::string_view cmt[] = {"CMT 1", "CMT 2", "CMT 3"};
    if (form.kind == PairKind::MultipleChoice) {
        for (std::size_t i = 0; i < 6; ++i) boxes.push_back({mc[i], &form.EMC[i]});
    }
    if (form.kind == PairKind::FillIn) {
        for (std::size_t i = 0; i < 6; ++i) boxes.push_back({fib[i], &form.EFIB[i]});
    }
    for (std::size_t i = 0; i < 3; ++i) boxes.push_back({hint[i], &form.EH[i]});
    for (std::size_t i = 0; i < 3; ++i) boxes.push_back({cmt[i], &form.ECMT[i]});
    boxes.push_back({"Question Audio/Video File", &form.EQAVI});
    boxes.push_back({"Question Graphics File", &form.EQBMP});
    boxes.push_back({"Answer Audio/Video File", &form.EAAVI});
    boxes.push_back({"Answer Graphics File", &form.EABMP});
    return boxes;
}

}  // namespace

LoadedForm formFromPair(const Program& program, std::int32_t n) {
    LoadedForm loaded;
    EditorForm& form = loaded.form;
    FormattedSide q =
        FormatPairSide(program, "Q", n, {}, FaultReports::Shown, SideReading::Editing);
    form.kind = kindOf(q.view);
    form.ECategory = q.view.Category;
    form.QMemo = decodedMarks(q.view.Text);
    form.EMC = q.view.Choices;
    form.EH = q.view.Notes;
    form.EQAVI = q.view.MediaPath;
    form.EQBMP = q.view.PicturePath;

    FormattedSide a =
        FormatPairSide(program, "A", n, q.view, FaultReports::Shown, SideReading::Editing);
    const std::string& correct = a.view.CorrectChoice;
    if (form.kind == PairKind::MultipleChoice && !correct.empty()) {
        if (correct == "A") {
            form.correct = CorrectMark::All;
        } else if (correct == "N") {
            form.correct = CorrectMark::None;
        } else {
            form.correct = CorrectMark::Number;
            form.ECorrect = correct;
        }
    }
    if (!a.view.Text.empty() || form.kind == PairKind::Standard) {
        form.AMemo = decodedMarks(a.view.Text);
    } else {
        form.AMemo = std::string(kAutomaticAnswerNote);
    }
    form.EFIB = a.view.Choices;
    form.ECMT = a.view.Notes;
    form.EAAVI = a.view.MediaPath;
    form.EABMP = a.view.PicturePath;

    for (const std::string* fault : {&q.fault, &a.fault}) {
        if (fault->empty()) continue;
        if (!loaded.faults.empty()) loaded.faults += ", ";
        loaded.faults += *fault;
    }
    return loaded;
}

EditorForm newPairForm(PairKind kind, std::string category) {
    EditorForm form;
    form.kind = kind;
    form.QMemo = std::string(kNewQuestionPrompt);
    form.AMemo = std::string(kNewAnswerPrompt);
    form.ECategory = std::move(category);
    return form;
}

std::string pairTextFromForm(const EditorForm& form, std::int32_t n) {
    const std::string number = std::to_string(n);
    std::string question;
    if (!form.ECategory.empty()) question += "<NAM>" + form.ECategory;
    if (form.kind == PairKind::FillIn) question += "<FIB>";
    if (form.kind == PairKind::MultipleChoice) {
        for (std::size_t i = 0; i < form.EMC.size(); ++i) {
            if (!form.EMC[i].empty()) question += tag("MC", i + 1) + form.EMC[i];
        }
    }
    for (std::size_t i = 0; i < form.EH.size(); ++i) {
        if (!form.EH[i].empty()) question += tag("HC", i + 1) + form.EH[i];
    }
    if (!form.EQAVI.empty()) question += "<WAV>" + form.EQAVI;
    if (!form.EQBMP.empty()) question += "<BMP>" + form.EQBMP;

    std::string answer;
    if (form.kind == PairKind::MultipleChoice) {
        answer += "<FIB>";
        if (form.correct == CorrectMark::All) answer += 'A';
        if (form.correct == CorrectMark::None) answer += 'N';
        if (form.correct == CorrectMark::Number) {
            if (auto k = parsePairNumber(form.ECorrect)) answer += std::to_string(*k);
        }
    }
    if (form.kind == PairKind::FillIn) {
        for (std::size_t i = 0; i < form.EFIB.size(); ++i) {
            if (!form.EFIB[i].empty()) answer += tag("MC", i + 1) + form.EFIB[i];
        }
    }
    for (std::size_t i = 0; i < form.ECMT.size(); ++i) {
        if (!form.ECMT[i].empty()) answer += tag("HC", i + 1) + form.ECMT[i];
    }
    if (!form.EAAVI.empty()) answer += "<WAV>" + form.EAAVI;
    if (!form.EABMP.empty()) answer += "<BMP>" + form.EABMP;

    std::string text = "Q" + number + "=" + question;
    appendDisplayText(text, !question.empty(), withCrLf(form.QMemo));
    text += kPairSeparator;
    text += "A" + number + "=" + answer;
    // The note is the editor's own text, recognised only as a whole.
    std::string answerMemo = withCrLf(form.AMemo);
    if (answerMemo != kAutomaticAnswerNote) appendDisplayText(text, !answer.empty(), answerMemo);
    return text;
}

std::optional<FormRefusal> checkForm(const EditorForm& form) {
    for (const TagBox& box : tagBoxes(form)) {
        const std::string& text = *box.text;
        std::size_t bad = text.find_first_of("<%");
        bool separator = text.find(kPairSeparator) != std::string::npos;
        bool lineBreak = text.find_first_of("\r\n") != std::string::npos;
        if (bad == std::string::npos && !separator && !lineBreak) continue;
        std::string what = separator   ? "The Characters $#$!"
                           : lineBreak ? "A Line Break"
                                       : std::string("The Character ") + text[bad];
        return FormRefusal{std::string(kMarkupCharacterCaption),
                           "The Box \"" + std::string(box.name) + "\" Holds " + what +
                               ", Which Cardwise Uses To Mark The Parts Of A Pair.  Please "
                               "Remove It Before Saving; Nothing Was Saved."};
    }
    for (const auto* memo : {&form.QMemo, &form.AMemo}) {
        if (memo->find(kPairSeparator) == std::string::npos) continue;
        return FormRefusal{std::string(kMarkupCharacterCaption),
                           std::string(memo == &form.QMemo ? "The Question" : "The Answer") +
                               " Text Holds The Characters $#$!, Which Cardwise Uses To Separate "
                               "The Question From The Answer.  Please Remove Them Before Saving; "
                               "Nothing Was Saved."};
    }
    if (form.kind == PairKind::MultipleChoice && form.correct == CorrectMark::Number) {
        std::optional<std::int64_t> k = parsePairNumber(form.ECorrect);
        if (!k) {
            return FormRefusal{std::string(kMultipleChoiceErrorCaption),
                               std::string(kMultipleChoiceErrorText)};
        }
        if (*k < 1 || *k > 6 || form.EMC[static_cast<std::size_t>(*k - 1)].empty()) {
            return FormRefusal{std::string(kMultipleChoiceErrorCaption),
                               "The MC# Selection Names Choice " + std::to_string(*k) +
                                   ", But The Box MC #" + std::to_string(*k) +
                                   " Is Not Filled In.  Please Name One Of The Filled-In Choices "
                                   "As The Correct Answer; Nothing Was Saved."};
        }
    }
    return std::nullopt;
}

EditorForm closeGaps(EditorForm form) {
    auto close = [](std::array<std::string, 6>& boxes, std::int64_t* numbered) {
        std::array<std::string, 6> packed;
        std::size_t next = 0;
        std::int64_t renumbered = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].empty()) continue;
            if (numbered && *numbered == static_cast<std::int64_t>(i) + 1) {
                renumbered = static_cast<std::int64_t>(next) + 1;
            }
            packed[next++] = std::move(boxes[i]);
        }
        boxes = std::move(packed);
        if (numbered && renumbered != 0) *numbered = renumbered;
    };
    if (form.kind == PairKind::MultipleChoice) {
        std::optional<std::int64_t> k;
        if (form.correct == CorrectMark::Number) k = parsePairNumber(form.ECorrect);
        std::int64_t number = k.value_or(0);
        close(form.EMC, k ? &number : nullptr);
        if (k) form.ECorrect = std::to_string(number);
    }
    if (form.kind == PairKind::FillIn) close(form.EFIB, nullptr);
    return form;
}

std::string editorCaption(const Program& program, bool adding) {
    const DeckState& deck = program.deck;
    std::string caption(kEditorCaptionText);
    if (adding) {
        caption += " - Adding Pair " + std::to_string(deck.CurrentPair);
    } else {
        caption += " - Editing Pair " + std::to_string(deck.CurrentPair) + " Of " +
                   std::to_string(deck.PairCount);
    }
    return caption + " To " + deck.QAFileName;
}

std::size_t rewrittenLength(std::string_view pairText, std::int32_t n) {
    return rewrittenPair(pairText, n).size();
}

}  // namespace cardwise
