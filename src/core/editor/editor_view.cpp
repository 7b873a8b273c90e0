#include "core/editor/editor_view.h"

#include <algorithm>

#include "core/content/windows1252.h"
#include "core/editor/edited_text_store.h"
#include "core/program.h"

namespace cardwise {
namespace {

std::string lfOnly(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r') out += c;
    }
    return out;
}

// Applies f to every deck-text field of a form (not the file boxes).
template <typename Form, typename F>
void forEachText(Form& form, F f) {
    f(form.QMemo);
    f(form.AMemo);
    for (auto& s : form.EMC) f(s);
    f(form.ECorrect);
    for (auto& s : form.EFIB) f(s);
    for (auto& s : form.EH) f(s);
    for (auto& s : form.ECMT) f(s);
    f(form.ECategory);
}

template <typename Form, typename F>
void forEachFileBox(Form& form, F f) {
    f(form.EQAVI);
    f(form.EQBMP);
    f(form.EAAVI);
    f(form.EABMP);
}

EditorControls controlsFor(const Program& p, const EditorForm& form, bool editable) {
    const DeckState& deck = p.deck;
    EditorControls c;
    const bool beyondLast = deck.CurrentPair > deck.PairCount;
    if (p.editor.AddingPair) {
        c.BBDown = true;
        c.BBUp = !beyondLast;
    } else {
        c.BBDown = deck.CurrentPair > 1;
        c.BBUp = deck.CurrentPair < deck.PairCount;
    }
    c.BBSave = c.BBAddPair = c.BBDeletePair = editable;
    c.BBRunPair = editable || !beyondLast;
    c.BBFind = c.BBGoToPair = true;
    c.kindButtons = c.fields = editable;
    c.choices = c.correctAnswer = editable && form.kind == PairKind::MultipleChoice;
    c.fillIns = editable && form.kind == PairKind::FillIn;
    return c;
}

}  // namespace

EditorView editorView(const Program& p, const EditorForm& form, std::string_view faults) {
    const std::string readOnly = readOnlyReason(p.deck);
    const bool editable = readOnly.empty();
    EditorView v;
    v.caption = editorCaption(p, p.editor.AddingPair);
    if (!editable) v.caption += " - Read Only";
    v.form = form;
    v.enabled = controlsFor(p, form, editable);
    v.CBAutoSavePair = p.shell.app.AutoSavePair == 1;
    v.CBAutoResetPage = p.shell.app.AutoResetPage == 1;
    v.CBFileSaveI = p.shell.app.FileSaveI == 1;
    for (const std::string& name : p.editor.categories) {
        v.categories.push_back(windows1252ToUtf8(name));
    }
    std::sort(v.categories.begin(), v.categories.end());
    v.centred = p.settings.Center == 1;
    v.tips = p.settings.EnableTips == 1;
    v.questionLook = questionLook(p.settings);
    v.answerLook = answerLook(p.settings);
    if (!editable) {
        v.notice = readOnly;
    } else if (!faults.empty()) {
        v.notice = "Pair " + std::to_string(p.deck.CurrentPair) + " Has Faults In Its Markup (" +
                   std::string(faults) +
                   "): Each Faulty Tag Was Dropped With Its Content, And What Followed It Is "
                   "Shown As Text.  This Pair Is Never Saved Automatically.";
    }
    return v;
}

EditorForm formForWindow(const EditorForm& bytes) {
    EditorForm form = bytes;
    forEachText(form, [](std::string& s) { s = lfOnly(windows1252ToUtf8(s)); });
    forEachFileBox(form, [](std::string& s) { s = displayText(s); });
    return form;
}

FormFromWindow formFromWindow(const EditorForm& shown, const EditorForm& read) {
    FormFromWindow out{shown, std::nullopt};
    forEachText(out.form, [&](std::string& s) {
        if (out.refused) return;
        DeckTextConversion converted = utf8ToWindows1252(s);
        if (converted.ok()) {
            s = std::move(converted.text);
        } else {
            out.refused = converted.refused;
        }
    });
    if (out.refused) return out;
    // A file name the window got as read keeps its bytes, also those UTF-8 cannot show.
    auto keepRead = [](std::string& box, const std::string& readBox) {
        if (box == displayText(readBox)) box = readBox;
    };
    keepRead(out.form.EQAVI, read.EQAVI);
    keepRead(out.form.EQBMP, read.EQBMP);
    keepRead(out.form.EAAVI, read.EAAVI);
    keepRead(out.form.EABMP, read.EABMP);
    return out;
}

}  // namespace cardwise
