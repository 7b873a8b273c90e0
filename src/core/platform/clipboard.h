#pragma once

#include <string_view>

namespace cardwise {

// The system clipboard, as far as the copy commands need it.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void setText(std::string_view text) = 0;
};

// For a front end without a clipboard: copied text goes nowhere.
class NoClipboard final : public Clipboard {
  public:
    void setText(std::string_view) override {}
};

}  // namespace cardwise
