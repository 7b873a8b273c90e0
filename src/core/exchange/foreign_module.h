#pragma once

// The readers of other programs' files live in a module of their own (SQLite, libzip, zstd
// and libxml2 behind them), loaded on the first such import rather than at every start.

#include <string>
#include <vector>

#include "core/exchange/foreign_deck.h"

namespace cardwise {

// What the module gives: C++ types cross, which holds because the module is built with the
// program by the same compiler and standard library; the version catches a stale install.
struct ForeignReaders {
    int version = 0;
    ForeignDeck (*read)(ForeignFormat format, std::string bytes,
                        const BesideFile& beside) = nullptr;
};
inline constexpr int kForeignReadersVersion = 1;
inline constexpr const char* kForeignReadersEntry = "cardwise_foreign_readers";

struct FoundForeignReaders {
    const ForeignReaders* readers = nullptr;  // null: problem says why
    std::string problem;
};

// The first of these module files that loads and gives readers of this version; a module
// loaded here stays loaded.
FoundForeignReaders loadForeignReaders(const std::vector<std::string>& places);

}  // namespace cardwise
