#include "core/deck/pair_texts.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace cardwise {

PairTexts::PairTexts(const PairTexts& other)
    : block_(other.block_.size()), entries_(other.entries_) {
    if (block_.size() != 0) std::memcpy(block_.data(), other.block_.data(), block_.size());
}

PairTexts& PairTexts::operator=(const PairTexts& other) {
    if (this != &other) *this = PairTexts(other);
    return *this;
}

const std::string_view PairTexts::operator[](std::size_t i) const {
    const Entry& entry = entries_[i];
    return entry.inBlock ? std::string_view(block_.data() + entry.offset, entry.size)
                         : std::string_view(entry.own);
}

const std::string_view PairTexts::at(std::size_t i) const {
    if (i >= entries_.size()) throw std::out_of_range("pair text");
    return (*this)[i];
}

void PairTexts::set(std::size_t i, std::string text) {
    if (i >= entries_.size()) throw std::out_of_range("pair text");
    entries_[i] = Entry{0, 0, false, std::move(text)};
}

void PairTexts::fill(const std::vector<Parts>& texts) {
    std::size_t total = 0;
    for (const Parts& parts : texts) total += parts.size();
    LargeBlock block(total);
    if (entries_.size() < texts.size()) entries_.resize(texts.size());
    std::size_t offset = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::size_t start = offset;
        for (std::string_view piece : {texts[i].question, texts[i].separator, texts[i].answer}) {
            if (!piece.empty()) std::memcpy(block.data() + offset, piece.data(), piece.size());
            offset += piece.size();
        }
        entries_[i] = Entry{start, offset - start, true, {}};
    }
    // Texts past the filled ones that still lie in the old block keep their bytes.
    for (std::size_t i = texts.size(); i < entries_.size(); ++i) {
        if (entries_[i].inBlock) entries_[i] = Entry{0, 0, false, std::string((*this)[i])};
    }
    block_ = std::move(block);
}

void PairTexts::assign(std::size_t n) {
    entries_.assign(n, Entry{});
    block_ = LargeBlock();
}

void PairTexts::resize(std::size_t n) {
    entries_.resize(n);
}

void PairTexts::shiftUp(std::size_t from, std::size_t to) {
    if (entries_.size() < to + 1) entries_.resize(to + 1);
    const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(from);
    const auto end = entries_.begin() + static_cast<std::ptrdiff_t>(to);
    std::move_backward(first, end, end + 1);
    entries_[from] = Entry{};
}

void PairTexts::shiftDown(std::size_t from, std::size_t to) {
    if (to > entries_.size() || from >= to) return;
    std::move(entries_.begin() + static_cast<std::ptrdiff_t>(from + 1),
              entries_.begin() + static_cast<std::ptrdiff_t>(to),
              entries_.begin() + static_cast<std::ptrdiff_t>(from));
    entries_[to - 1] = Entry{};
}

bool operator==(const PairTexts& a, const PairTexts& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

}  // namespace cardwise
