#include "core/study/category_list.h"

#include <set>

namespace cardwise {

void CategoryList::rebuild(const DeckState& deck) {
    names_.clear();
    std::set<std::string> seen;
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        auto index = static_cast<std::size_t>(n - 1);
        if (index >= deck.CategoryName.size()) break;
        const std::string& name = deck.CategoryName[index];
        if (name == "0" || !seen.insert(name).second) continue;
        if (names_.size() < kCategoryListMax) names_.push_back(name);
    }
    distinct_ = static_cast<std::int32_t>(seen.size());
}

}  // namespace cardwise
