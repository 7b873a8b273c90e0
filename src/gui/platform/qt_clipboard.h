#pragma once

#include "core/platform/clipboard.h"

namespace cardwise::gui {

// The system clipboard; deck text goes there as Unicode.
class QtClipboard : public Clipboard {
  public:
    void setText(std::string_view text) override;
};

}  // namespace cardwise::gui
