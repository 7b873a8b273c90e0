#include "core/editor/editor_controller.h"

#include <algorithm>

#include "core/content/windows1252.h"
#include "core/deck/deck_close.h"
#include "core/deck/deck_loader.h"
#include "core/drill/run_control.h"
#include "core/media/file_validation.h"
#include "core/program.h"
#include "core/shell/app_settings.h"

namespace cardwise {
namespace {

constexpr std::size_t kEditorCategoryChars = 15;
constexpr std::size_t kEditorCategoryLimit = 100;
// A pair number of up to four digits; a pair saved now may be renumbered so before the
// file is read again.
constexpr std::size_t kRenumberedDigits = 4;
constexpr std::int32_t kFlushAtSlots = 9;
constexpr std::int32_t kMinimumPairs = 2;

constexpr std::string_view kSaveQuestionCaption = "Save Current Changes?";
constexpr std::string_view kSaveQuestionText = "Save Changes To Current Pair?";
constexpr std::string_view kFileSizeLimitCaption = "File Size Limit";
constexpr std::string_view kFileSizeLimitText =
    "For Performance Considerations, Cardwise Limits The Deck Size "
    "To 5000 Question/Answer Pairs.  This Deck Has Reached That Limit "
    "And No More Pairs Can Be Added. ";
constexpr std::string_view kPairTooLargeCaption = "Pair Too Large";
constexpr std::string_view kCategoryLimitCaption = "Category Limit";
constexpr std::string_view kCategoryLimitText =
    "This Deck Has Already Used The Limit Of 100 Categories."
    "Please Use One Of The Existing Categories For This Pair.";
constexpr std::string_view kGoToErrorCaption = "Error";
constexpr std::string_view kGoToErrorText = "You Must Enter A Valid Pair Number In The Edit Box";
constexpr std::string_view kCannotPlayCaption = "Can't Play Multi-Media File";
constexpr std::string_view kReadOnlyCaption = "Deck Cannot Be Changed";
constexpr std::string_view kFaultySaveCaption = "Save Pair With Markup Faults?";
constexpr std::string_view kLastPairsCaption = "Cannot Delete Pair";
constexpr std::string_view kAudioVideoFilter =
    "AVI, WAV or MID files|*.avi;*.wav;*.mid|Image files|"
    "*.bmp;*.cms;*.gif;*.ico;*.jpg;*.pcx;*.png;*.scm;*.wmf";
constexpr std::string_view kImageFilter =
    "Image files|*.bmp;*.cms;*.gif;*.ico;*.jpg;*.pcx;*.png;*.scm;*.wmf|"
    "AVI, WAV or MID files|*.avi;*.wav;*.mid";

std::string pairTooLargeText(std::size_t length) {
    return "The Total Contents Of A Question/Answer Pair Must Be Less Than "
           "2100 Characters - This Includes All Characters Shown In EVERY "
           "Edit Box On All Four Pages Of The Editor.  This QA Pair Contains A Total Of " +
           rightAligned(static_cast<std::int64_t>(length), 6) +
           " Characters And Needs To Be Shortened To Fit Within The Limit.";
}

std::string cannotPlayText(const std::string& file) {
    return "Your System Indicates It Doesn't Know How To Play The File " + file +
           ". It Is Likely That The Multi-Media Drivers For This File Type Are Not Installed. "
           "To Check For This, Try Double-Clicking On The Indicated File In "
           "FileManager Or Explorer.";
}

std::string lfOnly(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r') out += c;
    }
    return out;
}

std::string withoutTrailingSeparator(std::string_view folder) {
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

bool sameFolder(std::string_view a, std::string_view b) {
    return !b.empty() && equalsIgnoreCase(withoutTrailingSeparator(a), withoutTrailingSeparator(b));
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

}  // namespace

EditorController::EditorController(Program& program, DrillController& drill)
    : program_(program), drill_(drill) {
    // A codec or sound device found missing after the start is reported like a file the
    // player could not open at all, once.
    MediaPlayer::Listener listener;
    listener.failed = [this](MediaChannel) {
        if (!program_.editor.EditorPlaying || playFailureShown_) return;
        playFailureShown_ = true;
        program_.platform.media.close(MediaChannel::Editor);
        program_.ui().message(kCannotPlayCaption, cannotPlayText(playing_), Icon::Error);
    };
    program_.platform.media.setListener(MediaChannel::Editor, std::move(listener));
}

EditorController::~EditorController() {
    program_.platform.media.setListener(MediaChannel::Editor, {});
}

bool EditorController::shown() const {
    return program_.editor.shown;
}

bool EditorController::moveMenuItemsEnabled() const {
    return program_.editor.shown;
}

// ---- conversions at the window's edge -----------------------------------------------------

EditorForm EditorController::toWindow(const EditorForm& bytes) const {
    EditorForm form = bytes;
    forEachText(form, [](std::string& s) { s = lfOnly(windows1252ToUtf8(s)); });
    forEachFileBox(form, [](std::string& s) { s = displayText(s); });
    return form;
}

std::optional<EditorForm> EditorController::fromWindow(const EditorForm& shown) {
    EditorForm form = shown;
    std::optional<char32_t> refused;
    forEachText(form, [&](std::string& s) {
        if (refused) return;
        DeckTextConversion converted = utf8ToWindows1252(s);
        if (converted.ok()) {
            s = std::move(converted.text);
        } else {
            refused = converted.refused;
        }
    });
    if (refused) {
        program_.ui().message(kCharacterNotAllowedCaption, characterNotAllowedText(*refused),
                              Icon::Warning);
        return std::nullopt;
    }
    // A file name the window got as read keeps its bytes, also those UTF-8 cannot show.
    auto keepRead = [](std::string& box, const std::string& read) {
        if (box == displayText(read)) box = read;
    };
    keepRead(form.EQAVI, loaded_.EQAVI);
    keepRead(form.EQBMP, loaded_.EQBMP);
    keepRead(form.EAAVI, loaded_.EAAVI);
    keepRead(form.EABMP, loaded_.EABMP);
    return form;
}

// ---- state ----------------------------------------------------------------------------------

std::string EditorController::readOnlyReason() const {
    const DeckState& deck = program_.deck;
    if (deck.ReadOnlyDeck) {
        return "This Deck's .DKS File Is Read-Only Or Lies On A Disk That Cannot Be Written, So "
               "The Editor Shows Its Pairs For Reading Only.";
    }
    if (deck.TruncatedAtLoad) {
        return "This Deck Holds More Than 5000 Pairs And Only The First 5000 Were Loaded; Saving "
               "Would Drop Every Pair After Them, So The Editor Shows The Deck For Reading Only.";
    }
    return {};
}

bool EditorController::refuseReadOnly() {
    std::string reason = readOnlyReason();
    if (reason.empty()) return false;
    program_.ui().message(kReadOnlyCaption, reason, Icon::Warning);
    return true;
}

void EditorController::render() {
    const Program& p = program_;
    const EditorState& e = p.editor;
    const DeckState& deck = p.deck;
    const bool editable = readOnlyReason().empty();
    EditorView& v = view_;
    // Page and focus requests hold for the one render that follows the request.
    v.resetPage = false;
    v.focus = EditorFocus::None;
    v.caption = editorCaption(p, e.AddingPair);
    if (!editable) v.caption += " - Read Only";
    v.form = form_;
    EditorControls& c = v.enabled;
    const bool beyondLast = deck.CurrentPair > deck.PairCount;
    if (e.AddingPair) {
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
    c.choices = c.correctAnswer = editable && form_.kind == PairKind::MultipleChoice;
    c.fillIns = editable && form_.kind == PairKind::FillIn;
    v.CBAutoSavePair = p.shell.app.AutoSavePair == 1;
    v.CBAutoResetPage = p.shell.app.AutoResetPage == 1;
    v.CBFileSaveI = p.shell.app.FileSaveI == 1;
    v.categories.clear();
    for (const std::string& name : e.categories) v.categories.push_back(windows1252ToUtf8(name));
    std::sort(v.categories.begin(), v.categories.end());
    v.centred = p.settings.Center == 1;
    v.tips = p.settings.EnableTips == 1;
    v.questionLook = questionLook(p.settings);
    v.answerLook = answerLook(p.settings);
    if (!editable) {
        v.notice = readOnlyReason();
    } else if (!faults_.empty()) {
        v.notice = "Pair " + std::to_string(deck.CurrentPair) + " Has Faults In Its Markup (" +
                   faults_ +
                   "): Each Faulty Tag Was Dropped With Its Content, And What Followed It Is "
                   "Shown As Text.  This Pair Is Never Saved Automatically.";
    } else {
        v.notice.clear();
    }
}

void EditorController::rebuildCategories() {
    DeckState& deck = program_.deck;
    std::vector<std::string>& list = program_.editor.categories;
    list.clear();
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        auto index = static_cast<std::size_t>(n - 1);
        if (index >= deck.CategoryName.size()) break;
        std::string& name = deck.CategoryName[index];
        if (name == "0") continue;
        auto listed = std::find_if(list.begin(), list.end(),
                                   [&](const std::string& l) { return equalsIgnoreCase(l, name); });
        if (listed != list.end()) {
            name = *listed;
        } else {
            list.push_back(name.substr(0, kEditorCategoryChars));
        }
    }
}

// ---- showing and hiding -----------------------------------------------------------------

void EditorController::FormShow() {
    Program& p = program_;
    EditorState& e = p.editor;
    DeckState& deck = p.deck;
    // After a reload that failed there is no deck to show; the load said why.
    if (!p.shell.deckOpen) return;
    e.created = true;
    e.EditorPlaying = false;
    e.DeleteFromMain = false;
    e.shown = true;
    p.drill.DrillActive = false;
    drill_.hideWindows();
    p.drill.DrillActive = true;
    if (deck.CategoryListStale) {
        rebuildCategories();
        deck.CategoryListStale = false;
    }
    if (!e.AddingPair) {
        deck.CurrentPair = std::clamp(deck.CurrentPair, 1, std::max(deck.PairCount, 1));
    }
    if (e.AddingPair) {
        std::string category = loaded_.ECategory;
        loaded_ = newPairForm(e.LastPairKind, category);
        faults_.clear();
    } else {
        LoadedForm loaded = formFromPair(p, deck.CurrentPair);
        loaded_ = std::move(loaded.form);
        faults_ = std::move(loaded.faults);
    }
    form_ = toWindow(loaded_);
    e.PairDirty = false;
    render();
    view_.resetPage = p.shell.app.AutoResetPage == 1;
    view_.focus = e.AddingPair ? EditorFocus::QuestionMemoSelectAll : EditorFocus::None;
    if (window_) window_->showEditor();
}

void EditorController::FormHide() {
    EditorState& e = program_.editor;
    if (!e.shown) return;
    if (e.EditorPlaying) program_.platform.media.close(MediaChannel::Editor);
    e.LastPairKind = form_.kind;
    e.EditorPlaying = false;
    e.shown = false;
    if (window_) window_->hideEditor();
}

bool EditorController::deckClosing() {
    if (!program_.editor.shown) return true;
    // The deck is written next: edits the user keeps go into the store it writes from.
    closingDeck_ = true;
    const bool stored = askAboutUnsavedEdits(false);
    closingDeck_ = false;
    if (!stored) return false;
    FormHide();
    if (window_) window_->hideFindDialog();
    return true;
}

// ---- main window ----------------------------------------------------------------------------

// A menu entry that reloads the editor while it shows edits asks about them first.
bool EditorController::leaveShownPair() {
    return !program_.editor.shown || askAboutUnsavedEdits(false);
}

void EditorController::EditCurrentPairClick() {
    if (!leaveShownPair()) return;
    program_.editor.AddingPair = false;
    program_.drill.ReturnPair = program_.deck.CurrentPair;
    program_.drill.ReturnToPair = false;
    FormShow();
}

void EditorController::InsertNewPairClick() {
    if (refuseReadOnly() || !leaveShownPair()) return;
    program_.editor.AddingPair = true;
    program_.drill.ReturnPair = program_.deck.CurrentPair;
    program_.drill.ReturnToPair = false;
    FormShow();
    BBAddPairClick();
}

void EditorController::DeleteCurrentPairClick() {
    if (refuseReadOnly()) return;
    DeckState& deck = program_.deck;
    program_.drill.ReturnPair = deck.CurrentPair - (deck.CurrentPair >= deck.PairCount ? 1 : 0);
    program_.editor.DeleteFromMain = true;
    deletePair();
}

void EditorController::OpenInEditorClick() {
    if (!leaveShownPair()) return;
    program_.editor.AddingPair = false;
    program_.drill.ReturnPair = program_.deck.CurrentPair;
    program_.drill.ReturnToPair = false;
    program_.deck.CurrentPair = 1;
    FormShow();
}

void EditorController::showOnNewDeck(std::int32_t rememberedPair) {
    program_.editor.AddingPair = false;
    program_.drill.ReturnPair = rememberedPair;
    program_.drill.ReturnToPair = false;
    program_.deck.CurrentPair = 1;
    FormShow();
}

void EditorController::returnFromRun() {
    FormShow();
}

// ---- saving -------------------------------------------------------------------------------

bool EditorController::askAboutUnsavedEdits(bool withCancel, bool* cancelled) {
    EditorState& e = program_.editor;
    if (!e.PairDirty) return true;
    // A pair read with faults is saved only at the user's word.
    if (program_.shell.app.AutoSavePair == 1 && faults_.empty()) return SavePair(0);
    Button answer =
        program_.ui().messageBox(kSaveQuestionCaption, kSaveQuestionText, Icon::Information,
                                 withCancel ? Buttons::YesNoCancel : Buttons::YesNo);
    if (answer == Button::Cancel) {
        if (cancelled) *cancelled = true;
        return false;
    }
    if (answer != Button::Yes) {
        e.PairDirty = false;
        return true;
    }
    return SavePair(0);
}

bool EditorController::SavePair(int mode) {
    Program& p = program_;
    DeckState& deck = p.deck;
    EditorState& e = p.editor;
    if (mode == 2) return flush(2);
    if (refuseReadOnly()) return false;
    const std::int32_t n = deck.CurrentPair;
    if (n > kMaxPairs || (mode == 1 && deck.PairCount >= kMaxPairs)) {
        p.ui().message(kFileSizeLimitCaption, kFileSizeLimitText, Icon::Warning);
        return false;
    }
    if (mode == 1) return flush(1);

    if (!faults_.empty()) {
        std::string question =
            "Pair " + std::to_string(n) + " Was Read With Faults In Its Markup (" + faults_ +
            ").  Saving Stores It As The Editor Shows It: Each Faulty Tag Is Dropped With Its "
            "Content, And What Followed It Is Kept As Question Or Answer Text.  Save It Anyway?";
        if (p.ui().messageBox(kFaultySaveCaption, question, Icon::Warning, Buttons::YesNo) !=
            Button::Yes) {
            return false;
        }
    }
    std::optional<EditorForm> bytes = fromWindow(form_);
    if (!bytes) return false;

    // The category: the listed spelling is shown, the typed one stored.
    std::vector<std::string>& list = e.categories;
    std::optional<std::string> listedForm;
    bool newCategory = false;
    if (!bytes->ECategory.empty()) {
        auto listed = std::find_if(list.begin(), list.end(), [&](const std::string& l) {
            return equalsIgnoreCase(l, bytes->ECategory);
        });
        if (listed != list.end()) {
            listedForm = *listed;
        } else if (list.size() >= kEditorCategoryLimit) {
            p.ui().message(kCategoryLimitCaption, kCategoryLimitText, Icon::Warning);
            return false;
        } else {
            newCategory = true;
        }
    }
    if (std::optional<FormRefusal> refusal = checkForm(*bytes)) {
        p.ui().message(refusal->caption, refusal->text, Icon::Warning);
        return false;
    }
    EditorForm stored = closeGaps(*bytes);
    std::string text = pairTextFromForm(stored, n);
    const std::size_t digits = std::to_string(n).size();
    const std::size_t counted = text.size() - 2 * digits + 2 * kRenumberedDigits;
    if (counted >= kMaxPairChars) {
        p.ui().message(kPairTooLargeCaption, pairTooLargeText(counted), Icon::Error);
        return false;
    }

    if (newCategory) list.push_back(bytes->ECategory.substr(0, kEditorCategoryChars));
    if (listedForm) stored.ECategory = *listedForm;

    // A store whose slots are all taken (flushes that failed) is merged into the pairs
    // first: nothing is dropped, and the next close writes it all.
    if (deck.EditSlot[static_cast<std::size_t>(n)] == 0 &&
        deck.EditSlotsUsed >= kEditedTextEntries - 1) {
        deck.mergeEditedTexts();
    }
    std::int32_t& slot = deck.EditSlot[static_cast<std::size_t>(n)];
    if (slot == 0) slot = ++deck.EditSlotsUsed;
    deck.EditedText[static_cast<std::size_t>(slot)] = text;
    if (n > deck.PairCount) deck.appendPair(text);
    p.document.markTextsChanged();
    if (static_cast<std::size_t>(n - 1) < deck.CategoryName.size()) {
        deck.CategoryName[static_cast<std::size_t>(n - 1)] =
            bytes->ECategory.empty() ? std::string("0")
                                     : bytes->ECategory.substr(0, kMaxCategoryChars);
    }
    e.AddingPair = false;
    e.PairDirty = false;
    loaded_ = stored;
    form_ = toWindow(stored);
    faults_.clear();
    render();

    // A failed flush keeps the pair in the store and has said so: the save itself stands.
    if (!closingDeck_ && (deck.EditSlotsUsed >= kFlushAtSlots || p.shell.app.FileSaveI == 1)) {
        flush(0);
    }
    return true;
}

bool EditorController::flush(int mode) {
    Program& p = program_;
    DeckState& deck = p.deck;
    const std::int32_t remembered = deck.CurrentPair;
    if (mode == 1 || mode == 2) {
        // The store goes into the pairs before they move, so no saved edit is lost.
        const bool used = deck.EditorUsed;
        deck.mergeEditedTexts();
        deck.EditorUsed = used;
        if (mode == 1) {
            deck.insertPair(remembered + 1);
        } else {
            deck.deletePair(remembered);
            // A range past the new last pair would make the deck fail its own check.
            DeckSettings& s = p.settings;
            s.HighRange = std::min(s.HighRange, deck.PairCount);
            s.LowRange = std::max(1, std::min(s.LowRange, s.HighRange - 1));
        }
    }
    std::int32_t target = mode == 1 ? remembered + 1 : remembered;
    target = std::clamp(target, 1, std::max(deck.PairCount, 1));

    FormHide();
    // Set across the close too, so that the deck's lock is kept until the reload has it.
    p.editor.reloading = true;
    if (!FileExitQAClick(p)) {
        p.editor.reloading = false;
        // The box said what failed; the pairs stay in memory and the editor stays usable.
        deck.CurrentPair = target;
        FormShow();
        return false;
    }
    const bool returnTo = p.drill.ReturnToPair;
    const std::int32_t returnPair = p.drill.ReturnPair;
    p.drill.ReturnToPair = true;
    p.drill.ReturnPair = target;
    InitDKSFile(p);
    p.editor.reloading = false;
    p.drill.ReturnToPair = returnTo || mode == 2;
    p.drill.ReturnPair =
        mode == 2 ? std::clamp(returnPair, 1, std::max(deck.PairCount, 1)) : returnPair;
    if (!p.shell.deckOpen) return false;
    deck.CurrentPair = target;
    return true;
}

// ---- commands ------------------------------------------------------------------------------

void EditorController::formEdited(const EditorForm& form) {
    if (!readOnlyReason().empty()) {
        render();
        return;
    }
    form_ = form;
    program_.editor.PairDirty = true;
    render();
}

void EditorController::BBSaveClick() {
    if (SavePair(0)) program_.editor.PairDirty = false;
}

void EditorController::move(std::int32_t to) {
    FormHide();
    program_.deck.CurrentPair = to;
    FormShow();
}

void EditorController::BBDownClick() {
    EditorState& e = program_.editor;
    e.AddingPair = false;
    if (!askAboutUnsavedEdits(false)) return;
    std::int32_t n = program_.deck.CurrentPair;
    move(n >= 2 ? n - 1 : n);
}

void EditorController::BBUpClick() {
    EditorState& e = program_.editor;
    e.AddingPair = false;
    if (!askAboutUnsavedEdits(false)) return;
    std::int32_t n = program_.deck.CurrentPair;
    move(n < program_.deck.PairCount ? n + 1 : n);
}

bool EditorController::BBGoToPairClick(std::string_view entry) {
    program_.editor.AddingPair = false;
    if (!askAboutUnsavedEdits(false)) return true;
    std::int64_t n = parsePairNumber(entry).value_or(0);
    if (n >= 1 && n <= program_.deck.PairCount) {
        move(static_cast<std::int32_t>(n));
    } else {
        program_.ui().message(kGoToErrorCaption, kGoToErrorText, Icon::Error);
        if (program_.deck.CurrentPair > program_.deck.PairCount)
            move(program_.deck.PairCount);
        else
            render();
    }
    return true;
}

void EditorController::BBAddPairClick() {
    if (refuseReadOnly()) return;
    Program& p = program_;
    DeckState& deck = p.deck;
    EditorState& e = p.editor;
    const bool wasAdding = e.AddingPair;
    e.AddingPair = true;
    if (!askAboutUnsavedEdits(false)) {
        e.AddingPair = wasAdding;
        return;
    }
    if (deck.CurrentPair < deck.PairCount) {
        if (!SavePair(1)) {
            e.AddingPair = false;
            if (p.shell.deckOpen && !e.shown) FormShow();
            return;
        }
        e.AddingPair = true;
        move(deck.CurrentPair);
        return;
    }
    if (deck.PairCount >= kMaxPairs) {
        p.ui().message(kFileSizeLimitCaption, kFileSizeLimitText, Icon::Warning);
        e.AddingPair = false;
        move(deck.PairCount);
        return;
    }
    // The pair comes into being when it is first saved.
    e.AddingPair = true;
    move(deck.PairCount + 1);
}

void EditorController::BBDeletePairClick() {
    if (refuseReadOnly()) return;
    deletePair();
}

void EditorController::deletePair() {
    Program& p = program_;
    DeckState& deck = p.deck;
    EditorState& e = p.editor;
    const bool fromMain = e.DeleteFromMain;
    if (e.AddingPair && deck.CurrentPair > deck.PairCount) {
        // A new pair that was never saved: there is nothing in the deck to delete.
        e.AddingPair = false;
        e.PairDirty = false;
        if (!fromMain) move(deck.PairCount);
        e.DeleteFromMain = false;
        return;
    }
    if (deck.PairCount <= kMinimumPairs) {
        p.ui().message(kLastPairsCaption,
                       "A Deck Must Keep At Least " + std::to_string(kMinimumPairs) +
                           " Pairs, So Pair " + std::to_string(deck.CurrentPair) +
                           " Cannot Be Deleted.  Change Its Text Instead.",
                       Icon::Warning);
        e.DeleteFromMain = false;
        return;
    }
    e.AddingPair = false;
    e.PairDirty = false;
    DeletedPair deleted = takeDeletedPair(p, deck.CurrentPair);
    const bool done = SavePair(2);
    e.DeleteFromMain = false;
    if (!p.shell.deckOpen) return;
    if (done) deck.CurrentPair = std::min(deck.CurrentPair, deck.PairCount);
    if (!fromMain && !e.shown) FormShow();
    if (done) drill_.rememberDeletedPair(std::move(deleted));
}

void EditorController::BBRunPairClick() {
    Program& p = program_;
    if (p.editor.PairDirty && !SavePair(0)) return;
    if (!p.deck.validPair(p.deck.CurrentPair)) return;
    FormHide();
    drill_.runEditorPair();
}

bool EditorController::BBCloseClick() {
    Program& p = program_;
    bool cancelled = false;
    if (!askAboutUnsavedEdits(true, &cancelled)) return false;
    FormHide();
    if (window_) window_->hideFindDialog();
    p.editor.AddingPair = false;
    p.deck.CurrentPair = std::clamp(p.drill.ReturnPair, 1, std::max(p.deck.PairCount, 1));
    drill_.showQuestionAgain();
    return true;
}

void EditorController::BBFindClick() {
    if (window_) window_->showFindDialog();
}

void EditorController::findClick(const FindState& state, FindButton button) {
    Program& p = program_;
    const std::int32_t current = p.deck.CurrentPair;
    const std::int32_t found = FindOrFindNext(p, state, button);
    p.deck.CurrentPair = current;
    if (found == 0) return;
    p.editor.AddingPair = false;
    if (!askAboutUnsavedEdits(false)) return;
    move(found);
}

void EditorController::CBAutoSavePairClick(bool checked) {
    program_.shell.app.AutoSavePair = checked ? 1 : 0;
    writeAppSetting(program_, "AutoSavePair", program_.shell.app.AutoSavePair);
    render();
}

void EditorController::CBAutoResetPageClick(bool checked) {
    program_.shell.app.AutoResetPage = checked ? 1 : 0;
    writeAppSetting(program_, "AutoResetPage", program_.shell.app.AutoResetPage);
    render();
}

void EditorController::CBFileSaveIClick(bool checked) {
    program_.shell.app.FileSaveI = checked ? 1 : 0;
    writeAppSetting(program_, "FileSaveI", program_.shell.app.FileSaveI);
    render();
}

void EditorController::NotebookPageChanged(EditorPage page) {
    view_.focus = page == EditorPage::AnswerText && form_.AMemo == kNewAnswerPrompt
                      ? EditorFocus::AnswerMemoSelectAll
                      : EditorFocus::None;
}

// ---- associated files ---------------------------------------------------------------------

void EditorController::browse(FileBox box) {
    if (!readOnlyReason().empty()) return;
    Program& p = program_;
    const DeckSettings& s = p.settings;
    const bool audioVideo = box == FileBox::EQAVI || box == FileBox::EAAVI;
    FileDialogRequest request;
    request.title = "Open";
    request.filter = std::string(audioVideo ? kAudioVideoFilter : kImageFilter);
    if (audioVideo && s.UseSoundDIR == 1) {
        request.directory = s.SoundDIR;
    } else if (!audioVideo && s.UseGraphicsDIR == 1) {
        request.directory = s.GraphicsDIR;
    } else {
        request.directory = p.currentDirectory;
    }
    std::optional<std::string> chosen = p.ui().chooseOpenFile(request);
    if (!chosen || chosen->empty()) return;
    const std::string folder = directoryOf(*chosen);
    const bool bare = sameFolder(folder, p.currentDirectory) ||
                      sameFolder(folder, audioVideo ? s.SoundDIR : s.GraphicsDIR);
    std::string value = bare ? fileNameOf(*chosen) : *chosen;
    EditorForm form = form_;
    switch (box) {
        case FileBox::EQAVI:
            form.EQAVI = value;
            break;
        case FileBox::EQBMP:
            form.EQBMP = value;
            break;
        case FileBox::EAAVI:
            form.EAAVI = value;
            break;
        case FileBox::EABMP:
            form.EABMP = value;
            break;
    }
    formEdited(form);
}

std::optional<std::string> EditorController::lookUp(MediaKind kind, const std::string& shown) {
    if (shown.empty()) return std::nullopt;
    Program& p = program_;
    std::string reference = shown;
    const std::string& read = kind == MediaKind::Picture
                                  ? (&shown == &form_.EQBMP ? loaded_.EQBMP : loaded_.EABMP)
                                  : (&shown == &form_.EQAVI ? loaded_.EQAVI : loaded_.EAAVI);
    if (shown == displayText(read)) reference = read;
    const FileLookupPlaces places{p.currentDirectory, p.programDirectory, p.settings.GraphicsDIR,
                                  p.settings.SoundDIR};
    return checkedReferencedFile(p.ui(), p.files(), places, kind, reference);
}

void EditorController::play(EditorSide side) {
    Program& p = program_;
    const std::string& box = side == EditorSide::Question ? form_.EQAVI : form_.EAAVI;
    std::optional<std::string> file = lookUp(MediaKind::AudioVideo, box);
    if (!file) return;
    MediaPlayer& media = p.platform.media;
    media.close(p.drill.QuestionShowing ? MediaChannel::Question : MediaChannel::Answer);
    if (p.editor.EditorPlaying) media.close(MediaChannel::Editor);
    p.editor.EditorPlaying = true;
    playing_ = *file;
    playFailureShown_ = false;
    if (!media.play(MediaChannel::Editor, *file)) {
        playFailureShown_ = true;
        p.ui().message(kCannotPlayCaption, cannotPlayText(*file), Icon::Error);
    }
}

void EditorController::display(EditorSide side) {
    const std::string& box = side == EditorSide::Question ? form_.EQBMP : form_.EABMP;
    std::optional<std::string> file = lookUp(MediaKind::Picture, box);
    if (!file || !window_) return;
    window_->hidePictureViewer();
    window_->showPicture(*file);
}

}  // namespace cardwise
