#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor/editor_state.h"

namespace cardwise {

struct Program;

// Which of RBAll, RBNone and RBCorrect is checked (none after a load of another kind).
enum class CorrectMark { Unchecked, All, None, Number };

inline constexpr std::string_view kEditorCaptionText = "Cardwise Q&A Editor";
inline constexpr std::string_view kNewQuestionPrompt = "Insert Your New Question Text Here";
inline constexpr std::string_view kNewAnswerPrompt = "Insert Your New Answer Text Here";
inline constexpr std::string_view kAutomaticAnswerNote =
    "For Multiple Choice And Fill-in-the-blank Answers, "
    "The Text Is Automatically Constructed.  If You Would Like "
    "To Insert Your Own \"Header\" For This Question, Though, You "
    "May Do So By Replacing This Text.";

// Every field of the editor's form, named after its control. Inside the core the texts
// are deck bytes (Windows-1252, memo line breaks CR LF); the controller hands the window
// the same form in UTF-8 (see EditorController).
struct EditorForm {
    PairKind kind = PairKind::Standard;  // RBStandard, RBMultipleChoice, RBFillIn
    std::string QMemo;
    std::string AMemo;
    std::array<std::string, 6> EMC;  // choices 1..6
    CorrectMark correct = CorrectMark::Unchecked;
    std::string ECorrect;             // the number box beside RBCorrect
    std::array<std::string, 6> EFIB;  // accepted fill-in answers 1..6
    std::array<std::string, 3> EH;    // hints
    std::array<std::string, 3> ECMT;  // comments
    std::string ECategory;
    std::string EQAVI;  // question audio/video file
    std::string EQBMP;  // question picture file
    std::string EAAVI;  // answer audio/video file
    std::string EABMP;  // answer picture file

    bool operator==(const EditorForm&) const = default;
};

// A pair read into the form. Faults of its markup were shown in boxes as the drill
// windows show them; `faults` names them for the window's warning and the save question.
struct LoadedForm {
    EditorForm form;
    std::string faults;  // empty when the markup read cleanly
};

// The stored pair n as a form: every tag whatever the deck's graphics, audio/video, hint
// and comment settings, and nothing cut to a display limit.
LoadedForm formFromPair(const Program& program, std::int32_t n);

// The form of a pair being added: the kind given, the two prompts, every other box empty
// but the category, which keeps what the editor showed.
EditorForm newPairForm(PairKind kind, std::string category);

// The pair text for pair number n, in the order the markup is written: question tags
// (category, fill-in mark, choices, hints, files), "%" and the encoded question, the
// separator, answer tags (correct choice, accepted answers, comments, files), "%" and the
// encoded answer. Only the fields of the form's kind are written; the prompts and the
// automatic-answer note are not stored. The form must already have passed checkForm.
std::string pairTextFromForm(const EditorForm& form, std::int32_t n);

// Why a form cannot be stored as it is, with the box that says so; nothing when it can.
struct FormRefusal {
    std::string caption;
    std::string text;
};

// The checks made before a form is turned into text: a correct-choice number that is
// not a number or names no filled choice, a markup separator ("<", "%" or "$#$!") in a
// box whose content is a tag's, "$#$!" in a memo.
std::optional<FormRefusal> checkForm(const EditorForm& form);

// Closes the gaps between filled choices and between filled accepted answers, moving the
// correct-choice number with its choice.
EditorForm closeGaps(EditorForm form);

// "Cardwise Q&A Editor - Adding Pair <n> To <file>" or "... - Editing Pair <n> Of <count>
// To <file>".
std::string editorCaption(const Program& program, bool adding);

// The length the text of pair n will have in the rewritten Q&A file, where the pair is
// numbered n whatever number its text carries now.
std::size_t rewrittenLength(std::string_view pairText, std::int32_t n);

}  // namespace cardwise
