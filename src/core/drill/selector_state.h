#pragma once

namespace cardwise {

// The pair selector's program-wide state (not saved with the deck).
struct SelectorState {};

}  // namespace cardwise
