#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/large_block.h"

namespace cardwise {

// The pairs' texts, indexed from 0. The texts a deck is read with share one block: a single
// allocation in large pages instead of one small allocation per pair, thousands of page faults
// fewer for a large deck. A text set afterwards is a string of its own.
class PairTexts {
  public:
    // One text as read: question, separator, answer.
    struct Parts {
        std::string_view question;
        std::string_view separator;
        std::string_view answer;
        std::size_t size() const { return question.size() + separator.size() + answer.size(); }
    };

    PairTexts() = default;
    PairTexts(const PairTexts& other);
    PairTexts& operator=(const PairTexts& other);
    PairTexts(PairTexts&&) noexcept = default;
    PairTexts& operator=(PairTexts&&) noexcept = default;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // const: an assignment to it would compile and change nothing.
    const std::string_view operator[](std::size_t i) const;
    // As operator[], throwing std::out_of_range past the end.
    const std::string_view at(std::size_t i) const;
    void set(std::size_t i, std::string text);

    // Texts 0 .. texts.size() - 1 become the joined parts, copied into a new block; the table
    // grows to hold them, later texts stay.
    void fill(const std::vector<Parts>& texts);
    // n empty texts.
    void assign(std::size_t n);
    // Later texts go; new ones are empty.
    void resize(std::size_t n);
    void clear() { assign(0); }

    // Texts [from, to) move one place on to [from + 1, to + 1), text `from` becomes empty; the
    // table grows by one where `to` is its end.
    void shiftUp(std::size_t from, std::size_t to);
    // Texts [from + 1, to) move one place back to [from, to - 1), text to - 1 becomes empty.
    void shiftDown(std::size_t from, std::size_t to);

    friend bool operator==(const PairTexts& a, const PairTexts& b);

  private:
    struct Entry {
        std::size_t offset = 0;
        std::size_t size = 0;
        bool inBlock = false;
        std::string own;
    };
    LargeBlock block_;
    std::vector<Entry> entries_;
};

}  // namespace cardwise
