#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/deck/deck_state.h"

namespace cardwise {

inline constexpr std::size_t kCategoryListMax = 101;

// The distinct category names of the open deck in the order first met, shared by the
// options dialog, the statistics window and the editor.
class CategoryList {
  public:
    // Empties the list and fills it from the pairs' category names; "0" (no category) is
    // skipped and names compare exactly, case included. Only the first kCategoryListMax
    // names are kept, but every distinct name is counted.
    void rebuild(const DeckState& deck);

    const std::vector<std::string>& names() const { return names_; }
    // Every distinct name of the deck, also those beyond the kept ones.
    std::int32_t distinctCount() const { return distinct_; }
    bool empty() const { return names_.empty(); }

  private:
    std::vector<std::string> names_;
    std::int32_t distinct_ = 0;
};

}  // namespace cardwise
