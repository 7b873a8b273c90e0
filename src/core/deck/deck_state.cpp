#include "core/deck/deck_state.h"

#include <algorithm>

namespace cardwise {
namespace {

template <typename Table>
void ensureSize(Table& table, std::size_t size, const typename Table::value_type& fill) {
    if (table.size() < size) table.resize(size, fill);
}

PairLearning withAskedInRun(PairLearning record, std::int32_t askedInRun) {
    record.AskedInRun = askedInRun;
    return record;
}

}  // namespace

std::string_view learnCategoryName(std::int32_t status) {
    switch (status) {
        case ShortTerm:
            return "Short Term";
        case LongTerm:
            return "Long Term";
        default:
            return "Unlearned";
    }
}

std::string newPairText(std::int32_t k) {
    std::string n = std::to_string(k);
    return "Q" + n + "=Insert New Question Text Here" + std::string(kPairSeparator) + "A" + n +
           "=Insert New Answer Text Here";
}

void DeckState::allocate(std::int32_t pairCount) {
    PairCount = pairCount;
    Capacity = pairCount + kSpareSlots;
    auto slots = static_cast<std::size_t>(Capacity) + 1;
    PairText.assign(slots);
    StatusText.assign(slots, std::string("Z"));
    CategoryName.assign(slots, std::string("0"));
    Learning.assign(slots, PairLearning{});
    discardEditedTexts();
}

void DeckState::release() {
    PairCount = 0;
    Capacity = 0;
    PairText.clear();
    for (auto* table : {&StatusText, &CategoryName}) table->clear();
    Learning.clear();
    discardEditedTexts();
    EditorUsed = false;
}

std::string_view DeckState::currentText(std::int32_t n) const {
    if (n < 1 || n > PairCount) return {};
    if (EditorUsed && static_cast<std::size_t>(n) < EditSlot.size()) {
        std::int32_t slot = EditSlot[static_cast<std::size_t>(n)];
        if (slot > 0 && slot < kEditedTextEntries)
            return EditedText[static_cast<std::size_t>(slot)];
    }
    auto index = static_cast<std::size_t>(n - 1);
    return index < PairText.size() ? PairText[index] : std::string_view();
}

void DeckState::mergeEditedTexts() {
    for (std::int32_t n = 1; n <= PairCount; ++n) {
        const std::int32_t slot = n < static_cast<std::int32_t>(EditSlot.size())
                                      ? EditSlot[static_cast<std::size_t>(n)]
                                      : 0;
        const auto index = static_cast<std::size_t>(n - 1);
        if (slot > 0 && slot < kEditedTextEntries && index < PairText.size()) {
            PairText.set(index, EditedText[static_cast<std::size_t>(slot)]);
        }
    }
    discardEditedTexts();
}

void DeckState::discardEditedTexts() {
    for (auto& text : EditedText) text.clear();
    std::fill(EditSlot.begin(), EditSlot.end(), 0);
    EditSlotsUsed = 0;
}

void DeckState::insertPair(std::int32_t k) {
    k = std::clamp(k, 1, PairCount + 1);
    auto needed = static_cast<std::size_t>(PairCount) + 2;
    if (PairText.size() < needed) PairText.resize(needed);
    ensureSize(StatusText, needed, std::string("Z"));
    ensureSize(CategoryName, needed, std::string("0"));
    ensureSize(Learning, needed, PairLearning{});
    auto index = static_cast<std::size_t>(k);
    auto last = static_cast<std::size_t>(PairCount);
    PairText.shiftUp(index - 1, last);
    PairText.set(index - 1, newPairText(k));
    // AskedInRun belongs to the place in the run, not to the pair: it stays where it is.
    for (std::size_t n = last + 1; n > index; --n) {
        Learning[n] = withAskedInRun(Learning[n - 1], Learning[n].AskedInRun);
    }
    Learning[index] = withAskedInRun(PairLearning{}, Learning[index].AskedInRun);
    Learning[index].LastDate = Today;
    ++PairCount;
    Capacity = std::max<std::int32_t>(Capacity, PairCount + 1);
    discardEditedTexts();
    EditorUsed = true;
}

void DeckState::deletePair(std::int32_t k) {
    if (!validPair(k)) return;
    auto index = static_cast<std::size_t>(k);
    auto last = static_cast<std::size_t>(PairCount);
    PairText.shiftDown(index - 1, last);
    for (std::size_t n = index; n < last; ++n) {
        Learning[n] = withAskedInRun(Learning[n + 1], Learning[n].AskedInRun);
    }
    Learning[last] = withAskedInRun(PairLearning{}, Learning[last].AskedInRun);
    --PairCount;
    discardEditedTexts();
    EditorUsed = true;
}

void DeckState::appendPair(std::string text) {
    auto needed = static_cast<std::size_t>(PairCount) + 2;
    if (PairText.size() < needed) PairText.resize(needed);
    ensureSize(StatusText, needed, std::string("Z"));
    ensureSize(CategoryName, needed, std::string("0"));
    ensureSize(Learning, needed, PairLearning{});
    ++PairCount;
    auto n = static_cast<std::size_t>(PairCount);
    PairText.set(n - 1, std::move(text));
    Learning[n] = withAskedInRun(PairLearning{}, Learning[n].AskedInRun);
    Learning[n].LastDate = Today;
    Capacity = std::max<std::int32_t>(Capacity, PairCount + 1);
    EditorUsed = true;
}

void DeckState::deriveCompanionNames() {
    auto replaceTail = [&](std::string_view tail) {
        std::string name = QAFileName;
        std::size_t keep = name.size() >= tail.size() ? name.size() - tail.size() : 0;
        return name.substr(0, keep) + std::string(tail);
    };
    SetupFileName = replaceTail("D");
    QABackupName = replaceTail("~LS");
    SetupBackupName = replaceTail("~LD");
}

}  // namespace cardwise
